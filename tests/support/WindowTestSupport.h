// Helpers for tests that drive real windows: pumping the queue, holding
// modifier keys, reading windows and pixels back (in this process or in
// another) and counting the layer's handles. Input is in support/Input.h.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "widgets/Widgets.h"

namespace zemko_test {

// What a pump does with a quit message: drops it (no loop is running), or
// puts it back for the loop the case runs inside and stops pumping there.
enum class Quit { Drop, KeepForLoop };

// Dispatches everything queued; true when a WM_QUIT was met on the way.
bool PumpMessages(Quit quit = Quit::Drop);
// Pumps until the condition holds or the time is up (false then); a quit
// kept for the loop ends the wait.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 5000,
               Quit quit = Quit::KeepForLoop);
// Dispatches whatever arrives for a while.
void PumpFor(DWORD milliseconds, Quit quit = Quit::KeepForLoop);
// True once a pump has met a quit message since ForgetQuit.
bool QuitSeen();
void ForgetQuit();

// Marks keys as held in this thread's keyboard state for the scope.
class HeldKeys {
 public:
  explicit HeldKeys(std::vector<int> keys);
  ~HeldKeys();
  HeldKeys(const HeldKeys&) = delete;
  HeldKeys& operator=(const HeldKeys&) = delete;

 private:
  BYTE saved_[256];
};

// A 32-bit top-down picture of a window's client area, painted by the window
// itself (WM_PRINTCLIENT after WM_ERASEBKGND) or read from its window DC.
class Picture {
 public:
  Picture(int width, int height);
  ~Picture();
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;
  HDC Dc() const { return dc_; }
  COLORREF At(int x, int y) const;  // 0x00BBGGRR
  bool Contains(COLORREF colour) const;
  void CopyFromScreen(HWND window);  // the client area as shown
  // The picture as a BMP file, and how many of its pixels differ from those
  // of a BMP file of the same size (-1 when the file is missing or another
  // size).
  bool Save(const std::wstring& path) const;
  int DifferingPixels(const std::wstring& path) const;

 private:
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
  const DWORD* bits_;
};

// The layer's live handle counts, compared as a whole.
struct HandleCounts {
  int gdi;
  int windows;
  int icons;
  bool operator==(const HandleCounts&) const = default;
};
HandleCounts LiveHandles();
void PrintTo(const HandleCounts& counts, std::ostream* out);

// A control's window rectangle in its parent's client coordinates.
RECT RectInParent(HWND window);
bool SameRect(const RECT& a, const RECT& b);

// A free-standing form at (10, 10), 300 x 240, destroyed after each case;
// every case must leave the layer's handle counts where it found them.
class FormTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  widgets::Form* form_ = nullptr;

 private:
  HandleCounts before_{};
};

// ---------------------------------------------------------------- readers

// The class, the texts, the children and the EDIT windows are read from
// another process's windows too; a text is asked for with WM_GETTEXT, given
// up on a window that does not answer.
std::string ClassNameOf(HWND window);
// The window's text as the system holds it, in UTF-16; empty when the
// window did not answer.
std::wstring WideTextOf(HWND window);
// The same, converted as the program converts: the same bytes under every
// system code page.
std::string TextOf(HWND window);
std::string TextOf(widgets::Control* control);
// Child windows of a class (any letter case), in creation order.
std::vector<HWND> ChildrenOfClass(HWND parent, const char* className);
// EDIT windows anywhere below the window.
int EditWindowCount(HWND window);
// The LOGFONT of the font a window draws its text with.
LOGFONTA FontOf(HWND window);
// The tooltip windows whose one tool is this control, and the tool's text
// as the first of them holds it (empty without one).
std::vector<HWND> TooltipsOf(HWND control);
std::string TooltipTextOf(HWND control);

}  // namespace zemko_test
