// The one window test harness: the main window built exactly as start-up
// builds it, the program's own message loop run around a case's body, and
// the small helpers the window cases share (with the readers and the input
// of support/WindowTestSupport.h and support/Input.h).
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "mainwindow/MainWindow.h"
#include "support/Input.h"
#include "support/WindowTestSupport.h"
#include "widgets/Widgets.h"

namespace zemko_test {

// How a loop run around a case's body ends.
enum class LoopEnd {
  Close,  // the main window closed as its close button does
  Quit,   // a quit message, unless the body closed the window itself
};

class MainWindowTest : public ::testing::Test {
 protected:
  // No stored position, the pointer parked away from the window (no hint
  // pops up unasked), BeforeBuild, then Build.
  void SetUp() override;
  // Destroys what the case left, and no exception may be pending.
  void TearDown() override;
  // Runs before the window is built (the position is read while building),
  // and after it is built.
  virtual void BeforeBuild() {}
  virtual void AfterBuild() {}
  // What start-up builds, by app::BuildMainSequence (so the help file is
  // looked for beside the test program). A case whose loop has ended may
  // build again.
  void Build();

  // Runs the program's message loop and calls `body` once from inside it;
  // then the loop ends as `end` says, and the application object is gone.
  // A loop still running after two minutes is ended and fails the case; an
  // exception from the body is rethrown once the loop is over.
  void RunInLoop(const std::function<void()>& body, LoopEnd end);
  void RunInLoop(const std::function<void()>& body) { RunInLoop(body, loopEnd_); }

  mainwindow::MainWindow& Window() { return window_; }
  widgets::Control* Row(int n) const { return window_.oddsRows.at(n - 1); }
  int RowCount() const { return window_.rowCount; }
  HWND MainHandle() const { return form_->EnsureWindow(); }
  int ClientHeight() const { return form_->GetClientHeight(); }

  // Adds rows with Enter in the last row until there are `count`.
  void GrowTo(int count);
  // Fills a bet: the rows (added with Enter as needed, after a clear-all
  // when there are too many), then the stake, N and K; every text goes in
  // by WM_SETTEXT, as a paste would put it there.
  void EnterBet(std::string_view stake, const std::vector<std::string>& rows,
                std::string_view systemSize, std::string_view comboSize);

  widgets::Control* application_ = nullptr;
  widgets::Form* form_ = nullptr;
  mainwindow::MainWindow window_;
  // How RunInLoop ends when the case does not say.
  LoopEnd loopEnd_ = LoopEnd::Close;
};

// A control of the main window, read as a plain control, for the tables of
// cases that walk over several of them: &Field<&MainWindow::stakeBox>.
using ControlField = widgets::Control* (*)(const mainwindow::MainWindow&);
template <auto field>
widgets::Control* Field(const mainwindow::MainWindow& window) {
  return window.*field;
}

// Where the cases that measure positions put the main window's frame.
inline constexpr int kPlacedLeft = 100;
inline constexpr int kPlacedTop = 200;

// About windows owned by the window, topmost first.
std::vector<HWND> AboutWindowsOf(HWND owner);

// WM_SETTEXT into the control.
void SetTextOf(widgets::Control* control, std::string_view text);
// The control with the keyboard focus, if it is one of the layer's.
widgets::Control* Focused();
// True when the selection runs over the whole text of the edit box.
bool WholeTextSelected(widgets::Control* box);
// Left, top, width and height of a rectangle, for readable comparisons.
std::vector<int> Place(const RECT& rect);
// A control's rectangle in its parent's client area.
RECT RectInClient(widgets::Control* control);
// The client size as the system sees it.
SIZE ClientSize(HWND window);
// Pumps for the time and takes the system commands posted to the window off
// the queue (so that no move loop runs), in their order.
std::vector<WPARAM> TakeSystemCommands(HWND window, DWORD milliseconds);

}  // namespace zemko_test
