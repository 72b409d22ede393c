#include "calc/NumberText.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <string>

#include "base/Exception.h"

namespace {

using base::ErrorKind;
using calc::IntegerToText;
using calc::ResultText;
using calc::TextToInteger;
using calc::TextToNumber;

template <typename F>
ErrorKind KindRaisedBy(F&& f) {
  try {
    f();
  } catch (const base::Exception& e) {
    return e.Kind();
  }
  ADD_FAILURE() << "no exception";
  return ErrorKind::ExternalException;
}

TEST(TextToNumber, AcceptsPlainDecimalsWithCommaOrPoint) {
  EXPECT_EQ(TextToNumber("1,85"), TextToNumber("1.85"));
  EXPECT_EQ(TextToNumber("007"), 7.0);
  EXPECT_EQ(TextToNumber("."), 0.0);
  EXPECT_EQ(TextToNumber(","), 0.0);
  EXPECT_EQ(TextToNumber("5."), 5.0);
  EXPECT_EQ(TextToNumber(",5"), 0.5);
  EXPECT_EQ(TextToNumber("300"), 300.0);
  EXPECT_EQ(TextToNumber("2.5"), 2.5);
  // Whole parts above 2^53 round where they are stored: the tie to even.
  EXPECT_EQ(TextToNumber("9007199254740993"), 9007199254740992.0);
  EXPECT_EQ(TextToNumber("36028797018963971"), 36028797018963968.0);
}

TEST(TextToNumber, RejectsAnythingElseWithTheConversionError) {
  for (const char* text : {"", "1,2.3", "1..2", "-2", "+2", " 2", "2 ", "1e5", "1 000", "abc",
                           "\xC0", "2\t", "1,5,"}) {
    try {
      TextToNumber(text);
      ADD_FAILURE() << "accepted '" << text << "'";
    } catch (const base::Exception& e) {
      EXPECT_EQ(e.Kind(), ErrorKind::ConvertError) << text;
      EXPECT_EQ(e.Message(), "Convert string to double error");
    }
  }
}

TEST(TextToNumber, BuildsDigitByDigitNotAsTheNearestDouble) {
  // One unit in the last place above the nearest double, by the definition.
  for (const char* text : {"0.12", "0.30", "0.35"}) {
    const double nearest = std::strtod(text, nullptr);
    EXPECT_EQ(TextToNumber(text), std::nextafter(nearest, 1.0)) << text;
  }
  // Where the digit rule lands on the nearest double, it agrees.
  EXPECT_EQ(TextToNumber("0.5"), 0.5);
  EXPECT_EQ(TextToNumber("1.25"), 1.25);
  // Here only the extended tenth lands on the nearest double; a double
  // tenth would give one unit above it.
  EXPECT_EQ(TextToNumber("0,01"), 0.01);
  EXPECT_EQ(TextToNumber("0.001"), 0.001);
}

TEST(TextToNumber, OverflowsOnlyBeyondTheDoubleRange) {
  const std::string digits308 = "1" + std::string(308, '0');  // 1e308 fits
  EXPECT_TRUE(std::isfinite(TextToNumber(digits308)));
  const std::string digits400(400, '9');
  EXPECT_EQ(KindRaisedBy([&] { TextToNumber(digits400); }), ErrorKind::FloatOverflow);
  // A bad character anywhere wins over the overflow: the text is checked first.
  EXPECT_EQ(KindRaisedBy([&] { TextToNumber(digits400 + "x"); }), ErrorKind::ConvertError);
}

TEST(TextToNumber, HandlesAMillionDigitsQuickly) {
  const std::string fraction = "0." + std::string(1000000, '3');
  const double value = TextToNumber(fraction);
  EXPECT_GT(value, 0.33);
  EXPECT_LT(value, 0.34);
  EXPECT_EQ(KindRaisedBy([] { TextToNumber(std::string(1000000, '7')); }),
            ErrorKind::FloatOverflow);
}

TEST(TextToInteger, ReadsLeadingDigitsLeniently) {
  EXPECT_EQ(TextToInteger(""), 0);
  EXPECT_EQ(TextToInteger("abc"), 0);
  EXPECT_EQ(TextToInteger("5x"), 5);
  EXPECT_EQ(TextToInteger("3x"), 3);
  EXPECT_EQ(TextToInteger("12abc"), 12);
  EXPECT_EQ(TextToInteger("-3"), -3);
  EXPECT_EQ(TextToInteger("+4"), 4);
  EXPECT_EQ(TextToInteger(" 7"), 0);
  EXPECT_EQ(TextToInteger("-"), 0);
  EXPECT_EQ(TextToInteger("--5"), 0);
  EXPECT_EQ(TextToInteger("0020"), 20);
}

TEST(TextToInteger, SaturatesAtTheEndsOfThe32BitRange) {
  EXPECT_EQ(TextToInteger("2147483647"), 2147483647);
  EXPECT_EQ(TextToInteger("2147483648"), 2147483647);
  EXPECT_EQ(TextToInteger("99999999999"), 2147483647);
  EXPECT_EQ(TextToInteger("-2147483648"), INT32_MIN);
  EXPECT_EQ(TextToInteger("-99999999999"), INT32_MIN);
  EXPECT_EQ(TextToInteger(std::string(1000000, '9')), 2147483647);
}

TEST(IntegerToText, WritesPlainDecimal) {
  EXPECT_EQ(IntegerToText(0), "0");
  EXPECT_EQ(IntegerToText(-15), "-15");
  EXPECT_EQ(IntegerToText(20), "20");
  EXPECT_EQ(IntegerToText(INT32_MIN), "-2147483648");
  EXPECT_EQ(IntegerToText(INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(IntegerToText(INT64_MAX), "9223372036854775807");
}

TEST(ResultText, TwoDecimalsWithACommaHalfToEven) {
  EXPECT_EQ(ResultText(0), "0,00");
  EXPECT_EQ(ResultText(1), "1,00");
  EXPECT_EQ(ResultText(3.1), "3,10");
  EXPECT_EQ(ResultText(2600), "2600,00");
  EXPECT_EQ(ResultText(12.5), "12,50");
  EXPECT_EQ(ResultText(12.05), "12,05");
  EXPECT_EQ(ResultText(0.125), "0,12");
  EXPECT_EQ(ResultText(0.375), "0,38");
  EXPECT_EQ(ResultText(1.355), "1,35");  // just below the tie as a double
  EXPECT_EQ(ResultText(12.996), "13,00");
  EXPECT_EQ(ResultText(99.999), "100,00");
}

TEST(ResultText, ShowsEveryPayoutBelow2To63) {
  EXPECT_EQ(ResultText(2147483648.0), "2147483648,00");
  EXPECT_EQ(ResultText(4294967296.25), "4294967296,25");
  EXPECT_EQ(ResultText(std::nextafter(9223372036854775808.0, 0.0)), "9223372036854774784,00");
  for (double refused : {9223372036854775808.0, 1e300, HUGE_VAL, std::nan("")})
    EXPECT_EQ(KindRaisedBy([&] { ResultText(refused); }), ErrorKind::PayoutTooLarge);
}

}  // namespace
