// Prints what a finished setup executable shows the loader, for the tests of the shipped image.
// Usage: inspect-setup headers EXE                 format, machine, subsystem, imports, sections
//        inspect-setup resource EXE TYPE NAME      the resource's bytes (#N for an ordinal)
//        inspect-setup version EXE                 the version resource, one field a line
#include "build_refused.h"
#include "bytes.h"
#include "image_reader.h"
#include "core/packed_resource.h"

#include <cstdio>
#include <iostream>
#include <string>

namespace {

using builder::ImageReader;
using builder::ResId;

// "#24" is an ordinal; anything else a name, upper-cased as the builder stores it.
ResId ParseId(const std::string& text) {
    if (text.size() > 1 && text[0] == '#') return static_cast<std::uint16_t>(std::stoul(text.substr(1)));
    std::u16string name;
    for (char c : text)
        name += static_cast<char16_t>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return name;
}

std::string Utf8(std::u16string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        std::uint32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size())
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | c >> 18);
            out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// One node of the version resource: a key, a value (binary or text) and children.
class VersionNode {
  public:
    VersionNode(std::string_view bytes, size_t at) {
        const auto u16 = [&](size_t p) {
            if (p + 2 > bytes.size()) throw builder::BuildRefused("the version resource is cut short");
            return static_cast<char16_t>(builder::Load(bytes, p, 2));
        };
        length_ = u16(at);
        const size_t valueLength = u16(at + 2), type = u16(at + 4);
        size_t p = at + 6;
        while (char16_t c = u16(p)) {
            key_ += c;
            p += 2;
        }
        p = builder::AlignUp(p + 2 - at, 4) + at;
        const size_t valueBytes = type == 1 ? 2 * valueLength : valueLength;
        if (type == 1)
            for (size_t i = 0; i + 1 < valueLength; ++i)
                text_ += u16(p + 2 * i);
        value_ = bytes.substr(p, valueBytes);
        p = builder::AlignUp(p + valueBytes - at, 4) + at;
        const size_t end = at + length_;
        if (length_ < 6 || end > bytes.size())
            throw builder::BuildRefused("the version resource is cut short");
        while (p + 6 <= end) {
            children_.emplace_back(bytes, p);
            p = builder::AlignUp(p + children_.back().length_ - at, 4) + at;
        }
    }

    // Prints the fixed versions, the string tables and the translations.
    void Print() const {
        if (key_ == u"VS_VERSION_INFO" && value_.size() >= 24 && builder::Load(value_, 0, 4) == 0xFEEF04BD) {
            const auto version = [&](size_t at) {
                const std::uint32_t high = builder::Load(value_, at, 4),
                                    low = builder::Load(value_, at + 4, 4);
                return std::to_string(high >> 16) + "." + std::to_string(high & 0xFFFF) + "." +
                       std::to_string(low >> 16) + "." + std::to_string(low & 0xFFFF);
            };
            std::cout << "fixed FileVersion " << version(8) << "\nfixed ProductVersion " << version(16)
                      << "\n";
        } else if (key_ == u"Translation") {
            for (size_t i = 0; i + 4 <= value_.size(); i += 4) {
                char line[32];
                std::snprintf(line, sizeof line, "translation %04x %u\n", builder::Load(value_, i, 2),
                              builder::Load(value_, i + 2, 2));
                std::cout << line;
            }
        }
        for (const VersionNode& child : children_) {
            if (key_ != u"StringFileInfo") {
                child.Print();
                continue;
            }
            for (const VersionNode& string : child.children_)
                std::cout << "string " << Utf8(child.key_) << " " << Utf8(string.key_) << "="
                          << Utf8(string.text_) << "\n";
        }
    }

  private:
    size_t length_ = 0;
    std::u16string key_, text_;
    std::string_view value_;
    std::vector<VersionNode> children_;
};

int Run(int argc, char** argv) {
    const std::string command = argc > 2 ? argv[1] : "";
    const bool namesResource = command == "resource" || command == "unpacked" || command == "place";
    if (argc < 3 || (namesResource && argc != 5)) {
        std::cerr << "usage: inspect-setup headers|version EXE, or inspect-setup resource|unpacked|place EXE "
                     "TYPE NAME\n";
        return 2;
    }
    const ImageReader image(builder::ReadWholeFile(argv[2], "the image"));
    if (command == "headers") {
        char line[160];
        std::cout << "format " << (image.IsPe32Plus() ? "PE32+" : "PE32") << "\n";
        std::snprintf(
            line, sizeof line, "machine 0x%x\nsubsystem %u\ncharacteristics 0x%x\ndllcharacteristics 0x%x\n",
            image.Machine(), image.Subsystem(), image.Characteristics(), image.DllCharacteristics());
        std::cout << line;
        for (const std::string& dll : image.ImportedDlls())
            std::cout << "import " << dll << "\n";
        for (const builder::ImageSection& s : image.Sections()) {
            std::snprintf(line, sizeof line, "section %s rva=0x%x size=0x%x offset=0x%x raw=0x%x\n",
                          s.name.c_str(), s.rva, s.virtualSize, s.fileOffset, s.rawSize);
            std::cout << line;
        }
        return 0;
    }
    if (command == "version") {
        const auto bytes = image.Resource(std::uint16_t{16}, std::uint16_t{1});
        if (!bytes) {
            std::cerr << "inspect-setup: no version resource\n";
            return 1;
        }
        VersionNode(*bytes, 0).Print();
        return 0;
    }
    if (namesResource) {
        const auto bytes = image.Resource(ParseId(argv[3]), ParseId(argv[4]));
        if (!bytes) {
            std::cerr << "inspect-setup: no resource " << argv[3] << " " << argv[4] << "\n";
            return 1;
        }
        if (command == "place") { // where the resource lies in the file: offset and size
            std::cout << image.OffsetOf(*bytes) << " " << bytes->size() << "\n";
            return 0;
        }
        // "unpacked": the file it was made from, as the setup unpacks it
        const std::string whole =
            command == "unpacked" ? core::UnpackedResource(*bytes) : std::string(*bytes);
        std::fwrite(whole.data(), 1, whole.size(), stdout);
        return 0;
    }
    std::cerr << "inspect-setup: unknown command " << command << "\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "inspect-setup: " << e.what() << "\n";
        return 1;
    }
}
