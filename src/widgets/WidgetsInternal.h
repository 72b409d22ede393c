// Shared inside the widget layer only: process state, handle accounting and
// the pieces the window procedure and the creators have in common.
#pragma once

#include "widgets/Widgets.h"

namespace widgets {

// The window property that links a window to its control.
inline constexpr char kSelfProperty[] = "SELF_";
inline constexpr char kApplicationClass[] = "App";
inline constexpr char kFormClass[] = "Form";

// Moving a window by the mouse, as if its caption were dragged.
inline constexpr WPARAM kDragMove = SC_MOVE | HTCAPTION;  // 0xF012

LRESULT CALLBACK ControlWindowProcedure(HWND window, UINT message, WPARAM wParam,
                                        LPARAM lParam);

// Process state of the layer (Application.cpp).
struct LayerState {
  bool running = false;
  bool terminated = false;
  Control* currentApplication = nullptr;
  Control* applicationObject = nullptr;  // the one made by create application object
  Control* mainForm = nullptr;
  std::exception_ptr pendingException;
  bool failing = false;  // an escaped exception is on its way to the error box
  int gdiObjects = 0;
  int windows = 0;
  int icons = 0;
};
LayerState& State();
bool ShuttingDown();  // the application object is being destroyed after the loop

// Keeps the first exception that escapes a window procedure and, while the
// loop runs, asks the loop to end.
void StorePendingException(std::exception_ptr exception);

// Handle accounting: each wrapper counts what it makes and what it frees.
HFONT CountedCreateFont(const LOGFONTA& logFont);
HBRUSH CountedCreateBrush(COLORREF colour);
HBITMAP CountBitmap(HBITMAP bitmap);  // counts a bitmap made elsewhere
HDC CountedCreateMemoryDc(HDC compatibleWith);
void CountedDeleteObject(HGDIOBJ object);  // fonts, brushes, bitmaps
void CountedDeleteDc(HDC dc);
HICON CountedCopyIcon(HICON icon);
void CountedDestroyIcon(HICON icon);

// The program icon "MAINICON", loaded once; null when the module has none.
HICON ProgramIcon();

// Shift state of the keyboard as mouse and key handlers get it.
unsigned KeyboardShiftState();

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
