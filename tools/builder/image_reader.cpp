#include "image_reader.h"

#include "build_refused.h"
#include "bytes.h"

namespace builder {
namespace {

[[noreturn]] void Refuse(const std::string& why) {
    throw BuildRefused("the image is not readable: " + why);
}

constexpr std::uint32_t kImportDirectory = 1, kResourceDirectory = 2;

} // namespace

ImageReader::ImageReader(std::string bytes) : bytes_(std::move(bytes)) {
    if (U16(0) != 0x5A4D) Refuse("no MZ header");
    const std::uint32_t pe = U32(0x3C);
    if (U32(pe) != 0x00004550) Refuse("no PE signature");
    machine_ = static_cast<std::uint16_t>(U16(pe + 4));
    characteristics_ = static_cast<std::uint16_t>(U16(pe + 22));
    const std::uint32_t sectionCount = U16(pe + 6), optionalSize = U16(pe + 20);
    const std::uint64_t optional = pe + 24;
    const std::uint32_t magic = U16(optional);
    if (magic != 0x10B && magic != 0x20B) Refuse("neither PE32 nor PE32+");
    pe32Plus_ = magic == 0x20B;
    subsystem_ = static_cast<std::uint16_t>(U16(optional + 68));
    dllCharacteristics_ = static_cast<std::uint16_t>(U16(optional + 70));
    const std::uint64_t directoryCount = optional + (pe32Plus_ ? 108 : 92);
    const std::uint32_t directories = U32(directoryCount);
    if (directories > kImportDirectory) importRva_ = U32(directoryCount + 4 + 8 * kImportDirectory);
    if (directories > kResourceDirectory) resourceRva_ = U32(directoryCount + 4 + 8 * kResourceDirectory);
    for (std::uint32_t i = 0; i < sectionCount; ++i) {
        const std::uint64_t header = optional + optionalSize + 40ull * i;
        if (header + 40 > bytes_.size()) Refuse("its section table runs past its end");
        ImageSection section;
        section.name = bytes_.substr(header, 8).c_str();
        section.virtualSize = U32(header + 8);
        section.rva = U32(header + 12);
        section.rawSize = U32(header + 16);
        section.fileOffset = U32(header + 20);
        sections_.push_back(section);
    }
}

std::uint32_t ImageReader::U16(std::uint64_t at) const {
    if (at + 2 > bytes_.size()) Refuse("a field lies past its end");
    return Load(bytes_, at, 2);
}

std::uint32_t ImageReader::U32(std::uint64_t at) const {
    if (at + 4 > bytes_.size()) Refuse("a field lies past its end");
    return Load(bytes_, at, 4);
}

std::uint64_t ImageReader::FileOffset(std::uint32_t rva, std::uint32_t size) const {
    for (const ImageSection& s : sections_) {
        if (rva >= s.rva && std::uint64_t{rva} + size <= std::uint64_t{s.rva} + s.rawSize &&
            std::uint64_t{s.fileOffset} + s.rawSize <= bytes_.size())
            return std::uint64_t{s.fileOffset} + (rva - s.rva);
    }
    Refuse("an address lies in none of its sections");
}

std::vector<std::string> ImageReader::ImportedDlls() const {
    std::vector<std::string> dlls;
    if (importRva_ == 0) return dlls;
    // One 20-byte descriptor a DLL, up to an all-zero one; the name's address is its fourth field.
    for (std::uint32_t rva = importRva_;; rva += 20) {
        const std::uint64_t descriptor = FileOffset(rva, 20);
        const std::uint32_t name = U32(descriptor + 12);
        if (name == 0) break;
        const std::uint64_t at = FileOffset(name, 1);
        const size_t end = bytes_.find('\0', at);
        if (end == std::string::npos) Refuse("an imported DLL's name has no end");
        dlls.push_back(bytes_.substr(at, end - at));
    }
    return dlls;
}

std::optional<std::uint32_t> ImageReader::Entry(std::uint64_t directory, const ResId& id) const {
    const std::uint64_t section = FileOffset(resourceRva_, 16);
    const std::uint32_t named = U16(directory + 12), ordinals = U16(directory + 14);
    for (std::uint32_t i = 0; i < named + ordinals; ++i) {
        const std::uint64_t entry = directory + 16 + 8ull * i;
        const std::uint32_t key = U32(entry);
        bool match;
        if (const auto* text = std::get_if<std::u16string>(&id)) {
            if (!(key & 0x80000000)) continue;
            const std::uint64_t at = section + (key & 0x7FFFFFFF);
            std::u16string stored;
            for (std::uint32_t c = 0, n = U16(at); c < n; ++c)
                stored += static_cast<char16_t>(U16(at + 2 + 2ull * c));
            match = stored == *text;
        } else {
            match = !(key & 0x80000000) && key == std::get<std::uint16_t>(id);
        }
        if (match) return U32(entry + 4);
    }
    return std::nullopt;
}

std::optional<std::string_view> ImageReader::Resource(const ResId& type, const ResId& name) const {
    if (resourceRva_ == 0) return std::nullopt;
    const std::uint64_t section = FileOffset(resourceRva_, 16);
    const auto names = Entry(section, type);
    if (!names || !(*names & 0x80000000)) return std::nullopt;
    const auto languages = Entry(section + (*names & 0x7FFFFFFF), name);
    if (!languages || !(*languages & 0x80000000)) return std::nullopt;
    const std::uint64_t languageDirectory = section + (*languages & 0x7FFFFFFF);
    if (U16(languageDirectory + 12) + U16(languageDirectory + 14) == 0) return std::nullopt;
    const std::uint32_t leaf = U32(languageDirectory + 16 + 4);
    if (leaf & 0x80000000) Refuse("a language entry is a directory");
    const std::uint32_t dataRva = U32(section + leaf), size = U32(section + leaf + 4);
    return std::string_view(bytes_).substr(FileOffset(dataRva, size), size);
}

} // namespace builder
