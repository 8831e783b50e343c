#include "payload_plan.h"

#include "bytes.h"
#include "gbk_names.h"
#include "core/ascii.h"
#include "core/gbk.h"
#include "core/manifest.h"

#include <cctype>
#include <iostream>
#include <map>
#include <utility>

namespace builder {
namespace {

// The resources the setup program asks for by name; each must be listed.
const std::pair<const char*, const char*> kFixedResources[] = {
    {"FileTxt4", "txtname"}, {"FileTxt5", "txtname"},  {"FileTxt7", "txtname"},
    {"FileExe", "exename"},  {"uninstall", "exename"},
};

bool IsIdentifier(const std::string& s) {
    if (s.empty()) return false;
    for (unsigned char c : s)
        if (!(std::isalnum(c) || c == '_')) return false;
    return true;
}

} // namespace

std::vector<PayloadResource> PlanPayload(const std::filesystem::path& payloadDir, bool strict) {
    const std::filesystem::path manifestPath = payloadDir / kManifestFileName;
    const std::string manifest = ReadWholeFile(manifestPath, "the manifest");
    const std::vector<std::string> lines = core::ReadManifestLines(manifest);

    std::vector<PayloadResource> resources;
    std::map<std::pair<std::string, std::string>, size_t> firstLine;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const auto refuse = [&](const std::string& problem) {
            return BuildRefused(manifestPath.string() + ":" + std::to_string(i + 1) + ": " + problem +
                                ": \"" + Printable(line) + "\"");
        };
        try {
            const std::optional<std::string> utf8Line = GbkToUtf8(line);
            if (!utf8Line) throw refuse("the line is not valid GBK text");

            const core::ManifestEntry entry = core::ParseManifestLine(line);
            if (entry.ResName.empty() || entry.ResType.empty() || entry.RelPath.empty() ||
                line.size() != entry.ResName.size() + entry.ResType.size() + entry.RelPath.size() + 2)
                throw refuse("the line does not split into name, type and relative path");
            if (!IsIdentifier(entry.ResName) || !IsIdentifier(entry.ResType))
                throw refuse("a resource name or type may hold only ASCII letters, digits and underscores");

            PayloadResource resource{core::AsciiUpper(entry.ResName), core::AsciiUpper(entry.ResType), {}};
            const auto [known, inserted] =
                firstLine.emplace(std::make_pair(resource.name, resource.type), i + 1);
            if (!inserted)
                throw refuse("the resource (" + entry.ResName + ", " + entry.ResType +
                             ") is listed already on line " + std::to_string(known->second));

            if (const std::string problem = core::RelativePathProblem(entry.RelPath); !problem.empty())
                throw refuse("the relative path " + problem);
            resource.file = payloadDir / PayloadFilePath(entry.RelPath);
            if (!std::filesystem::is_regular_file(resource.file))
                throw refuse("the file " + resource.file.string() + " does not exist");
            resources.push_back(std::move(resource));
        } catch (const BuildRefused& refusal) {
            if (strict) throw;
            std::cerr << "build-setup: left out: " << refusal.what()
                      << "\n"; // the line stays in the manifest
        }
    }

    for (const auto& [name, type] : kFixedResources)
        if (!firstLine.count({core::AsciiUpper(name), core::AsciiUpper(type)}))
            throw BuildRefused(manifestPath.string() + ": the manifest does not list the resource (" +
                               std::string(name) + ", " + type + ") that setup needs");
    return resources;
}

} // namespace builder
