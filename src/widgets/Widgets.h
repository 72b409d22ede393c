// The widget layer: controls over Win32 windows, their events, focus
// navigation and closing, the application object and the message loop. Each
// kind of control (application object, form, label, edit box, bitmap button)
// is a type of its own over the common Control.
//
// A control keeps every property before its window exists; each setter stores
// the value and applies it at once when the window is there, and creating the
// window applies everything stored. Windows are made the first time a handle
// is needed (parents first) and, for all controls left, when the loop starts.
#pragma once

#include <windows.h>

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace widgets {

class Control;
class Form;
class ApplicationWindow;
class Hint;  // Hints.h

// ---------------------------------------------------------------- colours

// 0x00BBGGRR, or kSystemColour | a GetSysColor index (resolved at every use).
using Colour = std::uint32_t;
constexpr Colour kSystemColour = 0x80000000;
constexpr Colour kButtonFaceColour = kSystemColour | COLOR_BTNFACE;     // 0x8000000F
constexpr Colour kWindowTextColour = kSystemColour | COLOR_WINDOWTEXT;  // 0x80000008
constexpr Colour kWindowColour = kSystemColour | COLOR_WINDOW;          // 0x80000005

COLORREF ResolveColour(Colour colour);

// ---------------------------------------------------------------- events

// Shift state given to mouse and key handlers.
constexpr unsigned kShiftKey = 4;
constexpr unsigned kCtrlKey = 8;
constexpr unsigned kAltKey = 0x20;

constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kMiddleButton = 3;

struct MouseEvent {
  int button;     // kLeftButton, kRightButton or kMiddleButton
  bool stop;      // set by the handler: no further processing of the message
  unsigned shift; // the message's key flags, plus kAltKey while Alt is held
  int x;          // client coordinates, signed
  int y;
};

// Every handler gets its context pointer first, then the sending control.
using NotifyHandler = void (*)(void* context, Control* sender);
using MouseHandler = void (*)(void* context, Control* sender, MouseEvent& event);
using PaintHandler = void (*)(void* context, Control* sender, HDC dc);
using KeyHandler = void (*)(void* context, Control* sender, WORD& key, unsigned shift);
using CloseHandler = void (*)(void* context, Control* sender, bool& accept);
// The general message slot only observes; it cannot consume a message.
using MessageHandler = void (*)(void* context, Control* sender, UINT message,
                                WPARAM wParam, LPARAM lParam);

template <typename Fn>
struct Handler {
  Fn fn = nullptr;
  void* context = nullptr;
  explicit operator bool() const { return fn != nullptr; }
};

// ---------------------------------------------------------------- options

// A set of named option bits: combined with |, asked with Has.
template <typename Option>
inline constexpr bool kIsOptionSet = false;

template <typename Option>
  requires kIsOptionSet<Option>
constexpr Option operator|(Option a, Option b) {
  using Bits = std::underlying_type_t<Option>;
  return static_cast<Option>(static_cast<Bits>(a) | static_cast<Bits>(b));
}

template <typename Option>
  requires kIsOptionSet<Option>
constexpr bool Has(Option set, Option option) {
  using Bits = std::underlying_type_t<Option>;
  return (static_cast<Bits>(set) & static_cast<Bits>(option)) != 0;
}

// Edit options (create edit box). The two scroll options work the other way
// round: a box gets automatic scrolling unless they are given.
enum class EditOption : std::uint16_t {
  None = 0,
  NoHorizontalScroll = 0x0001,
  NoVerticalScroll = 0x0002,
  LowerCase = 0x0004,
  Multiline = 0x0008,  // also 200 x 200, and only Tab leaves the box
  NoHideSelection = 0x0010,
  OemConvert = 0x0020,
  Password = 0x0040,
  ReadOnly = 0x0080,
  UpperCase = 0x0100,
  WantReturn = 0x0200,
  WantTab = 0x0400,  // Tab stays in the box
  Number = 0x0800,   // digits only
};
template <>
inline constexpr bool kIsOptionSet<EditOption> = true;

// Bitmap button options.
enum class ButtonOption : std::uint8_t {
  None = 0,
  ImageList = 1,  // the glyph is an HIMAGELIST, not a bitmap
  Flat = 2,       // no frame and no 3D edge
  NoCaption = 4,  // the caption is kept as the text but not drawn
  Toggle = 8,     // each press flips the button between up and down
};
template <>
inline constexpr bool kIsOptionSet<ButtonOption> = true;

// Where a bitmap button's glyph sits against its caption.
enum class GlyphLayout { Left, Top, Right, Bottom, Centre };

// Font style bits.
constexpr unsigned kFontBold = 1;
constexpr unsigned kFontItalic = 2;
constexpr unsigned kFontUnderline = 4;
constexpr unsigned kFontStrikeOut = 8;

// Text alignment and vertical alignment.
constexpr int kAlignLeft = 0;
constexpr int kAlignRight = 1;
constexpr int kAlignCentre = 2;
constexpr int kVAlignCentre = 0;
constexpr int kVAlignTop = 1;
constexpr int kVAlignBottom = 2;

// Key navigation flags: which keys move the focus away from a control.
constexpr unsigned kNavigateTab = 1;
constexpr unsigned kNavigateLeftRight = 2;
constexpr unsigned kNavigateUpDown = 4;
constexpr unsigned kNavigatePage = 8;

// ---------------------------------------------------------------- font

// A colour and a LOGFONT; the GDI font is made on demand and every change
// drops it and tells the owning control.
class Font {
 public:
  Font();
  Font(const Font& other);  // same values, no owner, no GDI font yet
  Font& operator=(const Font&) = delete;
  ~Font();

  Colour GetColour() const { return colour_; }
  void SetColour(Colour colour);
  int GetHeight() const { return logFont_.lfHeight; }
  void SetHeight(int height);
  unsigned GetStyle() const;
  void SetStyle(unsigned style);
  std::string GetFace() const;
  void SetFace(std::string_view face);
  const LOGFONTW& LogFont() const { return logFont_; }

  HFONT Handle();

 private:
  friend class Control;
  void Changed();

  Control* owner_ = nullptr;
  Colour colour_ = kWindowTextColour;
  LOGFONTW logFont_{};
  HFONT handle_ = nullptr;
};

// ---------------------------------------------------------------- bitmaps

// An off-screen bitmap that owns its GDI objects; draw transparent keeps the
// mask it builds until another key colour or another picture needs a new one.
class BitmapObject {
 public:
  BitmapObject(int width, int height);
  BitmapObject(const BitmapObject&) = delete;
  BitmapObject& operator=(const BitmapObject&) = delete;
  ~BitmapObject();

  // Replaces the picture with a bitmap resource; false when it cannot be
  // loaded (the object is then empty).
  bool LoadResource(HINSTANCE module, int resourceId);
  void DrawTransparent(HDC dc, int x, int y, Colour key);

  HBITMAP Handle() const { return bitmap_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  void Clear();
  void FreeMask();

  HBITMAP bitmap_ = nullptr;
  HBITMAP mask_ = nullptr;
  COLORREF maskKey_ = 0;
  int width_ = 0;
  int height_ = 0;
};

// Loads a bitmap resource with every pixel of exactly `from` turned into
// `to`. The caller owns the result (DeleteObject); null when it fails.
HBITMAP LoadMappedBitmap(HINSTANCE module, int resourceId, Colour from, Colour to);

// ---------------------------------------------------------------- control

// What every kind of control has: a place in the tree, geometry, text,
// colours, a font, style words, a tab order number, the event handlers, a
// hint, and the window procedure that turns messages into handler calls. The
// kinds below add their own fields and handle their own messages by
// overriding the hooks at the end.
class Control {
 public:
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // Geometry, in the parent's client coordinates (screen for forms).
  int GetLeft() const;
  int GetTop() const;
  int GetWidth() const;
  int GetHeight() const;
  void SetLeft(int left);
  void SetTop(int top);
  void SetWidth(int width);
  void SetHeight(int height);
  // Client size needs the window: asking for it creates the window.
  int GetClientWidth();
  int GetClientHeight();
  void SetClientWidth(int width);
  void SetClientHeight(int height);

  // Appearance and text.
  void SetColour(Colour colour);
  Colour GetColour() const { return colour_; }
  Colour GetTextColour() const { return textColour_; }
  Font& GetFont();
  void SetFontColour(Colour colour) { GetFont().SetColour(colour); }
  void SetFontHeight(int height) { GetFont().SetHeight(height); }
  void SetFontStyle(unsigned style) { GetFont().SetStyle(style); }
  DWORD GetStyle() const { return style_; }
  void SetStyle(DWORD style);
  DWORD GetExtendedStyle() const { return exStyle_; }
  void SetExtendedStyle(DWORD exStyle);
  // Replace the alignment bits of the kind; kinds without any ignore them.
  void SetTextAlignment(int alignment);
  void SetVerticalAlignment(int alignment);
  void SetCursor(HCURSOR cursor);
  HCURSOR GetCursor() const { return cursor_; }
  void SetVisible(bool visible);
  bool GetVisible() const { return (style_ & WS_VISIBLE) != 0; }
  std::string GetText() const;
  void SetText(std::string_view text);
  void Invalidate();

  // Structure.
  int ChildCount() const { return static_cast<int>(children_.size()); }
  Control* ChildAt(int index) const { return children_.at(index); }
  Control* Parent() const { return parent_; }
  HWND Handle();  // creates the window (parents first) when needed
  bool HasWindow() const { return window_ != nullptr; }

  // Tab order and keyboard navigation.
  int TabOrder() const { return tabOrder_; }
  bool GetTabStop() const { return tabStop_; }
  void SetTabStop(bool tabStop) { tabStop_ = tabStop; }
  unsigned KeyNavigation() const { return keyNavigation_; }
  void SetKeyNavigation(unsigned flags) { keyNavigation_ = flags; }

  // Events. Click and close are stored directly; the others hook the
  // window procedure when set.
  Handler<NotifyHandler> click;
  Handler<CloseHandler> close;  // forms and the application object
  void SetMouseDownHandler(MouseHandler fn, void* context);
  void SetPaintHandler(PaintHandler fn, void* context);
  void SetKeyDownHandler(KeyHandler fn, void* context);
  void SetMouseEnterHandler(NotifyHandler fn, void* context);
  void SetMouseLeaveHandler(NotifyHandler fn, void* context);
  // The program's own slot; a hint never takes it.
  void SetMessageHandler(MessageHandler fn, void* context);  // replaces
  // Called first when the control is destroyed: things that go with it.
  void AddDestroyNotification(NotifyHandler fn, void* context);
  void RemoveDestroyNotification(NotifyHandler fn, void* context);

  // The hint the control owns (attach hint), or null.
  Hint* GetHint() const { return hint_.get(); }

  // Focus and commands. A child control becomes its form's current control
  // and takes the focus; a form or the application object comes to the
  // front. Click runs the click handler before it returns.
  virtual void SetFocus(bool focus);
  virtual void Click();
  void PostClose();
  void StartWindowDrag();
  // Names the form the application object's minimise animation starts
  // from; may be called on the application object or any control under it.
  void SetMinimiseAnchor(Control* form);
  bool MouseInside() const { return mouseInside_; }

 protected:
  // Style bits that an alignment replaces: the kind's mask and the value.
  struct StyleBits {
    DWORD mask = 0;
    DWORD value = 0;
  };
  using Hook = bool (Control::*)(UINT message, WPARAM& wParam, LPARAM lParam,
                                 LRESULT& result);

  explicit Control(Control* parent);
  virtual ~Control();

  // ---- what a kind adds; the defaults suit a control inside a form

  // The window class; the layer's own classes are registered on first use.
  virtual const wchar_t* WindowClass() = 0;
  // After the stored properties went to a new window.
  virtual void WindowCreated() {}
  // After the window is gone and the control has let go of it.
  virtual void WindowDestroyed() {}
  virtual bool RepaintsOnResize() const { return false; }
  virtual StyleBits TextAlignmentBits(int) const { return {}; }
  virtual StyleBits VerticalAlignmentBits(int) const { return {}; }
  // The kind's own hooks, after those of the handlers (dispatch step 2).
  virtual bool HookMessage(UINT, WPARAM&, LPARAM, LRESULT&) { return false; }
  // The kind's built-in handling (dispatch step 3): here a child's focus
  // and keyboard navigation.
  virtual bool HandleMessage(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result);
  // A notification code of WM_COMMAND, passed back by the parent.
  virtual void Notified(WORD) {}
  // WM_DRAWITEM passed back by the parent; false when the kind draws nothing.
  virtual bool DrawItem(const DRAWITEMSTRUCT&) { return false; }
  virtual void MouseInsideChanged() {}

  // ---- for the kinds

  // A child control's window id and its number in its form's tab order.
  void NumberInForm();
  Form* OwningForm() const;
  ApplicationWindow* OwningApplication();
  // Runs the click handler, unless the layer itself is setting the focus.
  void FireClick();
  // Calls the close handler: false when it refused while the loop runs
  // (it then stays for the next request); an accepted close clears it.
  bool CloseAccepted();
  HBRUSH Brush();
  // A child's question for its colours (WM_CTLCOLOR...) goes to the child.
  bool ReflectColours(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool HasMouseEnterHandler() const { return static_cast<bool>(mouseEnter_); }
  void CreateWindowTree();
  void ShowCreatedHidden();
  void DestroyNow();
  LRESULT DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam);

  Control* parent_;
  std::vector<Control*> children_;
  HWND window_ = nullptr;
  int id_ = 0;
  DWORD style_ = 0;
  DWORD exStyle_ = 0;
  RECT bounds_{};
  std::string text_;
  Colour textColour_ = kWindowTextColour;
  std::unique_ptr<Font> font_;
  int tabOrder_ = 0;
  bool tabStop_ = false;
  unsigned keyNavigation_ = kNavigateTab | kNavigateLeftRight | kNavigateUpDown | kNavigatePage;
  int lockCount_ = 0;
  bool destroyPending_ = false;
  bool destroying_ = false;  // DestroyWindow is ours, not the system's

 private:
  friend class Font;
  friend class Form;
  friend class ApplicationWindow;
  friend void DestroyControl(Control* control);
  friend void RunMessageLoop(Control*& application);
  friend void AttachHint(Hint* hint, Control* control);
  friend void DestroyHint(Hint* hint);
  friend LRESULT CALLBACK ControlWindowProcedure(HWND, UINT, WPARAM, LPARAM);

  // Window lifetime (ControlWindow.cpp).
  void CreateWindowNow();
  void ApplyStoredProperties();
  LRESULT DetachWindow(WPARAM wParam, LPARAM lParam);

  // Message processing (ControlWindow.cpp).
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  bool BuiltInHandling(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result);
  void AttachHook(Hook hook);
  void ObserveByHint(UINT message, WPARAM wParam, LPARAM lParam);
  bool MouseDownHook(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result);
  bool PaintHook(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result);
  bool KeyDownHook(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result);
  bool MouseEnterHook(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result);

  // Appearance (Control.cpp).
  RECT CurrentBounds() const;
  SIZE FrameSize();
  void SetBounds(const RECT& bounds);
  void ReplaceStyleBits(StyleBits bits);
  void FreeBrush();
  void FontChanged();
  LRESULT PaintColours(HDC dc);

  // Keyboard navigation of a child control (Navigation.cpp).
  bool NavigateKey(UINT message, WPARAM& wParam, LRESULT& result);
  bool IsNavigationCandidate() const;

  WNDPROC systemProcedure_ = nullptr;  // the class procedure of a subclassed window
  bool positionSet_ = false;
  bool visibleSet_ = false;     // set visible (true) was called
  bool createdHidden_ = false;  // window made hidden although WS_VISIBLE is stored
  Colour colour_ = kButtonFaceColour;
  HBRUSH brush_ = nullptr;
  HCURSOR cursor_ = nullptr;
  bool settingFocus_ = false;
  bool mouseInside_ = false;
  // The character still to come of a key the key-down handler ate.
  struct EatenCharacter {
    UINT message = 0;  // WM_CHAR or WM_SYSCHAR; 0: none
    WORD scanCode = 0;
  } eatenCharacter_;

  std::vector<Hook> hooks_;
  Handler<MessageHandler> messageHandler_;
  Handler<MouseHandler> mouseDown_;
  Handler<PaintHandler> paint_;
  Handler<KeyHandler> keyDown_;
  Handler<NotifyHandler> mouseEnter_;
  Handler<NotifyHandler> mouseLeave_;
  std::vector<Handler<NotifyHandler>> destroyNotifications_;
  std::unique_ptr<Hint> hint_;
};

// ---------------------------------------------------------------- kinds

// The invisible pop-up "App" that owns the taskbar entry and the forms
// under it: a trimmed system menu, the focus handed on to the form active
// last, closing and minimising from the taskbar.
class ApplicationWindow : public Control {
 public:
  void SetFocus(bool focus) override;  // comes to the front

 private:
  friend class Control;
  friend class Form;
  friend ApplicationWindow* CreateApplicationObject(std::string_view caption);

  explicit ApplicationWindow(std::string_view caption);

  const wchar_t* WindowClass() override;
  void WindowCreated() override;
  bool HookMessage(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result) override;
  bool HandleMessage(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result) override;
  void Forget(Control* gone);

  Control* lastActiveForm_ = nullptr;
  Control* minimiseAnchor_ = nullptr;
};

// A form "Form": a top-level window that numbers the controls on it for the
// tab order, keeps its current control and, once asked, moves the focus
// between them by the keyboard.
class Form : public Control {
 public:
  // Turns on keyboard focus navigation among the form's controls.
  void EnableTabNavigation() { tabNavigation_ = true; }
  // Makes the windows, shows the form in front and focuses its current control.
  void ShowAndActivate();
  // The child that last received the focus, or null.
  Control* CurrentControl() const { return currentControl_; }
  void SetFocus(bool focus) override;  // comes to the front

 private:
  friend class Control;
  friend Form* CreateForm(Control* parent, std::string_view caption);

  Form(Control* parent, std::string_view caption);
  ~Form() override;

  const wchar_t* WindowClass() override;
  void WindowCreated() override;
  void WindowDestroyed() override;
  bool HookMessage(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result) override;
  bool HandleMessage(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result) override;

  // Keyboard navigation (Navigation.cpp).
  void CollectCandidates(const Control* under, std::vector<Control*>& out) const;
  Control* NextInTabOrder(bool backwards) const;
  Control* NearestInDirection(WORD key) const;

  int nextTabOrder_ = 1;
  bool tabNavigation_ = false;
  Control* currentControl_ = nullptr;
  HICON icon_ = nullptr;  // the form's own copy of the program icon
};

// A "STATIC" text; the word-wrap label is the same kind with SS_LEFT.
class Label : public Control {
 private:
  friend Label* CreateLabel(Control* parent, std::string_view text);
  friend Label* CreateWordWrapLabel(Control* parent, std::string_view text);

  Label(Control* parent, std::string_view text, bool wordWrap);

  const wchar_t* WindowClass() override { return L"STATIC"; }
  bool RepaintsOnResize() const override { return true; }
  StyleBits TextAlignmentBits(int alignment) const override;
  StyleBits VerticalAlignmentBits(int alignment) const override;
  void Notified(WORD code) override;
};

// An "EDIT" box.
class EditBox : public Control {
 public:
  // Selects the whole text (selection start 0, length -1).
  void SelectAll();

 private:
  friend EditBox* CreateEditBox(Control* parent, EditOption options);

  EditBox(Control* parent, EditOption options);

  const wchar_t* WindowClass() override { return L"EDIT"; }
  StyleBits TextAlignmentBits(int alignment) const override;
};

// What a bitmap button is made from.
struct BitmapButtonArgs {
  std::string_view caption;  // stored as the text; may be empty
  ButtonOption options = ButtonOption::None;
  GlyphLayout layout = GlyphLayout::Centre;
  // Not owned: the caller keeps it alive. With ButtonOption::ImageList an
  // HIMAGELIST in disguise.
  HBITMAP glyph = nullptr;
  int glyphCount = 0;  // 0: as many square glyphs as fit side by side
};

// An owner-drawn "BUTTON" that shows one glyph of its bitmap per state.
class BitmapButton : public Control {
 public:
  // Click sends the button its own BN_CLICKED, as a real click does.
  void Click() override;
  // A toggle button's state: down after an odd number of clicks.
  bool IsDown() const { return down_; }

 private:
  friend BitmapButton* CreateBitmapButton(Control* parent, const BitmapButtonArgs& args);

  BitmapButton(Control* parent, const BitmapButtonArgs& args);

  const wchar_t* WindowClass() override { return L"BUTTON"; }
  bool RepaintsOnResize() const override { return true; }
  StyleBits TextAlignmentBits(int alignment) const override;
  StyleBits VerticalAlignmentBits(int alignment) const override;
  bool HandleMessage(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result) override;
  void Notified(WORD code) override;
  bool DrawItem(const DRAWITEMSTRUCT& item) override;
  void MouseInsideChanged() override { Invalidate(); }  // the mouse-over glyph

  ButtonOption options_;
  GlyphLayout layout_;
  HANDLE glyph_;  // HBITMAP, or HIMAGELIST with ButtonOption::ImageList
  int glyphCount_ = 0;
  int glyphWidth_ = 0;
  int glyphHeight_ = 0;
  bool down_ = false;  // toggle buttons
};

// ---------------------------------------------------------------- creation

// Each returns the new control; its parent owns it and destroys it with
// itself.
ApplicationWindow* CreateApplicationObject(std::string_view caption);
// A form; the first one under the application object is the main form.
// A null parent makes a free-standing form that the caller destroys.
Form* CreateForm(Control* parent, std::string_view caption);
Label* CreateLabel(Control* parent, std::string_view text);
Label* CreateWordWrapLabel(Control* parent, std::string_view text);
EditBox* CreateEditBox(Control* parent, EditOption options = EditOption::None);
BitmapButton* CreateBitmapButton(Control* parent, const BitmapButtonArgs& args);
// Destroys the control with its children and its hint; deferred while the
// control is inside its own message processing.
void DestroyControl(Control* control);

Control* ControlFromHandle(HWND window);

// ---------------------------------------------------------------- application

HINSTANCE ModuleInstance();
// Runs the program until the main form is closed; then destroys the
// application object with every control and sets the variable to null. An
// exception that escapes a handler ends the loop at once and is rethrown with
// every window left standing, for the caller's error box; until the next loop
// or the application object's end, later escapes are dropped.
void RunMessageLoop(Control*& application);
bool Running();
bool Terminated();
Control* CurrentApplication();
Form* MainForm();

// ---------------------------------------------------------------- errors

// No exception crosses a window procedure: it is kept as the one pending
// exception and rethrown by the layer operation that sent the message (every
// send of the layer ends in this), or by the message loop, which it ends.
void RethrowPendingException();
bool HasPendingException();

// ---------------------------------------------------------------- accounting

// Handles the layer created and has not freed yet (GetGuiResources is of no
// use under Wine). GDI objects: fonts, brushes, bitmaps, memory DCs.
int LiveGdiObjects();
int LiveWindows();
int LiveIcons();
// Control objects that exist now, with or without a window.
int LiveControls();

}  // namespace widgets
