#include "payload_plan.h"

#include "bytes.h"
#include "gbk_names.h"
#include "windows_names.h"
#include "core/ascii.h"
#include "core/gbk.h"
#include "core/manifest.h"
#include "core/profile.h"

#include <algorithm>
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

// The keys of the setup configuration that the setup reads.
const std::pair<const char*, const char*> kConfigurationKeys[] = {
    {"Form", "Caption"},       {"Form", "Serial"},      {"Form", "Version"},
    {"Form", "SQXY"},          {"Form", "desKtopLink"}, {"SetupDir", "DirName"},
    {"SetupDir", "SetupPath"}, {"Run", "FileName"},     {"Run", "RJSize"},
};

// The setup writes no path of MAX_PATH characters or more.
constexpr size_t kMaxPath = 260;

// Characters of GBK text, as UTF-16 counts them (every GBK character is one code unit).
size_t CharacterCount(std::string_view gbk) {
    size_t count = 0;
    for (size_t i = 0; i < gbk.size(); ++i, ++count)
        if (core::IsGbkLeadByte(static_cast<unsigned char>(gbk[i])) && i + 1 < gbk.size()) ++i;
    return count;
}

// The first symbolic link on the way from the payload folder to the file, or empty.
std::string LinkOnTheWay(const std::filesystem::path& payloadDir, const std::string& relUtf8) {
    std::filesystem::path at = payloadDir;
    for (const auto& part : std::filesystem::path(relUtf8)) {
        at /= part;
        std::error_code ignored;
        if (std::filesystem::is_symlink(std::filesystem::symlink_status(at, ignored))) return at.string();
    }
    return {};
}

// The 1-based line a byte of the manifest lies on.
size_t LineOf(const std::string& manifest, size_t at) {
    const std::string before = manifest.substr(0, at);
    const size_t lines = core::SplitLines(before).size();
    return before.empty() || before.back() == '\r' || before.back() == '\n' ? lines + 1 : lines;
}

bool IsIdentifier(const std::string& s) {
    if (s.empty()) return false;
    for (unsigned char c : s)
        if (!(std::isalnum(c) || c == '_')) return false;
    return true;
}

void CheckConfiguration(const std::filesystem::path& manifestPath,
                        const std::vector<PayloadResource>& resources) {
    const auto found = std::find_if(resources.begin(), resources.end(), [](const PayloadResource& r) {
        return r.name == "FILETXT7" && r.type == "TXTNAME";
    });
    if (found == resources.end()) return; // refused already as missing
    const auto refuse = [&](size_t line, const std::string& problem) {
        return BuildRefused(manifestPath.string() + ":" + std::to_string(line) + ": " + problem);
    };
    const std::string config = ReadWholeFile(found->file, "the setup configuration");
    const std::string named = "the setup configuration " + found->file.string();
    if (!core::IsValidGbk(config)) throw refuse(found->line, named + " is not valid GBK text");
    for (const auto& [section, key] : kConfigurationKeys)
        if (core::ProfileString(config, section, key).empty())
            throw refuse(found->line, named + " has no [" + section + "] " + key + ", which the setup reads");
    const std::string exeName = core::ProfileString(config, "Run", "FileName");
    if (const std::string problem = core::RelativePathProblem(exeName); !problem.empty())
        throw refuse(found->line, named + ": its [Run] FileName \"" + Printable(exeName) + "\" " + problem);
    const std::string link = core::ProfileString(config, "Form", "desKtopLink");
    if (const std::string problem = core::DesktopLinkNameProblem(link); !problem.empty())
        throw refuse(found->line, named + ": its [Form] desKtopLink \"" + Printable(link) + "\" " + problem +
                                      ", so it names no file in the desktop folder");
    // Under the default installation folder every path must stay short of MAX_PATH, or the setup
    // stops there at install time.
    const std::string folder = core::ProfileString(config, "SetupDir", "SetupPath") + "\\";
    const auto tooLong = [&](const std::string& rel) {
        return CharacterCount(folder) + CharacterCount(rel) >= kMaxPath;
    };
    if (tooLong(exeName))
        throw refuse(found->line, named + ": the main executable's path under \"" + Printable(folder) +
                                      "\" reaches MAX_PATH (" + std::to_string(kMaxPath) + " characters)");
    for (const PayloadResource& resource : resources)
        if (tooLong(resource.relPath))
            throw refuse(resource.line, "under the default installation folder \"" + Printable(folder) +
                                            "\" the path \"" + Printable(resource.relPath) +
                                            "\" reaches MAX_PATH (" + std::to_string(kMaxPath) +
                                            " characters), where the setup would stop");
}

} // namespace

std::vector<PayloadResource> PlanPayload(const std::filesystem::path& payloadDir, bool strict) {
    const std::filesystem::path manifestPath = payloadDir / kManifestFileName;
    // Refused before a byte of it is read: a linked manifest could show any file's lines in a refusal.
    if (const std::string link = LinkOnTheWay(payloadDir, kManifestFileName); !link.empty())
        throw BuildRefused(
            link + ": the manifest is a symbolic link; the builder packs no link, wherever it points");
    const std::string manifest = ReadWholeFile(manifestPath, "the manifest");
    // The setup reads a manifest up to its first NUL: whatever follows would silently be dropped.
    if (const size_t nul = manifest.find('\0'); strict && nul != std::string::npos)
        throw BuildRefused(manifestPath.string() + ":" + std::to_string(LineOf(manifest, nul)) +
                           ": the manifest holds a NUL byte, after which the setup would read nothing");
    const std::vector<std::string> lines = core::ReadManifestLines(manifest);

    std::vector<PayloadResource> resources;
    std::map<std::pair<std::string, std::string>, size_t> firstLine;
    std::map<std::u32string, size_t> firstTarget;
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
            if (entry.ResName.size() > kLongestResourceId || entry.ResType.size() > kLongestResourceId)
                throw refuse("a resource name or type may be at most " + std::to_string(kLongestResourceId) +
                             " characters long, the most a resource holds");

            PayloadResource resource{
                core::AsciiUpper(entry.ResName), core::AsciiUpper(entry.ResType), {}, entry.RelPath, i + 1};
            const auto [known, inserted] =
                firstLine.emplace(std::make_pair(resource.name, resource.type), i + 1);
            if (!inserted)
                throw refuse("the resource (" + entry.ResName + ", " + entry.ResType +
                             ") is listed already on line " + std::to_string(known->second));

            // Longer than any path Windows takes: refused before the file system is asked about it.
            if (CharacterCount(entry.RelPath) >= kMaxPath)
                throw refuse("the relative path is " + std::to_string(CharacterCount(entry.RelPath)) +
                             " characters long, and reaches MAX_PATH (" + std::to_string(kMaxPath) +
                             " characters) on its own");
            if (const std::string problem = core::RelativePathProblem(entry.RelPath); !problem.empty())
                throw refuse("the relative path " + problem);
            if (const std::string problem = WindowsNameProblem(entry.RelPath); !problem.empty())
                throw refuse("the relative path " + problem);
            const auto [sameFile, newFile] = firstTarget.emplace(SameFileKey(entry.RelPath), i + 1);
            if (!newFile)
                throw refuse("the line writes the same file as line " + std::to_string(sameFile->second) +
                             " (Windows tells no letter case apart), which it would overwrite");
            const std::string relUtf8 = PayloadFilePath(entry.RelPath);
            resource.file = payloadDir / relUtf8;
            if (const std::string link = LinkOnTheWay(payloadDir, relUtf8); !link.empty())
                throw refuse(link + " is a symbolic link; the builder packs no link, wherever it points");
            if (!std::filesystem::is_regular_file(resource.file))
                throw refuse("the file " + resource.file.string() + " does not exist");
            const bool program =
                (resource.name == "FILEEXE" || resource.name == "UNINSTALL") && resource.type == "EXENAME";
            if (program && std::filesystem::file_size(resource.file) == 0)
                throw refuse("the file " + resource.file.string() +
                             " is empty, and the setup would install it as a program");
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
    if (strict) CheckConfiguration(manifestPath, resources);
    return resources;
}

} // namespace builder
