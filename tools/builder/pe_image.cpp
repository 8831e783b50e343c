#include "pe_image.h"

#include "build_refused.h"
#include "bytes.h"

namespace builder {
namespace {

constexpr std::uint32_t kPageSize = 4096;
constexpr std::uint32_t kSectionHeaderSize = 40;
constexpr std::uint32_t kResourceDirectoryIndex = 2;
// Initialized data, readable.
constexpr std::uint32_t kResourceCharacteristics = 0x00000040 | 0x40000000;

// Image fields are 32 bits wide.
std::uint32_t AlignUp32(std::uint64_t n, std::uint32_t alignment) {
    return static_cast<std::uint32_t>(AlignUp(n, alignment));
}

[[noreturn]] void Refuse(const std::string& why) {
    throw BuildRefused("the setup program image is not usable: " + why);
}

} // namespace

class ImageBytes {
  public:
    explicit ImageBytes(std::string& bytes) : bytes_(bytes) {}
    std::uint32_t U16(std::uint32_t at) const { return Get(at, 2); }
    std::uint32_t U32(std::uint32_t at) const { return Get(at, 4); }
    void Set16(std::uint32_t at, std::uint32_t v) { Put(at, v, 2); }
    void Set32(std::uint32_t at, std::uint32_t v) { Put(at, v, 4); }

  private:
    void Need(std::uint64_t at, int width) const {
        if (at + width > bytes_.size()) Refuse("its headers run past its end");
    }
    std::uint32_t Get(std::uint32_t at, int width) const {
        Need(at, width);
        return Load(bytes_, at, width);
    }
    void Put(std::uint32_t at, std::uint32_t v, int width) {
        Need(at, width);
        Store(bytes_, at, v, width);
    }
    std::string& bytes_;
};

// Offsets within the optional header, the same in PE32 and PE32+ up to the checksum. PE32+ widens
// the stack and heap sizes to 64 bits, so its data directories sit 16 bytes further on.
namespace opt {
constexpr std::uint32_t kMagic = 0, kInitializedData = 8, kSectionAlignment = 32, kFileAlignment = 36,
                        kSizeOfImage = 56, kSizeOfHeaders = 60, kChecksum = 64;
constexpr std::uint32_t kMagicPe32 = 0x10B, kMagicPe32Plus = 0x20B;
constexpr std::uint32_t kDirectoryCountPe32 = 92, kDirectoryCountPe32Plus = 108;
} // namespace opt

StubImage::StubImage(std::string bytes) : bytes_(std::move(bytes)) {
    ImageBytes image(bytes_);
    if (image.U16(0) != 0x5A4D) Refuse("no MZ header");
    peOffset_ = image.U32(0x3C);
    if (image.U32(peOffset_) != 0x00004550) Refuse("no PE signature");
    sectionCount_ = image.U16(peOffset_ + 6);
    const std::uint32_t optionalSize = image.U16(peOffset_ + 20);
    const std::uint32_t optional = peOffset_ + 24;
    const std::uint32_t magic = image.U16(optional + opt::kMagic);
    if (magic != opt::kMagicPe32 && magic != opt::kMagicPe32Plus) Refuse("neither PE32 nor PE32+");
    pe32Plus_ = magic == opt::kMagicPe32Plus;
    const std::uint32_t directoryCount =
        optional + (magic == opt::kMagicPe32 ? opt::kDirectoryCountPe32 : opt::kDirectoryCountPe32Plus);
    directories_ = directoryCount + 4;
    sectionAlignment_ = image.U32(optional + opt::kSectionAlignment);
    fileAlignment_ = image.U32(optional + opt::kFileAlignment);
    if (sectionAlignment_ != kPageSize || fileAlignment_ == 0 || kPageSize % fileAlignment_ != 0)
        Refuse("unexpected section or file alignment");
    if (image.U32(directoryCount) <= kResourceDirectoryIndex) Refuse("too few data directories");
    if (image.U32(directories_ + 8 * kResourceDirectoryIndex) != 0) Refuse("it has resources already");
    checksumOffset_ = optional + opt::kChecksum;
    sectionTable_ = optional + optionalSize;

    std::uint32_t firstRaw = 0xFFFFFFFF, imageEnd = 0, fileEnd = 0;
    for (std::uint32_t i = 0; i < sectionCount_; ++i) {
        const std::uint32_t header = sectionTable_ + i * kSectionHeaderSize;
        const std::uint32_t virtualSize = image.U32(header + 8), rva = image.U32(header + 12);
        const std::uint32_t rawSize = image.U32(header + 16), raw = image.U32(header + 20);
        if (rawSize) firstRaw = std::min(firstRaw, raw);
        imageEnd = std::max(
            imageEnd, AlignUp32(std::uint64_t{rva} + std::max(virtualSize, rawSize), sectionAlignment_));
        fileEnd = std::max(fileEnd, raw + rawSize);
    }
    const std::uint32_t headersEnd = image.U32(optional + opt::kSizeOfHeaders);
    if (sectionTable_ + (sectionCount_ + 1) * kSectionHeaderSize > std::min(firstRaw, headersEnd))
        Refuse("no room for another section header");
    if (fileEnd != bytes_.size()) Refuse("it carries data after its last section");
    resourceRva_ = imageEnd;
    resourceFileOffset_ = AlignUp32(fileEnd, kPageSize);
}

std::string StubImage::HeadWithResources(std::uint32_t size) const {
    std::string head = bytes_;
    ImageBytes image(head);
    const std::uint32_t optional = peOffset_ + 24;
    const std::uint32_t rawSize = AlignUp32(size, fileAlignment_);

    const std::uint32_t header = sectionTable_ + sectionCount_ * kSectionHeaderSize;
    const char name[8] = {'.', 'r', 's', 'r', 'c', 0, 0, 0};
    head.replace(header, 8, name, 8);
    image.Set32(header + 8, size);
    image.Set32(header + 12, resourceRva_);
    image.Set32(header + 16, rawSize);
    image.Set32(header + 20, resourceFileOffset_);
    for (std::uint32_t field = 24; field < kSectionHeaderSize - 4; field += 4)
        image.Set32(header + field, 0); // no relocations or line numbers
    image.Set32(header + 36, kResourceCharacteristics);
    image.Set16(peOffset_ + 6, sectionCount_ + 1);

    image.Set32(optional + opt::kInitializedData, image.U32(optional + opt::kInitializedData) + rawSize);
    image.Set32(optional + opt::kSizeOfImage,
                AlignUp32(std::uint64_t{resourceRva_} + size, sectionAlignment_));
    image.Set32(directories_ + 8 * kResourceDirectoryIndex, resourceRva_);
    image.Set32(directories_ + 8 * kResourceDirectoryIndex + 4, size);
    image.Set32(checksumOffset_, 0);
    head.resize(resourceFileOffset_, '\0');
    return head;
}

void PeChecksum::Add(std::string_view bytes) {
    length_ += bytes.size();
    size_t i = 0;
    if (pendingByte_ >= 0 && !bytes.empty()) {
        sum_ += static_cast<std::uint64_t>(pendingByte_) |
                static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[0])) << 8;
        pendingByte_ = -1;
        i = 1;
    }
    for (; i + 1 < bytes.size(); i += 2)
        sum_ += static_cast<unsigned char>(bytes[i]) |
                static_cast<unsigned>(static_cast<unsigned char>(bytes[i + 1])) << 8;
    if (i < bytes.size()) pendingByte_ = static_cast<unsigned char>(bytes[i]);
}

std::uint32_t PeChecksum::Finish() const {
    std::uint64_t sum = sum_ + (pendingByte_ >= 0 ? static_cast<std::uint64_t>(pendingByte_) : 0);
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<std::uint32_t>(sum + length_);
}

} // namespace builder
