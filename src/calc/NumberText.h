// Conversions between the text of the calculator's boxes and numbers.
// Texts are Windows-1251 bytes; only ASCII digits, signs, comma and point mean
// anything. Every conversion runs in linear time and constant stack.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace calc {

// A plain unsigned decimal number, comma or point as separator, built digit
// by digit in extended precision. Raises ConvertError for anything else and
// FloatOverflow for a whole part beyond the double range.
double TextToNumber(std::string_view text);

// Optional sign, then leading digits; the rest is ignored, no digits give 0.
// Values beyond the signed 32-bit range saturate at its ends.
std::int32_t TextToInteger(std::string_view text);

std::string IntegerToText(std::int64_t value);

// The payout with a decimal comma and two decimals, hundredths rounded half to
// even. Raises PayoutTooLarge from 2^63 on (and for a value that is no number).
std::string ResultText(double payout);

}  // namespace calc
