#include "payload_index.h"

#include "ascii.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

namespace core {
namespace {

std::string Hex32(std::uint32_t value) {
    std::string text(8, '0');
    for (int i = 7; i >= 0; --i, value >>= 4)
        text[static_cast<size_t>(i)] = "0123456789abcdef"[value & 0xF];
    return text;
}

bool ParseUnsigned(std::string_view text, int base, std::uint64_t limit, std::uint64_t& value) {
    if (text.empty() || text.size() > 20) return false;
    value = 0;
    for (const char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        if (digit < 0 ||
            value > (limit - static_cast<std::uint64_t>(digit)) / static_cast<std::uint64_t>(base))
            return false;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    }
    return true;
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    while (!line.empty()) {
        const size_t end = std::min(line.find(' '), line.size());
        fields.push_back(line.substr(0, end));
        line.remove_prefix(std::min(end + 1, line.size()));
    }
    return fields;
}

[[noreturn]] void Damaged(const std::string& how) {
    throw DamagedResourceError("its index of the payload " + how);
}

} // namespace

std::uint32_t Crc32(std::string_view bytes) {
    return Crc32Continued(0, bytes);
}

std::uint32_t Crc32Continued(std::uint32_t previous, std::string_view bytes) {
    uLong crc = previous;
    while (!bytes.empty()) { // zlib counts in 32 bits
        const size_t piece = std::min<size_t>(bytes.size(), std::numeric_limits<uInt>::max());
        crc = crc32(crc, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(piece));
        bytes.remove_prefix(piece);
    }
    return static_cast<std::uint32_t>(crc);
}

PayloadIndexEntry IndexEntryFor(const std::string& name, const std::string& type, std::string_view stored) {
    return {AsciiUpper(name), AsciiUpper(type), ReadPackHeader(stored).has_value(), stored.size(),
            Crc32(stored)};
}

std::string EncodePayloadIndex(const std::vector<PayloadIndexEntry>& entries) {
    std::string text;
    for (const PayloadIndexEntry& e : entries)
        text += e.name + " " + e.type + " " + (e.packed ? "packed " : "plain ") + std::to_string(e.size) +
                " " + Hex32(e.crc) + "\r\n";
    return text + "END " + Hex32(Crc32(text)) + "\r\n";
}

std::vector<PayloadIndexEntry> ParsePayloadIndex(std::string_view text) {
    const size_t endLine = text.rfind("END ");
    if (endLine == std::string_view::npos || (endLine != 0 && text.substr(endLine - 2, 2) != "\r\n"))
        Damaged("has no end");
    std::uint64_t check = 0;
    if (text.size() != endLine + 14 || text.substr(endLine + 12) != "\r\n" ||
        !ParseUnsigned(text.substr(endLine + 4, 8), 16, 0xFFFFFFFF, check))
        Damaged("has no valid end");
    std::string_view lines = text.substr(0, endLine);
    if (Crc32(lines) != check) Damaged("does not match its check");
    std::vector<PayloadIndexEntry> entries;
    while (!lines.empty()) {
        const size_t end = lines.find("\r\n");
        const std::vector<std::string_view> fields = Fields(lines.substr(0, end));
        lines.remove_prefix(end + 2);
        std::uint64_t size = 0, crc = 0;
        if (fields.size() != 5 || (fields[2] != "packed" && fields[2] != "plain") ||
            !ParseUnsigned(fields[3], 10, std::numeric_limits<std::uint64_t>::max(), size) ||
            fields[4].size() != 8 || !ParseUnsigned(fields[4], 16, 0xFFFFFFFF, crc))
            Damaged("has a line that is not valid");
        entries.push_back({std::string(fields[0]), std::string(fields[1]), fields[2] == "packed", size,
                           static_cast<std::uint32_t>(crc)});
    }
    return entries;
}

void RequireAsRecorded(std::string_view stored, const PayloadIndexEntry& entry) {
    if (stored.size() != entry.size)
        throw DamagedResourceError("it holds " + std::to_string(stored.size()) + " bytes, not " +
                                   std::to_string(entry.size));
    if (Crc32(stored) != entry.crc) throw DamagedResourceError("its bytes do not match their check");
    if (ReadPackHeader(stored).has_value() != entry.packed)
        throw DamagedResourceError(entry.packed ? "its pack header is not valid"
                                                : "it holds a pack header it should not");
}

} // namespace core
