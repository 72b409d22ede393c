// The help viewer as another process sees it: WinHelp starts it as a
// process of its own (winhlp32.exe), whose top-level windows have the class
// "MS_WINHELP"; the viewer in Wine shows a topic in a rich edit child, whose
// text and character positions can be asked for across the process boundary.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace zemko_help_test {

// What the help file says of itself, written from its source text.
inline constexpr char kHelpTitle[] = "Справка по программе Земко";
inline constexpr char kFirstTopic[] = "Что такое система";

// How often the waits below look again.
inline constexpr DWORD kPollMs = 50;

// Waits until the condition holds; false once the time is up.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > milliseconds) return false;
    Sleep(kPollMs);
  }
  return true;
}

// Every top-level window of the viewer, shown or hidden.
std::vector<HWND> ViewerWindows();
// The viewer window that shows a topic, once it is there; null after the time.
HWND WaitForViewer(DWORD milliseconds);
// The rich edit child that holds the topic's text.
HWND TopicTextWindow(HWND viewer);
// Waits until the viewer's topic text starts with the text.
bool WaitForTopic(HWND viewer, std::string_view start, DWORD milliseconds);
// The executable file name of the process that owns the window.
std::string ProcessImageName(HWND window);

// Clicks the main window's help button (26 x 26, 10 pixels from the left and
// the bottom) with the real mouse.
void ClickHelpButton(HWND mainWindow);
// Clicks with the real mouse on the first character of the first place where
// the text shows in the rich edit window; false if it is not there.
bool ClickTextIn(HWND richEdit, std::string_view text);

// Starts the viewer once on its own and closes it again; true when it came.
bool WarmUpViewer(DWORD milliseconds);

// Closes every viewer window as its user would and waits until each viewer
// process has ended; a process that stays is ended by force and false is
// returned.
bool CloseViewers(DWORD milliseconds);

// Visible message boxes and dialogs of any process.
std::vector<HWND> DialogWindows();

}  // namespace zemko_help_test
