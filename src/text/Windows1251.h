// Windows-1251, the code page of every text inside the program, beside
// UTF-16, the system's: one table, both ways. The system's own conversion
// differs at the edges from one Windows to the next and under Wine (a
// character beyond the first plane reads as one '?' or as two); this one is
// the same everywhere, and portable, so the host tests and fuzzes it.
#pragma once

#include <string>
#include <string_view>

#include "text/Digits.h"

namespace text {

// The UTF-16 unit of a Windows-1251 byte. The one byte that code page leaves
// undefined, 0x98, stands for the control character of the same number, so
// that every byte comes back as it went.
char16_t FromWindows1251(unsigned char byte);

// The Windows-1251 byte of a character, or '?' where that code page has
// none: never a look-alike (a best fit would read a superscript two as 2).
char ToWindows1251(char32_t character);

// Windows-1251 to UTF-16: one unit per byte.
template <typename Unit>
std::basic_string<Unit> WidenWindows1251(std::string_view text) {
  static_assert(sizeof(Unit) == 2, "UTF-16 units");
  std::basic_string<Unit> wide(text.size(), Unit{});
  for (std::size_t i = 0; i < text.size(); ++i) {
    wide[i] = static_cast<Unit>(FromWindows1251(static_cast<unsigned char>(text[i])));
  }
  return wide;
}

// UTF-16 to Windows-1251, one byte per character: a decimal digit of any
// script is its ASCII digit, a character that code page lacks is '?' (a
// surrogate pair one '?', a lone surrogate too).
template <typename Unit>
std::string NarrowWindows1251(std::basic_string_view<Unit> text) {
  static_assert(sizeof(Unit) == 2, "UTF-16 units");
  std::string narrow;
  narrow.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t character = NextCharacter(text, i);
    const int digit = DecimalDigitValue(character);
    narrow += digit >= 0 ? static_cast<char>('0' + digit) : ToWindows1251(character);
  }
  return narrow;
}

}  // namespace text
