#include "font.h"

#include "wide.h"

namespace ui {

UniqueGdiObject CreateFontFrom(const FontSpec& spec) {
    return UniqueGdiObject(CreateFontW(-spec.height, 0, 0, 0, spec.bold ? FW_BOLD : FW_NORMAL, spec.italic,
                                       FALSE, FALSE, spec.charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                       DEFAULT_QUALITY, DEFAULT_PITCH, Wide(spec.face).c_str()));
}

} // namespace ui
