#pragma once

namespace core {

// The footer's right-hand label keeps its right end this far from the footer's right edge.
constexpr int kFooterRightMargin = 32;

inline int FooterRightLabelLeft(int footerWidth, int labelWidth) {
    return footerWidth - labelWidth - kFooterRightMargin;
}

} // namespace core
