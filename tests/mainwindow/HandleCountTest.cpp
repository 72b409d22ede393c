// Nothing the window does over and over may keep a handle: repaints and
// clear-all cycles leave the layer's counts of GDI objects and windows
// where they were.
#include "support/Design.h"
#include "support/Input.h"
#include "support/MainWindowHarness.h"
#include "support/WindowTestSupport.h"

using namespace zemko_test;

namespace {

constexpr int kRounds = 1000;

struct Counts {
  int gdi;
  int windows;
  DWORD systemGdi;  // GetGuiResources: 0 where the system does not count
  DWORD systemUser;
};

Counts Now() {
  return {widgets::LiveGdiObjects(), widgets::LiveWindows(),
          GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
          GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)};
}

void ExpectSame(const Counts& before, const Counts& after) {
  EXPECT_EQ(before.gdi, after.gdi) << "GDI objects of the layer";
  EXPECT_EQ(before.windows, after.windows) << "windows of the layer";
  if (before.systemGdi) {
    EXPECT_LE(after.systemGdi, before.systemGdi) << "GDI objects of the process";
  }
  if (before.systemUser) {
    EXPECT_LE(after.systemUser, before.systemUser) << "USER objects of the process";
  }
}

}  // namespace

TEST_F(MainWindowTest, AThousandRepaintsKeepNoHandle) {
  RunInLoop([&] {
    HWND window = MainHandle();
    // The first paint may make what every later one reuses (the logo's mask).
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages(Quit::KeepForLoop);
    const Counts before = Now();
    EXPECT_GT(before.gdi, 0);
    for (int i = 0; i < kRounds; ++i) {
      RedrawWindow(window, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    PumpMessages(Quit::KeepForLoop);
    ExpectSame(before, Now());
  });
}

TEST_F(MainWindowTest, AThousandClearAllCyclesKeepNoHandle) {
  RunInLoop([&] {
    GrowTo(3);
    Window().clearAllButton->Click();
    PumpMessages(Quit::KeepForLoop);
    const Counts before = Now();
    const int children = form_->ChildCount();
    for (int i = 0; i < kRounds; ++i) {
      GrowTo(2);
      SetTextOf(Row(2), "1,5");
      if (i % 2) {
        Window().clearAllButton->Click();
      } else {
        PostKeyPress(Row(2), VK_SUBTRACT);
      }
      if (HasFailure()) return;
    }
    PumpMessages(Quit::KeepForLoop);
    ExpectSame(before, Now());
    EXPECT_EQ(children, form_->ChildCount());
    EXPECT_EQ(1, RowCount());
  });
}
