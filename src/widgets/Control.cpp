// The control model: construction, geometry, appearance, text and
// destruction. Every setter stores its value and applies it at once when the
// window exists.
#include "widgets/WidgetsInternal.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "widgets/Hints.h"

namespace widgets {

namespace {

int NextControlId() {
  // Child window ids only have to fit the 16 bits of WM_COMMAND.
  static int lastId = 0;
  lastId = lastId % 0xFFFF + 1;
  return lastId;
}

}  // namespace

// ---------------------------------------------------------------- creation

Control::Control(Control* parent) : parent_(parent) {
  ++State().controls;
  if (parent_) {
    // A child starts with its parent's colours and a copy of its font.
    colour_ = parent_->colour_;
    textColour_ = parent_->textColour_;
    if (parent_->font_) {
      font_ = std::make_unique<Font>(*parent_->font_);
      font_->SetOwner(this);
    }
    parent_->children_.push_back(this);
  }
}

Control::~Control() { --State().controls; }

void Control::NumberInForm() {
  id_ = NextControlId();
  if (Form* form = OwningForm()) tabOrder_ = form->TakeTabOrder();
}

Control* ControlFromHandle(HWND window) {
  if (!window) return nullptr;
  for (const auto& [linked, control] : State().links) {
    if (linked == window) return control;
  }
  return nullptr;
}

void LinkWindow(HWND window, Control* control) {
  SetPropW(window, kSelfProperty, control);
  State().links.emplace_back(window, control);
}

void UnlinkWindow(HWND window) {
  RemovePropW(window, kSelfProperty);
  auto& links = State().links;
  for (size_t i = 0; i < links.size(); ++i) {
    if (links[i].first != window) continue;
    links[i] = links.back();
    links.pop_back();
    return;
  }
}

Form* Control::OwningForm() const {
  for (Control* ancestor = parent_; ancestor; ancestor = ancestor->parent_) {
    if (auto* form = dynamic_cast<Form*>(ancestor)) return form;
  }
  return nullptr;
}

ApplicationWindow* Control::OwningApplication() {
  Control* root = this;
  while (root->parent_) root = root->parent_;
  return dynamic_cast<ApplicationWindow*>(root);
}

// ---------------------------------------------------------------- geometry

// A child stays where it was put, in design numbers; a form may have been
// moved on the screen.
RECT Control::CurrentBounds() const {
  if (!window_ || (style_ & WS_CHILD)) return bounds_;
  RECT bounds;
  GetWindowRect(window_, &bounds);
  return bounds;
}

RECT Control::ShownBounds() const {
  if (!(style_ & WS_CHILD)) return bounds_;
  const int dpi = Dpi();
  const int left = Scale(bounds_.left, dpi);
  const int top = Scale(bounds_.top, dpi);
  return {left, top, left + Scale(bounds_.right - bounds_.left, dpi),
          top + Scale(bounds_.bottom - bounds_.top, dpi)};
}

void Control::MoveWindowToBounds() {
  const RECT shown = ShownBounds();
  Window(window_).SetPos(shown.left, shown.top, shown.right - shown.left, shown.bottom - shown.top,
                         SWP_NOACTIVATE | SWP_NOZORDER);
}

int Control::Dpi() const {
  const Control* form = this;
  while ((form->style_ & WS_CHILD) && form->parent_) form = form->parent_;
  return form->dpi_ ? form->dpi_ : SystemDpi();
}

void Control::ShowChildrenAtDpi() {
  for (Control* child : children_) {
    if (!(child->style_ & WS_CHILD)) continue;  // a form follows its own monitor
    if (child->window_) {
      child->MoveWindowToBounds();
    }
    if (child->font_) child->font_->Changed();  // made again at the new DPI
    child->ShowChildrenAtDpi();
  }
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
  MoveWindowToBounds();
  if (resized && RepaintsOnResize()) Invalidate();
}

namespace {

// Edges are summed in 64 bits and kept inside the 32-bit rectangle: a
// position read from the registry can be anything (a Top of 0x7FFFFFF0
// would carry the bottom past the largest coordinate). Such a start moves
// back so that the extent stays whole; such an end stops at the largest
// coordinate.
LONG StartThatFits(int start, LONG extent) {
  return static_cast<LONG>(std::min<std::int64_t>(start, std::int64_t{LONG_MAX} - extent));
}

LONG EndThatFits(LONG start, int extent) {
  return static_cast<LONG>(
      std::clamp<std::int64_t>(std::int64_t{start} + extent, LONG_MIN, LONG_MAX));
}

}  // namespace

void Control::SetLeft(int left) {
  positionSet_ = true;
  RECT bounds = CurrentBounds();
  const LONG width = bounds.right - bounds.left;
  const LONG start = StartThatFits(left, width);
  SetBounds({start, bounds.top, start + width, bounds.bottom});
}

void Control::SetTop(int top) {
  positionSet_ = true;
  RECT bounds = CurrentBounds();
  const LONG height = bounds.bottom - bounds.top;
  const LONG start = StartThatFits(top, height);
  SetBounds({bounds.left, start, bounds.right, start + height});
}

void Control::SetWidth(int width) {
  RECT bounds = CurrentBounds();
  SetBounds({bounds.left, bounds.top, EndThatFits(bounds.left, width), bounds.bottom});
}

void Control::SetHeight(int height) {
  RECT bounds = CurrentBounds();
  SetBounds({bounds.left, bounds.top, bounds.right, EndThatFits(bounds.top, height)});
}

int Control::GetClientWidth() {
  RECT client;
  GetClientRect(EnsureWindow(), &client);
  return Unscale(client.right, Dpi());
}

int Control::GetClientHeight() {
  RECT client;
  GetClientRect(EnsureWindow(), &client);
  return Unscale(client.bottom, Dpi());
}

// Outer size minus client size, measured on the window (asking for it makes
// the window). A pop-up made without a size has no client area to measure
// by; its frame then follows from its styles.
SIZE Control::FrameSize() {
  const HWND window = EnsureWindow();
  RECT client, outer;
  GetClientRect(window, &client);
  GetWindowRect(window, &outer);
  RECT styled{0, 0, 0, 0};
  AdjustWindowRectEx(&styled, static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE)));
  return {
      client.right > 0 ? (outer.right - outer.left) - client.right : styled.right - styled.left,
      client.bottom > 0 ? (outer.bottom - outer.top) - client.bottom : styled.bottom - styled.top};
}

void Control::SetPlace(const Place& place) {
  SetLeft(place.left);
  SetTop(place.top);
  SetWidth(place.width);
  SetHeight(place.height);
}

// The frame is the system's, in pixels: a form's outer size is the scaled
// client plus the frame; a child's, in design numbers, the client plus the
// frame it stands for.
void Control::SetClientWidth(int width) {
  const int frame = FrameSize().cx;
  if (style_ & WS_CHILD) return SetWidth(width + Unscale(frame, Dpi()));
  designClient_.cx = width;
  SetWidth(Scale(width, Dpi()) + frame);
}

void Control::SetClientHeight(int height) {
  const int frame = FrameSize().cy;
  if (style_ & WS_CHILD) return SetHeight(height + Unscale(frame, Dpi()));
  designClient_.cy = height;
  SetHeight(Scale(height, Dpi()) + frame);
}

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
    font_->SetColour(textColour_);
    font_->SetOwner(this);
  }
  return *font_;
}

void Control::FontChanged() {
  textColour_ = font_->GetColour();
  if (!window_) return;
  Window(window_).Send(WM_SETFONT, reinterpret_cast<WPARAM>(font_->Handle()), FALSE);
  Invalidate();
}

LRESULT Control::PaintColours(HDC dc) {
  SetTextColor(dc, ResolveColour(textColour_));
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, ResolveColour(colour_));
  return reinterpret_cast<LRESULT>(Brush());
}

namespace {
// The window's frame follows its new style words.
constexpr UINT kFrameChanged = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                               SWP_FRAMECHANGED;
}  // namespace

void Control::SetStyle(DWORD style) {
  style_ = style;
  if (!window_) return;
  // Visibility belongs to SetVisible: the window keeps what it shows now.
  const Window window(window_);
  DWORD shown = static_cast<DWORD>(GetWindowLongPtrA(window_, GWL_STYLE)) & WS_VISIBLE;
  window.SetLong(GWL_STYLE, static_cast<LONG_PTR>((style & ~WS_VISIBLE) | shown));
  window.SetPos(0, 0, 0, 0, kFrameChanged);
  Invalidate();
}

void Control::SetExtendedStyle(DWORD exStyle) {
  exStyle_ = exStyle;
  if (!window_) return;
  const Window window(window_);
  window.SetLong(GWL_EXSTYLE, static_cast<LONG_PTR>(exStyle));
  window.SetPos(0, 0, 0, 0, kFrameChanged);
  Invalidate();
}

void Control::ReplaceStyleBits(StyleBits bits) {
  if (bits.mask == 0 && bits.value == 0) return;  // the kind has no such bits
  SetStyle((style_ & ~bits.mask) | bits.value);
}

void Control::SetTextAlignment(int alignment) {
  if (alignment < kAlignLeft || alignment > kAlignCentre) return;
  ReplaceStyleBits(TextAlignmentBits(alignment));
}

void Control::SetVerticalAlignment(int alignment) {
  if (alignment < kVAlignCentre || alignment > kVAlignBottom) return;
  ReplaceStyleBits(VerticalAlignmentBits(alignment));
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
  Window(window_).Show(visible ? SW_SHOW : SW_HIDE);
}

std::string Window::GetText() const {
  std::wstring text(static_cast<size_t>(Checked(GetWindowTextLengthW(handle_))) + 1, L'\0');
  int length = Checked(GetWindowTextW(handle_, text.data(), static_cast<int>(text.size())));
  text.resize(static_cast<size_t>(std::max(length, 0)));
  return Narrow(text);
}

std::string Control::GetText() const { return window_ ? Window(window_).GetText() : text_; }

void Control::SetText(std::string_view text) {
  text_ = text;
  if (!window_) return;
  Window(window_).SetText(text_);
  Invalidate();
  // A screen reader that follows the control speaks its new name.
  if (nameIsText_) NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window_, OBJID_CLIENT, CHILDID_SELF);
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
  if (!control) return;
  control->DestroyWhenIdle();
  RethrowPendingException();
}

void Control::DestroyWhenIdle() {
  if (destroying_) return;
  if (lockCount_ > 0) {
    destroyPending_ = true;  // done when its message processing ends
  } else {
    DestroyNow();
  }
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
      child->parent_ = nullptr;
      children_.pop_back();
    }
    child->DestroyWhenIdle();
  }

  // The hint's tooltip goes before the window it stands for.
  hint_.reset();
  font_.reset();
  FreeBrush();
  // Forgotten before the window goes: hiding the focused window hands the
  // focus to the form, which must not hand it back to this one.
  Form* form = OwningForm();
  if (form && form->CurrentControl() == this) form->SetCurrentControl(nullptr);
  // The window's link goes on WM_NCDESTROY. A handler's exception on the way
  // waits for the end: the destruction is finished first.
  if (window_) DestroyWindow(window_);

  if (parent_) {
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  LayerState& state = State();
  if (state.applicationObject) state.applicationObject->Forget(this);
  if (state.mainForm == this) state.mainForm = nullptr;
  if (state.currentApplication == this) state.currentApplication = nullptr;
  if (state.applicationObject == this) {
    state.applicationObject = nullptr;
    state.terminated = true;
    state.failing = false;
  }
  delete this;
}

// ---------------------------------------------------------------- commands

void Control::FireClick() {
  // Focusing some buttons makes them click; that click is not the user's.
  if (settingFocus_) return;
  if (click) click.fn(click.context, this);
}

bool Control::CloseAccepted() {
  if (!close) return true;
  Handler<CloseHandler> handler = close;
  bool accept = true;
  handler.fn(handler.context, this, accept);
  if (!accept && State().running) return false;
  close = {};  // runs at most once
  return true;
}

// Other kinds are clicked as the mouse would: press and release at 0, 0.
void Control::Click() {
  const Window window(EnsureWindow());
  window.Send(WM_LBUTTONDOWN, MK_LBUTTON, 0);
  window.Send(WM_LBUTTONUP, MK_LBUTTON, 0);
}

void Control::PostClose() { Window(EnsureWindow()).Post(WM_CLOSE); }

void Control::StartWindowDrag() { Window(EnsureWindow()).Post(WM_SYSCOMMAND, kDragMove); }

void Control::SetMinimiseAnchor(Control* form) {
  if (ApplicationWindow* application = OwningApplication()) application->AnchorMinimise(form);
}

}  // namespace widgets
