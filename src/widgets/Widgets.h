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
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "widgets/Application.h"
#include "widgets/Events.h"
#include "widgets/ProgramIcons.h"
#include "widgets/Graphics.h"
#include "widgets/Options.h"

namespace widgets {

class Control;
class Form;
class ApplicationWindow;
class Hint;               // Hints.h
class AccessibleControl;  // Accessible.cpp

// ---------------------------------------------------------------- control

// What every kind of control has: a place in the tree, geometry, text,
// colours, a font, style words, a tab order number, the event handlers, a
// hint, and the window procedure that turns messages into handler calls. The
// kinds below add their own fields and handle their own messages by
// overriding HandleKind and the other virtual members below.
class Control {
 public:
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // Geometry, in the parent's client coordinates (screen for forms). Inside
  // a form every length is the design's, at 96 DPI (Dpi.h); a form's place
  // and outer size are in screen pixels, its client size is the design's.
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
  // The DPI its form is shown at; the system's before the form has a window.
  int Dpi() const;
  // Left, top, width and height, set in that order.
  void SetPlace(const Place& place);

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
  // The window, made (parents first) the first time it is needed.
  HWND EnsureWindow();
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

  // The hint the control owns (AttachHint), or null.
  Hint* GetHint() const { return hint_.get(); }
  // A hint of its own with the text: CreateHint, AttachHint, SetHintText.
  // The hint's text is also the control's accessible name, unless it has one.
  void SetHint(std::string_view text);

  // What a screen reader hears as the control's name: a name of its own
  // (otherwise the system's guess, the window text), or always its text,
  // whose every change is then announced.
  void SetAccessibleName(std::string_view name) { accessibleName_ = name; }
  void NameAfterText() { nameIsText_ = true; }
  // What a screen reader says the default action of a pressable control
  // does; with none it hears the system's answer.
  void SetAccessibleAction(std::string_view action) { accessibleAction_ = action; }
  const std::string& AccessibleAction() const { return accessibleAction_; }
  bool HasOwnName() const { return nameIsText_ || !accessibleName_.empty(); }
  std::string AccessibleName() const { return nameIsText_ ? GetText() : accessibleName_; }
  bool AnswersForItself() const { return HasOwnName() || AccessibleRole() != 0 || Pressable(); }
  // The kind's role (0: the system's), and whether its default action clicks it.
  virtual DWORD AccessibleRole() const { return 0; }
  virtual bool Pressable() const { return false; }

  // Focus and commands. A child control becomes its form's current control
  // and takes the focus; a form or the application object comes to the
  // front. Click runs the click handler before it returns.
  virtual void TakeFocus();
  virtual void Click();
  void PostClose();
  void StartWindowDrag();
  // Names the form the application object's minimise animation starts
  // from; may be called on the application object or any control under it.
  void SetMinimiseAnchor(Control* form);
  bool MouseInside() const { return mouseInside_; }
  // Visible, enabled, a tab stop with a window: the keyboard may focus it.
  bool IsNavigationCandidate() const;
  // Destroys the control now, or once the message it is processing is done;
  // nothing when it is already going.
  void DestroyWhenIdle();

  // RunMessageLoop (MessageLoop.cpp): makes and shows the application's
  // windows, runs until the quit message and destroys them.
  static void RunLoop(Control*& application);

 protected:
  // Style bits that an alignment replaces: the kind's mask and the value.
  struct StyleBits {
    DWORD mask = 0;
    DWORD value = 0;
  };

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
  // The kind's one stage of the window procedure (which message goes where:
  // WindowProcedure.cpp): its own window's messages and what its parent
  // reflects to it (OCM_COMMAND, OCM_DRAWITEM); true consumes the message.
  // The default is a child's focus and keyboard navigation.
  virtual bool HandleKind(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result);
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
  // Drops the brushes of the control and all under it: a system colour
  // may stand for another one now (FocusCues.cpp).
  void DropBrushes();
  bool HasMouseEnterHandler() const { return static_cast<bool>(mouseEnter_); }
  void CreateWindowTree();
  void ShowCreatedHidden();
  // Outer size minus client size, in pixels; measuring makes the window.
  SIZE FrameSize();
  // After a DPI change: each child window to its place and font at the DPI.
  void ShowChildrenAtDpi();
  void DestroyNow();
  // The last stage: the window class's own procedure.
  LRESULT DefaultProcedure(UINT message, WPARAM wParam, LPARAM lParam);
  // Registers one of the layer's own window classes, with the arrow cursor;
  // gives back its name. Each kind calls it once, on its first window.
  static const wchar_t* LayerClass(const wchar_t* name, UINT classStyle);

  Control* parent_;
  std::vector<Control*> children_;
  HWND window_ = nullptr;
  int dpi_ = 0;  // a form's, once its window is made
  // A form's client size as the design gives it, kept for a DPI change.
  SIZE designClient_{-1, -1};
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
  friend class Font;  // tells its owner of every change
  friend class Hint;  // puts itself in its control's slot

  using MessageHook = bool (Control::*)(UINT message, WPARAM& wParam, LPARAM lParam,
                                        LRESULT& result);

  // The window's life (WindowLife.cpp): made with every stored property,
  // and let go of on its last message.
  void CreateWindowNow();
  LRESULT DetachWindow(WPARAM wParam, LPARAM lParam);

  // The window procedure and its stages (WindowProcedure.cpp).
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Observe(UINT message, WPARAM wParam, LPARAM lParam);
  bool Hook(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result);
  bool HandleCommon(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result);
  // The handlers' hooks, attached by the handler setters.
  void AttachHook(MessageHook hook);
  bool MouseDownHook(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result);
  bool PaintHook(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result);
  bool KeyDownHook(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result);
  bool MouseEnterHook(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result);

  // Appearance (Control.cpp).
  RECT CurrentBounds() const;
  void SetBounds(const RECT& bounds);
  // Where the window goes: a child's design place at its form's DPI.
  RECT ShownBounds() const;
  // Puts the existing window where ShownBounds says.
  void MoveWindowToBounds();
  void ReplaceStyleBits(StyleBits bits);
  void FreeBrush();
  void FontChanged();
  LRESULT PaintColours(HDC dc);

  // Keyboard navigation of a child control (Navigation.cpp).
  bool NavigateKey(UINT message, WPARAM& wParam, LRESULT& result);

  WNDPROC systemProcedure_ = nullptr;  // the class procedure of a subclassed window
  bool positionSet_ = false;
  bool visibleSet_ = false;     // SetVisible(true) was called
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

  std::vector<MessageHook> hooks_;
  Handler<MessageHandler> messageHandler_;
  Handler<MouseHandler> mouseDown_;
  Handler<PaintHandler> paint_;
  Handler<KeyHandler> keyDown_;
  Handler<NotifyHandler> mouseEnter_;
  Handler<NotifyHandler> mouseLeave_;
  std::vector<Handler<NotifyHandler>> destroyNotifications_;
  std::unique_ptr<Hint> hint_;
  std::string accessibleName_;
  std::string accessibleAction_;
  bool nameIsText_ = false;
  AccessibleControl* accessible_ = nullptr;  // one reference, while the window lives
};

// ---------------------------------------------------------------- kinds

// What a label is made from.
struct LabelArgs {
  std::string_view text;
  bool wordWrap = false;                      // SS_LEFT instead of SS_LEFTNOWORDWRAP; 44 high
  std::optional<Place> place = std::nullopt;  // none: 64 x 22 (44) at 0, 0
};

// What an edit box is made from.
struct EditBoxArgs {
  EditOption options = EditOption::None;
  std::optional<Place> place = std::nullopt;  // none: 100 x 22 at 0, 0
};

// The invisible pop-up "App" that owns the taskbar entry and the forms
// under it: a trimmed system menu, the focus handed on to the form active
// last, closing and minimising from the taskbar.
class ApplicationWindow : public Control {
 public:
  static ApplicationWindow* Create(std::string_view caption);  // behind CreateApplicationObject
  void TakeFocus() override;                                   // comes to the front
  // The form the focus goes back to when the application is activated.
  void FormActivated(Control* form) { lastActiveForm_ = form; }
  // The form the minimise animation starts from.
  void AnchorMinimise(Control* form) { minimiseAnchor_ = form; }
  // Drops every reference to a control being destroyed.
  void Forget(Control* gone);

 private:
  explicit ApplicationWindow(std::string_view caption);

  const wchar_t* WindowClass() override;
  void WindowCreated() override;
  bool HandleKind(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result) override;

  Control* lastActiveForm_ = nullptr;
  Control* minimiseAnchor_ = nullptr;
  ProgramIcons icons_;  // the taskbar entry's
};

// A form "Form": a top-level window that numbers the controls on it for the
// tab order, keeps its current control and, once asked, moves the focus
// between them by the keyboard.
class Form : public Control {
 public:
  static Form* Create(Control* parent, std::string_view caption);  // behind CreateForm
  // Turns on keyboard focus navigation among the form's controls.
  void EnableTabNavigation() { tabNavigation_ = true; }
  // Makes the windows, shows the form in front and focuses its current control.
  void ShowAndActivate();
  // The child that last received the focus, or null.
  Control* CurrentControl() const { return currentControl_; }
  void SetCurrentControl(Control* control) { currentControl_ = control; }
  void TakeFocus() override;  // comes to the front
  // The next number of the form's tab order, for a control put on it.
  int TakeTabOrder() { return nextTabOrder_++; }

  // Stored directly. F1 anywhere in the form (WM_HELP); a form without one
  // lets the question go on to its owner.
  Handler<NotifyHandler> help;
  // Stored directly. The system's colours or its contrast theme changed;
  // the form then repaints itself and everything on it.
  Handler<NotifyHandler> themeChanged;

  // An item at the end of the window menu (Alt+Space), after a separator;
  // the menu then offers only what the window can do (no Size without a
  // sizing frame, no Maximize without its box).
  void AddWindowMenuItem(std::string_view text, NotifyHandler fn, void* context);

  // Keyboard cues (FocusCues.cpp): hidden until the keyboard is used in
  // the form, as the system's UI state (WM_UPDATEUISTATE) says.
  bool FocusCuesShown() const { return !hideFocus_; }
  // Tab, an arrow key or Alt was pressed in the form: the cues show.
  void KeyboardUsed();

  // Keyboard navigation (Navigation.cpp), once enabled: the control Tab or
  // Shift+Tab reaches, and the nearest one an arrow key points at.
  bool TabNavigationEnabled() const { return tabNavigation_; }
  Control* NextInTabOrder(bool backwards) const;
  Control* NearestInDirection(WORD key) const;

 private:
  Form(Control* parent, std::string_view caption);
  ~Form() override;

  const wchar_t* WindowClass() override;
  void WindowCreated() override;
  void WindowDestroyed() override;
  bool HandleKind(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result) override;

  void CollectCandidates(const Control* under, std::vector<Control*>& out) const;
  // The system moved the form to a monitor of another DPI.
  void MoveToDpi(int dpi, const RECT& suggested);
  // The window menu's own items (WindowMenu.cpp), the UI state and the
  // theme (FocusCues.cpp): parts of HandleKind.
  void ApplyWindowMenu(size_t first);
  bool RunWindowMenuItem(WPARAM command);
  void HideCuesAtStart();
  bool HandleUiState(UINT message, WPARAM wParam, LRESULT& result);
  void ThemeChanged();

  struct WindowMenuItem {
    std::string text;
    Handler<NotifyHandler> handler;
  };
  std::vector<WindowMenuItem> windowMenu_;
  bool hideFocus_ = true;

  int nextTabOrder_ = 1;
  bool tabNavigation_ = false;
  Control* currentControl_ = nullptr;
  ProgramIcons icons_;
};

// A "STATIC" text; the word-wrap label is the same kind with SS_LEFT.
class Label : public Control {
 public:
  static Label* Create(Control* parent, const LabelArgs& args);  // behind CreateLabel

 private:
  Label(Control* parent, std::string_view text, bool wordWrap);

  const wchar_t* WindowClass() override { return L"STATIC"; }
  bool RepaintsOnResize() const override { return true; }
  StyleBits TextAlignmentBits(int alignment) const override;
  StyleBits VerticalAlignmentBits(int alignment) const override;
  bool HandleKind(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result) override;
  DWORD AccessibleRole() const override;  // static text
};

// An "EDIT" box.
class EditBox : public Control {
 public:
  static EditBox* Create(Control* parent, const EditBoxArgs& args);  // behind CreateEditBox
  // Selects the whole text (selection start 0, length -1).
  void SelectAll();

 private:
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
  int glyphCount = 0;                         // 0: as many square glyphs as fit side by side
  std::optional<Place> place = std::nullopt;  // none: sized to its glyph, at 0, 0
};

// An owner-drawn "BUTTON" that shows one glyph of its bitmap per state.
class BitmapButton : public Control {
 public:
  static BitmapButton* Create(Control* parent,
                              const BitmapButtonArgs& args);  // behind CreateBitmapButton
  // Click sends the button its own BN_CLICKED, as a real click does.
  void Click() override;
  // A toggle button's state: down after an odd number of clicks.
  bool IsDown() const { return down_; }
  // Another picture of the same size (the glyph mapped to other colours);
  // not owned, as at creation.
  void SetGlyph(HBITMAP glyph);

 private:
  BitmapButton(Control* parent, const BitmapButtonArgs& args);

  const wchar_t* WindowClass() override { return L"BUTTON"; }
  bool RepaintsOnResize() const override { return true; }
  StyleBits TextAlignmentBits(int alignment) const override;
  StyleBits VerticalAlignmentBits(int alignment) const override;
  bool HandleKind(UINT message, WPARAM& wParam, LPARAM lParam, LRESULT& result) override;
  void DrawItem(const DRAWITEMSTRUCT& item);
  // A flat button's dotted focus rectangle, once the keyboard was used.
  void DrawFocusCue(HDC dc, const RECT& area);
  void MouseInsideChanged() override { Invalidate(); }  // the mouse-over glyph
  DWORD AccessibleRole() const override;                // a push button
  bool Pressable() const override { return true; }

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
Label* CreateLabel(Control* parent, const LabelArgs& args);
EditBox* CreateEditBox(Control* parent, const EditBoxArgs& args);
// The kinds' defaults where only the text or the options matter.
Label* CreateLabel(Control* parent, std::string_view text);
Label* CreateWordWrapLabel(Control* parent, std::string_view text);
EditBox* CreateEditBox(Control* parent, EditOption options = EditOption::None);
BitmapButton* CreateBitmapButton(Control* parent, const BitmapButtonArgs& args);
// Destroys the control with its children and its hint; deferred while the
// control is inside its own message processing.
void DestroyControl(Control* control);

Control* ControlFromHandle(HWND window);

}  // namespace widgets
