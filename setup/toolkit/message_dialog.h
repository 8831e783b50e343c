#pragma once
// The toolkit's own message dialogs (class #32770, standard controls): the confirmation question
// titled "Confirm" with the question icon and the buttons "&Yes" and "&No", where Escape and the
// close button answer No; and the warning titled "Warning" with one "OK" button.
#include <windows.h>

#include <string>

namespace ui {

// True when the user answers Yes.
bool Confirm(HWND owner, const std::string& question);
void Warn(HWND owner, const std::string& text);

} // namespace ui
