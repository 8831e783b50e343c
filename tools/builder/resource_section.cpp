#include "resource_section.h"

#include "build_refused.h"
#include "bytes.h"

#include <map>

namespace builder {
namespace {

// String ids before ordinals; strings by code unit, ordinals by value.
struct IdOrder {
    bool operator()(const ResId& a, const ResId& b) const {
        if (a.index() != b.index()) return a.index() < b.index();
        return a < b;
    }
};

ResId Stored(const ResId& id) {
    if (const auto* text = std::get_if<std::u16string>(&id)) {
        std::u16string upper = *text;
        for (char16_t& c : upper)
            if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
        return upper;
    }
    return id;
}

std::string Printable(const ResId& id) {
    if (const auto* ordinal = std::get_if<std::uint16_t>(&id)) return "#" + std::to_string(*ordinal);
    std::string text;
    for (char16_t c : std::get<std::u16string>(id))
        text += c < 0x80 ? static_cast<char>(c) : '?';
    return text;
}

void Patch32(std::string& out, size_t at, std::uint32_t v) {
    Store(out, at, v, 4);
}

constexpr std::uint32_t kSubdirectory = 0x80000000;
constexpr std::uint32_t kNamed = 0x80000000;

using Languages = std::map<std::uint16_t, size_t>; // language -> entry index
using Names = std::map<ResId, Languages, IdOrder>;
using Types = std::map<ResId, Names, IdOrder>;

// Writes the directories breadth-first, then the data descriptions, then the strings; entry
// fields that point further on are patched once their targets have offsets.
class DirectoryWriter {
  public:
    DirectoryWriter(const std::vector<SectionEntry>& entries, const Types& types)
        : entries_(entries), types_(types) {}

    std::string Write(std::vector<size_t>& leafOfEntry) {
        std::vector<const Names*> nameDirs;
        std::vector<const Languages*> languageDirs;
        std::vector<size_t> typeSlots, nameSlots, languageSlots;

        Table(types_.size(), types_, typeSlots, [&](const Names& names) { nameDirs.push_back(&names); });
        for (size_t i = 0; i < nameDirs.size(); ++i) {
            Patch32(out_, typeSlots[i], kSubdirectory | Offset());
            Table(nameDirs[i]->size(), *nameDirs[i], nameSlots,
                  [&](const Languages& languages) { languageDirs.push_back(&languages); });
        }
        std::vector<size_t> leaves;
        for (size_t i = 0; i < languageDirs.size(); ++i) {
            Patch32(out_, nameSlots[i], kSubdirectory | Offset());
            Header(0, static_cast<std::uint16_t>(languageDirs[i]->size()));
            for (const auto& [language, index] : *languageDirs[i]) {
                Put32(out_, language);
                languageSlots.push_back(out_.size());
                Put32(out_, 0);
                leaves.push_back(index);
            }
        }
        leafOfEntry.assign(entries_.size(), 0);
        for (size_t i = 0; i < leaves.size(); ++i) {
            Patch32(out_, languageSlots[i], Offset());
            leafOfEntry[leaves[i]] = out_.size();
            out_.append(16, '\0'); // filled in once the data has its place
        }
        for (const auto& [at, text] : pendingStrings_) {
            Patch32(out_, at, kNamed | Offset());
            Put16(out_, static_cast<std::uint16_t>(text.size()));
            for (char16_t c : text)
                Put16(out_, c);
        }
        return std::move(out_);
    }

  private:
    std::uint32_t Offset() const { return static_cast<std::uint32_t>(out_.size()); }

    void Header(std::uint16_t named, std::uint16_t ordinals) {
        Put32(out_, 0); // characteristics
        Put32(out_, 0); // time stamp: none, so that one payload gives one image
        Put32(out_, 0); // version
        Put16(out_, named);
        Put16(out_, ordinals);
    }

    template <typename Map, typename Visit>
    void Table(size_t count, const Map& map, std::vector<size_t>& slots, Visit visit) {
        size_t named = 0;
        for (const auto& item : map)
            named += std::holds_alternative<std::u16string>(item.first);
        Header(static_cast<std::uint16_t>(named), static_cast<std::uint16_t>(count - named));
        for (const auto& [id, child] : map) {
            if (const auto* text = std::get_if<std::u16string>(&id)) {
                pendingStrings_.emplace_back(out_.size(), *text);
                Put32(out_, 0);
            } else {
                Put32(out_, std::get<std::uint16_t>(id));
            }
            slots.push_back(out_.size());
            Put32(out_, 0);
            visit(child);
        }
    }

    const std::vector<SectionEntry>& entries_;
    const Types& types_;
    std::string out_;
    std::vector<std::pair<size_t, std::u16string>> pendingStrings_;
};

} // namespace

ResourceSection LayOutResourceSection(const std::vector<SectionEntry>& entries, std::uint32_t sectionRva) {
    Types types;
    for (size_t i = 0; i < entries.size(); ++i) {
        const SectionEntry& entry = entries[i];
        const auto [place, added] = types[Stored(entry.type)][Stored(entry.name)].emplace(entry.language, i);
        if (!added)
            throw BuildRefused("the resource (" + Printable(entry.name) + ", " + Printable(entry.type) +
                               ") is given twice");
    }
    for (const auto& [type, names] : types)
        if (names.size() > 0xFFFF) throw BuildRefused("too many resources of type " + Printable(type));

    ResourceSection section;
    std::vector<size_t> leafOfEntry;
    section.directory = DirectoryWriter(entries, types).Write(leafOfEntry);
    section.directory.resize(AlignUp(section.directory.size(), 8), '\0');

    std::uint64_t end = section.directory.size();
    for (size_t i = 0; i < entries.size(); ++i) {
        end = AlignUp(end, 8);
        if (end + entries[i].size + sectionRva > 0xFFFFFFFFull)
            throw BuildRefused("the payload does not fit in one executable (4 GB)");
        const auto offset = static_cast<std::uint32_t>(end);
        section.dataOffsets.push_back(offset);
        Patch32(section.directory, leafOfEntry[i], sectionRva + offset);
        Patch32(section.directory, leafOfEntry[i] + 4, entries[i].size);
        end += entries[i].size;
    }
    section.size = static_cast<std::uint32_t>(end);
    return section;
}

} // namespace builder
