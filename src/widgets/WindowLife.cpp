// A control's window from creation to WM_NCDESTROY: made the first time its
// handle is needed (parents first), given every stored property, linked to
// its control, and let go of again.
#include "base/Assert.h"
#include "base/FloatingPoint.h"
#include "widgets/Accessible.h"
#include "widgets/WidgetsInternal.h"

namespace widgets {

const wchar_t* LayerClass(const wchar_t* name, UINT classStyle) {
  WNDCLASSW windowClass{};
  windowClass.style = classStyle;
  windowClass.lpfnWndProc = ControlWindowProcedure;
  windowClass.hInstance = ModuleInstance();
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = name;
  ZEM_ASSERT(RegisterClassW(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS,
             "Can not register window class");
  return name;
}

HWND Control::Handle() {
  if (!window_) {
    if (parent_) parent_->Handle();
    Internals::CreateWindowNow(*this);
  }
  return window_;
}

void Control::Internals::CreateWindowNow(Control& c) {
  const wchar_t* windowClass = c.WindowClass();
  LayerState& state = State();

  // Made hidden until SetVisible(true) or the loop shows it. A child made
  // while the loop runs (an added odds row) shows with its parent at once; a
  // form waits for SetVisible or ShowAndActivate, so it is not seen before
  // it is in place.
  const bool child = (c.style_ & WS_CHILD) != 0;
  const bool visible = (c.style_ & WS_VISIBLE) && (c.visibleSet_ || (state.running && child));
  const DWORD style = visible ? c.style_ : c.style_ & ~WS_VISIBLE;

  int x = c.bounds_.left;
  int y = c.bounds_.top;
  int width = c.bounds_.right - c.bounds_.left;
  int height = c.bounds_.bottom - c.bounds_.top;
  if (!child) {
    if (!c.positionSet_) x = y = CW_USEDEFAULT;
    if (width == 0) width = CW_USEDEFAULT;
    if (height == 0) height = CW_USEDEFAULT;
  }
  HWND parentWindow = c.parent_ ? c.parent_->window_ : nullptr;
  HMENU menu = child ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(c.id_)) : nullptr;

  HWND window;
  {
    base::FpuGuard fpu;
    window = CreateWindowExW(c.exStyle_, windowClass, win::Widen(c.text_).c_str(), style, x, y,
                             width, height, parentWindow, menu, ModuleInstance(), &c);
  }
  if (!window) RethrowPendingException();
  ZEM_ASSERT(window, "Can not create window");
  if (!c.window_) {
    // A system class: the window is ours from here on.
    c.window_ = window;
    LinkWindow(window, &c);
    c.systemProcedure_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlWindowProcedure)));
  }
  c.createdHidden_ = (c.style_ & WS_VISIBLE) && !visible;
  if (c.font_) {
    Window(c.window_).Send(WM_SETFONT, reinterpret_cast<WPARAM>(c.font_->Handle()), FALSE);
  }
  c.WindowCreated();
  // The window is linked and complete: what its first messages threw goes on.
  RethrowPendingException();
}

void Control::CreateWindowTree() {
  Handle();
  for (size_t i = 0; i < children_.size(); ++i) children_[i]->CreateWindowTree();
}

void Control::ShowCreatedHidden() {
  if (window_ && createdHidden_) {
    createdHidden_ = false;
    Window(window_).Show(SW_SHOW);
  }
  for (size_t i = 0; i < children_.size(); ++i) children_[i]->ShowCreatedHidden();
}

LRESULT Control::Internals::DetachWindow(Control& c, WPARAM wParam, LPARAM lParam) {
  HWND window = c.window_;
  WNDPROC systemProcedure = c.systemProcedure_;
  // The window procedure stays as it is: no message follows this one, and a
  // tooltip may have subclassed the window after the layer did.
  UnlinkWindow(window);
  // A client may hold the window's accessible object longer than the window
  // lives: from here on it answers that it is not connected.
  ReleaseAccessibleObject(c.accessible_);
  c.window_ = nullptr;
  c.systemProcedure_ = nullptr;
  c.createdHidden_ = false;
  c.mouseInside_ = false;
  const LRESULT result = systemProcedure ? CallWindowProcW(systemProcedure, window, WM_NCDESTROY,
                                                           wParam, lParam)
                                         : DefWindowProcW(window, WM_NCDESTROY, wParam, lParam);
  c.WindowDestroyed();  // may free the control: nothing of it is used after this
  return result;
}

}  // namespace widgets
