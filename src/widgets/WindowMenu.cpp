// The form's own items of its window menu (Alt+Space): stored, applied
// when the window exists, and run from WM_SYSCOMMAND.
#include "widgets/WidgetsInternal.h"

namespace widgets {

namespace {

// Below the system's own commands (SC_...), with the low four bits clear:
// the system uses those bits itself.
constexpr UINT kCommandStep = 0x10;
constexpr WPARAM kSystemBits = 0xF;

UINT CommandOf(size_t index) { return kCommandStep * static_cast<UINT>(index + 1); }

}  // namespace

void Form::AddWindowMenuItem(std::string_view text, NotifyHandler fn, void* context) {
  windowMenu_.emplace_back(std::string(text), Handler<NotifyHandler>{fn, context});
  if (window_) ApplyWindowMenu(windowMenu_.size() - 1);
}

void Form::ApplyWindowMenu(size_t first) {
  if (first >= windowMenu_.size()) return;
  HMENU menu = GetSystemMenu(window_, FALSE);
  if (!menu) return;
  if (first == 0) {
    if (!(style_ & WS_THICKFRAME)) DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
    if (!(style_ & WS_MAXIMIZEBOX)) DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  }
  for (size_t i = first; i < windowMenu_.size(); ++i) {
    AppendMenuW(menu, MF_STRING, CommandOf(i), Widen(windowMenu_[i].text).c_str());
  }
}

bool Form::RunWindowMenuItem(WPARAM command) {
  for (size_t i = 0; i < windowMenu_.size(); ++i) {
    if ((command & ~kSystemBits) != CommandOf(i)) continue;
    const Handler<NotifyHandler> handler = windowMenu_[i].handler;
    if (handler) handler.fn(handler.context, this);
    return true;
  }
  return false;
}

}  // namespace widgets
