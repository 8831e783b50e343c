#pragma once
// The linked setup program (a PE32 or PE32+ image without resources) and the resource section the builder
// adds to it, and the image checksum.
#include <cstdint>
#include <string>
#include <string_view>

namespace builder {

class StubImage {
  public:
    // Raises BuildRefused unless `bytes` is a PE32 or PE32+ image without a resource section and with room
    // in its headers for one more section.
    explicit StubImage(std::string bytes);

    // Where the added section starts in memory and in the file. Its file offset is a page boundary,
    // so that Windows and wine map the payload from the file instead of reading it into memory.
    std::uint32_t ResourceRva() const { return resourceRva_; }
    std::uint32_t ResourceFileOffset() const { return resourceFileOffset_; }
    std::uint32_t FileAlignment() const { return fileAlignment_; }
    bool IsPe32Plus() const { return pe32Plus_; }
    // The most the image may take in memory: what a process of its kind can be relied on to map in
    // one piece (1 GiB for a 32-bit process, whose 2 GiB are cut up by the system's DLLs; 2 GiB for
    // PE32+, whose image fields the loader reads as signed).
    std::uint64_t LargestImage() const { return pe32Plus_ ? 0x80000000ull : 0x40000000ull; }
    // The offset of the checksum field, which the checksum counts as zero.
    std::uint32_t ChecksumOffset() const { return checksumOffset_; }

    // The image's bytes up to the resource section, its headers describing a resource section of
    // `size` bytes (checksum zero), padded with zeros to ResourceFileOffset().
    std::string HeadWithResources(std::uint32_t size) const;

  private:
    std::string bytes_;
    std::uint32_t peOffset_ = 0, sectionCount_ = 0, sectionTable_ = 0, directories_ = 0;
    bool pe32Plus_ = false;
    std::uint32_t sectionAlignment_ = 0, fileAlignment_ = 0;
    std::uint32_t resourceRva_ = 0, resourceFileOffset_ = 0, checksumOffset_ = 0;
};

// The PE checksum: the 16-bit one's-complement sum of the file's words plus its length, fed in
// pieces of any size in file order.
class PeChecksum {
  public:
    void Add(std::string_view bytes);
    std::uint32_t Finish() const;

  private:
    std::uint64_t sum_ = 0;
    std::uint64_t length_ = 0;
    int pendingByte_ = -1;
};

} // namespace builder
