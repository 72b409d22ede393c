// Forms: the top-level windows of class "Form", their background, focus,
// icon, closing and the minimise request of the main form.
#include "widgets/WidgetsInternal.h"

#include <cstdlib>

namespace widgets {

namespace {
constexpr DWORD kFormStyle = WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW;
}  // namespace

Form::Form(Control* parent, std::string_view caption) : Control(parent) {
  style_ = kFormStyle;
  exStyle_ = WS_EX_CONTROLPARENT;
  text_ = caption;
}

Form::~Form() = default;

Form* Form::Create(Control* parent, std::string_view caption) {
  auto* form = new Form(parent, caption);
  LayerState& state = State();
  if (dynamic_cast<ApplicationWindow*>(parent) && !state.mainForm) state.mainForm = form;
  return form;
}

Form* CreateForm(Control* parent, std::string_view caption) {
  return Form::Create(parent, caption);
}

const wchar_t* Form::WindowClass() {
  static const wchar_t* const name = LayerClass(kFormClass, CS_DBLCLKS);
  return name;
}

// Each form shows the program icon drawn for its DPI, its keyboard cues
// hidden and its own window menu items.
void Form::WindowCreated() {
  HideCuesAtStart();
  ApplyWindowMenu(0);
  icons_.ShowOn(window_, Dpi());
}

void Form::MoveToDpi(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  // The system's suggestion scales the outer size; the client is the
  // design's at the new DPI, exactly as a fresh start there makes it.
  const SIZE frame = FrameSize();
  const int width = designClient_.cx >= 0 ? Scale(designClient_.cx, dpi) + frame.cx
                                          : suggested.right - suggested.left;
  const int height = designClient_.cy >= 0 ? Scale(designClient_.cy, dpi) + frame.cy
                                           : suggested.bottom - suggested.top;
  Window(window_).SetPos(suggested.left, suggested.top, width, height,
                         SWP_NOACTIVATE | SWP_NOZORDER);
  if (font_) font_->Changed();
  ShowChildrenAtDpi();
  icons_.ShowOn(window_, dpi);
  RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// A form that the system closed goes with its window; ours are destroyed by
// DestroyNow, the main form by the application object.
void Form::WindowDestroyed() {
  if (!parent_ || destroying_ || this == State().mainForm) return;
  DestroyWhenIdle();
}

bool Form::HandleKind(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result) {
  LayerState& state = State();
  switch (message) {
    case WM_DPICHANGED:
      MoveToDpi(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      result = 0;
      return true;
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window_, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, Brush());
      result = TRUE;
      return true;
    }
    case WM_SETFOCUS:
      // The focus goes on to the current control.
      if (!currentControl_ || !currentControl_->HasWindow()) return false;
      Window(currentControl_->EnsureWindow()).Focus();
      result = 0;
      return true;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) {
        if (ApplicationWindow* application = OwningApplication()) {
          application->FormActivated(this);
        }
      }
      return false;
    case WM_CLOSE:
      if (!CloseAccepted()) {
        result = 0;  // refused: the handler stays for the next request
        return true;
      }
      if (this != state.mainForm) {
        // A form under another goes the layer's way, children first, as its
        // parent would take it: each hint destroys its own tooltip before
        // the system could take it along with the form that owns it.
        if (!parent_) return false;  // default processing destroys the window
        DestroyControl(this);        // once this message is done
        result = 0;
        return true;
      }
      // The main form stays until the application object is destroyed.
      if (parent_ && parent_->HasWindow()) Window(parent_->EnsureWindow()).Send(WM_CLOSE);
      PostQuitMessage(0);
      result = 0;
      return true;
    case WM_HELP:
      if (!help) return false;  // the owner is asked next
      help.fn(help.context, this);
      result = TRUE;
      return true;
    case WM_CHANGEUISTATE:
    case WM_UPDATEUISTATE: return HandleUiState(message, wParam, result);
    case WM_SETTINGCHANGE:
      if (wParam != SPI_SETHIGHCONTRAST) return false;
      ThemeChanged();
      return false;
    case WM_SYSCOLORCHANGE: ThemeChanged(); return false;
    case WM_SYSCOMMAND:
      if (RunWindowMenuItem(wParam)) {
        result = 0;
        return true;
      }
      // The low four bits of the command are the system's own.
      if (this == state.mainForm && (wParam & 0xFFF0) == SC_MINIMIZE && parent_ &&
          parent_->HasWindow()) {
        // The application object minimises and takes its forms with it.
        Window(parent_->EnsureWindow()).Post(WM_SYSCOMMAND, SC_MINIMIZE);
        result = 0;
        return true;
      }
      return false;
    case WM_ENDSESSION:
      if (wParam) {
        // The session ends: no loop will return, so finish here.
        state.running = false;
        if (ApplicationWindow* application = state.applicationObject) {
          application->DestroyWhenIdle();
        }
        std::exit(0);
      }
      return false;
  }
  return false;
}

void Form::TakeFocus() { Window(EnsureWindow()).BringToFront(); }

void Form::ShowAndActivate() {
  CreateWindowTree();
  SetVisible(true);
  ShowCreatedHidden();
  Window(window_).BringToFront();
  if (currentControl_ && currentControl_->HasWindow()) {
    Window(currentControl_->EnsureWindow()).Focus();
  }
}

}  // namespace widgets
