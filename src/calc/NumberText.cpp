#include "calc/NumberText.h"

#include "calc/Extended.h"
#include "base/Exception.h"

namespace calc {

namespace {

using base::ErrorKind;
using base::Exception;

constexpr char kPoint = '.';
constexpr char kComma = ',';
constexpr int kZeroCode = '0';
// 0.1 rounded to a 64-bit significand: slightly above one tenth.
constexpr long double kOneTenth = 0.1L;
constexpr double kPayoutLimit = 9223372036854775808.0;  // 2^63

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

double TextToNumber(std::string_view text) {
  if (text.empty()) throw Exception(ErrorKind::ConvertError);
  int separators = 0;
  for (char c : text) {
    if (c == kComma || c == kPoint) {
      ++separators;
    } else if (!IsDigit(c)) {
      throw Exception(ErrorKind::ConvertError);
    }
  }
  if (separators > 1) throw Exception(ErrorKind::ConvertError);

  double value = 0.0;
  double scale = 1.0;
  bool fraction = false;
  for (char c : text) {
    if (!IsDigit(c)) {
      fraction = true;
      continue;
    }
    const int code = static_cast<unsigned char>(c);
    if (!fraction) {
      value = Store(static_cast<long double>(value) * 10 + code - kZeroCode);
    } else {
      scale = Store(kOneTenth * scale);
      value = Store(static_cast<long double>(code - kZeroCode) * scale + value);
    }
  }
  return value;
}

std::int32_t TextToInteger(std::string_view text) {
  std::size_t pos = 0;
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    pos = 1;
  }
  // The magnitude stops growing at 2^31, so the loop stays linear and exact.
  constexpr std::int64_t kCap = std::int64_t{1} << 31;
  std::int64_t magnitude = 0;
  for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
    magnitude = magnitude * 10 + (text[pos] - kZeroCode);
    if (magnitude > kCap) magnitude = kCap;
  }
  if (negative) return static_cast<std::int32_t>(-magnitude);
  return static_cast<std::int32_t>(std::min(magnitude, kCap - 1));
}

std::string IntegerToText(std::int64_t value) {
  // Unsigned magnitude, so the smallest value has its digits too.
  std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value)
                                      : static_cast<std::uint64_t>(value);
  char digits[24];
  char* end = digits + sizeof digits;
  char* p = end;
  do {
    *--p = static_cast<char>(kZeroCode + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) *--p = '-';
  return std::string(p, end);
}

std::string ResultText(double payout) {
  if (payout < 0) {
    std::string text = ResultText(-payout);
    text.insert(text.begin(), '-');
    return text;
  }
  if (!(payout < kPayoutLimit)) throw Exception(ErrorKind::PayoutTooLarge);

  std::int64_t whole = static_cast<std::int64_t>(payout);   // toward zero
  const double part = payout - static_cast<double>(whole);  // exact
  const long double scaled = static_cast<long double>(part) * 100;
  // Nearest integer, ties to even.
  std::int64_t hundredths = static_cast<std::int64_t>(scaled);
  const long double rest = scaled - hundredths;
  if (rest > 0.5L || (rest == 0.5L && hundredths % 2 != 0)) ++hundredths;
  if (hundredths == 100) {
    ++whole;
    hundredths = 0;
  }
  std::string text = IntegerToText(whole);
  text += kComma;
  text += static_cast<char>(kZeroCode + hundredths / 10);
  text += static_cast<char>(kZeroCode + hundredths % 10);
  return text;
}

}  // namespace calc
