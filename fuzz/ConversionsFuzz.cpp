// Fuzz target for the text conversions: none may crash, every accepted text
// gives a finite value, and the only failures are the two the rules name.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/Exception.h"
#include "calc/NumberText.h"
#include "FuzzTarget.h"

ZEMKO_FUZZ_TARGET(ConversionsFuzz) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    const double value = calc::TextToNumber(text);
    ZEMKO_FUZZ_CHECK(std::isfinite(value) && value >= 0);
    calc::ResultText(value < 9e18 ? value : 0.0);
  } catch (const base::Exception& e) {
    ZEMKO_FUZZ_CHECK(e.Kind() == base::ErrorKind::ConvertError ||
                     e.Kind() == base::ErrorKind::FloatOverflow);
  }
  const std::int32_t integer = calc::TextToInteger(text);
  ZEMKO_FUZZ_CHECK(calc::TextToInteger(calc::IntegerToText(integer)) == integer);
  return 0;
}
