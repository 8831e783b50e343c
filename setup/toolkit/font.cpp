#include "font.h"

#include "wide.h"

namespace ui {

UniqueGdiObject CreateFontFrom(const FontSpec& font) {
    return UniqueGdiObject(CreateFontW(-font.height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic,
                                       FALSE, FALSE, font.charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                       DEFAULT_QUALITY, DEFAULT_PITCH, Wide(font.face).c_str()));
}

} // namespace ui
