// Edit boxes: the edit options turned into "EDIT" styles, the alignment bits
// and SelectAll.
#include "widgets/WidgetsInternal.h"

namespace widgets {

namespace {

// WS_BORDER is given up for the sunken 3D edge at creation.
constexpr DWORD kEditBoxStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS |
                                WS_CLIPCHILDREN;
constexpr int kEditWidth = 100;
constexpr int kEditHeight = 22;
constexpr int kMultilineEditSize = 200;
// Left and Right move the caret inside the box.
constexpr unsigned kEditNavigation = kNavigateTab | kNavigateUpDown | kNavigatePage;

// Edit options that add plain edit styles when present.
struct EditOptionStyle {
  EditOption option;
  DWORD style;
};
constexpr EditOptionStyle kEditOptionStyles[] = {
    {EditOption::LowerCase, ES_LOWERCASE},
    {EditOption::Multiline, ES_MULTILINE},
    {EditOption::NoHideSelection, ES_NOHIDESEL},
    {EditOption::OemConvert, ES_OEMCONVERT},
    {EditOption::Password, ES_PASSWORD},
    {EditOption::ReadOnly, ES_READONLY},
    {EditOption::UpperCase, ES_UPPERCASE},
    {EditOption::WantReturn, ES_WANTRETURN},
    {EditOption::Number, ES_NUMBER},
};

DWORD EditStyleOf(EditOption options) {
  DWORD style = 0;
  if (!Has(options, EditOption::NoHorizontalScroll)) style |= WS_HSCROLL | ES_AUTOHSCROLL;
  if (!Has(options, EditOption::NoVerticalScroll)) style |= WS_VSCROLL | ES_AUTOVSCROLL;
  for (const EditOptionStyle& entry : kEditOptionStyles) {
    if (Has(options, entry.option)) style |= entry.style;
  }
  // A single-line box keeps the automatic scrolling but no scroll bars.
  if (!Has(options, EditOption::Multiline)) style &= ~(WS_HSCROLL | WS_VSCROLL);
  return style;
}

}  // namespace

EditBox::EditBox(Control* parent, EditOption options) : Control(parent) {
  NumberInForm();
  style_ = kEditBoxStyle | EditStyleOf(options);
  exStyle_ = WS_EX_CLIENTEDGE;
  tabStop_ = true;
  keyNavigation_ = kEditNavigation;
  bounds_ = {0, 0, kEditWidth, kEditHeight};
  if (Has(options, EditOption::Multiline)) {
    keyNavigation_ = kNavigateTab;
    bounds_ = {0, 0, kMultilineEditSize, kMultilineEditSize};
  }
  if (Has(options, EditOption::WantTab)) keyNavigation_ &= ~kNavigateTab;
}

EditBox* EditBox::Create(Control* parent, const EditBoxArgs& args) {
  auto* box = new EditBox(parent, args.options);
  if (args.place) box->SetPlace(*args.place);
  return box;
}

EditBox* CreateEditBox(Control* parent, const EditBoxArgs& args) {
  return EditBox::Create(parent, args);
}

EditBox* CreateEditBox(Control* parent, EditOption options) {
  return CreateEditBox(parent, EditBoxArgs{.options = options});
}

Control::StyleBits EditBox::TextAlignmentBits(int alignment) const {
  constexpr DWORD kValues[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
  return {ES_CENTER | ES_RIGHT, kValues[alignment]};
}

void EditBox::SelectAll() {
  if (window_) Window(window_).Send(EM_SETSEL, 0, -1);
}

}  // namespace widgets
