// A huge clipboard is read and cut in time and memory proportional to its
// length: each case times the click of the paste button on 50 MB of text
// and checks the process's peak working set. Every case runs in a process
// of its own, so the peak belongs to that case alone.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <ostream>
#include <string>
#include <string_view>

#include "support/ClipboardFill.h"
#include "support/Design.h"
#include "support/Input.h"
#include "support/MainWindowHarness.h"
#include "support/WindowTestSupport.h"
#include "support/WindowTestSupport.h"

namespace {

constexpr std::size_t kMegabyte = 1024 * 1024;
constexpr std::size_t kHugeTextSize = 50 * kMegabyte;
// Generous for Wine on a shared machine; a pass per value over the whole
// text, or a copy per value, would take minutes.
constexpr double kTimeLimitSeconds = 2.0;
// The clipboard's block, one copy of the text, and room for the rest.
constexpr std::size_t kPeakMemoryLimit = 4 * kHugeTextSize + 64 * kMegabyte;
constexpr int kMaxRows = 20;

struct PasteFigures {
  double seconds = 0;
  std::size_t peakBefore = 0;  // bytes, peak working set before the click
  std::size_t peakAfter = 0;
};

std::size_t PeakWorkingSet() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
  return counters.PeakWorkingSetSize;
}

double Seconds(LONGLONG ticks) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

class PasteScaleTest : public zemko_test::MainWindowTest {
 protected:
  // Puts the text that `fill` writes (huge, straight into the clipboard's
  // block) and times the click of the paste button.
  template <typename Fill>
  PasteFigures TimedPaste(std::size_t size, Fill fill) {
    PasteFigures figures;
    {
      zemko_test::ClipboardTextBlock block(size);
      if (!block.Data()) {
        ADD_FAILURE() << "no memory for the clipboard text";
        return figures;
      }
      fill(block.Data());
      if (!block.Put()) {
        ADD_FAILURE() << "the clipboard refused the text";
        return figures;
      }
    }
    figures.peakBefore = PeakWorkingSet();
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    Window().pasteButton->Click();
    QueryPerformanceCounter(&end);
    widgets_test::PumpMessages();
    figures.seconds = Seconds(end.QuadPart - start.QuadPart);
    figures.peakAfter = PeakWorkingSet();
    return figures;
  }

  static void ExpectFigures(const PasteFigures& figures) {
    std::printf("[ figures  ] paste of %zu MB: %.3f s; peak working set %.1f MB before "
                "the click, %.1f MB after\n",
                kHugeTextSize / kMegabyte, figures.seconds,
                static_cast<double>(figures.peakBefore) / kMegabyte,
                static_cast<double>(figures.peakAfter) / kMegabyte);
    RecordProperty("paste_milliseconds", static_cast<int>(figures.seconds * 1000));
    RecordProperty("peak_working_set_mb", static_cast<int>(figures.peakAfter / kMegabyte));
    EXPECT_LT(figures.seconds, kTimeLimitSeconds);
    EXPECT_GT(figures.peakAfter, 0u) << "no working set figure";
    EXPECT_LT(figures.peakAfter, kPeakMemoryLimit);
  }
};

TEST_F(PasteScaleTest, FiftyMegabytesOfTabsLeaveOneEmptyRow) {
  const PasteFigures figures =
      TimedPaste(kHugeTextSize, [](char* text) { std::memset(text, '\t', kHugeTextSize); });
  ExpectFigures(figures);
  ASSERT_EQ(Window().rowCount, 1);
  EXPECT_EQ(Window().oddsRows[0]->GetText(), "");
  EXPECT_EQ(Window().resultStrip->GetText(), zemko_test::kResultPlaceholder);
  EXPECT_EQ(GetFocus(), Window().stakeBox->Handle());
}

TEST_F(PasteScaleTest, FiftyMegabytesOfTabsAreWalkedToTheValueAtTheEnd) {
  constexpr std::string_view kLast = "7,5";
  const PasteFigures figures = TimedPaste(kHugeTextSize, [&](char* text) {
    std::memset(text, '\t', kHugeTextSize - kLast.size());
    std::memcpy(text + kHugeTextSize - kLast.size(), kLast.data(), kLast.size());
  });
  ExpectFigures(figures);
  ASSERT_EQ(Window().rowCount, 1);
  EXPECT_EQ(Window().oddsRows[0]->GetText(), kLast);
}

// One value of 50 MB without a delimiter: the row takes its first kilobyte,
// which the edit box lays out at once.
TEST_F(PasteScaleTest, FiftyMegabytesWithoutADelimiterFillRowOneWithItsHead) {
  constexpr std::size_t kKeptLength = 1024;
  const PasteFigures figures = TimedPaste(kHugeTextSize, [](char* text) {
    for (std::size_t i = 0; i < kHugeTextSize; ++i) text[i] = static_cast<char>('0' + i % 10);
  });
  ExpectFigures(figures);
  ASSERT_EQ(Window().rowCount, 1);
  const std::string row = Window().oddsRows[0]->GetText();
  ASSERT_EQ(row.size(), kKeptLength);
  EXPECT_EQ(row.substr(0, 12), "012345678901");
  EXPECT_EQ(row.back(), '\x85');  // the ellipsis that marks the cut
}

// Twenty values, then 50 MB that must never be cut: once as more values,
// once as one endless value.
struct TailCase {
  const char* name;
  std::string_view pattern;
};
// Names the case in the test list.
void PrintTo(const TailCase& value, std::ostream* out) { *out << value.name; }

class PasteTailTest : public PasteScaleTest, public ::testing::WithParamInterface<TailCase> {};

TEST_P(PasteTailTest, TwentyValuesThenFiftyMegabytesAreIgnored) {
  std::string head;
  for (int i = 1; i <= kMaxRows; ++i) head += std::to_string(i) + ",5\r\n";
  const std::string_view pattern = GetParam().pattern;
  const PasteFigures figures = TimedPaste(head.size() + kHugeTextSize, [&](char* text) {
    std::memcpy(text, head.data(), head.size());
    char* tail = text + head.size();
    for (std::size_t i = 0; i < kHugeTextSize; ++i) tail[i] = pattern[i % pattern.size()];
  });
  ExpectFigures(figures);
  ASSERT_EQ(Window().rowCount, kMaxRows);
  for (int i = 0; i < kMaxRows; ++i) {
    EXPECT_EQ(Window().oddsRows[i]->GetText(), std::to_string(i + 1) + ",5");
  }
  EXPECT_EQ(Window().resultStrip->GetText(), zemko_test::kResultPlaceholder);
  EXPECT_EQ(GetFocus(), Window().stakeBox->Handle());
}

const TailCase kTailCases[] = {
    {"MoreValues", "9,75\t"},
    {"OneEndlessValue", "x"},
};

INSTANTIATE_TEST_SUITE_P(Clipboard, PasteTailTest, ::testing::ValuesIn(kTailCases));

}  // namespace
