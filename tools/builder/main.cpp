// Builds the setup executable: the linked program, its own resources and a payload folder, joined
// into one image whose resource section the loader maps straight from the file.
// Usage: setup-builder [--compress] STUB_EXE STUB_RES PAYLOAD_DIR PAUSE_MS OUT_EXE
// With --compress each payload resource that shrinks is stored deflate-compressed behind a header.
#include "bytes.h"
#include "payload_plan.h"
#include "pe_image.h"
#include "res_file.h"
#include "resource_section.h"
#include "core/packed_resource.h"
#include "core/payload_index.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

namespace {

// The build-time pause after each installed file, in milliseconds.
constexpr char kPauseResourceName[] = "SETUP_PAUSE_MS";

using builder::BuildRefused;

std::uint32_t ParsePause(const std::string& text) {
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos)
        throw BuildRefused("SETUP_PAUSE_MS must be a whole number of milliseconds, not \"" + text + "\"");
    return static_cast<std::uint32_t>(std::stoul(text));
}

// One resource of the image: bytes held in memory or a payload file read while writing.
struct ImageResource {
    builder::SectionEntry entry;
    std::string_view bytes;
    std::filesystem::path file;
};

// Writes the image in file order, feeding the checksum, through one large buffer.
class ImageWriter {
  public:
    explicit ImageWriter(const std::string& path)
        : path_(path), file_(std::fopen(path.c_str(), "wb"), &std::fclose) {
        if (!file_) throw BuildRefused(path + ": cannot create the file");
    }
    void Write(std::string_view bytes) {
        checksum_.Add(bytes);
        written_ += bytes.size();
        if (std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size()) Fail();
    }
    void PadTo(std::uint64_t offset) { Write(std::string(offset - written_, '\0')); }
    void CopyFile(const std::filesystem::path& path, std::uint32_t size) {
        std::unique_ptr<FILE, int (*)(FILE*)> in(std::fopen(path.string().c_str(), "rb"), &std::fclose);
        if (!in) throw BuildRefused(path.string() + ": cannot read the file");
        std::uint32_t left = size;
        while (left > 0) {
            const size_t got =
                std::fread(buffer_.data(), 1, std::min<size_t>(left, buffer_.size()), in.get());
            if (got == 0) throw BuildRefused(path.string() + ": the file changed while it was read");
            Write(std::string_view(buffer_.data(), got));
            left -= static_cast<std::uint32_t>(got);
        }
    }
    std::uint64_t Written() const { return written_; }
    void Close(std::uint32_t checksumOffset) {
        const std::uint32_t checksum = checksum_.Finish();
        std::string field;
        builder::Put32(field, checksum);
        if (std::fseek(file_.get(), checksumOffset, SEEK_SET) != 0 ||
            std::fwrite(field.data(), 1, 4, file_.get()) != 4 || std::fclose(file_.release()) != 0)
            Fail();
    }

  private:
    [[noreturn]] void Fail() { throw BuildRefused(path_ + ": cannot write"); }

    std::string path_;
    std::unique_ptr<FILE, int (*)(FILE*)> file_;
    builder::PeChecksum checksum_;
    std::uint64_t written_ = 0;
    std::string buffer_ = std::string(1 << 20, '\0');
};

// The index entry of a resource stored as a file's own bytes, read in pieces: a payload file may be
// far larger than is worth holding whole.
core::PayloadIndexEntry PlainEntry(const builder::PayloadResource& resource) {
    std::unique_ptr<FILE, int (*)(FILE*)> in(std::fopen(resource.file.string().c_str(), "rb"), &std::fclose);
    if (!in) throw BuildRefused(resource.file.string() + ": cannot read the file");
    core::PayloadIndexEntry entry = core::IndexEntryFor(resource.name, resource.type, "");
    std::string piece(1 << 20, '\0');
    std::uint32_t crc = 0;
    for (size_t got; (got = std::fread(piece.data(), 1, piece.size(), in.get())) > 0;) {
        crc = core::Crc32Continued(crc, std::string_view(piece.data(), got));
        entry.size += got;
    }
    if (std::ferror(in.get())) throw BuildRefused(resource.file.string() + ": cannot read the file");
    entry.crc = crc;
    return entry;
}

// The first bytes of a file, as many as a pack header holds.
std::string FileStart(const std::filesystem::path& path) {
    std::unique_ptr<FILE, int (*)(FILE*)> in(std::fopen(path.string().c_str(), "rb"), &std::fclose);
    if (!in) throw BuildRefused(path.string() + ": cannot read the file");
    std::string start(core::kPackHeaderSize, '\0');
    start.resize(std::fread(start.data(), 1, start.size(), in.get()));
    return start;
}

void BuildImage(const std::string& stubPath, const std::string& stubResPath, const std::string& payloadDir,
                std::uint32_t pause, bool compress, const std::string& outPath) {
    // SETUP_BUILDER_UNCHECKED=1 lets a faulty manifest through, for tests of the installer only.
    const char* unchecked = std::getenv("SETUP_BUILDER_UNCHECKED");
    const bool strict = !(unchecked && std::string(unchecked) == "1");
    const std::vector<builder::PayloadResource> payload = builder::PlanPayload(payloadDir, strict);

    const builder::StubImage stub(builder::ReadWholeFile(stubPath));
    const std::string stubRes = builder::ReadWholeFile(stubResPath);
    std::string pauseBytes;
    builder::Put32(pauseBytes, pause);

    std::vector<ImageResource> resources;
    for (const builder::ResRecord& record : builder::ReadResFile(stubRes))
        resources.push_back(
            {{record.type, record.name, record.language, static_cast<std::uint32_t>(record.data.size())},
             record.data,
             {}});
    // A resource is the file's own bytes, copied while the image is written, unless it is packed:
    // compressed, or behind a header because its own bytes would read as one.
    std::vector<std::string> packed(payload.size());
    std::uint64_t imageSize = std::uint64_t{stub.ResourceRva()} + stubRes.size();
    for (size_t i = 0; i < payload.size(); ++i) {
        std::uint64_t size = std::filesystem::file_size(payload[i].file);
        if (compress || core::NeedsStoredHeader(FileStart(payload[i].file))) {
            packed[i] = core::PackResource(builder::ReadWholeFile(payload[i].file.string()), compress);
            size = packed[i].size();
        }
        imageSize += builder::AlignUp(size, 8) + 64; // data and entries
    }
    // The image must load: its size in memory is refused before any field could overflow.
    if (imageSize > stub.LargestImage())
        throw BuildRefused(payloadDir + ": the setup would take " + std::to_string(imageSize) +
                           " bytes in memory, more than the " + std::to_string(stub.LargestImage()) +
                           " bytes (" + (stub.IsPe32Plus() ? "2 GiB" : "1 GiB") + ") that a " +
                           (stub.IsPe32Plus() ? "64" : "32") + "-bit setup can be relied on to load");
    // The index of every payload resource as it lies in the image, which the setup checks them against.
    std::vector<core::PayloadIndexEntry> index;
    for (size_t i = 0; i < payload.size(); ++i)
        index.push_back(compress || !packed[i].empty()
                            ? core::IndexEntryFor(payload[i].name, payload[i].type, packed[i])
                            : PlainEntry(payload[i]));
    const std::string indexText = core::EncodePayloadIndex(index);
    imageSize += builder::AlignUp(indexText.size(), 8) + 64;
    for (size_t i = 0; i < payload.size(); ++i) {
        const builder::PayloadResource& resource = payload[i];
        const bool isPacked = compress || !packed[i].empty();
        const auto size = isPacked ? packed[i].size() : std::filesystem::file_size(resource.file);
        resources.push_back({{builder::NameId(resource.type), builder::NameId(resource.name),
                              builder::kLangNeutral, static_cast<std::uint32_t>(size)},
                             isPacked ? std::string_view(packed[i]) : std::string_view(),
                             isPacked ? std::filesystem::path() : resource.file});
    }
    resources.push_back({{builder::NameId(core::kPayloadIndexType), builder::NameId(core::kPayloadIndexName),
                          builder::kLangNeutral, static_cast<std::uint32_t>(indexText.size())},
                         indexText,
                         {}});
    resources.push_back({{builder::kRtRcData, builder::NameId(kPauseResourceName), builder::kLangNeutral, 4},
                         pauseBytes,
                         {}});

    std::vector<builder::SectionEntry> entries;
    for (const ImageResource& resource : resources)
        entries.push_back(resource.entry);
    const builder::ResourceSection section = builder::LayOutResourceSection(entries, stub.ResourceRva());

    ImageWriter out(outPath);
    const std::uint64_t start = stub.ResourceFileOffset();
    out.Write(stub.HeadWithResources(section.size));
    out.Write(section.directory);
    for (size_t i = 0; i < resources.size(); ++i) {
        out.PadTo(start + section.dataOffsets[i]);
        if (resources[i].file.empty())
            out.Write(resources[i].bytes);
        else
            out.CopyFile(resources[i].file, resources[i].entry.size);
    }
    out.PadTo(builder::AlignUp(out.Written(), stub.FileAlignment()));
    out.Close(stub.ChecksumOffset());
}

} // namespace

int main(int argc, char** argv) {
    const bool compress = argc > 1 && std::string(argv[1]) == "--compress";
    if (compress) {
        --argc;
        ++argv;
    }
    if (argc != 6) {
        std::cerr << "usage: setup-builder [--compress] STUB_EXE STUB_RES PAYLOAD_DIR PAUSE_MS OUT_EXE\n";
        return 2;
    }
    // Written beside the output and renamed into place, so that a failed build leaves no
    // half-written executable and keeps an earlier one.
    const std::string outPath = argv[5];
    const std::string partPath = outPath + ".part";
    try {
        BuildImage(argv[1], argv[2], argv[3], ParsePause(argv[4]), compress, partPath);
        if (std::rename(partPath.c_str(), outPath.c_str()) != 0)
            throw BuildRefused(outPath + ": cannot write");
        return 0;
    } catch (const std::exception& e) {
        std::remove(partPath.c_str());
        std::cerr << "build-setup: " << e.what() << "\n";
        return 1;
    }
}
