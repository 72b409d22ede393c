// A control's window from creation to WM_NCDESTROY: made the first time its
// handle is needed (parents first), given every stored property, linked to
// its control, and let go of again.
#include "base/Assert.h"
#include "base/FloatingPoint.h"
#include "widgets/Accessible.h"
#include "widgets/WidgetsInternal.h"

namespace widgets {

const wchar_t* Control::LayerClass(const wchar_t* name, UINT classStyle) {
  WNDCLASSW windowClass{};
  windowClass.style = classStyle;
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = ModuleInstance();
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = name;
  ZEM_ASSERT(RegisterClassW(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS,
             "Can not register window class");
  return name;
}

HWND Control::EnsureWindow() {
  if (!window_) {
    if (parent_) parent_->EnsureWindow();
    CreateWindowNow();
  }
  return window_;
}

void Control::CreateWindowNow() {
  const wchar_t* windowClass = WindowClass();
  LayerState& state = State();

  // Made hidden until SetVisible(true) or the loop shows it. A child made
  // while the loop runs (an added odds row) shows with its parent at once; a
  // form waits for SetVisible or ShowAndActivate, so it is not seen before
  // it is in place.
  const bool child = (style_ & WS_CHILD) != 0;
  const bool visible = (style_ & WS_VISIBLE) && (visibleSet_ || (state.running && child));
  const DWORD style = visible ? style_ : style_ & ~WS_VISIBLE;

  const RECT shown = ShownBounds();
  int x = shown.left;
  int y = shown.top;
  int width = shown.right - shown.left;
  int height = shown.bottom - shown.top;
  if (!child) {
    if (!positionSet_) x = y = CW_USEDEFAULT;
    if (width == 0) width = CW_USEDEFAULT;
    if (height == 0) height = CW_USEDEFAULT;
  }
  HWND parentWindow = parent_ ? parent_->window_ : nullptr;
  HMENU menu = child ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id_)) : nullptr;

  HWND window;
  {
    base::FpuGuard fpu;
    window = CreateWindowExW(exStyle_, windowClass, win::Widen(text_).c_str(), style, x, y, width,
                             height, parentWindow, menu, ModuleInstance(), this);
  }
  if (!window) RethrowPendingException();
  ZEM_ASSERT(window, "Can not create window");
  if (!window_) {
    // A system class: the window is ours from here on.
    window_ = window;
    LinkWindow(window, this);
    systemProcedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProcedure)));
  }
  createdHidden_ = (style_ & WS_VISIBLE) && !visible;
  if (!child) dpi_ = DpiOfWindow(window_);
  if (font_) {
    Window(window_).Send(WM_SETFONT, reinterpret_cast<WPARAM>(font_->Handle()), FALSE);
  }
  WindowCreated();
  // The window is linked and complete: what its first messages threw goes on.
  RethrowPendingException();
}

void Control::CreateWindowTree() {
  EnsureWindow();
  for (size_t i = 0; i < children_.size(); ++i) children_[i]->CreateWindowTree();
}

void Control::ShowCreatedHidden() {
  if (window_ && createdHidden_) {
    createdHidden_ = false;
    Window(window_).Show(SW_SHOW);
  }
  for (size_t i = 0; i < children_.size(); ++i) children_[i]->ShowCreatedHidden();
}

LRESULT Control::DetachWindow(WPARAM wParam, LPARAM lParam) {
  HWND window = window_;
  WNDPROC systemProcedure = systemProcedure_;
  // The window procedure stays as it is: no message follows this one, and a
  // tooltip may have subclassed the window after the layer did.
  UnlinkWindow(window);
  // A client may hold the window's accessible object longer than the window
  // lives: from here on it answers that it is not connected.
  ReleaseAccessibleObject(accessible_);
  window_ = nullptr;
  systemProcedure_ = nullptr;
  createdHidden_ = false;
  mouseInside_ = false;
  const LRESULT result = systemProcedure ? CallWindowProcW(systemProcedure, window, WM_NCDESTROY,
                                                           wParam, lParam)
                                         : DefWindowProcW(window, WM_NCDESTROY, wParam, lParam);
  WindowDestroyed();  // may free the control: nothing of it is used after this
  return result;
}

}  // namespace widgets
