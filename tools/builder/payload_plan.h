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
};

// The manifest of a payload folder: PAYLOAD_DIR/Setup.log.
constexpr char kManifestFileName[] = "Setup.log";

// Reads and checks PAYLOAD_DIR/Setup.log and returns one resource per line, in manifest order.
// Raises BuildRefused for a line that is not "name type relative-path", a name or type that is not
// made of ASCII letters, digits and underscores, a (name, type) pair listed twice, a relative path
// that is absolute, has a drive, starts with a backslash or climbs out with "..", a missing file,
// text that is not valid GBK, or a missing resource the program addresses by name.
// With strict false a line that would be refused only gets no resource and stays in the manifest as
// it is: that builds a setup that meets a faulty manifest, to test the installer itself.
std::vector<PayloadResource> PlanPayload(const std::filesystem::path& payloadDir, bool strict = true);

} // namespace builder
