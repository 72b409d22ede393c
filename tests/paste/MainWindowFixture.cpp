#include "paste/MainWindowFixture.h"

#include "mainwindow/MainWindow.h"
#include "support/WindowTestSupport.h"

namespace zemko_test {

namespace {

constexpr UINT kStuckLoopMs = 10000;
bool gLoopWasStuck = false;

void CALLBACK EndStuckLoop(HWND, UINT, UINT_PTR, DWORD) {
  gLoopWasStuck = true;
  PostQuitMessage(0);
}

BOOL CALLBACK CountEditWindow(HWND window, LPARAM count) {
  if (lstrcmpiA(widgets_test::ClassNameOf(window).c_str(), "Edit") == 0) {
    ++*reinterpret_cast<int*>(count);
  }
  return TRUE;
}

}  // namespace

void MainWindowTest::SetUp() {
  BeforeBuild();
  application_ = widgets::CreateApplicationObject(zemko::kApplicationTitle);
  application_->SetVisible(true);
  mainWindow_ = widgets::CreateForm(application_, zemko::kApplicationTitle);
  zemko::BuildMainWindow(application_, mainWindow_);
  widgets_test::PumpMessages();
}

void MainWindowTest::TearDown() {
  if (application_) widgets::DestroyControl(application_);
  widgets_test::PumpMessages();
  zemcoms::Form() = {};
  EXPECT_FALSE(widgets::HasPendingException());
}

void MainWindowTest::RunUntilClosed() {
  gLoopWasStuck = false;
  const UINT_PTR watchdog = SetTimer(nullptr, 0, kStuckLoopMs, EndStuckLoop);
  widgets::RunMessageLoop(application_);
  KillTimer(nullptr, watchdog);
  EXPECT_FALSE(gLoopWasStuck) << "the main window did not close";
  EXPECT_EQ(application_, nullptr);
}

int EditWindowCount(HWND mainWindow) {
  int count = 0;
  EnumChildWindows(mainWindow, CountEditWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

SIZE ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.right, client.bottom};
}

}  // namespace zemko_test
