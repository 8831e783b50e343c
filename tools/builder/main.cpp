// Joins the setup program's own resources and a payload folder into one .res file.
// Usage: setup-builder STUB_RES PAYLOAD_DIR PAUSE_MS OUT_RES
#include "payload_plan.h"
#include "res_file.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

namespace {

// The build-time pause after each installed file, in milliseconds.
constexpr char kPauseResourceName[] = "SETUP_PAUSE_MS";

void CopyFileInto(std::ofstream& out, const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw builder::BuildRefused(file.string() + ": cannot read the file");
    out << in.rdbuf();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: setup-builder STUB_RES PAYLOAD_DIR PAUSE_MS OUT_RES\n";
        return 2;
    }
    try {
        const std::string pauseText = argv[3];
        if (pauseText.empty() || pauseText.size() > 6 ||
            pauseText.find_first_not_of("0123456789") != std::string::npos)
            throw builder::BuildRefused("SETUP_PAUSE_MS must be a whole number of milliseconds, not \"" +
                                        pauseText + "\"");
        const auto pause = static_cast<std::uint32_t>(std::stoul(pauseText));

        // SETUP_BUILDER_UNCHECKED=1 lets a faulty manifest through, for tests of the installer only.
        const char* unchecked = std::getenv("SETUP_BUILDER_UNCHECKED");
        const bool strict = !(unchecked && std::string(unchecked) == "1");
        const std::vector<builder::PayloadResource> payload = builder::PlanPayload(argv[2], strict);
        std::ofstream out(argv[4], std::ios::binary | std::ios::trunc);
        CopyFileInto(out, argv[1]);
        for (const builder::PayloadResource& resource : payload) {
            const auto size = std::filesystem::file_size(resource.file);
            if (size > 0x7FFFFFFF)
                throw builder::BuildRefused(resource.file.string() + ": the file is too large");
            out << builder::ResourceHeader(resource.type, resource.name, builder::kLangNeutral,
                                           static_cast<std::uint32_t>(size));
            CopyFileInto(out, resource.file);
            out << builder::DataPadding(size);
        }
        std::string pauseBytes;
        for (int shift = 0; shift < 32; shift += 8)
            pauseBytes += static_cast<char>((pause >> shift) & 0xFF);
        out << builder::ResourceHeader(builder::kRtRcData, std::string(kPauseResourceName),
                                       builder::kLangNeutral, 4)
            << pauseBytes;
        if (!out.flush()) throw builder::BuildRefused(std::string(argv[4]) + ": cannot write");
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "build-setup: " << e.what() << "\n";
        return 1;
    }
}
