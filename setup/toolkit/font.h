#pragma once
#include "system/unique_handle.h"

#include <string>

namespace ui {

struct FontSpec {
    std::string face; // GBK
    int height = 12;  // character height in pixels
    bool bold = false;
    bool italic = false;
    BYTE charset = DEFAULT_CHARSET;
};

sys::UniqueGdiObject CreateFontFrom(const FontSpec& font);

} // namespace ui
