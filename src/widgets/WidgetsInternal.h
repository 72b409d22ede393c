// Shared inside the widget layer only: process state, handle accounting and
// the pieces the window procedure and the creators have in common.
#pragma once

#include <utility>
#include <vector>

#include "widgets/Dpi.h"
#include "widgets/Widgets.h"
#include "win/WideText.h"

namespace widgets {

// The layer's one conversion of texts to and from the system.
using win::kTextCodePage;
using win::Narrow;
using win::Widen;

// The window property that links a window to its control.
inline constexpr wchar_t kSelfProperty[] = L"SELF_";
inline constexpr wchar_t kApplicationClass[] = L"App";
inline constexpr wchar_t kFormClass[] = L"Form";

// Moving a window by the mouse, as if its caption were dragged.
inline constexpr WPARAM kDragMove = SC_MOVE | HTCAPTION;  // 0xF012

// Links a window to its control (the window property and the layer's list)
// and undoes it when the window goes.
void LinkWindow(HWND window, Control* control);
void UnlinkWindow(HWND window);

// Process state of the layer (MessageLoop.cpp).
struct LayerState {
  bool running = false;
  bool terminated = false;
  Control* currentApplication = nullptr;
  ApplicationWindow* applicationObject = nullptr;  // the one CreateApplicationObject made
  Form* mainForm = nullptr;
  std::exception_ptr pendingException;
  bool failing = false;  // an escaped exception is on its way to the error box
  int gdiObjects = 0;
  int icons = 0;
  int controls = 0;
  // The live windows and their controls, the same links as the window
  // property: finding a control here costs no trip to the window server,
  // which every message would otherwise pay for reading the property.
  std::vector<std::pair<HWND, Control*>> links;
};
LayerState& State();
bool ShuttingDown();  // the application object is being destroyed after the loop

// Keeps the first exception that escapes a window procedure and, while the
// loop runs, asks the loop to end.
void StorePendingException(std::exception_ptr exception);

// ---------------------------------------------------------------- calls into Windows

// Whatever a call into Windows returns, once an exception that a handler
// threw on the way (kept by a window procedure) has been rethrown.
template <typename Result>
Result Checked(Result result) {
  RethrowPendingException();
  return result;
}

// A window handle with the Win32 calls the layer makes on it, one thin line
// each as 7-Zip's CWindow. Every call that may run a window procedure of ours
// before it returns (a message sent; a window moved, restyled, shown,
// focused, brought to the front or painted) ends in Checked, so no caller
// can forget the pending exception. Posting runs nothing and rethrows nothing.
// Inside a window procedure a rethrown exception is simply kept again.
// Windows are Unicode windows: texts go through the layer's conversion.
class Window {
 public:
  explicit Window(HWND handle) : handle_(handle) {}

  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return Checked(SendMessageW(handle_, message, wParam, lParam));
  }
  bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return PostMessageW(handle_, message, wParam, lParam) != FALSE;
  }
  bool SetPos(int x, int y, int width, int height, UINT flags) const {
    return Checked(SetWindowPos(handle_, nullptr, x, y, width, height, flags) != FALSE);
  }
  // WM_STYLECHANGING and WM_STYLECHANGED go to the window on the way.
  LONG_PTR SetLong(int index, LONG_PTR value) const {
    return Checked(SetWindowLongPtrW(handle_, index, value));
  }
  bool Show(int command) const { return Checked(ShowWindow(handle_, command) != FALSE); }
  bool SetText(std::string_view text) const {
    return Checked(SetWindowTextW(handle_, win::Widen(text).c_str()) != FALSE);
  }
  // WM_GETTEXTLENGTH and WM_GETTEXT are messages like any other.
  std::string GetText() const;
  HWND Focus() const { return Checked(::SetFocus(handle_)); }
  bool BringToFront() const { return Checked(SetForegroundWindow(handle_) != FALSE); }
  bool Update() const { return Checked(UpdateWindow(handle_) != FALSE); }

 private:
  HWND handle_;
};

// Handle accounting (Handles.cpp): each wrapper counts what it makes and
// what it frees.
HFONT CountedCreateFont(const LOGFONTW& logFont);
HBRUSH CountedCreateBrush(COLORREF colour);
HBITMAP CountBitmap(HBITMAP bitmap);  // counts a bitmap made elsewhere
HDC CountedCreateMemoryDc(HDC compatibleWith);
void CountedDeleteObject(HGDIOBJ object);  // fonts, brushes, bitmaps
void CountedDeleteDc(HDC dc);
// The program icon "MAINICON" drawn for a size; null when the module has none.
HICON CountedLoadProgramIcon(int width, int height);
void CountedDestroyIcon(HICON icon);

// The outline face of the windows' bitmap font, for DPIs other than 96,
// where the bitmap face has no crisp sizes (Font.cpp, PaintText.cpp).
inline constexpr wchar_t kScalableFace[] = L"Microsoft Sans Serif";

// A font with Cyrillic glyphs whatever the system's code page (Font.cpp).
HFONT CreateCyrillicFont(const LOGFONTW& logFont);

// Keys after which a form shows its keyboard cues (FocusCues.cpp).
bool ShowsKeyboardCues(WORD key);

// The resource name of the program icon.
inline constexpr wchar_t kProgramIconName[] = L"MAINICON";

// A memory DC with a bitmap selected, restored and freed on scope exit.
class SelectedBitmapDc {
 public:
  SelectedBitmapDc(HDC compatibleWith, HBITMAP bitmap);
  ~SelectedBitmapDc();
  SelectedBitmapDc(const SelectedBitmapDc&) = delete;
  SelectedBitmapDc& operator=(const SelectedBitmapDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace widgets
