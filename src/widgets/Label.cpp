// Labels: "STATIC" texts on one line or wrapped, with their alignment bits
// and their click.
#include <oleacc.h>
#include <olectl.h>

#include "widgets/WidgetsInternal.h"

namespace widgets {

namespace {

constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_NOPREFIX | WS_CLIPSIBLINGS |
                              WS_CLIPCHILDREN;
constexpr int kDefaultWidth = 64;  // a label whose width is never set
constexpr int kLabelHeight = 22;
constexpr int kWordWrapLabelHeight = 44;

}  // namespace

Label::Label(Control* parent, std::string_view text, bool wordWrap) : Control(parent) {
  NumberInForm();
  style_ = kLabelStyle | (wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP);
  text_ = text;
  bounds_ = {0, 0, kDefaultWidth, wordWrap ? kWordWrapLabelHeight : kLabelHeight};
}

Label* Label::Create(Control* parent, const LabelArgs& args) {
  auto* label = new Label(parent, args.text, args.wordWrap);
  if (args.place) label->SetPlace(*args.place);
  return label;
}

Label* CreateLabel(Control* parent, const LabelArgs& args) { return Label::Create(parent, args); }

Label* CreateLabel(Control* parent, std::string_view text) {
  return CreateLabel(parent, LabelArgs{.text = text});
}

Label* CreateWordWrapLabel(Control* parent, std::string_view text) {
  return CreateLabel(parent, {.text = text, .wordWrap = true});
}

// Static text on every system; some standard objects call it a client area.
DWORD Label::AccessibleRole() const { return ROLE_SYSTEM_STATICTEXT; }

// SS_LEFTNOWORDWRAP shares its bits with the alignments: it goes too.
Control::StyleBits Label::TextAlignmentBits(int alignment) const {
  constexpr DWORD kValues[] = {SS_LEFT, SS_RIGHT, SS_CENTER};
  return {SS_CENTER | SS_RIGHT | SS_LEFTNOWORDWRAP, kValues[alignment]};
}

// Only the centre has a bit; top and bottom clear it.
Control::StyleBits Label::VerticalAlignmentBits(int alignment) const {
  return {SS_CENTERIMAGE, alignment == kVAlignCentre ? DWORD(SS_CENTERIMAGE) : 0};
}

// A click reaches the label as its parent's WM_COMMAND, reflected.
bool Label::HandleKind(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result) {
  if (message == OCM_COMMAND) {
    if (HIWORD(wParam) == STN_CLICKED) FireClick();
    return true;
  }
  return Control::HandleKind(message, wParam, lParam, result);
}

}  // namespace widgets
