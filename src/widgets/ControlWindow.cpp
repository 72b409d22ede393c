// A control's window: creation, the window procedure and its dispatch order,
// the layer's hooks, reflected notifications, closing and minimising.
#include "widgets/WidgetsInternal.h"

#include <windowsx.h>

#include <cstdlib>

#include "base/Exception.h"
#include "base/FloatingPoint.h"

namespace widgets {

namespace {

void RegisterLayerClass(ControlKind kind) {
  static bool applicationRegistered = false;
  static bool formRegistered = false;
  bool& registered = kind == ControlKind::Application ? applicationRegistered : formRegistered;
  if (registered) return;
  WNDCLASSA windowClass{};
  windowClass.style = kind == ControlKind::Form ? CS_DBLCLKS : 0;
  windowClass.lpfnWndProc = ControlWindowProcedure;
  windowClass.hInstance = ModuleInstance();
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kind == ControlKind::Application ? kApplicationClass : kFormClass;
  if (!RegisterClassA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    throw base::Exception(base::ErrorKind::AssertionFailed, "Can not register window class");
  }
  registered = true;
}

const char* ClassNameOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::Application: return kApplicationClass;
    case ControlKind::Form: return kFormClass;
    case ControlKind::Label: return "STATIC";
    case ControlKind::EditBox: return "EDIT";
    case ControlKind::BitmapButton: return "BUTTON";
  }
  return "STATIC";
}

using TrackMouseEventFunction = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);

// Asks for WM_MOUSELEAVE; without the function the leave comes only from a
// mouse message outside the control.
void RequestMouseLeave(HWND window) {
  static const auto track = [] {
    HMODULE library = GetModuleHandleA("comctl32.dll");
    return library ? reinterpret_cast<TrackMouseEventFunction>(
                         reinterpret_cast<void*>(GetProcAddress(library, "_TrackMouseEvent")))
                   : nullptr;
  }();
  if (!track) return;
  TRACKMOUSEEVENT request{sizeof request, TME_LEAVE, window, 0};
  track(&request);
}

bool IsMouseMessage(UINT message) {
  return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST;
}

bool IsColourMessage(UINT message) {
  return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
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
  if (kind_ == ControlKind::Application || kind_ == ControlKind::Form) RegisterLayerClass(kind_);
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
    window = CreateWindowExA(exStyle_, ClassNameOf(kind_), text_.c_str(), style, x, y, width,
                             height, parentWindow, menu, ModuleInstance(), this);
  }
  if (!window) {
    RethrowPendingException();
    throw base::Exception(base::ErrorKind::AssertionFailed, "Can not create window");
  }
  if (!window_) {
    // A system class: the window is ours from here on.
    window_ = window;
    SetPropA(window, kSelfProperty, this);
    ++state.windows;
    systemProcedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlWindowProcedure)));
  }
  createdHidden_ = (style_ & WS_VISIBLE) && !visible;
  ApplyStoredProperties();
  RethrowPendingException();
}

void Control::ApplyStoredProperties() {
  if (font_) SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_->Handle()), FALSE);
  if (kind_ == ControlKind::Application || kind_ == ControlKind::Form) SetIcon();
  if (kind_ == ControlKind::Application) {
    // Only the taskbar entry shows: it can be minimised, restored and closed.
    if (HMENU menu = GetSystemMenu(window_, FALSE)) {
      DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
      DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
      DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
      EnableMenuItem(menu, SC_RESTORE, MF_BYCOMMAND | MF_GRAYED);
    }
  }
}

void Control::SetIcon() {
  HICON icon = ProgramIcon();
  if (!icon) return;
  if (kind_ == ControlKind::Form) {
    if (!icon_) icon_ = CountedCopyIcon(icon);
    icon = icon_;
  }
  if (icon) SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

void Control::CreateWindowTree() {
  Handle();
  for (size_t i = 0; i < children_.size(); ++i) children_[i]->CreateWindowTree();
}

void Control::ShowCreatedHidden() {
  if (window_ && createdHidden_) {
    createdHidden_ = false;
    ShowWindow(window_, SW_SHOW);
  }
  for (size_t i = 0; i < children_.size(); ++i) children_[i]->ShowCreatedHidden();
  RethrowPendingException();
}

LRESULT Control::DetachWindow(WPARAM wParam, LPARAM lParam) {
  HWND window = window_;
  WNDPROC systemProcedure = systemProcedure_;
  // The window procedure stays as it is: no message follows this one, and a
  // tooltip may have subclassed the window after the layer did.
  RemovePropA(window, kSelfProperty);
  window_ = nullptr;
  systemProcedure_ = nullptr;
  createdHidden_ = false;
  mouseInside_ = false;
  --State().windows;
  LRESULT result = systemProcedure
                       ? CallWindowProcA(systemProcedure, window, WM_NCDESTROY, wParam, lParam)
                       : DefWindowProcA(window, WM_NCDESTROY, wParam, lParam);
  // A form that the system closed goes with its window; ours are destroyed
  // by DestroyNow, the main form by the application object.
  if (kind_ == ControlKind::Form && parent_ && !destroying_ && this != State().mainForm) {
    if (lockCount_ > 0) {
      destroyPending_ = true;
    } else {
      DestroyNow();
    }
  }
  return result;
}

// ---------------------------------------------------------------- dispatch

LRESULT CALLBACK ControlWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Control* control = ControlFromHandle(window);
  if (!control && message == WM_NCCREATE) {
    // The layer's own classes link the window before any other message.
    control = static_cast<Control*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    if (control) {
      control->window_ = window;
      SetPropA(window, kSelfProperty, control);
      ++State().windows;
    }
  }
  if (!control) return DefWindowProcA(window, message, wParam, lParam);

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
  // (1) The control's own general slot (hints hook in here).
  if (messageHandler_) messageHandler_.fn(messageHandler_.context, this, message, wParam, lParam);
  // The last message only goes to the observers; DetachWindow does the rest.
  if (message == WM_NCDESTROY) return 0;

  // (2) The layer's hooks, the most recently attached first.
  LRESULT result = 0;
  for (size_t i = hooks_.size(); i-- > 0;) {
    Hook hook = hooks_[i];
    if ((this->*hook)(message, wParam, lParam, result) || destroyPending_) return result;
  }
  // (3) Built-in handling, (4) the default procedure.
  if (BuiltInHandling(message, wParam, lParam, result)) return result;
  return DefaultProcessing(message, wParam, lParam);
}

LRESULT Control::DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam) {
  if (systemProcedure_) return CallWindowProcA(systemProcedure_, window_, message, wParam, lParam);
  return DefWindowProcA(window_, message, wParam, lParam);
}

void Control::AttachHook(Hook hook) {
  for (Hook attached : hooks_) {
    if (attached == hook) return;
  }
  hooks_.push_back(hook);
}

// ---------------------------------------------------------------- hooks

bool Control::ColourReflectionHook(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result) {
  if (!IsColourMessage(message)) return false;
  Control* child = ControlFromHandle(reinterpret_cast<HWND>(lParam));
  if (!child || child == this) return false;
  result = child->PaintColours(reinterpret_cast<HDC>(wParam));
  return true;
}

bool Control::FormHook(UINT message, WPARAM& wParam, LPARAM, LRESULT& result) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window_, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, Brush());
      result = TRUE;
      return true;
    }
    case WM_SETFOCUS:
      if (!currentControl_ || !currentControl_->window_) return false;
      ::SetFocus(currentControl_->window_);
      result = 0;
      return true;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) {
        if (Control* application = Application()) application->lastActiveForm_ = this;
      }
      return false;
  }
  return false;
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

bool Control::KeyDownHook(UINT message, WPARAM& wParam, LPARAM, LRESULT& result) {
  if (message != WM_KEYDOWN && message != WM_SYSKEYDOWN) return false;
  // The handler may destroy this control; the window handle is kept apart.
  const HWND window = window_;
  auto key = static_cast<WORD>(wParam);
  keyDown_.fn(keyDown_.context, this, key, KeyboardShiftState());
  if (key == 0) {
    // An eaten key types nothing either: TranslateMessage has already queued
    // the character of this key press for the window, ahead of any later one.
    const UINT character = message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    MSG typed;
    PeekMessageA(&typed, window, character, character, PM_REMOVE);
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
  if (kind_ == ControlKind::BitmapButton) Invalidate();  // the mouse-over glyph
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

bool Control::BuiltInHandling(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND:
      // A child's notification goes back to the child (a bitmap button's
      // click operation sends it to the button itself).
      if (Control* source = ControlFromHandle(reinterpret_cast<HWND>(lParam))) {
        source->Notify(HIWORD(wParam));
        result = 0;
        return true;
      }
      return false;
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      Control* button = ControlFromHandle(item->hwndItem);
      if (!button || button->kind_ != ControlKind::BitmapButton) return false;
      button->DrawButton(*item);
      result = TRUE;
      return true;
    }
    case WM_CLOSE:
      return HandleClose(result);
    case WM_SYSCOMMAND:
      return HandleSysCommand(wParam, result);
    case WM_SETCURSOR:
      if (!cursor_ || LOWORD(lParam) != HTCLIENT || GetCapture()) return false;
      ::SetCursor(cursor_);
      result = TRUE;
      return true;
    case WM_SETFOCUS:
      if (kind_ == ControlKind::Application) {
        // The focus goes on to the form that was active last.
        Control* form = lastActiveForm_ ? lastActiveForm_ : State().mainForm;
        if (!form || !form->window_) return false;
        ::SetFocus(form->window_);
        result = 0;
        return true;
      }
      if (kind_ != ControlKind::Form) {
        if (Control* form = OwningForm()) form->currentControl_ = this;
      }
      return false;
    case WM_LBUTTONDBLCLK:
      // A fast double click on a button is two clicks.
      if (kind_ != ControlKind::BitmapButton) return false;
      result = DefaultProcessing(WM_LBUTTONDOWN, wParam, lParam);
      return true;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
      return NavigateKey(message, wParam, result);
    case WM_ENDSESSION:
      if (kind_ == ControlKind::Form && wParam) {
        // The session ends: no loop will return, so finish here.
        LayerState& state = State();
        state.running = false;
        if (Control* application = state.applicationObject; application && !application->lockCount_) {
          application->DestroyNow();
        }
        std::exit(0);
      }
      return false;
  }
  return false;
}

void Control::Notify(WORD code) {
  // BN_CLICKED and STN_CLICKED are both 0; edit boxes have no click.
  bool clicked = (kind_ == ControlKind::BitmapButton && code == BN_CLICKED) ||
                 (kind_ == ControlKind::Label && code == STN_CLICKED);
  if (!clicked || settingFocus_) return;
  if (kind_ == ControlKind::BitmapButton && (buttonOptions_ & kButtonToggle)) {
    down_ = !down_;
    Invalidate();
  }
  if (click) click.fn(click.context, this);
}

bool Control::HandleClose(LRESULT& result) {
  if (kind_ != ControlKind::Form && kind_ != ControlKind::Application) return false;
  LayerState& state = State();
  bool accept = true;
  if (close) {
    Handler<CloseHandler> handler = close;
    handler.fn(handler.context, this, accept);
    if (!accept && state.running) {
      result = 0;  // refused: the handler stays for the next request
      return true;
    }
    close = {};  // runs at most once
  }
  if (kind_ == ControlKind::Application) {
    // The window goes with the object after the loop.
    PostQuitMessage(0);
    result = 0;
    return true;
  }
  if (this == state.mainForm) {
    // The main form stays until the application object is destroyed.
    if (parent_ && parent_->window_) SendMessageA(parent_->window_, WM_CLOSE, 0, 0);
    PostQuitMessage(0);
    result = 0;
    return true;
  }
  return false;  // default processing destroys the window
}

bool Control::HandleSysCommand(WPARAM wParam, LRESULT& result) {
  UINT command = wParam & 0xFFF0;  // the low four bits are the system's own
  LayerState& state = State();
  if (this == state.mainForm && command == SC_MINIMIZE && parent_ && parent_->window_) {
    // The application object minimises and takes its forms with it.
    PostMessageA(parent_->window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    result = 0;
    return true;
  }
  if (kind_ != ControlKind::Application) return false;
  if (command == SC_CLOSE && state.mainForm && !children_.empty() &&
      children_.front() == state.mainForm && state.mainForm->window_) {
    PostMessageA(state.mainForm->window_, WM_CLOSE, 0, 0);
    result = 0;
    return true;
  }
  if (command == SC_MINIMIZE && minimiseAnchor_ && minimiseAnchor_->window_) {
    // The minimise animation starts from the anchor form.
    SetWindowPos(window_, nullptr, minimiseAnchor_->GetLeft(), minimiseAnchor_->GetTop(),
                 minimiseAnchor_->GetWidth(), 0, SWP_NOREDRAW | SWP_NOZORDER);
  }
  return false;
}

// ---------------------------------------------------------------- commands

void Control::Click() {
  HWND window = Handle();
  if (kind_ == ControlKind::BitmapButton) {
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(id_, BN_CLICKED), reinterpret_cast<LPARAM>(window));
  } else {
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageA(window, WM_LBUTTONUP, MK_LBUTTON, 0);
  }
  RethrowPendingException();
}

void Control::PostClose() { PostMessageA(Handle(), WM_CLOSE, 0, 0); }

void Control::StartWindowDrag() { PostMessageA(Handle(), WM_SYSCOMMAND, kDragMove, 0); }

void Control::SetMinimiseAnchor(Control* form) {
  if (Control* application = Application()) application->minimiseAnchor_ = form;
}

}  // namespace widgets
