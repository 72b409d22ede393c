// Labels: "STATIC" texts on one line or wrapped, with their alignment bits
// and their click.
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

Label* CreateLabel(Control* parent, std::string_view text) {
  return new Label(parent, text, false);
}

Label* CreateWordWrapLabel(Control* parent, std::string_view text) {
  return new Label(parent, text, true);
}

// SS_LEFTNOWORDWRAP shares its bits with the alignments: it goes too.
Control::StyleBits Label::TextAlignmentBits(int alignment) const {
  constexpr DWORD kValues[] = {SS_LEFT, SS_RIGHT, SS_CENTER};
  return {SS_CENTER | SS_RIGHT | SS_LEFTNOWORDWRAP, kValues[alignment]};
}

// Only the centre has a bit; top and bottom clear it.
Control::StyleBits Label::VerticalAlignmentBits(int alignment) const {
  return {SS_CENTERIMAGE, alignment == kVAlignCentre ? DWORD(SS_CENTERIMAGE) : 0};
}

void Label::Notified(WORD code) {
  if (code == STN_CLICKED) FireClick();
}

}  // namespace widgets
