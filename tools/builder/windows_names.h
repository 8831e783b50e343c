#pragma once
// What Windows makes of a manifest's relative path as a file name: names it refuses or turns into
// devices, and which paths name the same file.
#include <string>
#include <string_view>

namespace builder {

// Why a part of the GBK relative path cannot be a file or folder name on Windows: a device name
// (CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM0-COM9, LPT0-LPT9, COM and LPT with a superscript
// digit), with or without an extension or blanks before it; a short (8.3) name form such as
// PROGRA~1, which may alias another file; a part that ends in a dot or a blank (Windows drops
// them, so it names another file); a character of < > " | ? * or a control character. Empty when
// every part can be a name.
std::string WindowsNameProblem(std::string_view gbkRelPath);

// The path as Windows tells files apart: "\" and "/" alike, "." parts and ".." with the part
// before it dropped, letters without case (Latin, Greek, Cyrillic and full-width letters). Two
// paths with the same key are one file. Raises std::runtime_error for a path that is not valid GBK.
std::u32string SameFileKey(std::string_view gbkRelPath);

} // namespace builder
