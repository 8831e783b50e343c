// The executable the builder writes: the program's .res records read back, the resource section the
// loader searches, the image headers and the checksum.
#include "builder/build_refused.h"
#include "builder/pe_image.h"
#include "builder/res_file.h"
#include "builder/resource_section.h"

#include <gtest/gtest.h>

#include <optional>

using builder::ResId;

namespace {

std::uint32_t Get(std::string_view bytes, size_t at, int width = 4) {
    std::uint32_t v = 0;
    for (int i = width - 1; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(bytes.at(at + i));
    return v;
}

void Put(std::string& bytes, size_t at, std::uint32_t v, int width = 4) {
    for (int i = 0; i < width; ++i)
        bytes.at(at + i) = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// Looks an id up in one directory the way the loader does: a binary search among the string ids,
// which it compares by code unit against the upper-cased name asked for, or among the ordinals.
std::optional<std::uint32_t> Search(std::string_view section, std::uint32_t dir, const ResId& id) {
    const std::uint32_t named = Get(section, dir + 12, 2), ordinals = Get(section, dir + 14, 2);
    int low = std::holds_alternative<std::u16string>(id) ? 0 : int(named);
    int high = std::holds_alternative<std::u16string>(id) ? int(named) - 1 : int(named + ordinals) - 1;
    while (low <= high) {
        const int mid = (low + high) / 2;
        const std::uint32_t entry = dir + 16 + 8 * mid;
        int order;
        if (const auto* text = std::get_if<std::u16string>(&id)) {
            const std::uint32_t at = Get(section, entry) & 0x7FFFFFFF;
            std::u16string stored;
            for (std::uint32_t i = 0; i < Get(section, at, 2); ++i)
                stored += static_cast<char16_t>(Get(section, at + 2 + 2 * i, 2));
            order = text->compare(stored);
        } else {
            order = int(std::get<std::uint16_t>(id)) - int(Get(section, entry));
        }
        if (order == 0) return Get(section, entry + 4);
        (order < 0 ? high : low) = order < 0 ? mid - 1 : mid + 1;
    }
    return std::nullopt;
}

// The data RVA and size of (type, name) in language 0, as FindResource and LoadResource see it.
std::optional<std::pair<std::uint32_t, std::uint32_t>> Find(std::string_view section, const ResId& type,
                                                            const ResId& name) {
    const auto types = Search(section, 0, type);
    if (!types || !(*types & 0x80000000)) return std::nullopt;
    const auto names = Search(section, *types & 0x7FFFFFFF, name);
    if (!names || !(*names & 0x80000000)) return std::nullopt;
    const auto leaf = Search(section, *names & 0x7FFFFFFF, std::uint16_t{0});
    if (!leaf || (*leaf & 0x80000000)) return std::nullopt;
    return std::make_pair(Get(section, *leaf), Get(section, *leaf + 4));
}

ResId Id(const char* ascii) {
    return builder::NameId(ascii);
}

} // namespace

TEST(ResourceSection, EveryEntryIsFoundWhereItsDataLies) {
    const std::uint32_t rva = 0x67000;
    const std::vector<builder::SectionEntry> entries = {
        {std::uint16_t{24}, std::uint16_t{1}, 0, 700}, // manifest
        {std::uint16_t{2}, Id("IMAGTOP"), 0, 5},       // bitmaps, by name
        {std::uint16_t{2}, Id("IMAGLEFT"), 0, 3},
        {Id("TXTNAME"), Id("FILETXT5"), 0, 0}, // payload, strings of both kinds
        {Id("exename"), Id("FileExe"), 0, 9},  // stored upper-cased
        {Id("TXTNAME"), Id("DBNAME1"), 0, 1},
        {Id("TXTNAME"), Id("DB_NAME"), 0, 2}, // '_' sorts after the letters
        {Id("TXTNAME"), Id("DB"), 0, 4},      // a prefix of the others
        {std::uint16_t{10}, Id("SETUP_PAUSE_MS"), 0, 4},
        {std::uint16_t{2}, std::uint16_t{7}, 0, 11}, // an ordinal beside string names
    };
    const builder::ResourceSection section = builder::LayOutResourceSection(entries, rva);
    ASSERT_EQ(section.dataOffsets.size(), entries.size());

    std::string image = section.directory;
    image.resize(section.size, '\0');
    std::uint32_t previousEnd = static_cast<std::uint32_t>(section.directory.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(section.dataOffsets[i] % 8, 0u);
        EXPECT_GE(section.dataOffsets[i], previousEnd); // in the order given, never overlapping
        previousEnd = section.dataOffsets[i] + entries[i].size;
        ResId type = entries[i].type, name = entries[i].name;
        for (ResId* id : {&type, &name})
            if (auto* text = std::get_if<std::u16string>(id))
                for (char16_t& c : *text)
                    c = static_cast<char16_t>(c >= u'a' && c <= u'z' ? c - 32 : c);
        const auto found = Find(image, type, name);
        ASSERT_TRUE(found.has_value());
        EXPECT_EQ(found->first, rva + section.dataOffsets[i]);
        EXPECT_EQ(found->second, entries[i].size);
    }
    EXPECT_EQ(section.size, previousEnd);
    EXPECT_FALSE(Find(image, Id("TXTNAME"), Id("DBNAME2")).has_value());
    EXPECT_FALSE(Find(image, std::uint16_t{3}, std::uint16_t{1}).has_value());
}

TEST(ResourceSection, RefusesAResourceGivenTwice) {
    // Names differing only in case are one resource to the loader.
    EXPECT_THROW(builder::LayOutResourceSection(
                     {{Id("TXTNAME"), Id("FileTxt4"), 0, 1}, {Id("txtname"), Id("FILETXT4"), 0, 2}}, 0x1000),
                 builder::BuildRefused);
}

TEST(ResFile, ReadsRecordsAfterTheOpeningOne) {
    std::string res(32, '\0'); // the empty record that opens every .res file
    Put(res, 4, 32);
    Put(res, 8, 0xFFFF, 2);
    Put(res, 12, 0xFFFF, 2);
    // Type "BM" and name ordinal 2: 8 + 6 + 4 bytes of ids, padded to 20, then 16 more.
    std::string named(36, '\0');
    Put(named, 0, 3);
    Put(named, 4, 36);
    Put(named, 8, 'B', 2), Put(named, 10, 'M', 2);
    Put(named, 14, 0xFFFF, 2), Put(named, 16, 2, 2);
    Put(named, 26, 0x0804, 2); // language
    res += named + std::string("abc\0", 4);
    std::string ordinal(32, '\0');
    Put(ordinal, 0, 4);
    Put(ordinal, 4, 32);
    Put(ordinal, 8, 0xFFFF, 2), Put(ordinal, 10, 24, 2);
    Put(ordinal, 12, 0xFFFF, 2), Put(ordinal, 14, 1, 2);
    res += ordinal + "wxyz";

    const std::vector<builder::ResRecord> records = builder::ReadResFile(res);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].type, ResId(std::u16string(u"BM")));
    EXPECT_EQ(records[0].name, ResId(std::uint16_t{2}));
    EXPECT_EQ(records[0].language, 0x0804);
    EXPECT_EQ(records[0].data, "abc");
    EXPECT_EQ(records[1].type, ResId(std::uint16_t{24}));
    EXPECT_EQ(records[1].data, "wxyz");

    EXPECT_THROW(builder::ReadResFile(std::string_view(res).substr(0, res.size() - 2)),
                 builder::BuildRefused);
}

namespace {

// The two image formats the builder extends: the 32-bit setup and its 64-bit build.
struct ImageFormat {
    const char* name;
    std::uint32_t magic, optionalSize, directories;
};
constexpr ImageFormat kPe32{"PE32", 0x10B, 224, 96}, kPe32Plus{"PE32+", 0x20B, 240, 112};
constexpr size_t kOptional = 0x98;

// An image: headers in the first 0x200 bytes, one section of 0x200 bytes at RVA 0x1000.
std::string SmallImage(const ImageFormat& format = kPe32) {
    std::string image(0x400, '\0');
    Put(image, 0, 0x5A4D, 2);
    Put(image, 0x3C, 0x80);
    Put(image, 0x80, 0x4550);
    Put(image, 0x84, format.magic == 0x10B ? 0x14C : 0x8664, 2); // i386 or x86-64
    Put(image, 0x86, 1, 2);                                      // sections
    Put(image, 0x94, format.optionalSize, 2);
    const size_t opt = kOptional;
    Put(image, opt, format.magic, 2);
    Put(image, opt + 8, 0x200); // initialized data
    Put(image, opt + 32, 0x1000);
    Put(image, opt + 36, 0x200);
    Put(image, opt + 56, 0x2000); // size of image
    Put(image, opt + 60, 0x200);  // size of headers
    Put(image, opt + 64, 0x1234); // checksum
    Put(image, opt + format.directories - 4, 16);
    const size_t section = opt + format.optionalSize;
    image.replace(section, 5, ".text");
    Put(image, section + 8, 0x180);
    Put(image, section + 12, 0x1000);
    Put(image, section + 16, 0x200);
    Put(image, section + 20, 0x200);
    return image;
}

} // namespace

TEST(StubImage, AddsAPageAlignedResourceSection) {
    for (const ImageFormat& format : {kPe32, kPe32Plus}) {
        SCOPED_TRACE(format.name);
        const builder::StubImage stub(SmallImage(format));
        EXPECT_EQ(stub.ResourceRva(), 0x2000u);
        EXPECT_EQ(stub.ResourceFileOffset(), 0x1000u); // a page boundary, not merely the file alignment
        const std::string head = stub.HeadWithResources(0x2345);
        ASSERT_EQ(head.size(), 0x1000u);
        const size_t opt = kOptional, added = opt + format.optionalSize + 40;
        EXPECT_EQ(Get(head, 0x86, 2), 2u);
        EXPECT_EQ(head.substr(added, 8), std::string(".rsrc\0\0\0", 8));
        EXPECT_EQ(Get(head, added + 8), 0x2345u);  // virtual size
        EXPECT_EQ(Get(head, added + 12), 0x2000u); // RVA
        EXPECT_EQ(Get(head, added + 16), 0x2400u); // raw size, whole file-alignment units
        EXPECT_EQ(Get(head, added + 20), 0x1000u); // file offset
        EXPECT_EQ(Get(head, opt + 8), 0x2600u);    // initialized data grows by the raw size
        EXPECT_EQ(Get(head, opt + 56), 0x5000u);   // size of image covers the new section
        EXPECT_EQ(Get(head, opt + 64), 0u);        // checksum left for the writer
        EXPECT_EQ(Get(head, opt + format.directories + 16), 0x2000u);
        EXPECT_EQ(Get(head, opt + format.directories + 20), 0x2345u);
        // Nothing else in the headers moved: in particular not where the other format keeps its
        // resource directory.
        const size_t elsewhere = opt + (format.magic == 0x10B ? kPe32Plus : kPe32).directories + 16;
        EXPECT_EQ(Get(head, elsewhere), 0u);
        EXPECT_EQ(head.substr(0x200, 0x200), SmallImage(format).substr(0x200, 0x200)); // code untouched
    }
}

TEST(StubImage, RefusesImagesItCannotExtend) {
    struct Case {
        const char* what;
        void (*spoil)(std::string&);
    };
    const Case cases[] = {
        {"not an image", [](std::string& i) { Put(i, 0, 0, 2); }},
        {"a ROM image", [](std::string& i) { Put(i, 0x98, 0x107, 2); }},
        {"has resources", [](std::string& i) { Put(i, 0x98 + 96 + 16, 0x3000); }},
        {"no room for a header", [](std::string& i) { Put(i, 0x98 + 60, 0x1A0); }},
        {"data after the last section", [](std::string& i) { i += "overlay"; }},
        {"headers cut short", [](std::string& i) { i.resize(0x100); }},
    };
    for (const Case& c : cases) {
        std::string image = SmallImage();
        c.spoil(image);
        EXPECT_THROW(builder::StubImage{image}, builder::BuildRefused) << c.what;
    }
}

TEST(PeChecksum, SumsWordsWithCarriesAndAddsTheLength) {
    struct Case {
        std::vector<std::string> pieces;
        std::uint32_t checksum;
    };
    const Case cases[] = {
        {{std::string("\x01\x00\x02\x00", 4)}, 1 + 2 + 4},
        {{std::string("\xff\xff\x02\x00", 4)}, 2 + 4}, // 0xFFFF + 2 folds its carry back in
        {{std::string("\x01", 1), std::string("\x00\x02", 2), std::string("\x00", 1)}, 1 + 2 + 4},
        {{std::string("\x05", 1)}, 5 + 1}, // an odd last byte counts as a low byte
    };
    for (const Case& c : cases) {
        builder::PeChecksum sum;
        for (const std::string& piece : c.pieces)
            sum.Add(piece);
        EXPECT_EQ(sum.Finish(), c.checksum);
    }
}
