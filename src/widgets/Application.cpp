// The application object, the message loop, the pending exception and the
// layer's own count of the handles it holds.
#include "widgets/WidgetsInternal.h"

#include "base/Assert.h"

namespace widgets {

namespace {

// Taken once at start; resources, window classes and tooltips use it.
const HINSTANCE gModuleInstance = GetModuleHandleW(nullptr);

// True while the application object is being destroyed after the loop:
// nothing is repainted on the way out.
bool gShuttingDown = false;

}  // namespace

LayerState& State() {
  static LayerState state;
  return state;
}

HINSTANCE ModuleInstance() { return gModuleInstance; }
bool Running() { return State().running; }
bool Terminated() { return State().terminated; }
Control* CurrentApplication() { return State().currentApplication; }
Form* MainForm() { return State().mainForm; }
bool ShuttingDown() { return gShuttingDown; }

// ---------------------------------------------------------------- errors

void StorePendingException(std::exception_ptr exception) {
  LayerState& state = State();
  // The first failure is being reported: one box, so later ones are dropped.
  if (state.failing) return;
  if (!state.pendingException) state.pendingException = std::move(exception);
  if (state.running) PostQuitMessage(0);
}

void RethrowPendingException() {
  LayerState& state = State();
  if (!state.pendingException) return;
  std::exception_ptr exception = std::move(state.pendingException);
  state.pendingException = nullptr;
  std::rethrow_exception(exception);
}

bool HasPendingException() { return State().pendingException != nullptr; }

// ---------------------------------------------------------------- accounting

int LiveGdiObjects() { return State().gdiObjects; }
int LiveWindows() { return static_cast<int>(State().links.size()); }
int LiveIcons() { return State().icons; }
int LiveControls() { return State().controls; }

// The program's texts are Cyrillic. A Russian system gives the default
// character set Cyrillic glyphs; any other would choose the Western or
// Japanese ones of the same face, so there the Cyrillic set is asked for.
HFONT CountedCreateFont(const LOGFONTW& logFont) {
  LOGFONTW asked = logFont;
  if (asked.lfCharSet == DEFAULT_CHARSET && GetACP() != kTextCodePage) {
    asked.lfCharSet = RUSSIAN_CHARSET;
  }
  HFONT font = CreateFontIndirectW(&asked);
  if (font) ++State().gdiObjects;
  return font;
}

HBRUSH CountedCreateBrush(COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  if (brush) ++State().gdiObjects;
  return brush;
}

HBITMAP CountBitmap(HBITMAP bitmap) {
  if (bitmap) ++State().gdiObjects;
  return bitmap;
}

HDC CountedCreateMemoryDc(HDC compatibleWith) {
  HDC dc = CreateCompatibleDC(compatibleWith);
  if (dc) ++State().gdiObjects;
  return dc;
}

void CountedDeleteObject(HGDIOBJ object) {
  if (object && DeleteObject(object)) --State().gdiObjects;
}

void CountedDeleteDc(HDC dc) {
  if (dc && DeleteDC(dc)) --State().gdiObjects;
}

HICON CountedCopyIcon(HICON icon) {
  auto copy = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, 0, 0, 0));
  if (copy) ++State().icons;
  return copy;
}

void CountedDestroyIcon(HICON icon) {
  if (icon && DestroyIcon(icon)) --State().icons;
}

SelectedBitmapDc::SelectedBitmapDc(HDC compatibleWith, HBITMAP bitmap)
    : dc_(CountedCreateMemoryDc(compatibleWith)),
      previous_(dc_ ? SelectObject(dc_, bitmap) : nullptr) {}

SelectedBitmapDc::~SelectedBitmapDc() {
  if (!dc_) return;
  SelectObject(dc_, previous_);
  CountedDeleteDc(dc_);
}

// ---------------------------------------------------------------- helpers

const wchar_t* LayerClass(const wchar_t* name, UINT classStyle) {
  WNDCLASSW windowClass{};
  windowClass.style = classStyle;
  windowClass.lpfnWndProc = ControlWindowProcedure;
  windowClass.hInstance = gModuleInstance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = name;
  ZEM_ASSERT(RegisterClassW(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS,
             "Can not register window class");
  return name;
}

HICON ProgramIcon() {
  // A shared icon from LoadIcon needs no freeing; a module without one
  // simply gives its windows no icon.
  static const HICON icon = LoadIconW(gModuleInstance, L"MAINICON");
  return icon;
}

unsigned KeyboardShiftState() {
  unsigned shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= kShiftKey;
  if (GetKeyState(VK_CONTROL) < 0) shift |= kCtrlKey;
  if (GetKeyState(VK_MENU) < 0) shift |= kAltKey;
  return shift;
}

COLORREF ResolveColour(Colour colour) {
  if (colour & kSystemColour) return GetSysColor(static_cast<int>(colour & ~kSystemColour));
  return colour;
}

// ---------------------------------------------------------------- application

ApplicationWindow::ApplicationWindow(std::string_view caption) : Control(nullptr) {
  style_ = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  exStyle_ = WS_EX_APPWINDOW;
  text_ = caption;
}

ApplicationWindow* CreateApplicationObject(std::string_view caption) {
  auto* application = new ApplicationWindow(caption);
  LayerState& state = State();
  state.applicationObject = application;
  state.terminated = false;
  return application;
}

const wchar_t* ApplicationWindow::WindowClass() {
  static const wchar_t* const name = LayerClass(kApplicationClass, 0);
  return name;
}

void ApplicationWindow::WindowCreated() {
  // The shared icon itself: it is never freed.
  if (HICON icon = ProgramIcon()) {
    Window(window_).Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  }
  // Only the taskbar entry shows: it can be minimised, restored and closed.
  if (HMENU menu = GetSystemMenu(window_, FALSE)) {
    DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
    EnableMenuItem(menu, SC_RESTORE, MF_BYCOMMAND | MF_GRAYED);
  }
}

bool ApplicationWindow::KindHook(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result) {
  return ReflectColours(message, wParam, lParam, result);
}

bool ApplicationWindow::KindHandling(UINT message, WPARAM& wParam, LPARAM, LRESULT& result) {
  LayerState& state = State();
  switch (message) {
    case WM_CLOSE:
      if (CloseAccepted()) PostQuitMessage(0);  // the window goes with the object after the loop
      result = 0;
      return true;
    case WM_SYSCOMMAND: {
      const UINT command = wParam & 0xFFF0;  // the low four bits are the system's own
      Form* mainForm = state.mainForm;
      if (command == SC_CLOSE && mainForm && !children_.empty() && children_.front() == mainForm &&
          mainForm->window_) {
        Window(mainForm->window_).Post(WM_CLOSE);
        result = 0;
        return true;
      }
      if (command == SC_MINIMIZE && minimiseAnchor_ && minimiseAnchor_->window_) {
        // The minimise animation starts from the anchor form.
        Window(window_).SetPos(minimiseAnchor_->GetLeft(), minimiseAnchor_->GetTop(),
                               minimiseAnchor_->GetWidth(), 0, SWP_NOREDRAW | SWP_NOZORDER);
      }
      return false;
    }
    case WM_SETFOCUS: {
      // The focus goes on to the form that was active last.
      Control* form = lastActiveForm_ ? lastActiveForm_ : state.mainForm;
      if (!form || !form->window_) return false;
      Window(form->window_).Focus();
      result = 0;
      return true;
    }
  }
  return false;
}

void ApplicationWindow::SetFocus(bool focus) {
  if (focus) Window(Handle()).BringToFront();
}

void ApplicationWindow::Forget(Control* gone) {
  if (lastActiveForm_ == gone) lastActiveForm_ = nullptr;
  if (minimiseAnchor_ == gone) minimiseAnchor_ = nullptr;
}

void RunMessageLoop(Control*& application) {
  LayerState& state = State();
  state.running = true;
  state.terminated = false;
  state.failing = false;
  state.currentApplication = application;
  try {
    if (application) {
      Control::Internals::CreateWindowTree(*application);
      Control::Internals::ShowCreatedHidden(*application);
    }
    RethrowPendingException();
  } catch (...) {
    StorePendingException(std::current_exception());  // posts the quit message
  }

  MSG message;
  while (!state.terminated && !state.pendingException) {
    WaitMessage();
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        state.terminated = true;
        break;
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
      if (state.pendingException) break;
    }
  }

  state.terminated = true;
  state.running = false;
  state.currentApplication = nullptr;
  if (state.pendingException) {
    // An exception that escaped a handler goes straight to the caller's
    // last-chance handling, every window still on screen behind its box.
    // The quit request would end that box's own loop at once; later
    // failures are dropped while the first is reported.
    PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    state.failing = true;
    RethrowPendingException();
  }
  if (application) {
    gShuttingDown = true;
    try {
      Control::Internals::DestroyNow(*application);
    } catch (...) {
      StorePendingException(std::current_exception());
    }
    gShuttingDown = false;
    application = nullptr;
  }
  RethrowPendingException();
}

}  // namespace widgets
