#include "gbk_names.h"

#include "core/gbk.h"

#include <iconv.h>

#include <cstdio>
#include <memory>

namespace builder {

std::optional<std::string> GbkToUtf8(std::string_view gbk) {
    if (!core::IsValidGbk(gbk)) return std::nullopt;
    iconv_t cd = iconv_open("UTF-8", "GBK");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::unique_ptr<void, int (*)(iconv_t)> guard(cd, iconv_close);
    std::string in(gbk);
    std::string out(in.size() * 3 + 4, '\0');
    char* inPtr = in.data();
    size_t inLeft = in.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
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
