// The window procedure of every control, and the four stages it runs a
// message through, in this order:
//   Stage1Observe  the application object's general slot, the control's own
//                  general slot and its hint see the message; none consumes it;
//   Stage2Hook     the handlers' hooks, the most recently attached first,
//                  then the kind's own (KindHook); one may consume it;
//   Stage3Handle   what every control does (reflected notifications and
//                  drawing, the cursor), then the kind's (KindHandling);
//   Stage4Default  the window class's own procedure (DefaultProcedure).
#include <windowsx.h>

#include "widgets/Accessible.h"
#include "widgets/Hints.h"
#include "widgets/WidgetsInternal.h"

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
WORD ScanCode(LPARAM lParam) {
  return static_cast<WORD>((lParam >> kScanCodeShift) & kScanCodeBits);
}

// Shift state of the keyboard as mouse and key handlers get it.
unsigned KeyboardShiftState() {
  unsigned shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= kShiftKey;
  if (GetKeyState(VK_CONTROL) < 0) shift |= kCtrlKey;
  if (GetKeyState(VK_MENU) < 0) shift |= kAltKey;
  return shift;
}

bool IsMouseMessage(UINT message) { return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST; }

}  // namespace

LRESULT CALLBACK ControlWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Control* control = ControlFromHandle(window);
  if (!control && message == WM_NCCREATE) {
    // The layer's own classes link the window before any other message.
    control = static_cast<Control*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (control) Control::Internals::Link(*control, window);
  }
  if (!control) return DefWindowProcW(window, message, wParam, lParam);
  return Control::Internals::Process(*control, message, wParam, lParam);
}

// No exception leaves the procedure: it waits as the pending one. A control
// destroyed inside its own message goes when the message is done.
LRESULT Control::Internals::Process(Control& c, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  ++c.lockCount_;
  try {
    result = RunStages(c, message, wParam, lParam);
  } catch (...) {
    StorePendingException(std::current_exception());
  }
  if (message == WM_NCDESTROY) {
    --c.lockCount_;
    try {
      return DetachWindow(c, wParam, lParam);
    } catch (...) {
      StorePendingException(std::current_exception());
      return 0;
    }
  }
  if (--c.lockCount_ == 0 && c.destroyPending_) {
    try {
      c.DestroyNow();
    } catch (...) {
      StorePendingException(std::current_exception());
    }
  }
  return result;
}

LRESULT Control::Internals::RunStages(Control& c, UINT message, WPARAM wParam, LPARAM lParam) {
  Stage1Observe(c, message, wParam, lParam);
  // The last message only goes to the observers; DetachWindow does the rest.
  if (message == WM_NCDESTROY) return 0;
  LRESULT result = 0;
  if (Stage2Hook(c, message, wParam, lParam, result) || c.destroyPending_) return result;
  if (Stage3Handle(c, message, wParam, lParam, result)) return result;
  return c.DefaultProcedure(message, wParam, lParam);
}

// ---------------------------------------------------------------- stage 1

void Control::Internals::Stage1Observe(Control& c, UINT message, WPARAM wParam, LPARAM lParam) {
  LayerState& state = State();
  Control* application = state.currentApplication;
  if (state.running && application && application != &c && application->messageHandler_) {
    application->messageHandler_.fn(application->messageHandler_.context, &c, message, wParam,
                                    lParam);
  }
  if (c.messageHandler_)
    c.messageHandler_.fn(c.messageHandler_.context, &c, message, wParam, lParam);
  if (!c.hint_) return;
  // What the hint's sends to its tooltip picked up waits for the layer
  // operation or the loop: the control's own processing goes on.
  try {
    c.hint_->Observe(message, wParam, lParam);
  } catch (...) {
    StorePendingException(std::current_exception());
  }
}

// ---------------------------------------------------------------- stage 2

bool Control::Internals::Stage2Hook(Control& c, UINT message, WPARAM& wParam, LPARAM lParam,
                                    LRESULT& result) {
  for (size_t i = c.hooks_.size(); i-- > 0;) {
    if (c.hooks_[i](c, message, wParam, lParam, result) || c.destroyPending_) return true;
  }
  return c.KindHook(message, wParam, lParam, result);
}

void Control::Internals::AttachHook(Control& c, MessageHook hook) {
  for (MessageHook attached : c.hooks_) {
    if (attached == hook) return;
  }
  c.hooks_.push_back(hook);
}

bool Control::Internals::MouseDownHook(Control& c, UINT message, WPARAM& wParam, LPARAM lParam,
                                       LRESULT& result) {
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
  c.mouseDown_.fn(c.mouseDown_.context, &c, event);
  if (!event.stop) return false;
  result = 0;
  return true;
}

bool Control::Internals::PaintHook(Control& c, UINT message, WPARAM& wParam, LPARAM,
                                   LRESULT& result) {
  if (message != WM_PAINT && message != WM_PRINTCLIENT) return false;
  // EndPaint must follow even when the handler throws.
  struct PaintScope {
    HWND window;
    PAINTSTRUCT paint{};
    HDC dc = nullptr;
    ~PaintScope() {
      if (dc) EndPaint(window, &paint);
    }
  } scope{c.window_};
  auto dc = reinterpret_cast<HDC>(wParam);
  if (!dc) dc = scope.dc = BeginPaint(c.window_, &scope.paint);
  c.paint_.fn(c.paint_.context, &c, dc);
  result = 0;
  return true;
}

// An eaten key types nothing either. TranslateMessage has queued the
// character of the key press behind whatever was posted before it, so the
// character is not taken off the queue here: it is known when it arrives,
// by the key's scan code, which TranslateMessage gives it; a character
// posted by anyone else goes through. It comes before any later key.
bool Control::Internals::KeyDownHook(Control& c, UINT message, WPARAM& wParam, LPARAM lParam,
                                     LRESULT& result) {
  if (message == WM_CHAR || message == WM_SYSCHAR) {
    if (message != c.eatenCharacter_.message || ScanCode(lParam) != c.eatenCharacter_.scanCode)
      return false;
    c.eatenCharacter_ = {};
    result = 0;
    return true;
  }
  if (message != WM_KEYDOWN && message != WM_SYSKEYDOWN) return false;
  c.eatenCharacter_ = {};
  auto key = static_cast<WORD>(wParam);
  c.keyDown_.fn(c.keyDown_.context, &c, key, KeyboardShiftState());
  if (key != 0) {
    wParam = key;
    return false;
  }
  // A key sent without a scan code went past TranslateMessage: no
  // character follows it.
  if (ScanCode(lParam) != 0) {
    c.eatenCharacter_ = {message == WM_KEYDOWN ? UINT{WM_CHAR} : UINT{WM_SYSCHAR},
                         ScanCode(lParam)};
  }
  result = 0;
  return true;
}

bool Control::Internals::MouseEnterHook(Control& c, UINT message, WPARAM&, LPARAM lParam,
                                        LRESULT&) {
  bool inside;
  if (message == WM_MOUSELEAVE) {
    inside = false;
  } else if (IsMouseMessage(message)) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (message == WM_MOUSEWHEEL || message == WM_MOUSEHWHEEL) ScreenToClient(c.window_, &point);
    RECT client;
    GetClientRect(c.window_, &client);
    inside = PtInRect(&client, point) != FALSE;
  } else {
    return false;
  }
  if (inside == c.mouseInside_) return false;
  c.mouseInside_ = inside;
  c.MouseInsideChanged();
  if (inside) {
    RequestMouseLeave(c.window_);
    if (c.mouseEnter_) c.mouseEnter_.fn(c.mouseEnter_.context, &c);
  } else if (c.mouseLeave_) {
    c.mouseLeave_.fn(c.mouseLeave_.context, &c);
  }
  return false;
}

void Control::SetMouseDownHandler(MouseHandler fn, void* context) {
  mouseDown_ = {fn, context};
  if (fn) Internals::AttachHook(*this, &Internals::MouseDownHook);
}

void Control::SetPaintHandler(PaintHandler fn, void* context) {
  paint_ = {fn, context};
  if (fn) Internals::AttachHook(*this, &Internals::PaintHook);
}

void Control::SetKeyDownHandler(KeyHandler fn, void* context) {
  keyDown_ = {fn, context};
  if (fn) Internals::AttachHook(*this, &Internals::KeyDownHook);
}

void Control::SetMouseEnterHandler(NotifyHandler fn, void* context) {
  mouseEnter_ = {fn, context};
  if (fn) Internals::AttachHook(*this, &Internals::MouseEnterHook);
}

void Control::SetMouseLeaveHandler(NotifyHandler fn, void* context) {
  mouseLeave_ = {fn, context};
  if (fn) Internals::AttachHook(*this, &Internals::MouseEnterHook);
}

void Control::SetMessageHandler(MessageHandler fn, void* context) {
  messageHandler_ = {fn, context};
}

// ---------------------------------------------------------------- stage 3

// What every control does: children's notifications and drawing go back to
// the child, and the cursor shows over the client area. The rest is the
// kind's.
bool Control::Internals::Stage3Handle(Control& c, UINT message, WPARAM& wParam, LPARAM lParam,
                                      LRESULT& result) {
  switch (message) {
    case WM_COMMAND:
      // A child's notification goes back to the child (a bitmap button's
      // Click sends it to the button itself).
      if (Control* source = ControlFromHandle(reinterpret_cast<HWND>(lParam))) {
        source->ReflectedCommand(HIWORD(wParam));
        result = 0;
        return true;
      }
      break;
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      Control* source = ControlFromHandle(item->hwndItem);
      if (source && source->ReflectedDrawItem(*item)) {
        result = TRUE;
        return true;
      }
      break;
    }
    case WM_GETOBJECT:
      // A screen reader asks for the client area: the control answers for
      // itself where it has a name, role or action of its own.
      if (static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT &&
          Internals::AnswersForItself(c) && AnswerAccessibleObject(c, c.window_, wParam, result))
        return true;
      break;
    case WM_SETCURSOR:
      if (!c.cursor_ || LOWORD(lParam) != HTCLIENT || GetCapture()) break;
      ::SetCursor(c.cursor_);
      result = TRUE;
      return true;
  }
  return c.KindHandling(message, wParam, lParam, result);
}

// A control inside a form: whatever brings it the focus makes it the form's
// current control, and its key messages may move the focus on.
bool Control::KindHandling(UINT message, WPARAM& wParam, LPARAM, LRESULT& result) {
  switch (message) {
    case WM_SETFOCUS:
      if (Form* form = OwningForm(); form && !destroying_) form->currentControl_ = this;
      return false;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR: return NavigateKey(message, wParam, result);
  }
  return false;
}

// ---------------------------------------------------------------- stage 4

LRESULT Control::DefaultProcedure(UINT message, WPARAM wParam, LPARAM lParam) {
  if (systemProcedure_) return CallWindowProcW(systemProcedure_, window_, message, wParam, lParam);
  return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace widgets
