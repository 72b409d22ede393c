// A huge clipboard is read and cut in time and memory proportional to its
// length: each case times the click of the paste button on 50 MB of text
// and checks the process's peak working set. Every case runs in a process
// of its own, so the peak belongs to that case alone.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "support/ClipboardFill.h"
#include "support/Design.h"
#include "support/MainWindowHarness.h"

namespace {

constexpr std::size_t kMegabyte = 1024 * 1024;
constexpr std::size_t kHugeTextSize = 50 * kMegabyte;
// Generous for Wine on a shared machine; a pass per value over the whole
// text, or a copy per value, would take minutes.
constexpr double kTimeLimitSeconds = 2.0;
// The clipboard's block, one copy of the text, and room for the rest.
constexpr std::size_t kPeakMemoryLimit = 4 * kHugeTextSize + 64 * kMegabyte;

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
    zemko_test::PumpMessages();
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

// Fifty million empty values before the one at the end: the whole command
// walks them all.
TEST_F(PasteScaleTest, FiftyMegabytesOfTabsAreWalkedToTheValueAtTheEnd) {
  constexpr std::string_view kLast = "7,5";
  const PasteFigures figures = TimedPaste(kHugeTextSize, [&](char* text) {
    std::memset(text, '\t', kHugeTextSize - kLast.size());
    std::memcpy(text + kHugeTextSize - kLast.size(), kLast.data(), kLast.size());
  });
  ExpectFigures(figures);
  ASSERT_EQ(Window().rowCount, 1);
  EXPECT_EQ(Window().oddsRows[0]->GetText(), kLast);
  EXPECT_EQ(Window().resultStrip->GetText(), zemko_test::kResultPlaceholder);
  EXPECT_EQ(GetFocus(), Window().stakeBox->Handle());
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

}  // namespace
