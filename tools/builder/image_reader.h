#pragma once
// Reads a finished setup executable back as the loader sees it: its format, subsystem, the DLLs
// it imports at load time, its sections and its resources. The tests check the shipped image with
// it; the builder itself never reads an image this way.
#include "res_file.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace builder {

struct ImageSection {
    std::string name;
    std::uint32_t rva = 0, virtualSize = 0, fileOffset = 0, rawSize = 0;
};

class ImageReader {
  public:
    // Raises BuildRefused when `bytes` is not a PE32 or PE32+ image or a table runs past its end.
    explicit ImageReader(std::string bytes);

    bool IsPe32Plus() const { return pe32Plus_; }
    std::uint16_t Machine() const { return machine_; }
    std::uint16_t Subsystem() const { return subsystem_; }
    std::uint16_t Characteristics() const { return characteristics_; }
    std::uint16_t DllCharacteristics() const { return dllCharacteristics_; }
    const std::vector<ImageSection>& Sections() const { return sections_; }
    // The DLL names of the import directory, in its order.
    std::vector<std::string> ImportedDlls() const;
    // The bytes of the resource (type, name) in its first language, as FindResource finds it;
    // string ids are compared as stored (the builder stores them upper-cased).
    std::optional<std::string_view> Resource(const ResId& type, const ResId& name) const;
    // Where bytes that the reader handed out lie in the file.
    std::uint64_t OffsetOf(std::string_view part) const {
        return static_cast<std::uint64_t>(part.data() - bytes_.data());
    }

  private:
    std::uint32_t U16(std::uint64_t at) const;
    std::uint32_t U32(std::uint64_t at) const;
    // The file offset of `size` bytes at `rva`; raises BuildRefused when they lie in no section.
    std::uint64_t FileOffset(std::uint32_t rva, std::uint32_t size) const;
    std::optional<std::uint32_t> Entry(std::uint64_t directory, const ResId& id) const;

    std::string bytes_;
    bool pe32Plus_ = false;
    std::uint16_t machine_ = 0, subsystem_ = 0, characteristics_ = 0, dllCharacteristics_ = 0;
    std::uint32_t importRva_ = 0, resourceRva_ = 0;
    std::vector<ImageSection> sections_;
};

} // namespace builder
