// The application object: the invisible pop-up that owns the taskbar entry
// and the forms under it.
#include "widgets/WidgetsInternal.h"

namespace widgets {

ApplicationWindow::ApplicationWindow(std::string_view caption) : Control(nullptr) {
  style_ = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  exStyle_ = WS_EX_APPWINDOW;
  text_ = caption;
}

ApplicationWindow* ApplicationWindow::Create(std::string_view caption) {
  auto* application = new ApplicationWindow(caption);
  LayerState& state = State();
  state.applicationObject = application;
  state.terminated = false;
  return application;
}

ApplicationWindow* CreateApplicationObject(std::string_view caption) {
  return ApplicationWindow::Create(caption);
}

const wchar_t* ApplicationWindow::WindowClass() {
  static const wchar_t* const name = LayerClass(kApplicationClass, 0);
  return name;
}

void ApplicationWindow::WindowCreated() {
  icons_.ShowOn(window_, Dpi());
  // Only the taskbar entry shows: it can be minimised, restored and closed.
  if (HMENU menu = GetSystemMenu(window_, FALSE)) {
    DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
    EnableMenuItem(menu, SC_RESTORE, MF_BYCOMMAND | MF_GRAYED);
  }
}

bool ApplicationWindow::HandleKind(UINT message, WPARAM& wParam, LPARAM, LRESULT& result) {
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
          mainForm->HasWindow()) {
        Window(mainForm->EnsureWindow()).Post(WM_CLOSE);
        result = 0;
        return true;
      }
      if (command == SC_MINIMIZE && minimiseAnchor_ && minimiseAnchor_->HasWindow()) {
        // The minimise animation starts from the anchor form.
        Window(window_).SetPos(minimiseAnchor_->GetLeft(), minimiseAnchor_->GetTop(),
                               minimiseAnchor_->GetWidth(), 0, SWP_NOREDRAW | SWP_NOZORDER);
      }
      return false;
    }
    case WM_SETFOCUS: {
      // The focus goes on to the form that was active last.
      Control* form = lastActiveForm_ ? lastActiveForm_ : state.mainForm;
      if (!form || !form->HasWindow()) return false;
      Window(form->EnsureWindow()).Focus();
      result = 0;
      return true;
    }
  }
  return false;
}

void ApplicationWindow::TakeFocus() { Window(EnsureWindow()).BringToFront(); }

void ApplicationWindow::Forget(Control* gone) {
  if (lastActiveForm_ == gone) lastActiveForm_ = nullptr;
  if (minimiseAnchor_ == gone) minimiseAnchor_ = nullptr;
}

}  // namespace widgets
