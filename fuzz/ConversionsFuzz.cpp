// Fuzz target for the text conversions: none may crash, every accepted text
// gives a finite value, and the only failures are the two the rules name.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "calc/NumberText.h"
#include "base/Exception.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    const double value = calc::TextToNumber(text);
    if (!std::isfinite(value) || value < 0) std::abort();
    calc::ResultText(value < 9e18 ? value : 0.0);
  } catch (const base::Exception& e) {
    if (e.Kind() != base::ErrorKind::ConvertError && e.Kind() != base::ErrorKind::FloatOverflow)
      std::abort();
  }
  const std::int32_t integer = calc::TextToInteger(text);
  if (calc::TextToInteger(calc::IntegerToText(integer)) != integer) std::abort();
  return 0;
}
