// The one boundary between the program's texts and the system's. Inside the
// program every text is Windows-1251; Windows itself speaks UTF-16, and its
// "A" functions would read the bytes in whatever code page the system has.
// So every layer that meets the system converts here, by the program's own
// table of code page 1251 (text/Windows1251.h), and calls the "W"
// functions: the texts read right under any system code page. Nothing above the widget layer sees a
// wide string.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace win {

// The code page of every text inside the program.
inline constexpr UINT kTextCodePage = 1251;

// Windows-1251 to UTF-16: one unit per byte.
std::wstring Widen(std::string_view text);

// UTF-16 to Windows-1251, one byte per character. A decimal digit of any
// script (full-width, Arabic-Indic, Devanagari, ...) becomes its ASCII
// digit. Any other character that Windows-1251 does not have becomes '?',
// never a look-alike: best-fit mapping would read a superscript two as the
// digit 2, and a number rule would then accept it.
std::string Narrow(std::wstring_view text);

}  // namespace win
