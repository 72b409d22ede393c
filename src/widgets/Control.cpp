// The control model: creation, geometry, appearance, text and destruction.
// Every setter stores its value and applies it at once when the window exists.
#include "widgets/WidgetsInternal.h"

#include <algorithm>

namespace widgets {

namespace {

// Child windows draw only over their own area and never over each other.
constexpr DWORD kChildClipping = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_NOPREFIX | SS_LEFTNOWORDWRAP;
constexpr DWORD kWordWrapLabelStyle = WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_NOPREFIX | SS_LEFT;
constexpr DWORD kEditBoxStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP;
constexpr DWORD kFormStyle = WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW;

constexpr int kDefaultWidth = 64;  // a control whose width is never set
constexpr int kLabelHeight = 22;
constexpr int kWordWrapLabelHeight = 44;
constexpr int kEditWidth = 100;
constexpr int kEditHeight = 22;
constexpr int kMultilineEditSize = 200;
constexpr unsigned kEditNavigation = kNavigateTab | kNavigateUpDown | kNavigatePage;

// Edit options that add plain edit styles when present.
struct EditOptionStyle {
  unsigned option;
  DWORD style;
};
constexpr EditOptionStyle kEditOptionStyles[] = {
    {kEditLowerCase, ES_LOWERCASE},     {kEditMultiline, ES_MULTILINE},
    {kEditNoHideSelection, ES_NOHIDESEL}, {kEditOemConvert, ES_OEMCONVERT},
    {kEditPassword, ES_PASSWORD},       {kEditReadOnly, ES_READONLY},
    {kEditUpperCase, ES_UPPERCASE},     {kEditWantReturn, ES_WANTRETURN},
    {kEditNumber, ES_NUMBER},
};

DWORD EditStyleOf(unsigned options) {
  DWORD style = 0;
  if (!(options & kEditNoHorizontalScroll)) style |= WS_HSCROLL | ES_AUTOHSCROLL;
  if (!(options & kEditNoVerticalScroll)) style |= WS_VSCROLL | ES_AUTOVSCROLL;
  for (const EditOptionStyle& entry : kEditOptionStyles) {
    if (options & entry.option) style |= entry.style;
  }
  // A single-line box keeps the automatic scrolling but no scroll bars.
  if (!(options & kEditMultiline)) style &= ~(WS_HSCROLL | WS_VSCROLL);
  return style;
}

int NextControlId() {
  // Child window ids only have to fit the 16 bits of WM_COMMAND.
  static int lastId = 0;
  lastId = lastId % 0xFFFF + 1;
  return lastId;
}

}  // namespace

// ---------------------------------------------------------------- creation

Control::Control(ControlKind kind, Control* parent) : kind_(kind), parent_(parent) {
  if (parent_) {
    // A child starts with its parent's colours and a copy of its font.
    colour_ = parent_->colour_;
    textColour_ = parent_->textColour_;
    if (parent_->font_) {
      font_ = std::make_unique<Font>(*parent_->font_);
      font_->owner_ = this;
    }
    parent_->children_.push_back(this);
  }
  if (kind_ != ControlKind::Application && kind_ != ControlKind::Form) {
    id_ = NextControlId();
    if (Control* form = OwningForm()) tabOrder_ = form->nextTabOrder_++;
  }
}

Control::~Control() = default;

Control* CreateForm(Control* parent, std::string_view caption) {
  auto* form = new Control(ControlKind::Form, parent);
  form->style_ = kFormStyle;
  form->exStyle_ = WS_EX_CONTROLPARENT;
  form->text_ = caption;
  form->AttachHook(&Control::ColourReflectionHook);
  form->AttachHook(&Control::FormHook);
  LayerState& state = State();
  if (parent && parent->kind_ == ControlKind::Application && !state.mainForm) {
    state.mainForm = form;
  }
  return form;
}

Control* CreateLabel(Control* parent, std::string_view text) {
  auto* label = new Control(ControlKind::Label, parent);
  label->style_ = kLabelStyle | kChildClipping;
  label->text_ = text;
  label->bounds_ = {0, 0, kDefaultWidth, kLabelHeight};
  label->repaintOnResize_ = true;
  return label;
}

Control* CreateWordWrapLabel(Control* parent, std::string_view text) {
  Control* label = CreateLabel(parent, text);
  label->style_ = kWordWrapLabelStyle | kChildClipping;
  label->bounds_.bottom = kWordWrapLabelHeight;
  return label;
}

Control* CreateEditBox(Control* parent, unsigned options) {
  auto* edit = new Control(ControlKind::EditBox, parent);
  // The sunken 3D edge replaces the plain border.
  edit->style_ = ((kEditBoxStyle | EditStyleOf(options)) & ~WS_BORDER) | kChildClipping;
  edit->exStyle_ = WS_EX_CLIENTEDGE;
  edit->tabStop_ = true;
  edit->keyNavigation_ = kEditNavigation;
  edit->bounds_ = {0, 0, kEditWidth, kEditHeight};
  if (options & kEditMultiline) {
    edit->keyNavigation_ = kNavigateTab;
    edit->bounds_ = {0, 0, kMultilineEditSize, kMultilineEditSize};
  }
  if (options & kEditWantTab) edit->keyNavigation_ &= ~kNavigateTab;
  return edit;
}

Control* ControlFromHandle(HWND window) {
  return window ? static_cast<Control*>(GetPropA(window, kSelfProperty)) : nullptr;
}

Control* Control::OwningForm() const {
  for (Control* ancestor = parent_; ancestor; ancestor = ancestor->parent_) {
    if (ancestor->kind_ == ControlKind::Form) return ancestor;
  }
  return nullptr;
}

Control* Control::Application() {
  Control* root = this;
  while (root->parent_) root = root->parent_;
  return root->kind_ == ControlKind::Application ? root : nullptr;
}

// ---------------------------------------------------------------- geometry

RECT Control::CurrentBounds() const {
  if (!window_) return bounds_;
  RECT bounds;
  GetWindowRect(window_, &bounds);
  if ((style_ & WS_CHILD) && parent_ && parent_->window_) {
    MapWindowPoints(HWND_DESKTOP, parent_->window_, reinterpret_cast<POINT*>(&bounds), 2);
  }
  return bounds;
}

int Control::GetLeft() const { return CurrentBounds().left; }
int Control::GetTop() const { return CurrentBounds().top; }

int Control::GetWidth() const {
  RECT bounds = CurrentBounds();
  return bounds.right - bounds.left;
}

int Control::GetHeight() const {
  RECT bounds = CurrentBounds();
  return bounds.bottom - bounds.top;
}

void Control::SetBounds(const RECT& bounds) {
  RECT current = CurrentBounds();
  if (EqualRect(&bounds, &current)) return;
  bool resized = bounds.right - bounds.left != current.right - current.left ||
                 bounds.bottom - bounds.top != current.bottom - current.top;
  bounds_ = bounds;
  if (!window_) return;
  SetWindowPos(window_, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
               bounds.bottom - bounds.top, SWP_NOACTIVATE | SWP_NOZORDER);
  RethrowPendingException();
  if (resized && repaintOnResize_) Invalidate();
}

void Control::SetLeft(int left) {
  positionSet_ = true;
  RECT bounds = CurrentBounds();
  SetBounds({left, bounds.top, left + bounds.right - bounds.left, bounds.bottom});
}

void Control::SetTop(int top) {
  positionSet_ = true;
  RECT bounds = CurrentBounds();
  SetBounds({bounds.left, top, bounds.right, top + bounds.bottom - bounds.top});
}

void Control::SetWidth(int width) {
  RECT bounds = CurrentBounds();
  SetBounds({bounds.left, bounds.top, bounds.left + width, bounds.bottom});
}

void Control::SetHeight(int height) {
  RECT bounds = CurrentBounds();
  SetBounds({bounds.left, bounds.top, bounds.right, bounds.top + height});
}

int Control::GetClientWidth() {
  RECT client;
  GetClientRect(Handle(), &client);
  return client.right;
}

int Control::GetClientHeight() {
  RECT client;
  GetClientRect(Handle(), &client);
  return client.bottom;
}

// Outer size minus client size, measured on the window (asking for it makes
// the window). A pop-up made without a size has no client area to measure
// by; its frame then follows from its styles.
SIZE Control::FrameSize() {
  const HWND window = Handle();
  RECT client, outer;
  GetClientRect(window, &client);
  GetWindowRect(window, &outer);
  RECT styled{0, 0, 0, 0};
  AdjustWindowRectEx(&styled, static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE)));
  return {client.right > 0 ? (outer.right - outer.left) - client.right
                           : styled.right - styled.left,
          client.bottom > 0 ? (outer.bottom - outer.top) - client.bottom
                            : styled.bottom - styled.top};
}

void Control::SetClientWidth(int width) { SetWidth(width + FrameSize().cx); }

void Control::SetClientHeight(int height) { SetHeight(height + FrameSize().cy); }

// ---------------------------------------------------------------- appearance

HBRUSH Control::Brush() {
  if (!brush_) brush_ = CountedCreateBrush(ResolveColour(colour_));
  return brush_;
}

void Control::FreeBrush() {
  CountedDeleteObject(brush_);
  brush_ = nullptr;
}

void Control::SetColour(Colour colour) {
  colour_ = colour;
  FreeBrush();
  Invalidate();
}

Font& Control::GetFont() {
  if (!font_) {
    font_ = std::make_unique<Font>();
    font_->colour_ = textColour_;
    font_->owner_ = this;
  }
  return *font_;
}

void Control::FontChanged() {
  textColour_ = font_->colour_;
  if (!window_) return;
  SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_->Handle()), FALSE);
  RethrowPendingException();
  Invalidate();
}

LRESULT Control::PaintColours(HDC dc) {
  SetTextColor(dc, ResolveColour(textColour_));
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, ResolveColour(colour_));
  return reinterpret_cast<LRESULT>(Brush());
}

void Control::SetStyle(DWORD style) {
  style_ = style;
  if (!window_) return;
  // Visibility belongs to set visible: the window keeps what it shows now.
  DWORD shown = static_cast<DWORD>(GetWindowLongPtrA(window_, GWL_STYLE)) & WS_VISIBLE;
  SetWindowLongPtrA(window_, GWL_STYLE, static_cast<LONG_PTR>((style & ~WS_VISIBLE) | shown));
  SetWindowPos(window_, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  RethrowPendingException();
  Invalidate();
}

void Control::SetExtendedStyle(DWORD exStyle) {
  exStyle_ = exStyle;
  if (!window_) return;
  SetWindowLongPtrA(window_, GWL_EXSTYLE, static_cast<LONG_PTR>(exStyle));
  SetWindowPos(window_, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  RethrowPendingException();
  Invalidate();
}

void Control::SetTextAlignment(int alignment) {
  if (alignment < kAlignLeft || alignment > kAlignCentre) return;
  DWORD mask = 0;
  DWORD values[3] = {};
  switch (kind_) {
    case ControlKind::Label:
      mask = SS_CENTER | SS_RIGHT | SS_LEFTNOWORDWRAP;
      values[kAlignLeft] = SS_LEFT, values[kAlignRight] = SS_RIGHT, values[kAlignCentre] = SS_CENTER;
      break;
    case ControlKind::EditBox:
      mask = ES_CENTER | ES_RIGHT;
      values[kAlignLeft] = ES_LEFT, values[kAlignRight] = ES_RIGHT, values[kAlignCentre] = ES_CENTER;
      break;
    case ControlKind::BitmapButton:
      mask = BS_CENTER;
      values[kAlignLeft] = BS_LEFT, values[kAlignRight] = BS_RIGHT, values[kAlignCentre] = BS_CENTER;
      break;
    default:
      return;
  }
  SetStyle((style_ & ~mask) | values[alignment]);
}

void Control::SetVerticalAlignment(int alignment) {
  if (alignment < kVAlignCentre || alignment > kVAlignBottom) return;
  DWORD mask = 0;
  DWORD values[3] = {};
  switch (kind_) {
    case ControlKind::Label:
      mask = SS_CENTERIMAGE;
      values[kVAlignCentre] = SS_CENTERIMAGE;
      break;
    case ControlKind::BitmapButton:
      mask = BS_VCENTER;
      values[kVAlignCentre] = BS_VCENTER, values[kVAlignTop] = BS_TOP, values[kVAlignBottom] = BS_BOTTOM;
      break;
    default:
      return;
  }
  SetStyle((style_ & ~mask) | values[alignment]);
}

void Control::SetCursor(HCURSOR cursor) {
  cursor_ = cursor;
  if (!window_ || !cursor) return;
  POINT point;
  if (!GetCursorPos(&point) || WindowFromPoint(point) != window_) return;
  RECT client;
  GetClientRect(window_, &client);
  ScreenToClient(window_, &point);
  if (PtInRect(&client, point)) ::SetCursor(cursor);
}

void Control::SetVisible(bool visible) {
  if (visible) {
    style_ |= WS_VISIBLE;
    visibleSet_ = true;
  } else {
    style_ &= ~WS_VISIBLE;
  }
  if (!window_) return;
  createdHidden_ = false;
  ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
  RethrowPendingException();
}

std::string Control::GetText() const {
  if (!window_) return text_;
  std::string text(static_cast<size_t>(GetWindowTextLengthA(window_)) + 1, '\0');
  int length = GetWindowTextA(window_, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(std::max(length, 0)));
  return text;
}

void Control::SetText(std::string_view text) {
  text_ = text;
  if (!window_) return;
  SetWindowTextA(window_, text_.c_str());
  RethrowPendingException();
  Invalidate();
}

void Control::Invalidate() {
  if (window_ && !ShuttingDown()) InvalidateRect(window_, nullptr, TRUE);
}

void Control::AddDestroyNotification(NotifyHandler fn, void* context) {
  if (fn) destroyNotifications_.push_back({fn, context});
}

void Control::RemoveDestroyNotification(NotifyHandler fn, void* context) {
  std::erase_if(destroyNotifications_, [&](const Handler<NotifyHandler>& notification) {
    return notification.fn == fn && notification.context == context;
  });
}

// ---------------------------------------------------------------- destruction

void DestroyControl(Control* control) {
  if (!control || control->destroying_) return;
  if (control->lockCount_ > 0) {
    control->destroyPending_ = true;  // done when its message processing ends
    return;
  }
  control->DestroyNow();
  RethrowPendingException();
}

void Control::DestroyNow() {
  destroying_ = true;
  destroyPending_ = false;

  std::vector<Handler<NotifyHandler>> notifications = std::move(destroyNotifications_);
  for (const Handler<NotifyHandler>& notification : notifications) {
    notification.fn(notification.context, this);
  }

  // Children go last created first.
  while (!children_.empty()) {
    Control* child = children_.back();
    if (child->lockCount_ > 0) {
      // Busy in its own message processing: it goes when that ends; its
      // window goes with ours.
      child->destroyPending_ = true;
      child->parent_ = nullptr;
      children_.pop_back();
    } else {
      child->DestroyNow();
    }
  }

  font_.reset();
  FreeBrush();
  Control* form = OwningForm();
  if (window_) DestroyWindow(window_);  // the window's link goes on WM_NCDESTROY
  CountedDestroyIcon(icon_);
  icon_ = nullptr;

  if (parent_) {
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  if (form && form->currentControl_ == this) form->currentControl_ = nullptr;
  if (Control* application = State().applicationObject) {
    if (application->lastActiveForm_ == this) application->lastActiveForm_ = nullptr;
    if (application->minimiseAnchor_ == this) application->minimiseAnchor_ = nullptr;
  }
  LayerState& state = State();
  if (state.mainForm == this) state.mainForm = nullptr;
  if (state.currentApplication == this) state.currentApplication = nullptr;
  if (state.applicationObject == this) {
    state.applicationObject = nullptr;
    state.terminated = true;
    state.failing = false;
  }
  delete this;
}

}  // namespace widgets
