#include "bytes.h"

#include "build_refused.h"

#include <fstream>
#include <sstream>

namespace builder {

std::string ReadWholeFile(const std::filesystem::path& path, const std::string& what) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw BuildRefused(path.string() + ": cannot read " + what);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void Put16(std::string& out, std::uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}

void Put32(std::string& out, std::uint32_t v) {
    Put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    Put16(out, static_cast<std::uint16_t>(v >> 16));
}

std::uint32_t Load(std::string_view bytes, size_t at, int width) {
    std::uint32_t v = 0;
    for (int i = width - 1; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

void Store(std::string& bytes, size_t at, std::uint32_t v, int width) {
    for (int i = 0; i < width; ++i)
        bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::uint64_t AlignUp(std::uint64_t n, std::uint64_t alignment) {
    return (n + alignment - 1) / alignment * alignment;
}

} // namespace builder
