// A form's keyboard cues and its theme: the focus rectangle stays hidden
// until the keyboard is used in the form (the system's UI state, which the
// form keeps itself: Wine's default procedure neither passes a change on
// nor remembers it), and a changed colour scheme repaints the whole form.
#include "widgets/WidgetsInternal.h"

namespace widgets {

namespace {

constexpr WORD kCueFlags = UISF_HIDEFOCUS | UISF_HIDEACCEL;

}  // namespace

bool ShowsKeyboardCues(WORD key) {
  switch (key) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_MENU: return true;
  }
  return false;
}

// Hidden at first for the mouse user, whatever the system's default:
// Wine shows cues from the start (SPI_GETKEYBOARDCUES).
void Form::HideCuesAtStart() {
  hideFocus_ = true;
  Window(window_).Send(WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, kCueFlags));
}

void Form::KeyboardUsed() {
  if (!hideFocus_ || !window_) return;
  Window(window_).Send(WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, kCueFlags));
}

bool Form::HandleUiState(UINT message, WPARAM wParam, LRESULT& result) {
  const WORD action = LOWORD(wParam);
  if (!(HIWORD(wParam) & UISF_HIDEFOCUS) || (action != UIS_SET && action != UIS_CLEAR)) {
    return false;
  }
  if (message == WM_CHANGEUISTATE) {
    // A top-level window turns a change into an update of itself, which
    // reaches its children.
    Window(window_).Send(WM_UPDATEUISTATE, wParam);
    result = 0;
    return true;
  }
  const bool hide = action == UIS_SET;
  if (hide != hideFocus_) {
    hideFocus_ = hide;
    // Only the focused control draws a cue.
    if (currentControl_) currentControl_->Invalidate();
  }
  return false;  // the system keeps its own copy and passes it on
}

void Control::DropBrushes() {
  FreeBrush();
  for (Control* child : children_) child->DropBrushes();
}

void Form::ThemeChanged() {
  DropBrushes();
  if (themeChanged) themeChanged.fn(themeChanged.context, this);
  if (window_) {
    RedrawWindow(window_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
  }
}

}  // namespace widgets
