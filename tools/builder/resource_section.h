#pragma once
// The resource section of a Windows image: the three-level directory (type, name, language) that
// the loader searches, followed by the resources' data in the order given.
#include "res_file.h"

#include <cstdint>
#include <string>
#include <vector>

namespace builder {

struct SectionEntry {
    ResId type;
    ResId name;
    std::uint16_t language = kLangNeutral;
    std::uint32_t size = 0;
};

struct ResourceSection {
    std::string directory;                  // starts the section
    std::vector<std::uint32_t> dataOffsets; // per entry, from the section's start, 8-byte aligned
    std::uint32_t size = 0;                 // directory and data
};

// Lays out a section that the image maps at `sectionRva`. String ids are stored with ASCII letters
// upper-cased, as the loader upper-cases the names it is asked for; within each directory the
// string ids come first in code-unit order and then the ordinals in ascending order, as the
// loader's binary search expects. Raises BuildRefused for two entries with the same type, name and
// language, or a section that would not fit in 4 GB.
ResourceSection LayOutResourceSection(const std::vector<SectionEntry>& entries, std::uint32_t sectionRva);

} // namespace builder
