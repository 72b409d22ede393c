// A program without the icon resource: its windows are made without icons.
#include "support/WindowTestSupport.h"

using namespace widgets;
using namespace zemko_test;

TEST(ProgramWithoutIcon, MakesItsWindowsWithoutIcons) {
  HandleCounts before = LiveHandles();
  Control* application = CreateApplicationObject("no icon");
  Control* form = CreateForm(application, "no icon");
  HWND formWindow = form->EnsureWindow();
  EXPECT_EQ(0, SendMessageA(application->EnsureWindow(), WM_GETICON, ICON_BIG, 0));
  EXPECT_EQ(0, SendMessageA(formWindow, WM_GETICON, ICON_BIG, 0));
  EXPECT_EQ(before.icons, LiveIcons());
  DestroyControl(application);
  EXPECT_EQ(before, LiveHandles());
}
