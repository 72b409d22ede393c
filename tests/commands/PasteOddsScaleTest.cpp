// A huge clipboard is read and cut in time and memory proportional to its
// length: each case times the click of the paste button on 5 MB and on 50 MB
// of the same text in one run, and checks that the time grows no faster
// than the length and the process's peak working set. A time limit would
// fail on every slower or busy machine; scripts/figures.sh gives the time.
// Every case runs in a process of its own, so the peak belongs to it alone.
#include <windows.h>
#include <psapi.h>

#include <cstdint>
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
constexpr std::size_t kSmallTextSize = 5 * kMegabyte;
// Ten times the text takes about ten times as long; a pass per value over
// the whole text, or a copy per value, would take a hundred times as long.
constexpr double kTimeRatioLimit = 40.0;
// The fastest of a few runs of each size, taken in turns, so that a busy
// moment of the machine weighs on neither size alone.
constexpr int kRuns = 3;
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
      fill(block.Data(), size);
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

  // Small and huge pastes in turns; the checks read the fastest of each, and
  // the huge one's memory last.
  template <typename Fill>
  void TimedPastes(Fill fill) {
    PasteFigures small, huge;
    for (int run = 0; run < kRuns; ++run) {
      const PasteFigures smallRun = TimedPaste(kSmallTextSize, fill);
      const PasteFigures hugeRun = TimedPaste(kHugeTextSize, fill);
      if (run == 0 || smallRun.seconds < small.seconds) small.seconds = smallRun.seconds;
      if (run == 0 || hugeRun.seconds < huge.seconds) huge.seconds = hugeRun.seconds;
      huge.peakBefore = hugeRun.peakBefore;
      huge.peakAfter = hugeRun.peakAfter;
    }
    ExpectFigures(small, huge);
  }

  static void ExpectFigures(const PasteFigures& small, const PasteFigures& huge) {
    std::printf("[ figures  ] paste of %zu MB: %.3f s, of %zu MB: %.3f s; peak working set "
                "%.1f MB before the huge click, %.1f MB after\n",
                kHugeTextSize / kMegabyte, huge.seconds, kSmallTextSize / kMegabyte, small.seconds,
                static_cast<double>(huge.peakBefore) / kMegabyte,
                static_cast<double>(huge.peakAfter) / kMegabyte);
    RecordProperty("paste_milliseconds", static_cast<int>(huge.seconds * 1000));
    RecordProperty("peak_working_set_mb", static_cast<int>(huge.peakAfter / kMegabyte));
    EXPECT_GT(small.seconds, 0.0);
    EXPECT_LT(huge.seconds, small.seconds * kTimeRatioLimit);
    EXPECT_GT(huge.peakAfter, 0u) << "no working set figure";
    EXPECT_LT(huge.peakAfter, kPeakMemoryLimit);
  }
};

// Fifty million empty values before the one at the end: the whole command
// walks them all.
TEST_F(PasteScaleTest, FiftyMegabytesOfTabsAreWalkedToTheValueAtTheEnd) {
  constexpr std::string_view kLast = "7,5";
  TimedPastes([&](char* text, std::size_t size) {
    std::memset(text, '\t', size - kLast.size());
    std::memcpy(text + size - kLast.size(), kLast.data(), kLast.size());
  });
  ASSERT_EQ(Window().rowCount, 1);
  EXPECT_EQ(Window().oddsRows[0]->GetText(), kLast);
  EXPECT_EQ(Window().resultStrip->GetText(), zemko_test::kResultPlaceholder);
  EXPECT_EQ(GetFocus(), Window().stakeBox->EnsureWindow());
}

// One value of 50 MB without a delimiter: the row takes its first kilobyte,
// which the edit box lays out at once.
TEST_F(PasteScaleTest, FiftyMegabytesWithoutADelimiterFillRowOneWithItsHead) {
  constexpr std::size_t kKeptLength = 1024;
  TimedPastes([](char* text, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) text[i] = static_cast<char>('0' + i % 10);
  });
  ASSERT_EQ(Window().rowCount, 1);
  const std::string row = Window().oddsRows[0]->GetText();
  ASSERT_EQ(row.size(), kKeptLength);
  EXPECT_EQ(row.substr(0, 12), "012345678901");
  EXPECT_EQ(row.back(), '\x85');  // the ellipsis that marks the cut
}

// Six hundred megabytes, which a 32-bit program could not hold again in
// UTF-16: only the kilobyte kept is ever converted. A 32-bit test program
// cannot hold the text and the clipboard's copy of it itself.
TEST_F(PasteScaleTest, SixHundredMegabytesFillRowOneWithItsHead) {
  if (sizeof(void*) < sizeof(std::uint64_t)) GTEST_SKIP() << "64-bit test programs only";
  constexpr std::size_t kSize = 600 * kMegabyte;
  {
    zemko_test::ClipboardTextBlock block(kSize);
    ASSERT_NE(block.Data(), nullptr);
    std::memset(block.Data(), 'x', kSize);
    ASSERT_TRUE(block.Put());
  }
  Window().pasteButton->Click();
  zemko_test::PumpMessages();
  ASSERT_EQ(Window().rowCount, 1);
  EXPECT_EQ(Window().oddsRows[0]->GetText(), std::string(1023, 'x') + "\x85");
  EXPECT_EQ(Window().resultStrip->GetText(), zemko_test::kResultPlaceholder);
}

}  // namespace
