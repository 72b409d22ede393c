// Drives the real main window from inside the program's own message loop
// with real mouse and keyboard input, and finds the windows it opens.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "widgets/Widgets.h"

namespace about_test {

// Where the fixture puts the main window's frame.
inline constexpr int kMainLeft = 100;
inline constexpr int kMainTop = 200;

inline constexpr COLORREF kWindowColour = RGB(255, 206, 154);
inline constexpr COLORREF kStripColour = RGB(223, 174, 122);
inline constexpr COLORREF kKeyGrey = RGB(204, 204, 204);
inline constexpr COLORREF kBlack = RGB(0, 0, 0);

inline constexpr char kAboutCaption[] = "О программе";

// How long a case waits for something the input or the program should do.
inline constexpr DWORD kWaitMs = 5000;

// Dispatches queued messages until `done` holds or the time is up; false on
// time-out. A WM_QUIT met on the way is posted again for the program's loop
// and ends the wait.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = kWaitMs);
// Dispatches whatever arrives for a while.
void PumpFor(DWORD ms);
// True once a WM_QUIT has been met by PumpUntil or PumpFor.
bool QuitSeen();

// Real input, as the user gives it: the pointer moves there first.
bool MovePointerTo(POINT screen);
void ClickAt(POINT screen);
// The centre of a control's window.
POINT CentreOf(HWND window);
void ClickOn(HWND window);
// Presses and releases each key in turn; modifiers are held while the keys
// listed after them go down and up.
void TypeKeys(const std::vector<WORD>& keys);
void PressWithModifier(WORD modifier, WORD key);

// About windows owned by `owner`, topmost first.
std::vector<HWND> AboutWindowsOf(HWND owner);
// Child windows of `parent` of the given class, in creation order.
std::vector<HWND> ChildrenOfClass(HWND parent, const char* className);
std::string WindowText(HWND window);
RECT ClientRectInParent(HWND window);
// The LOGFONT of the font a window draws its text with.
LOGFONTA FontOf(HWND window);

// The main window built as start-up builds it (help file beside the test
// program, application object visible), then moved to kMainLeft, kMainTop.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Builds the application object and the main window afresh (SetUp does it
  // once; a case whose loop has ended may build another).
  void Build();

  // Runs the program's message loop and calls `body` once from inside it.
  // The loop ends when the body has closed the main window, or else right
  // after the body returns; the application object is then gone.
  void RunInLoop(const std::function<void()>& body);

  HWND MainHandle() const { return main_->Handle(); }

  widgets::Control* app_ = nullptr;
  widgets::Control* main_ = nullptr;
};

}  // namespace about_test
