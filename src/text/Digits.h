// Decimal digits of every script, and the characters of UTF-16 text. Input
// methods and keyboards of other languages type digits that are not ASCII
// (full-width, Arabic-Indic, Persian, Devanagari, ...); the number rules read
// ASCII digits only, so such a digit is read as its ASCII one.
#pragma once

#include <string_view>

namespace text {

// 0 to 9 for a character that is a decimal digit of any script (Unicode's
// category Nd), -1 for every other one: superscripts, subscripts, circled
// and other numbers are no decimal digits.
int DecimalDigitValue(char32_t character);

// The character that starts at units[i]: a surrogate pair is one character
// beyond the first plane, and i is left on its second unit; a lone
// surrogate is a character of its own.
template <typename Unit>
char32_t NextCharacter(std::basic_string_view<Unit> units, std::size_t& i) {
  static_assert(sizeof(Unit) == 2, "UTF-16 units");
  constexpr char32_t kHighFirst = 0xD800, kHighLast = 0xDBFF;
  constexpr char32_t kLowFirst = 0xDC00, kLowLast = 0xDFFF;
  constexpr char32_t kPlaneOffset = 0x10000;
  constexpr int kSurrogateBits = 10;
  const char32_t unit = static_cast<char16_t>(units[i]);
  if (unit < kHighFirst || unit > kHighLast || i + 1 >= units.size()) return unit;
  const char32_t low = static_cast<char16_t>(units[i + 1]);
  if (low < kLowFirst || low > kLowLast) return unit;
  ++i;
  return kPlaneOffset + ((unit - kHighFirst) << kSurrogateBits) + (low - kLowFirst);
}

}  // namespace text
