// The builder's resource section on arbitrary sets of resources: the section it lays out, joined to
// an image as the builder joins it, reads back through the loader's lookup to the same bytes for
// every resource.
#include "builder/build_refused.h"
#include "builder/bytes.h"
#include "builder/image_reader.h"
#include "builder/pe_image.h"
#include "builder/resource_section.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// A PE32 image: headers in the first 0x200 bytes, one section of 0x200 bytes at RVA 0x1000.
std::string SmallImage() {
    std::string image(0x400, '\0');
    const auto put = [&](size_t at, std::uint32_t v, int width) { builder::Store(image, at, v, width); };
    put(0, 0x5A4D, 2);
    put(0x3C, 0x80, 4);
    put(0x80, 0x4550, 4);
    put(0x84, 0x14C, 2);
    put(0x86, 1, 2);
    put(0x94, 224, 2);
    put(0x98, 0x10B, 2);
    put(0x98 + 32, 0x1000, 4);
    put(0x98 + 36, 0x200, 4);
    put(0x98 + 56, 0x2000, 4);
    put(0x98 + 60, 0x200, 4);
    put(0x98 + 92, 16, 4);
    const size_t section = 0x98 + 224;
    image.replace(section, 5, ".text");
    put(section + 8, 0x180, 4);
    put(section + 12, 0x1000, 4);
    put(section + 16, 0x200, 4);
    put(section + 20, 0x200, 4);
    return image;
}

// An id from the input: an ordinal, or a name of the characters manifests allow.
builder::ResId TakeId(const std::uint8_t*& at, const std::uint8_t* end) {
    if (at == end) return std::uint16_t{1};
    const std::uint8_t head = *at++;
    if (head & 1) return static_cast<std::uint16_t>(head >> 1);
    std::u16string name;
    for (size_t n = (head >> 1) % 12 + 1; n > 0 && at != end; --n)
        name += static_cast<char16_t>("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_"[*at++ % 37]);
    return name.empty() ? builder::ResId(std::u16string(u"X")) : builder::ResId(name);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::uint8_t* at = data;
    const std::uint8_t* end = data + size;
    std::vector<builder::SectionEntry> entries;
    std::vector<std::string> contents;
    while (at != end && entries.size() < 64) {
        builder::SectionEntry entry;
        entry.type = TakeId(at, end);
        entry.name = TakeId(at, end);
        const size_t length = at == end ? 0 : *at++ % 40;
        std::string bytes;
        for (size_t i = 0; i < length; ++i)
            bytes += static_cast<char>(entries.size() * 31 + i);
        entry.size = static_cast<std::uint32_t>(bytes.size());
        entries.push_back(entry);
        contents.push_back(bytes);
    }
    const builder::StubImage stub(SmallImage());
    builder::ResourceSection section;
    try {
        section = builder::LayOutResourceSection(entries, stub.ResourceRva());
    } catch (const builder::BuildRefused&) {
        return 0; // a resource given twice
    }
    std::string image = stub.HeadWithResources(section.size) + section.directory;
    for (size_t i = 0; i < entries.size(); ++i) {
        image.resize(stub.ResourceFileOffset() + section.dataOffsets[i], '\0');
        image += contents[i];
    }
    image.resize(stub.ResourceFileOffset() + builder::AlignUp(section.size, stub.FileAlignment()), '\0');
    const builder::ImageReader reader(image);
    for (size_t i = 0; i < entries.size(); ++i) {
        const auto found = reader.Resource(entries[i].type, entries[i].name);
        if (!found || *found != contents[i]) std::abort();
    }
    return 0;
}
