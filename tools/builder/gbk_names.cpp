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
    std::string out(in.size() * 3 + 4, '\0');
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
