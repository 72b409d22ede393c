// Events: clicks, mouse, paint, keys, mouse enter and leave, the general
// message slot, cursors, and exceptions thrown by handlers.
#include <stdexcept>
#include <string>
#include <vector>

#include "base/Exception.h"
#include "widgets/TestForm.h"

using namespace widgets;
using namespace zemko_test;

namespace {

struct Log {
  std::vector<std::string> events;
  Control* sender = nullptr;
  void Add(Control* from, std::string event) {
    sender = from;
    events.push_back(std::move(event));
  }
};

void LogClick(void* context, Control* sender) { static_cast<Log*>(context)->Add(sender, "click"); }
void LogEnter(void* context, Control* sender) { static_cast<Log*>(context)->Add(sender, "enter"); }
void LogLeave(void* context, Control* sender) { static_cast<Log*>(context)->Add(sender, "leave"); }

void LogKeyMessages(void* context, Control* sender, UINT message, WPARAM, LPARAM) {
  if (message == WM_KEYDOWN) static_cast<Log*>(context)->Add(sender, "message");
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

}  // namespace

TEST_F(FormTest, ClickOnABitmapButtonRunsItsHandlerBeforeReturning) {
  Log log;
  Control* button = CreateBitmapButton(
      form_, {.caption = "", .options = ButtonOption::Flat | ButtonOption::NoCaption});
  button->click = {LogClick, &log};
  button->Click();
  EXPECT_EQ(std::vector<std::string>{"click"}, log.events);
  EXPECT_EQ(button, log.sender);

  // A press with the mouse clicks it too; a fast double click is two clicks.
  form_->SetVisible(true);
  button->SetVisible(true);
  HWND window = button->EnsureWindow();
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, At(2, 2));
  SendMessageA(window, WM_LBUTTONUP, 0, At(2, 2));
  EXPECT_EQ(2u, log.events.size());
  SendMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, At(2, 2));
  SendMessageA(window, WM_LBUTTONUP, 0, At(2, 2));
  EXPECT_EQ(3u, log.events.size());
}

TEST_F(FormTest, ALabelsClickComesBackFromItsParent) {
  Log log;
  Control* label = CreateLabel(form_, "link");
  label->click = {LogClick, &log};
  MouseEvent pressed{};
  label->SetMouseDownHandler([](void* context, Control*,
                                MouseEvent& event) { *static_cast<MouseEvent*>(context) = event; },
                             &pressed);
  label->Click();
  EXPECT_EQ(std::vector<std::string>{"click"}, log.events);
  EXPECT_EQ(label, log.sender);
  EXPECT_EQ(kLeftButton, pressed.button);
  EXPECT_EQ(0, pressed.x);
}

TEST_F(FormTest, AClickNotificationIsIgnoredWhileTheLayerSetsTheFocus) {
  Log log;
  Control* other = CreateEditBox(form_);
  Control* button = CreateBitmapButton(form_, {});
  button->click = {LogClick, &log};
  // Some buttons click themselves when they get the focus.
  button->SetMessageHandler(
      [](void*, Control* sender, UINT message, WPARAM, LPARAM) {
        if (message == WM_SETFOCUS) {
          HWND window = sender->EnsureWindow();
          SendMessageA(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), BN_CLICKED),
                       reinterpret_cast<LPARAM>(window));
        }
      },
      nullptr);
  AsForm(form_)->ShowAndActivate();
  button->TakeFocus();
  EXPECT_TRUE(log.events.empty());
  EXPECT_EQ(button, AsForm(form_)->CurrentControl());
  EXPECT_EQ(button->EnsureWindow(), GetFocus());

  other->TakeFocus();
  SetFocus(button->EnsureWindow());  // the user's focus
  EXPECT_EQ(1u, log.events.size());
}

TEST_F(FormTest, MouseDownHandlerGetsTheEventAndCanStopTheMessage) {
  Control* edit = CreateEditBox(form_);
  struct Presses {
    std::vector<MouseEvent> events;
    bool stop = false;
  } presses;
  std::vector<MouseEvent>& events = presses.events;
  edit->SetMouseDownHandler(
      [](void* context, Control*, MouseEvent& event) {
        auto* presses = static_cast<Presses*>(context);
        presses->events.push_back(event);
        event.stop = presses->stop;
      },
      &presses);
  AsForm(form_)->ShowAndActivate();
  HWND window = edit->EnsureWindow();
  SetFocus(form_->EnsureWindow());

  presses.stop = true;
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, At(-3, 7));
  SendMessageA(window, WM_LBUTTONUP, 0, At(-3, 7));
  ASSERT_EQ(1u, events.size());
  EXPECT_EQ(kLeftButton, events[0].button);
  EXPECT_EQ(unsigned(MK_LBUTTON | MK_SHIFT), events[0].shift);
  EXPECT_EQ(-3, events[0].x);
  EXPECT_EQ(7, events[0].y);
  EXPECT_NE(window, GetFocus());  // the edit box never saw the press

  presses.stop = false;
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, At(2, 2));
  SendMessageA(window, WM_LBUTTONUP, 0, At(2, 2));
  EXPECT_EQ(window, GetFocus());
  {
    HeldKeys alt({VK_MENU});
    SendMessageA(window, WM_MBUTTONDOWN, MK_MBUTTON, At(1, 1));
  }
  SendMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, At(1, 1));
  ASSERT_EQ(4u, events.size());
  EXPECT_EQ(kMiddleButton, events[2].button);
  EXPECT_EQ(unsigned(MK_MBUTTON) | base::kAltHeld, events[2].shift);
  EXPECT_EQ(kRightButton, events[3].button);

  // A form gets double-click messages instead of the second press.
  form_->SetMouseDownHandler(
      [](void* context, Control*, MouseEvent& event) {
        static_cast<Presses*>(context)->events.push_back(event);
      },
      &presses);
  SendMessageA(form_->EnsureWindow(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(1, 1));
  EXPECT_EQ(4u, events.size());
}

TEST_F(FormTest, PaintHandlerPaintsOverTheErasedBackground) {
  struct Paints {
    int count = 0;
    HDC given = nullptr;
  } paints;
  form_->SetColour(0x9ACEFF);
  form_->SetPaintHandler(
      [](void* context, Control*, HDC dc) {
        auto* paints = static_cast<Paints*>(context);
        ++paints->count;
        paints->given = dc;
        RECT corner{0, 0, 10, 10};
        FillRect(dc, &corner, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      },
      &paints);
  Picture picture(100, 100);
  SendMessageA(form_->EnsureWindow(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(picture.Dc()), 0);
  SendMessageA(form_->EnsureWindow(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture.Dc()),
               PRF_CLIENT);
  EXPECT_EQ(1, paints.count);
  EXPECT_EQ(picture.Dc(), paints.given);
  EXPECT_EQ(0u, picture.At(5, 5));
  EXPECT_EQ(0x9ACEFFu, picture.At(50, 50));

  // A real paint brings its own context from BeginPaint.
  form_->SetVisible(true);
  form_->Invalidate();
  UpdateWindow(form_->EnsureWindow());
  EXPECT_EQ(2, paints.count);
  EXPECT_NE(nullptr, paints.given);
  picture.CopyFromScreen(form_->EnsureWindow());
  EXPECT_EQ(0u, picture.At(5, 5));
  EXPECT_EQ(0x9ACEFFu, picture.At(50, 50));
}

TEST_F(FormTest, KeyDownHandlerSeesKeyAndShiftAndCanEatTheKey) {
  struct KeyLog {
    std::vector<std::pair<WORD, unsigned>> seen;
    bool eat = false;
  } keyLog;
  const auto& keys = keyLog.seen;
  Log log;
  Control* edit = CreateEditBox(form_);
  edit->SetText("abc");
  edit->SetMessageHandler(LogKeyMessages, &log);
  edit->SetKeyDownHandler(
      [](void* context, Control*, WORD& key, unsigned shift) {
        auto* keyLog = static_cast<KeyLog*>(context);
        keyLog->seen.push_back({key, shift});
        if (keyLog->eat) key = 0;
      },
      &keyLog);
  HWND window = edit->EnsureWindow();
  SendMessageA(window, EM_SETSEL, 0, 0);

  keyLog.eat = true;
  SendMessageA(window, WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_EQ("abc", edit->GetText());
  keyLog.eat = false;
  SendMessageA(window, WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_EQ("bc", edit->GetText());
  {
    HeldKeys held({VK_SHIFT, VK_CONTROL});
    SendMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
  }
  ASSERT_EQ(3u, keys.size());
  EXPECT_EQ(VK_DELETE, keys[0].first);
  EXPECT_EQ(0u, keys[0].second);
  EXPECT_EQ(VK_RETURN, keys[2].first);
  EXPECT_EQ(base::kShiftHeld | base::kCtrlHeld, keys[2].second);
  EXPECT_EQ(3u, log.events.size());  // the general slot saw each first
}

// The character of an eaten key is not typed, and one posted ahead of it by
// someone else still is: the key comes through the queue and TranslateMessage
// as a real one does, with a character posted right behind it.
TEST_F(FormTest, AnEatenKeyTypesNothingWhileAPostedCharacterStillArrives) {
  Control* edit = CreateEditBox(form_);
  edit->SetKeyDownHandler(
      [](void*, Control*, WORD& key, unsigned) {
        if (key == VK_SUBTRACT) key = 0;
      },
      nullptr);
  HWND window = edit->EnsureWindow();
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(VK_SUBTRACT, MAPVK_VK_TO_VSC)) << 16;
  PostMessageW(window, WM_KEYDOWN, VK_SUBTRACT, scan | 1);
  PostMessageW(window, WM_CHAR, 'x', 1);
  PumpMessages();
  PostMessageW(window, WM_KEYUP, VK_SUBTRACT, scan | 0xC0000001);
  PumpMessages();
  EXPECT_EQ("x", edit->GetText());
}

TEST_F(FormTest, MouseEnterAndLeaveFollowTheMouse) {
  Log log;
  Control* label = CreateLabel(form_, "link");
  label->SetWidth(100);
  label->SetMouseEnterHandler(LogEnter, &log);
  label->SetMouseLeaveHandler(LogLeave, &log);
  HWND window = label->EnsureWindow();
  SendMessageA(window, WM_MOUSEMOVE, 0, At(5, 5));
  EXPECT_TRUE(label->MouseInside());
  SendMessageA(window, WM_MOUSEMOVE, 0, At(6, 6));
  SendMessageA(window, WM_MOUSEMOVE, 0, At(-1, 5));  // captured, outside
  EXPECT_FALSE(label->MouseInside());
  SendMessageA(window, WM_LBUTTONDOWN, 0, At(99, 21));
  SendMessageA(window, WM_MOUSELEAVE, 0, 0);
  SendMessageA(window, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ((std::vector<std::string>{"enter", "leave", "enter", "leave"}), log.events);
  EXPECT_EQ(label, log.sender);
}

TEST_F(FormTest, TheGeneralSlotIsReplacedNotAdded) {
  Log first, second;
  Control* edit = CreateEditBox(form_);
  edit->SetMessageHandler(LogKeyMessages, &first);
  edit->SetMessageHandler(LogKeyMessages, &second);
  SendMessageA(edit->EnsureWindow(), WM_KEYDOWN, VK_END, 0);
  EXPECT_TRUE(first.events.empty());
  EXPECT_EQ(1u, second.events.size());
}

TEST_F(FormTest, ACursorShowsOverTheClientAreaOnly) {
  HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
  Control* label = CreateLabel(form_, "link");
  label->SetCursor(hand);
  HWND window = label->EnsureWindow();
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  EXPECT_EQ(TRUE, SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
  EXPECT_EQ(hand, GetCursor());
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
               MAKELPARAM(HTBORDER, WM_MOUSEMOVE));
  EXPECT_NE(hand, GetCursor());
}

// ---------------------------------------------------------------- exceptions

TEST_F(FormTest, AnExceptionFromAClickHandlerReachesTheCallerOfClick) {
  Control* button = CreateBitmapButton(
      form_, {.caption = "", .options = ButtonOption::Flat | ButtonOption::NoCaption});
  button->click = {[](void*, Control*) { throw base::Exception(base::ErrorKind::FloatOverflow); },
                   nullptr};
  try {
    button->Click();
    ADD_FAILURE() << "Click returned normally";
  } catch (const base::Exception& e) {
    EXPECT_EQ(base::ErrorKind::FloatOverflow, e.Kind());
    EXPECT_EQ("Floating point overflow", e.Message());
  }
  EXPECT_FALSE(HasPendingException());
}

TEST_F(FormTest, AnExceptionInAMessageTheSystemDeliversWaitsForTheNextOperation) {
  Control* edit = CreateEditBox(form_);
  edit->SetKeyDownHandler([](void*, Control*, WORD&, unsigned) { throw std::runtime_error("key"); },
                          nullptr);
  SendMessageA(edit->EnsureWindow(), WM_KEYDOWN, VK_HOME, 0);  // returns: nothing crossed Windows
  EXPECT_TRUE(HasPendingException());
  EXPECT_THROW(edit->SetText("next"), std::runtime_error);
  EXPECT_FALSE(HasPendingException());

  SendMessageA(edit->EnsureWindow(), WM_KEYDOWN, VK_HOME, 0);
  EXPECT_THROW(RethrowPendingException(), std::runtime_error);
  EXPECT_NO_THROW(RethrowPendingException());
}

// Every message the layer sends is followed by the rethrow, select all's too.
TEST_F(FormTest, AnExceptionWhileSelectingAllReachesTheCaller) {
  EditBox* edit = CreateEditBox(form_);
  edit->SetText("abc");
  edit->SetMessageHandler(
      [](void*, Control*, UINT message, WPARAM, LPARAM) {
        if (message == EM_SETSEL) throw std::runtime_error("select");
      },
      nullptr);
  edit->EnsureWindow();
  EXPECT_THROW(edit->SelectAll(), std::runtime_error);
  EXPECT_FALSE(HasPendingException());
}
