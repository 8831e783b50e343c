#include "gbk_names.h"

#include "core/gbk.h"

#include <iconv.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace builder {

namespace {

std::optional<std::string> Convert(const char* to, const char* from, std::string_view text) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::unique_ptr<void, int (*)(iconv_t)> guard(cd, iconv_close);
    std::string in(text);
    std::string out(in.size() * 4 + 4, '\0'); // the most any of the encodings used here takes
    char* inPtr = in.data();
    size_t inLeft = in.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

} // namespace

std::optional<std::string> GbkToUtf8(std::string_view gbk) {
    if (!core::IsValidGbk(gbk)) return std::nullopt;
    return Convert("UTF-8", "GBK", gbk);
}

std::optional<std::u32string> GbkToCodePoints(std::string_view gbk) {
    if (!core::IsValidGbk(gbk)) return std::nullopt;
    const std::optional<std::string> utf32 = Convert("UTF-32LE", "GBK", gbk);
    if (!utf32) return std::nullopt;
    std::u32string points;
    for (size_t i = 0; i + 4 <= utf32->size(); i += 4) {
        char32_t c = 0;
        for (int k = 3; k >= 0; --k)
            c = c << 8 | static_cast<unsigned char>((*utf32)[i + k]);
        points += c;
    }
    return points;
}

std::string Utf8ToGbk(std::string_view utf8) {
    if (auto gbk = Convert("GBK", "UTF-8", utf8)) return *gbk;
    throw std::runtime_error("not representable in GBK: " + std::string(utf8));
}

std::string PayloadFilePath(std::string_view gbkRelPath) {
    std::string path;
    for (const std::string& part : core::SplitAtBackslashes(gbkRelPath)) {
        const std::optional<std::string> utf8 = GbkToUtf8(part);
        if (!utf8) throw std::runtime_error("not valid GBK: " + Printable(part));
        path += (path.empty() ? "" : "/") + *utf8;
    }
    return path;
}

std::string Printable(std::string_view gbk) {
    if (auto utf8 = GbkToUtf8(gbk)) return *utf8;
    std::string out;
    for (unsigned char c : gbk) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

} // namespace builder
