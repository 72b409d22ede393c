// The text helpers, natively: trimming, cutting values at delimiters (also
// fifty megabytes in linear time) and replacing a file name's extension.
#include "text/Text.h"

#include "text/Windows1251.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace text;

// The paste command's delimiters, in its order: CR, TAB, LF.
constexpr std::string_view kPasteDelimiters = "\r\t\n";
constexpr std::size_t kHugeTextSize = 50u * 1024u * 1024u;
constexpr auto kLinearTimeLimit = std::chrono::milliseconds(1000);

// ===================================================================== text

TEST(TrimTest, RemovesCodesBelow33AtBothEndsOnly) {
  EXPECT_EQ(Trim(""), "");
  EXPECT_EQ(Trim(" \t\r\n"), "");
  EXPECT_EQ(Trim("  1.5 \r\n"), "1.5");
  EXPECT_EQ(Trim("1 5"), "1 5");
  EXPECT_EQ(Trim("\x01\x1F!\x20"), "!");
  EXPECT_EQ(Trim(std::string_view("\0x\0", 3)), "x");
}

TEST(TrimTest, KeepsWindows1251Letters) {
  // Bytes from 128 up are letters (and 0xA0 a no-break space), not blanks.
  EXPECT_EQ(Trim(" Ёлка "), "Ёлка");
  EXPECT_EQ(Trim("\xA0"
                 "1\xFF"),
            "\xA0"
            "1\xFF");
}

struct SplitCase {
  std::string_view text;
  std::string_view head;
  std::string_view rest;
};

TEST(SplitAtDelimiterTest, CutsAtTheFirstDelimiterOfTheSet) {
  const SplitCase cases[] = {
      {"1.5", "1.5", ""},
      {"1.5\t2", "1.5", "2"},
      {"\t2", "", "2"},
      {"", "", ""},
      {"1.5\t", "1.5", ""},
      {"\r\n2.1", "", "\n2.1"},
      {"1.5\n2\t3", "1.5", "2\t3"},
      {"2,35 x", "2,35 x", ""},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(std::string(c.text));
    std::string text(c.text);
    EXPECT_EQ(SplitAtDelimiter(text, kPasteDelimiters), c.head);
    EXPECT_EQ(text, c.rest);
  }
}

TEST(SplitAtDelimiterTest, TakesHighBytesAsDelimitersAndNoSetAsNone) {
  std::string text = "1\xB9"
                     "2\xB9";
  EXPECT_EQ(SplitAtDelimiter(text, "\xB9"), "1");
  EXPECT_EQ(text, "2\xB9");

  std::string whole = "1\t2";
  EXPECT_EQ(SplitAtDelimiter(whole, ""), "1\t2");
  EXPECT_EQ(whole, "");
}

// Runs a SplitAtDelimiter loop and a TextSplitter side by side.
void ExpectSplitterAgrees(std::string_view text, std::string_view delimiters) {
  std::string rest(text);
  TextSplitter splitter(text, delimiters);
  EXPECT_EQ(splitter.Rest(), rest);
  while (!rest.empty()) {
    ASSERT_FALSE(splitter.Done());
    const std::string head = SplitAtDelimiter(rest, delimiters);
    ASSERT_EQ(splitter.Next(), head);
    ASSERT_EQ(splitter.Rest(), rest);
  }
  EXPECT_TRUE(splitter.Done());
  EXPECT_EQ(splitter.Next(), "");
}

TEST(TextSplitterTest, CutsTheSameValuesAsRepeatedSplitAtDelimiter) {
  for (std::string_view text : {"", "1.5", "1.5\r\n2.1\r\n3.0\r\n", "1.5\t2.1\t3.0\r\n", "\t\t",
                                "1.5\t\t2", "\r\n\r\n", "  \t x \n"}) {
    SCOPED_TRACE(std::string(text));
    ExpectSplitterAgrees(text, kPasteDelimiters);
  }
  ExpectSplitterAgrees("1\xB9"
                       "2\xB9\xB9"
                       "3",
                       "\xB9");
  ExpectSplitterAgrees("1\t2", "");
}

TEST(TextSplitterTest, AgreesOnRandomTexts) {
  std::mt19937 random(20240611);
  const char alphabet[] = {'1', '.', ',', ' ', '\t', '\r', '\n', '\xC0', '\xB9', 'x'};
  std::uniform_int_distribution<std::size_t> pick(0, sizeof alphabet - 1);
  std::uniform_int_distribution<std::size_t> length(0, 40);
  for (int round = 0; round < 500; ++round) {
    std::string text(length(random), ' ');
    for (char& c : text) c = alphabet[pick(random)];
    SCOPED_TRACE(round);
    ExpectSplitterAgrees(text, kPasteDelimiters);
    ExpectSplitterAgrees(text, "\xB9,");
  }
}

// The paste command's worst cases: every byte a delimiter, and a huge tail
// behind the twenty values it takes.
TEST(TextSplitterTest, CutsFiftyMegabytesInLinearTime) {
  const std::string tabs(kHugeTextSize, '\t');
  auto start = std::chrono::steady_clock::now();
  TextSplitter splitter(tabs, kPasteDelimiters);
  std::size_t values = 0;
  std::size_t nonEmpty = 0;
  while (!splitter.Done()) {
    ++values;
    if (!splitter.Next().empty()) ++nonEmpty;
  }
  const auto tabsTime = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(values, kHugeTextSize);
  EXPECT_EQ(nonEmpty, 0u);

  std::string tail;
  for (int i = 1; i <= 20; ++i) tail += std::to_string(i) + ".5\r\n";
  const std::size_t headSize = tail.size();
  tail.append(kHugeTextSize, 'x');
  start = std::chrono::steady_clock::now();
  TextSplitter twenty(tail, kPasteDelimiters);
  std::vector<std::string_view> taken;
  while (!twenty.Done() && taken.size() < 20) {
    const std::string_view value = twenty.Next();
    if (!value.empty()) taken.push_back(value);
  }
  const auto tailTime = std::chrono::steady_clock::now() - start;
  ASSERT_EQ(taken.size(), 20u);
  EXPECT_EQ(taken.front(), "1.5");
  EXPECT_EQ(taken.back(), "20.5");
  // The twentieth value ended at the CR of its line; its LF is still ahead.
  EXPECT_EQ(twenty.Rest().size(), tail.size() - headSize + 1);
  EXPECT_TRUE(twenty.Rest() == std::string_view(tail).substr(headSize - 1));

  const auto ms = [](auto d) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(d).count();
  };
  RecordProperty("tabs_ms", static_cast<int>(ms(tabsTime)));
  RecordProperty("tail_ms", static_cast<int>(ms(tailTime)));
  std::printf("50 MB of tabs: %lld ms; 20 values before 50 MB: %lld ms\n",
              static_cast<long long>(ms(tabsTime)), static_cast<long long>(ms(tailTime)));
  EXPECT_LT(tabsTime, kLinearTimeLimit);
  EXPECT_LT(tailTime, kLinearTimeLimit);
}

// ============================================================ file names

TEST(ReplaceExtensionTest, ReplacesOnlyTheFileNamesExtension) {
  EXPECT_EQ(ReplaceExtension("C:\\Zemko\\Zemko.exe", ".hlp"), "C:\\Zemko\\Zemko.hlp");
  EXPECT_EQ(ReplaceExtension("C:\\a.b\\Zemko", ".hlp"), "C:\\a.b\\Zemko.hlp");
  EXPECT_EQ(ReplaceExtension("C:\\x\\Zemko.tar.exe", ".hlp"), "C:\\x\\Zemko.tar.hlp");
  EXPECT_EQ(ReplaceExtension("Zemko", ".hlp"), "Zemko.hlp");
  EXPECT_EQ(ReplaceExtension("C:Zemko.", ".hlp"), "C:Zemko.hlp");
  EXPECT_EQ(ReplaceExtension("", ".hlp"), ".hlp");
}

}  // namespace

// ========================================================== Windows-1251

// Every byte there and back; a decimal digit of any script reads as its ASCII
// digit; any other character the code page lacks is one '?', a pair too.
TEST(Windows1251Test, ConvertsEveryByteAndFoldsOnlyDecimalDigits) {
  for (int byte = 0; byte < 256; ++byte) {
    const std::string text(1, static_cast<char>(byte));
    EXPECT_EQ(NarrowWindows1251(std::u16string_view(WidenWindows1251<char16_t>(text))), text)
        << byte;
  }
  EXPECT_EQ(WidenWindows1251<char16_t>("\xCA\xB8\x85\x98"), u"\x041A\x0451\x2026\x0098");
  struct Case {
    std::u16string_view wide;
    std::string_view narrow;
  };
  const Case cases[] = {
      {u"\xFF12\x0663", "23"},                // full-width two, Arabic-Indic three
      {u"\x06F9\x0966\x09EF\x0E55", "9095"},  // Persian, Devanagari, Bengali, Thai
      {u"\x00B2\x2082\x2460\x216B", "????"},  // super-, subscript, circled, Roman
      {u"\xFF0C\x2212\x00BD\x00C0", "????"},  // full-width comma, minus, one half, À
      {u"\xD835\xDFD7\xD835\xDFD8", "90"},    // mathematical bold nine, then zero
      {u"x\xD83D\xDE00y", "x?y"},             // an emoji: one character
      {u"1\xD835", "1?"},                     // a lone high surrogate at the end
      {u"\xDFD7\xD835"
       u"5",
       "??5"},  // halves in the wrong order
      {u"\x065F\x066A\xFF1A\x002F\x003A", "???"
                                          "/:"},  // just outside the digit runs
      {std::u16string_view(u"a\0b", 3), std::string_view("a\0b", 3)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NarrowWindows1251(c.wide), c.narrow)
        << testing::PrintToString(std::u16string(c.wide));
  }
  EXPECT_EQ(DecimalDigitValue(0x1FBF9), 9);
  EXPECT_EQ(DecimalDigitValue(0x10FFFF), -1);
}
