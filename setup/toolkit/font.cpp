#include "font.h"

#include "system/wide.h"

namespace ui {

sys::UniqueGdiObject CreateFontFrom(const FontSpec& font) {
    return sys::UniqueGdiObject(CreateFontW(-font.height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL,
                                            font.italic, FALSE, FALSE, font.charset, OUT_DEFAULT_PRECIS,
                                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                            sys::Wide(font.face).c_str()));
}

} // namespace ui
