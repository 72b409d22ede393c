// A control's window: creation, the window procedure and its dispatch order,
// the handlers' hooks, reflected notifications and a child's own handling.
#include "widgets/WidgetsInternal.h"

#include <windowsx.h>

#include "base/Assert.h"
#include "base/FloatingPoint.h"
#include "widgets/Hints.h"

namespace widgets {

namespace {

// Asks for WM_MOUSELEAVE. The system's own request is the one the common
// controls library forwards to; the library need not be loaded for it.
void RequestMouseLeave(HWND window) {
  TRACKMOUSEEVENT request{sizeof request, TME_LEAVE, window, 0};
  TrackMouseEvent(&request);
}

// The scan code and extended-key bit of a key or character message.
constexpr int kScanCodeShift = 16;
constexpr LPARAM kScanCodeBits = 0x1FF;
WORD ScanCode(LPARAM lParam) { return static_cast<WORD>((lParam >> kScanCodeShift) & kScanCodeBits); }

bool IsMouseMessage(UINT message) {
  return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST;
}

}  // namespace

// ---------------------------------------------------------------- creation

HWND Control::Handle() {
  if (!window_) {
    if (parent_) parent_->Handle();
    CreateWindowNow();
  }
  return window_;
}

void Control::CreateWindowNow() {
  const wchar_t* windowClass = WindowClass();
  LayerState& state = State();

  // Made hidden until set visible (true) or the loop shows it. A child made
  // while the loop runs (an added odds row) shows with its parent at once; a
  // form waits for set visible or show and activate, so it is not seen
  // before it is in place.
  bool child = (style_ & WS_CHILD) != 0;
  bool visible = (style_ & WS_VISIBLE) && (visibleSet_ || (state.running && child));
  DWORD style = visible ? style_ : style_ & ~WS_VISIBLE;

  int x = bounds_.left;
  int y = bounds_.top;
  int width = bounds_.right - bounds_.left;
  int height = bounds_.bottom - bounds_.top;
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
    window = CreateWindowExW(exStyle_, windowClass, Widen(text_).c_str(), style, x, y, width,
                             height, parentWindow, menu, ModuleInstance(), this);
  }
  if (!window) RethrowPendingException();
  ZEM_ASSERT(window, "Can not create window");
  if (!window_) {
    // A system class: the window is ours from here on.
    window_ = window;
    LinkWindow(window, this);
    systemProcedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlWindowProcedure)));
  }
  createdHidden_ = (style_ & WS_VISIBLE) && !visible;
  ApplyStoredProperties();
  // The window is linked and complete: what its first messages threw goes on.
  RethrowPendingException();
}

void Control::ApplyStoredProperties() {
  if (font_) Window(window_).Send(WM_SETFONT, reinterpret_cast<WPARAM>(font_->Handle()), FALSE);
  WindowCreated();
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

LRESULT Control::DetachWindow(WPARAM wParam, LPARAM lParam) {
  HWND window = window_;
  WNDPROC systemProcedure = systemProcedure_;
  // The window procedure stays as it is: no message follows this one, and a
  // tooltip may have subclassed the window after the layer did.
  UnlinkWindow(window);
  window_ = nullptr;
  systemProcedure_ = nullptr;
  createdHidden_ = false;
  mouseInside_ = false;
  LRESULT result = systemProcedure
                       ? CallWindowProcW(systemProcedure, window, WM_NCDESTROY, wParam, lParam)
                       : DefWindowProcW(window, WM_NCDESTROY, wParam, lParam);
  WindowDestroyed();  // may free the control: nothing of it is used after this
  return result;
}

// ---------------------------------------------------------------- dispatch

LRESULT CALLBACK ControlWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Control* control = ControlFromHandle(window);
  if (!control && message == WM_NCCREATE) {
    // The layer's own classes link the window before any other message.
    control = static_cast<Control*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (control) {
      control->window_ = window;
      LinkWindow(window, control);
    }
  }
  if (!control) return DefWindowProcW(window, message, wParam, lParam);

  LRESULT result = 0;
  ++control->lockCount_;
  try {
    result = control->Dispatch(message, wParam, lParam);
  } catch (...) {
    StorePendingException(std::current_exception());
  }
  if (message == WM_NCDESTROY) {
    --control->lockCount_;
    try {
      return control->DetachWindow(wParam, lParam);
    } catch (...) {
      StorePendingException(std::current_exception());
      return 0;
    }
  }
  if (--control->lockCount_ == 0 && control->destroyPending_) {
    try {
      control->DestroyNow();
    } catch (...) {
      StorePendingException(std::current_exception());
    }
  }
  return result;
}

LRESULT Control::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  LayerState& state = State();
  // (0) The application object's general slot sees every message.
  Control* application = state.currentApplication;
  if (state.running && application && application != this && application->messageHandler_) {
    application->messageHandler_.fn(application->messageHandler_.context, this, message, wParam,
                                    lParam);
  }
  // (1) The control's own general slot, then its hint.
  if (messageHandler_) messageHandler_.fn(messageHandler_.context, this, message, wParam, lParam);
  if (hint_) ObserveByHint(message, wParam, lParam);
  // The last message only goes to the observers; DetachWindow does the rest.
  if (message == WM_NCDESTROY) return 0;

  // (2) The handlers' hooks, the most recently attached first, then the
  // kind's own.
  LRESULT result = 0;
  for (size_t i = hooks_.size(); i-- > 0;) {
    Hook hook = hooks_[i];
    if ((this->*hook)(message, wParam, lParam, result) || destroyPending_) return result;
  }
  if (HookMessage(message, wParam, lParam, result) || destroyPending_) return result;
  // (3) Built-in handling, (4) the default procedure.
  if (BuiltInHandling(message, wParam, lParam, result)) return result;
  return DefaultProcessing(message, wParam, lParam);
}

// The hint never consumes a message, and what its sends to the tooltip
// picked up waits for the layer operation or the loop: the control's own
// processing goes on.
void Control::ObserveByHint(UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    hint_->Observe(message, wParam, lParam);
  } catch (...) {
    StorePendingException(std::current_exception());
  }
}

LRESULT Control::DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam) {
  if (systemProcedure_) return CallWindowProcW(systemProcedure_, window_, message, wParam, lParam);
  return DefWindowProcW(window_, message, wParam, lParam);
}

void Control::AttachHook(Hook hook) {
  for (Hook attached : hooks_) {
    if (attached == hook) return;
  }
  hooks_.push_back(hook);
}

// ---------------------------------------------------------------- handlers' hooks

bool Control::MouseDownHook(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result) {
  int button;
  switch (message) {
    case WM_LBUTTONDOWN: button = kLeftButton; break;
    case WM_RBUTTONDOWN: button = kRightButton; break;
    case WM_MBUTTONDOWN: button = kMiddleButton; break;
    default: return false;
  }
  unsigned shift = LOWORD(wParam);
  if (GetKeyState(VK_MENU) < 0) shift |= kAltKey;
  MouseEvent event{button, false, shift, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  mouseDown_.fn(mouseDown_.context, this, event);
  if (!event.stop) return false;
  result = 0;
  return true;
}

bool Control::PaintHook(UINT message, WPARAM& wParam, LPARAM, LRESULT& result) {
  if (message != WM_PAINT && message != WM_PRINTCLIENT) return false;
  // EndPaint must follow even when the handler throws.
  struct PaintScope {
    HWND window;
    PAINTSTRUCT paint{};
    HDC dc = nullptr;
    ~PaintScope() {
      if (dc) EndPaint(window, &paint);
    }
  } scope{window_};
  auto dc = reinterpret_cast<HDC>(wParam);
  if (!dc) dc = scope.dc = BeginPaint(window_, &scope.paint);
  paint_.fn(paint_.context, this, dc);
  result = 0;
  return true;
}

// An eaten key types nothing either. TranslateMessage has queued the
// character of the key press behind whatever was posted before it, so the
// character is not taken off the queue here: it is known when it arrives,
// by the key's scan code, which TranslateMessage gives it; a character
// posted by anyone else goes through. It comes before any later key.
bool Control::KeyDownHook(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_CHAR || message == WM_SYSCHAR) {
    if (message != eatenCharacter_.message || ScanCode(lParam) != eatenCharacter_.scanCode)
      return false;
    eatenCharacter_ = {};
    result = 0;
    return true;
  }
  if (message != WM_KEYDOWN && message != WM_SYSKEYDOWN) return false;
  eatenCharacter_ = {};
  auto key = static_cast<WORD>(wParam);
  keyDown_.fn(keyDown_.context, this, key, KeyboardShiftState());
  if (key == 0) {
    // A key sent without a scan code went past TranslateMessage: no
    // character follows it.
    if (ScanCode(lParam) != 0) {
      eatenCharacter_ = {message == WM_KEYDOWN ? UINT{WM_CHAR} : UINT{WM_SYSCHAR}, ScanCode(lParam)};
    }
    result = 0;
    return true;
  }
  wParam = key;
  return false;
}

bool Control::MouseEnterHook(UINT message, WPARAM&, LPARAM lParam, LRESULT&) {
  bool inside;
  if (message == WM_MOUSELEAVE) {
    inside = false;
  } else if (IsMouseMessage(message)) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (message == WM_MOUSEWHEEL || message == WM_MOUSEHWHEEL) ScreenToClient(window_, &point);
    RECT client;
    GetClientRect(window_, &client);
    inside = PtInRect(&client, point) != FALSE;
  } else {
    return false;
  }
  if (inside == mouseInside_) return false;
  mouseInside_ = inside;
  MouseInsideChanged();
  if (inside) {
    RequestMouseLeave(window_);
    if (mouseEnter_) mouseEnter_.fn(mouseEnter_.context, this);
  } else if (mouseLeave_) {
    mouseLeave_.fn(mouseLeave_.context, this);
  }
  return false;
}

void Control::SetMouseDownHandler(MouseHandler fn, void* context) {
  mouseDown_ = {fn, context};
  if (fn) AttachHook(&Control::MouseDownHook);
}

void Control::SetPaintHandler(PaintHandler fn, void* context) {
  paint_ = {fn, context};
  if (fn) AttachHook(&Control::PaintHook);
}

void Control::SetKeyDownHandler(KeyHandler fn, void* context) {
  keyDown_ = {fn, context};
  if (fn) AttachHook(&Control::KeyDownHook);
}

void Control::SetMouseEnterHandler(NotifyHandler fn, void* context) {
  mouseEnter_ = {fn, context};
  if (fn) AttachHook(&Control::MouseEnterHook);
}

void Control::SetMouseLeaveHandler(NotifyHandler fn, void* context) {
  mouseLeave_ = {fn, context};
  if (fn) AttachHook(&Control::MouseEnterHook);
}

void Control::SetMessageHandler(MessageHandler fn, void* context) { messageHandler_ = {fn, context}; }

// ---------------------------------------------------------------- built-in handling

// What every control does: children's notifications and drawing go back to
// the child, and the cursor shows over the client area. The rest is the
// kind's.
bool Control::BuiltInHandling(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND:
      // A child's notification goes back to the child (a bitmap button's
      // click operation sends it to the button itself).
      if (Control* source = ControlFromHandle(reinterpret_cast<HWND>(lParam))) {
        source->Notified(HIWORD(wParam));
        result = 0;
        return true;
      }
      break;
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      Control* source = ControlFromHandle(item->hwndItem);
      if (source && source->DrawItem(*item)) {
        result = TRUE;
        return true;
      }
      break;
    }
    case WM_SETCURSOR:
      if (!cursor_ || LOWORD(lParam) != HTCLIENT || GetCapture()) break;
      ::SetCursor(cursor_);
      result = TRUE;
      return true;
  }
  return HandleMessage(message, wParam, lParam, result);
}

// A control inside a form: whatever brings it the focus makes it the form's
// current control, and its key messages may move the focus on.
bool Control::HandleMessage(UINT message, WPARAM& wParam, LPARAM, LRESULT& result) {
  switch (message) {
    case WM_SETFOCUS:
      if (Form* form = OwningForm(); form && !destroying_) form->currentControl_ = this;
      return false;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
      return NavigateKey(message, wParam, result);
  }
  return false;
}

void Control::FireClick() {
  // Focusing some buttons makes them click; that click is not the user's.
  if (settingFocus_) return;
  if (click) click.fn(click.context, this);
}

bool Control::CloseAccepted() {
  if (!close) return true;
  Handler<CloseHandler> handler = close;
  bool accept = true;
  handler.fn(handler.context, this, accept);
  if (!accept && State().running) return false;
  close = {};  // runs at most once
  return true;
}

// ---------------------------------------------------------------- commands

// Other kinds are clicked as the mouse would: press and release at 0, 0.
void Control::Click() {
  const Window window(Handle());
  window.Send(WM_LBUTTONDOWN, MK_LBUTTON, 0);
  window.Send(WM_LBUTTONUP, MK_LBUTTON, 0);
}

void Control::PostClose() { Window(Handle()).Post(WM_CLOSE); }

void Control::StartWindowDrag() { Window(Handle()).Post(WM_SYSCOMMAND, kDragMove); }

void Control::SetMinimiseAnchor(Control* form) {
  if (ApplicationWindow* application = OwningApplication()) application->minimiseAnchor_ = form;
}

}  // namespace widgets
