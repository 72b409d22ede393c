// The widget layer: controls over Win32 windows, their events, focus
// navigation and closing, the application object and the message loop.
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
#include <vector>

namespace widgets {

class Control;

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

// Edit options (create edit box).
constexpr unsigned kEditNoHorizontalScroll = 0x0001;
constexpr unsigned kEditNoVerticalScroll = 0x0002;
constexpr unsigned kEditLowerCase = 0x0004;
constexpr unsigned kEditMultiline = 0x0008;
constexpr unsigned kEditNoHideSelection = 0x0010;
constexpr unsigned kEditOemConvert = 0x0020;
constexpr unsigned kEditPassword = 0x0040;
constexpr unsigned kEditReadOnly = 0x0080;
constexpr unsigned kEditUpperCase = 0x0100;
constexpr unsigned kEditWantReturn = 0x0200;
constexpr unsigned kEditWantTab = 0x0400;
constexpr unsigned kEditNumber = 0x0800;

// Bitmap button options.
constexpr unsigned kButtonImageList = 1;
constexpr unsigned kButtonFlat = 2;
constexpr unsigned kButtonNoCaption = 4;
constexpr unsigned kButtonToggle = 8;

// Glyph layouts of a bitmap button.
constexpr int kGlyphLeft = 0;
constexpr int kGlyphTop = 1;
constexpr int kGlyphRight = 2;
constexpr int kGlyphBottom = 3;
constexpr int kGlyphCentre = 4;

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
  std::string GetFace() const { return logFont_.lfFaceName; }
  void SetFace(std::string_view face);
  const LOGFONTA& LogFont() const { return logFont_; }

  HFONT Handle();

 private:
  friend class Control;
  void Changed();

  Control* owner_ = nullptr;
  Colour colour_ = kWindowTextColour;
  LOGFONTA logFont_{};
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

enum class ControlKind { Application, Form, Label, EditBox, BitmapButton };

class Control {
 public:
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  ControlKind Kind() const { return kind_; }

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
  Handler<CloseHandler> close;  // forms
  void SetMouseDownHandler(MouseHandler fn, void* context);
  void SetPaintHandler(PaintHandler fn, void* context);
  void SetKeyDownHandler(KeyHandler fn, void* context);
  void SetMouseEnterHandler(NotifyHandler fn, void* context);
  void SetMouseLeaveHandler(NotifyHandler fn, void* context);
  void SetMessageHandler(MessageHandler fn, void* context);  // replaces
  // Called first when the control is destroyed: things that go with it.
  void AddDestroyNotification(NotifyHandler fn, void* context);
  void RemoveDestroyNotification(NotifyHandler fn, void* context);

  // Focus and commands.
  void SetFocus(bool focus);
  void SelectAll();
  void Click();
  void EnableTabNavigation();  // forms
  void PostClose();
  void StartWindowDrag();
  // Names the form the application object's minimise animation starts
  // from; may be called on the application object or any control under it.
  void SetMinimiseAnchor(Control* form);
  void ShowAndActivate();
  Control* CurrentControl() const { return currentControl_; }  // forms
  bool MouseInside() const { return mouseInside_; }

 private:
  using Hook = bool (Control::*)(UINT message, WPARAM& wParam, LPARAM lParam,
                                 LRESULT& result);

  Control(ControlKind kind, Control* parent);
  ~Control();

  friend Control* CreateApplicationObject(std::string_view caption);
  friend Control* CreateForm(Control* parent, std::string_view caption);
  friend Control* CreateLabel(Control* parent, std::string_view text);
  friend Control* CreateWordWrapLabel(Control* parent, std::string_view text);
  friend Control* CreateEditBox(Control* parent, unsigned options);
  friend Control* CreateBitmapButton(Control* parent, std::string_view caption,
                                     unsigned options, int layout, HBITMAP glyph,
                                     int glyphCount);
  friend void DestroyControl(Control* control);
  friend void RunMessageLoop(Control*& application);
  friend class Font;
  friend LRESULT CALLBACK ControlWindowProcedure(HWND, UINT, WPARAM, LPARAM);

  // Window lifetime (ControlWindow.cpp).
  void CreateWindowNow();
  void CreateWindowTree();
  void ShowCreatedHidden();
  void ApplyStoredProperties();
  void SetIcon();
  LRESULT DetachWindow(WPARAM wParam, LPARAM lParam);
  void DestroyNow();

  // Message processing (ControlWindow.cpp).
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam);
  bool BuiltInHandling(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result);
  void AttachHook(Hook hook);
  bool ColourReflectionHook(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result);
  bool FormHook(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result);
  bool MouseDownHook(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result);
  bool PaintHook(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result);
  bool KeyDownHook(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result);
  bool MouseEnterHook(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result);
  void Notify(WORD code);
  bool HandleClose(LRESULT& result);
  bool HandleSysCommand(WPARAM wParam, LRESULT& result);

  // Appearance (Control.cpp).
  RECT CurrentBounds() const;
  SIZE FrameSize();
  void SetBounds(const RECT& bounds);
  HBRUSH Brush();
  void FreeBrush();
  void FontChanged();
  LRESULT PaintColours(HDC dc);
  Control* OwningForm() const;
  Control* Application();

  // Bitmap button (BitmapButton.cpp).
  void DrawButton(const DRAWITEMSTRUCT& item);

  // Keyboard navigation (Navigation.cpp).
  bool NavigateKey(UINT message, WPARAM& wParam, LRESULT& result);
  bool IsNavigationCandidate() const;
  void CollectCandidates(std::vector<Control*>& out);
  Control* NextInTabOrder(bool backwards);
  Control* NearestInDirection(WORD key);

  ControlKind kind_;
  Control* parent_;
  std::vector<Control*> children_;
  HWND window_ = nullptr;
  WNDPROC systemProcedure_ = nullptr;  // the class procedure of a subclassed window
  int id_ = 0;

  DWORD style_ = 0;
  DWORD exStyle_ = 0;
  RECT bounds_{};
  bool positionSet_ = false;
  bool visibleSet_ = false;     // set visible (true) was called
  bool createdHidden_ = false;  // window made hidden although WS_VISIBLE is stored
  bool repaintOnResize_ = false;
  std::string text_;
  Colour colour_ = kButtonFaceColour;
  Colour textColour_ = kWindowTextColour;
  std::unique_ptr<Font> font_;
  HBRUSH brush_ = nullptr;
  HCURSOR cursor_ = nullptr;
  HICON icon_ = nullptr;  // a form's own copy of the program icon

  int tabOrder_ = 0;
  int nextTabOrder_ = 1;  // forms
  bool tabStop_ = false;
  unsigned keyNavigation_ = kNavigateTab | kNavigateLeftRight | kNavigateUpDown | kNavigatePage;
  bool tabNavigation_ = false;  // forms
  Control* currentControl_ = nullptr;  // forms
  Control* lastActiveForm_ = nullptr;  // application object
  Control* minimiseAnchor_ = nullptr;  // application object
  bool settingFocus_ = false;
  bool mouseInside_ = false;

  std::vector<Hook> hooks_;
  Handler<MessageHandler> messageHandler_;
  Handler<MouseHandler> mouseDown_;
  Handler<PaintHandler> paint_;
  Handler<KeyHandler> keyDown_;
  Handler<NotifyHandler> mouseEnter_;
  Handler<NotifyHandler> mouseLeave_;
  std::vector<Handler<NotifyHandler>> destroyNotifications_;

  int lockCount_ = 0;
  bool destroyPending_ = false;
  bool destroying_ = false;  // DestroyWindow is ours, not the system's

  // Bitmap button.
  unsigned buttonOptions_ = 0;
  int glyphLayout_ = kGlyphCentre;
  HANDLE glyph_ = nullptr;  // HBITMAP, or HIMAGELIST with kButtonImageList
  int glyphCount_ = 0;
  int glyphWidth_ = 0;
  int glyphHeight_ = 0;
  bool down_ = false;  // toggle buttons
};

// ---------------------------------------------------------------- creation

// The invisible pop-up that owns the taskbar entry and the forms under it.
Control* CreateApplicationObject(std::string_view caption);
// A form; the first one under the application object is the main form.
// A null parent makes a free-standing form that the caller destroys.
Control* CreateForm(Control* parent, std::string_view caption);
Control* CreateLabel(Control* parent, std::string_view text);
Control* CreateWordWrapLabel(Control* parent, std::string_view text);
Control* CreateEditBox(Control* parent, unsigned options);
// The button does not own the glyph; the caller keeps it alive.
Control* CreateBitmapButton(Control* parent, std::string_view caption,
                            unsigned options, int layout, HBITMAP glyph,
                            int glyphCount);
// Destroys the control with its children; deferred while the control is
// inside its own message processing.
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
Control* MainForm();

// ---------------------------------------------------------------- errors

// No exception crosses a window procedure: it is kept as the one pending
// exception and rethrown by the layer operation that sent the message, or
// by the message loop, which it ends.
void RethrowPendingException();
bool HasPendingException();

// ---------------------------------------------------------------- accounting

// Handles the layer created and has not freed yet (GetGuiResources is of no
// use under Wine). GDI objects: fonts, brushes, bitmaps, memory DCs.
int LiveGdiObjects();
int LiveWindows();
int LiveIcons();

}  // namespace widgets
