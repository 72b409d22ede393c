// Fuzz target for the conversion between Windows-1251 and UTF-16: the input
// read as UTF-16 units (lone surrogates and every script's digits among
// them) narrows to one byte a character, a digit to its ASCII digit, and
// every Windows-1251 text comes back from UTF-16 as it went.
#include <string>
#include <string_view>

#include "FuzzTarget.h"
#include "text/Windows1251.h"

ZEMKO_FUZZ_TARGET(Windows1251Fuzz) {
  std::u16string units(size / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i)
    units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
  const std::u16string_view view(units);
  const std::string narrow = text::NarrowWindows1251(view);
  std::size_t characters = 0;
  for (std::size_t i = 0; i < view.size(); ++i, ++characters) {
    const char32_t character = text::NextCharacter(view, i);
    const int digit = text::DecimalDigitValue(character);
    ZEMKO_FUZZ_CHECK(characters < narrow.size());
    const char byte = narrow[characters];
    if (digit >= 0) {
      ZEMKO_FUZZ_CHECK(byte == '0' + digit);
    } else if (byte != '?') {
      // Anything but '?' is the character itself.
      ZEMKO_FUZZ_CHECK(text::FromWindows1251(static_cast<unsigned char>(byte)) == character);
    }
  }
  ZEMKO_FUZZ_CHECK(characters == narrow.size());

  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::u16string wide = text::WidenWindows1251<char16_t>(bytes);
  ZEMKO_FUZZ_CHECK(wide.size() == bytes.size());
  ZEMKO_FUZZ_CHECK(text::NarrowWindows1251(std::u16string_view(wide)) == bytes);
  return 0;
}
