#pragma once
// What the builder takes from a payload folder: every manifest line checked and matched to its
// file, or a refusal that names the file, the line and what is wrong.
#include "build_refused.h"

#include <filesystem>
#include <string>
#include <vector>

namespace builder {

struct PayloadResource {
    std::string name; // upper-cased, as stored
    std::string type; // upper-cased, as stored
    std::filesystem::path file;
    std::string relPath; // GBK, as the manifest gives it
    size_t line = 0;     // 1-based
};

// The manifest of a payload folder: PAYLOAD_DIR/Setup.log.
constexpr char kManifestFileName[] = "Setup.log";

// Reads and checks PAYLOAD_DIR/Setup.log and returns one resource per line, in manifest order.
// Raises BuildRefused, naming the line and the file, for a manifest with a NUL byte, a line that is
// not "name type relative-path", a name or type that is not made of ASCII letters, digits and
// underscores or is longer than a resource holds, a (name, type) pair listed twice, a relative path
// that is absolute, has a drive, starts with a backslash or a slash or climbs out with "..", a path
// Windows cannot take as a name (device names, parts ending in a dot or a blank, < > " | ? *), two
// lines that write the same file (compared as Windows compares names), a symbolic link anywhere
// below the payload folder (the rule: the builder packs no link, wherever it points), a missing
// file, an empty main executable or uninstaller, text that is not valid GBK, a missing resource the
// program addresses by name, a setup configuration the setup cannot use (not GBK, a section or key
// it reads missing, a [Run] FileName that leaves the folder, a desktop link name that is no single
// file name), and a path that would reach MAX_PATH under the configuration's default folder.
// With strict false a line that would be refused only gets no resource and stays in the manifest as
// it is: that builds a setup that meets a faulty manifest, to test the installer itself.
std::vector<PayloadResource> PlanPayload(const std::filesystem::path& payloadDir, bool strict = true);

// The longest resource name or type the resource format holds (a 16-bit count of characters).
constexpr size_t kLongestResourceId = 0xFFFF;

} // namespace builder
