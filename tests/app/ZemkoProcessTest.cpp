// Zemko.exe started as a separate process, as a user starts it: the main
// window is a caption-less pop-up owned by the invisible window of the
// taskbar entry. (How each way of closing ends it is in the position tests.)
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "support/Design.h"
#include "support/PositionRegistry.h"
#include "support/WindowTestSupport.h"
#include "support/ZemkoRun.h"

namespace {

using namespace zemko_test;

TEST(ZemkoProcess, ShowsTheMainWindowOwnedByTheTaskbarEntry) {
  DeletePositionKey();
  ZemkoRun run(ZEMKO_EXE_PATH);
  ASSERT_TRUE(run.Start());
  const HWND application = run.Application();
  const HWND mainWindow = run.MainWindow();

  // The taskbar entry: a visible 0 x 0 pop-up that owns the main window.
  EXPECT_EQ(GetWindow(mainWindow, GW_OWNER), application);
  EXPECT_EQ(ClassNameOf(application), "App");
  EXPECT_EQ(TextOf(application), kProgramTitle);
  EXPECT_TRUE(GetWindowLongPtrA(application, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  EXPECT_TRUE(IsWindowVisible(application));
  RECT outer;
  GetWindowRect(application, &outer);
  EXPECT_EQ(outer.right - outer.left, 0);
  EXPECT_EQ(outer.bottom - outer.top, 0);

  // No caption bar: a caption-less pop-up with a one-pixel border, at the
  // screen's corner when no position was stored.
  const LONG style = GetWindowLongPtrA(mainWindow, GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, WS_BORDER);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  RECT client;
  GetClientRect(mainWindow, &client);
  EXPECT_EQ(client.right, 250);
  EXPECT_EQ(client.bottom, 190);
  EXPECT_EQ(run.MainRect().left, 0);
  EXPECT_EQ(run.MainRect().top, 0);

  PostMessageA(mainWindow, WM_CLOSE, 0, 0);
  EXPECT_EQ(run.WaitForExit(), 0u);
  DeletePositionKey();
}

}  // namespace
