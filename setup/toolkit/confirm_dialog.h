#pragma once
// The toolkit's confirmation question: a dialog titled "Confirm" with the question icon and the
// buttons "&Yes" and "&No"; Escape and the close button answer No.
#include <windows.h>

#include <string>

namespace ui {

// True when the user answers Yes.
bool Confirm(HWND owner, const std::string& question);

} // namespace ui
