// Decimal digits of every script. Input methods and keyboards of other
// languages type digits that are not ASCII (full-width, Arabic-Indic,
// Persian, Devanagari, ...); the number rules read ASCII digits only, so
// such a digit is folded to its ASCII one before the rules see the text.
#pragma once

#include <string>
#include <string_view>

namespace text {

// 0 to 9 for a character that is a decimal digit of any script (Unicode's
// category Nd), -1 for every other one: superscripts, subscripts, circled
// and other numbers are no decimal digits.
int DecimalDigitValue(char32_t character);

// The UTF-16 text with every decimal digit replaced by its ASCII digit; a
// digit beyond the first plane (a surrogate pair) becomes one ASCII digit.
// Everything else, lone surrogates included, stays as it is.
template <typename Unit>
std::basic_string<Unit> FoldDecimalDigits(std::basic_string_view<Unit> text) {
  static_assert(sizeof(Unit) == 2, "UTF-16 units");
  constexpr char32_t kHighFirst = 0xD800, kHighLast = 0xDBFF;
  constexpr char32_t kLowFirst = 0xDC00, kLowLast = 0xDFFF;
  constexpr char32_t kPlaneOffset = 0x10000;
  constexpr int kSurrogateBits = 10;
  std::basic_string<Unit> folded;
  folded.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t character = static_cast<char16_t>(text[i]);
    std::size_t units = 1;
    if (character >= kHighFirst && character <= kHighLast && i + 1 < text.size()) {
      const char32_t low = static_cast<char16_t>(text[i + 1]);
      if (low >= kLowFirst && low <= kLowLast) {
        character = kPlaneOffset + ((character - kHighFirst) << kSurrogateBits) + (low - kLowFirst);
        units = 2;
      }
    }
    const int digit = DecimalDigitValue(character);
    if (digit >= 0) {
      folded += static_cast<Unit>('0' + digit);
    } else {
      folded.append(text.substr(i, units));
    }
    i += units - 1;
  }
  return folded;
}

}  // namespace text
