// The window procedure of every control. Each message goes through these
// stages in order; the first that consumes it ends its way:
//   Observe           every message: the application object's general slot,
//                     the control's own and its hint see it; none consumes it.
//   Hook              the program's handlers (mouse down, paint, key down,
//                     mouse enter and leave), the most recently attached
//                     first: the program's events come before the layer's.
//   HandleCommon      what the layer does for every control: a child's
//                     WM_COMMAND and WM_DRAWITEM go to the child's HandleKind as
//                     OCM_COMMAND and OCM_DRAWITEM, a child's WM_CTLCOLOR*
//                     is answered with the child's colours, WM_GETOBJECT and
//                     WM_SETCURSOR are answered for the control itself.
//   HandleKind        the kind's: every message a kind handles, of its own
//                     window or reflected from its parent, and nothing else
//                     of the kind's runs in another stage.
//   DefaultProcedure  the window class's own procedure.
// WM_NCDESTROY only goes to Observe; the window is then let go of.
#include <windowsx.h>

#include "widgets/Accessible.h"
#include "widgets/Hints.h"
#include "widgets/WidgetsInternal.h"

#include <olectl.h>

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
  if (GetKeyState(VK_SHIFT) < 0) shift |= base::kShiftHeld;
  if (GetKeyState(VK_CONTROL) < 0) shift |= base::kCtrlHeld;
  if (GetKeyState(VK_MENU) < 0) shift |= base::kAltHeld;
  return shift;
}

bool IsMouseMessage(UINT message) { return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST; }

}  // namespace

// No exception leaves the procedure: it waits as the pending one. A control
// destroyed inside its own message goes when the message is done.
LRESULT CALLBACK Control::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
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
  Control& c = *control;

  LRESULT result = 0;
  ++c.lockCount_;
  try {
    c.Observe(message, wParam, lParam);
    if (message != WM_NCDESTROY && !c.Hook(message, wParam, lParam, result) && !c.destroyPending_ &&
        !c.HandleCommon(message, wParam, lParam, result) &&
        !c.HandleKind(message, wParam, lParam, result)) {
      result = c.DefaultProcedure(message, wParam, lParam);
    }
  } catch (...) {
    StorePendingException(std::current_exception());
  }
  if (message == WM_NCDESTROY) {
    --c.lockCount_;
    try {
      return c.DetachWindow(wParam, lParam);
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

// ---------------------------------------------------------------- observe

void Control::Observe(UINT message, WPARAM wParam, LPARAM lParam) {
  LayerState& state = State();
  Control* application = state.currentApplication;
  if (state.running && application && application != this && application->messageHandler_) {
    application->messageHandler_.fn(application->messageHandler_.context, this, message, wParam,
                                    lParam);
  }
  if (messageHandler_) messageHandler_.fn(messageHandler_.context, this, message, wParam, lParam);
  if (!hint_) return;
  // What the hint's sends to its tooltip picked up waits for the layer
  // operation or the loop: the control's own processing goes on.
  try {
    hint_->Observe(message, wParam, lParam);
  } catch (...) {
    StorePendingException(std::current_exception());
  }
}

// ---------------------------------------------------------------- hook

bool Control::Hook(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result) {
  for (size_t i = hooks_.size(); i-- > 0;) {
    if ((this->*hooks_[i])(message, wParam, lParam, result) || destroyPending_) return true;
  }
  return false;
}

void Control::AttachHook(MessageHook hook) {
  for (MessageHook attached : hooks_) {
    if (attached == hook) return;
  }
  hooks_.push_back(hook);
}

bool Control::MouseDownHook(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result) {
  int button;
  switch (message) {
    case WM_LBUTTONDOWN: button = kLeftButton; break;
    case WM_RBUTTONDOWN: button = kRightButton; break;
    case WM_MBUTTONDOWN: button = kMiddleButton; break;
    default: return false;
  }
  unsigned shift = LOWORD(wParam);
  if (GetKeyState(VK_MENU) < 0) shift |= base::kAltHeld;
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
  if (key != 0) {
    wParam = key;
    return false;
  }
  // A key sent without a scan code went past TranslateMessage: no
  // character follows it.
  if (ScanCode(lParam) != 0) {
    eatenCharacter_ = {message == WM_KEYDOWN ? UINT{WM_CHAR} : UINT{WM_SYSCHAR}, ScanCode(lParam)};
  }
  result = 0;
  return true;
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

void Control::SetMessageHandler(MessageHandler fn, void* context) {
  messageHandler_ = {fn, context};
}

// ---------------------------------------------------------------- handle

// What every control does: children's notifications, drawing and colours go
// back to the child, a screen reader is answered and the cursor shows over
// the client area.
bool Control::HandleCommon(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND:
      // A child's notification goes back to the child (a bitmap button's
      // Click sends it to the button itself).
      if (Control* source = ControlFromHandle(reinterpret_cast<HWND>(lParam))) {
        WPARAM reflected = wParam;
        LRESULT ignored = 0;
        source->HandleKind(OCM_COMMAND, reflected, lParam, ignored);
        result = 0;
        return true;
      }
      break;
    case WM_DRAWITEM: {
      Control* source = ControlFromHandle(reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem);
      WPARAM reflected = wParam;
      if (source && source->HandleKind(OCM_DRAWITEM, reflected, lParam, result)) return true;
      break;
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      if (Control* child = ControlFromHandle(reinterpret_cast<HWND>(lParam));
          child && child != this) {
        result = child->PaintColours(reinterpret_cast<HDC>(wParam));
        return true;
      }
      break;
    case WM_GETOBJECT:
      // A screen reader asks for the client area: the control answers for
      // itself where it has a name, role or action of its own.
      if (static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT && AnswersForItself() &&
          AnswerAccessibleObject(*this, window_, wParam, accessible_, result))
        return true;
      break;
    case WM_SETCURSOR:
      if (!cursor_ || LOWORD(lParam) != HTCLIENT || GetCapture()) break;
      ::SetCursor(cursor_);
      result = TRUE;
      return true;
  }
  return false;
}

// A control inside a form: whatever brings it the focus makes it the form's
// current control, and its key messages may move the focus on.
bool Control::HandleKind(UINT message, WPARAM& wParam, LPARAM, LRESULT& result) {
  switch (message) {
    case WM_SETFOCUS:
      if (Form* form = OwningForm(); form && !destroying_) form->SetCurrentControl(this);
      return false;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (Form* form = OwningForm(); form && ShowsKeyboardCues(static_cast<WORD>(wParam))) {
        form->KeyboardUsed();
      }
      return NavigateKey(message, wParam, result);
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR: return NavigateKey(message, wParam, result);
  }
  return false;
}

LRESULT Control::DefaultProcedure(UINT message, WPARAM wParam, LPARAM lParam) {
  if (systemProcedure_) return CallWindowProcW(systemProcedure_, window_, message, wParam, lParam);
  return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace widgets
