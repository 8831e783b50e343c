#include "res_file.h"

#include "build_refused.h"
#include "bytes.h"

namespace builder {
namespace {

class RecordReader {
  public:
    explicit RecordReader(std::string_view bytes) : bytes_(bytes) {}

    bool AtEnd() const { return pos_ >= bytes_.size(); }
    size_t Position() const { return pos_; }
    void Seek(size_t pos) {
        if (pos > bytes_.size()) Refuse();
        pos_ = pos;
    }
    std::uint16_t U16() { return static_cast<std::uint16_t>(Field(2)); }
    std::uint32_t U32() { return Field(4); }
    ResId Id() {
        const std::uint16_t first = U16();
        if (first == 0xFFFF) return U16();
        std::u16string name;
        for (std::uint16_t c = first; c != 0; c = U16())
            name += static_cast<char16_t>(c);
        return name;
    }
    std::string_view Take(size_t size) {
        Need(size);
        const std::string_view taken = bytes_.substr(pos_, size);
        pos_ += size;
        return taken;
    }

  private:
    std::uint32_t Field(int width) {
        Need(static_cast<size_t>(width));
        const std::uint32_t v = Load(bytes_, pos_, width);
        pos_ += static_cast<size_t>(width);
        return v;
    }
    void Need(size_t size) const {
        if (size > bytes_.size() - pos_) Refuse();
    }
    [[noreturn]] static void Refuse() {
        throw BuildRefused("the program's resource file is damaged: a record runs past its end");
    }

    std::string_view bytes_;
    size_t pos_ = 0;
};

} // namespace

ResId NameId(std::string_view ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

std::vector<ResRecord> ReadResFile(std::string_view bytes) {
    std::vector<ResRecord> records;
    RecordReader reader(bytes);
    while (!reader.AtEnd()) {
        const size_t start = reader.Position();
        const std::uint32_t dataSize = reader.U32();
        const std::uint32_t headerSize = reader.U32();
        ResRecord record;
        record.type = reader.Id();
        record.name = reader.Id();
        reader.Seek(AlignUp(reader.Position(), 4));
        reader.U32(); // data version
        reader.U16(); // memory flags
        record.language = reader.U16();
        reader.Seek(start + headerSize);
        record.data = reader.Take(dataSize);
        reader.Seek(std::min(AlignUp(reader.Position(), 4), bytes.size()));
        const bool opening = dataSize == 0 && record.type == ResId(std::uint16_t{0});
        if (!opening) records.push_back(record);
    }
    return records;
}

} // namespace builder
