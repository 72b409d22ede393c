// The application object, the message loop, the pending exception and the
// layer's own count of the handles it holds.
#include "widgets/WidgetsInternal.h"

namespace widgets {

namespace {

// Taken once at start; resources, window classes and tooltips use it.
const HINSTANCE gModuleInstance = GetModuleHandleA(nullptr);

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
Control* MainForm() { return State().mainForm; }
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
int LiveWindows() { return State().windows; }
int LiveIcons() { return State().icons; }

HFONT CountedCreateFont(const LOGFONTA& logFont) {
  HFONT font = CreateFontIndirectA(&logFont);
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

HICON ProgramIcon() {
  // A shared icon from LoadIcon needs no freeing; a module without one
  // simply gives its windows no icon.
  static const HICON icon = LoadIconA(gModuleInstance, "MAINICON");
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

Control* CreateApplicationObject(std::string_view caption) {
  auto* application = new Control(ControlKind::Application, nullptr);
  application->style_ = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  application->exStyle_ = WS_EX_APPWINDOW;
  application->text_ = caption;
  application->AttachHook(&Control::ColourReflectionHook);
  LayerState& state = State();
  state.applicationObject = application;
  state.terminated = false;
  return application;
}

void RunMessageLoop(Control*& application) {
  LayerState& state = State();
  state.running = true;
  state.terminated = false;
  state.failing = false;
  state.currentApplication = application;
  try {
    if (application) {
      application->CreateWindowTree();
      application->ShowCreatedHidden();
    }
  } catch (...) {
    StorePendingException(std::current_exception());  // posts the quit message
  }

  MSG message;
  while (!state.terminated && !state.pendingException) {
    WaitMessage();
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        state.terminated = true;
        break;
      }
      TranslateMessage(&message);
      DispatchMessageA(&message);
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
    PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    state.failing = true;
    RethrowPendingException();
  }
  if (application) {
    gShuttingDown = true;
    try {
      application->DestroyNow();
    } catch (...) {
      StorePendingException(std::current_exception());
    }
    gShuttingDown = false;
    application = nullptr;
  }
  RethrowPendingException();
}

}  // namespace widgets
