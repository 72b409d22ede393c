// Hints: a tooltip made on the first mouse move over the control, showing
// the text set before the control had a window, line breaks included; the
// control owns its hint, and the hint leaves the general slot alone.
#include "widgets/Hints.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>

#include "support/WindowTestSupport.h"
#include "widgets/Widgets.h"

namespace {

using zemko_test::PumpMessages;

constexpr DWORD kRestMs = 3000;

class HintsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = widgets::CreateForm(nullptr, "Hints");
    form_->SetLeft(100);
    form_->SetTop(100);
    form_->SetWidth(300);
    form_->SetHeight(200);
    label_ = widgets::CreateLabel(form_, "label");
    label_->SetLeft(20);
    label_->SetTop(20);
    label_->SetWidth(120);
    // The mouse-leave tracking comes with an enter handler.
    label_->SetMouseEnterHandler([](void*, widgets::Control*) {}, nullptr);
  }
  void TearDown() override {
    widgets::DestroyControl(form_);
    PumpMessages();
  }

  widgets::Hint* HintWithText(const char* text) {
    widgets::Hint* hint = widgets::CreateHint();
    widgets::AttachHint(hint, label_);
    widgets::SetHintText(hint, text);
    return hint;
  }

  // Rests the real mouse pointer on the label until its tip shows.
  bool RestMouseOnLabel(widgets::Hint* hint) {
    form_->ShowAndActivate();
    RECT rect;
    GetWindowRect(label_->EnsureWindow(), &rect);
    // The first move makes the tooltip, which then watches the next ones.
    for (int step = 0; step < 3; ++step) {
      SetCursorPos(rect.left + 5 + step, rect.top + 5);
      Sleep(50);
      PumpMessages();
    }
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kRestMs) {
      PumpMessages();
      if (hint->TooltipWindow() && IsWindowVisible(hint->TooltipWindow())) return true;
      Sleep(20);
    }
    return false;
  }

  widgets::Form* form_ = nullptr;
  widgets::Control* label_ = nullptr;
};

std::string ToolText(HWND tooltip, HWND owner) {
  char text[256] = {};
  TTTOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = owner;
  tool.uId = 0;
  tool.lpszText = text;
  SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
  return text;
}

int TipHeight(HWND tooltip) {
  RECT rect;
  GetWindowRect(tooltip, &rect);
  return rect.bottom - rect.top;
}

TEST_F(HintsTest, TextSetBeforeTheWindowExistsSendsNothing) {
  widgets::Hint* hint = HintWithText("Поставленная сумма");
  EXPECT_FALSE(label_->HasWindow());
  EXPECT_EQ(hint->TooltipWindow(), nullptr);
  EXPECT_EQ(hint->Text(), "Поставленная сумма");
}

// The common controls library costs start-up time: it is loaded for the
// first tip, not for making hints.
TEST_F(HintsTest, TheTooltipLibraryIsLoadedForTheFirstTipOnly) {
  ASSERT_EQ(GetModuleHandleA("comctl32.dll"), nullptr) << "this test program must not import it";
  widgets::Hint* hint = HintWithText("Сыграло");
  // The pointer away from the form: a real move over the label makes a tip.
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  form_->ShowAndActivate();
  PumpMessages();
  EXPECT_EQ(GetModuleHandleA("comctl32.dll"), nullptr);
  SendMessageA(label_->EnsureWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  EXPECT_NE(GetModuleHandleA("comctl32.dll"), nullptr);
  ASSERT_NE(hint->TooltipWindow(), nullptr);
  EXPECT_EQ(ToolText(hint->TooltipWindow(), label_->EnsureWindow()), "Сыграло");
}

TEST_F(HintsTest, FirstMouseMoveMakesTheTooltipWithTheTool) {
  widgets::Hint* hint = HintWithText("Поставленная сумма");
  form_->ShowAndActivate();
  SendMessageA(label_->EnsureWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  const HWND tooltip = hint->TooltipWindow();
  ASSERT_NE(tooltip, nullptr);
  EXPECT_EQ(zemko_test::ClassNameOf(tooltip), "tooltips_class32");
  EXPECT_TRUE(GetWindowLongPtrA(tooltip, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  // A pop-up's owner is always a top-level window: the label's form.
  EXPECT_EQ(GetWindow(tooltip, GW_OWNER), form_->EnsureWindow());
  EXPECT_EQ(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
  EXPECT_EQ(ToolText(tooltip, label_->EnsureWindow()), "Поставленная сумма");
  EXPECT_EQ(SendMessageA(tooltip, TTM_GETMAXTIPWIDTH, 0, 0), 99999);

  // A second move reuses the window.
  SendMessageA(label_->EnsureWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
  EXPECT_EQ(hint->TooltipWindow(), tooltip);
  EXPECT_EQ(widgets::LiveTooltipWindows(), 1);
}

// The fields the program leaves at their defaults do what they say: the
// handlers around each move's activation, in order; the colours sent; a
// suspended hint sends no tool; an inactive one makes its tooltip but does
// not activate it.
TEST_F(HintsTest, TheFieldsTheProgramLeavesAloneDoWhatTheySay) {
  struct Calls {
    std::string order;
  } calls;
  widgets::Hint* hint = widgets::CreateHint();
  widgets::AttachHint(hint, label_);
  hint->beforeShow = {
      [](void* context, widgets::Control*) { static_cast<Calls*>(context)->order += "before "; },
      &calls};
  hint->afterShow = {
      [](void* context, widgets::Control*) { static_cast<Calls*>(context)->order += "after"; },
      &calls};
  hint->useDefaultBackgroundColour = false;
  hint->backgroundColour = RGB(1, 2, 3);
  hint->useDefaultTextColour = false;
  hint->textColour = RGB(4, 5, 6);
  widgets::SetHintText(hint, "tip");
  form_->ShowAndActivate();
  SendMessageA(label_->EnsureWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  const HWND tooltip = hint->TooltipWindow();
  ASSERT_NE(tooltip, nullptr);
  EXPECT_EQ(calls.order, "before after");
  EXPECT_EQ(static_cast<COLORREF>(SendMessageA(tooltip, TTM_GETTIPBKCOLOR, 0, 0)), RGB(1, 2, 3));
  EXPECT_EQ(static_cast<COLORREF>(SendMessageA(tooltip, TTM_GETTIPTEXTCOLOR, 0, 0)), RGB(4, 5, 6));

  // Suspended: a new text is only stored, the tooltip keeps the old tool.
  hint->suspended = true;
  widgets::SetHintText(hint, "new");
  EXPECT_EQ(hint->Text(), "new");
  EXPECT_EQ(ToolText(tooltip, label_->EnsureWindow()), "tip");

  // Inactive: a move calls neither handler.
  hint->suspended = false;
  hint->active = false;
  calls.order.clear();
  SendMessageA(label_->EnsureWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
  EXPECT_EQ(calls.order, "");
}

TEST_F(HintsTest, MouseLeaveDestroysTheTooltipAndTheNextMoveMakesItAgain) {
  widgets::Hint* hint = HintWithText("tip");
  form_->ShowAndActivate();
  SendMessageA(label_->EnsureWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  const HWND first = hint->TooltipWindow();
  ASSERT_NE(first, nullptr);
  SendMessageA(label_->EnsureWindow(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(hint->TooltipWindow(), nullptr);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(widgets::LiveTooltipWindows(), 0);
  SendMessageA(label_->EnsureWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  EXPECT_NE(hint->TooltipWindow(), nullptr);
}

TEST_F(HintsTest, UnattachedHintOnlyStoresItsText) {
  widgets::Hint* hint = widgets::CreateHint();
  widgets::SetHintText(hint, "stored");
  EXPECT_EQ(hint->Text(), "stored");
  EXPECT_EQ(hint->TooltipWindow(), nullptr);
  widgets::DestroyHint(hint);
}

TEST_F(HintsTest, DestroyingTheControlDestroysItsHintAndTooltip) {
  const int hints = widgets::LiveHints();
  widgets::Hint* hint = HintWithText("tip");
  EXPECT_EQ(label_->GetHint(), hint);
  EXPECT_EQ(hint->AttachedControl(), label_);
  EXPECT_EQ(widgets::LiveHints(), hints + 1);
  form_->ShowAndActivate();
  SendMessageA(label_->EnsureWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  ASSERT_EQ(widgets::LiveTooltipWindows(), 1);
  widgets::DestroyControl(label_);
  EXPECT_EQ(widgets::LiveTooltipWindows(), 0);
  EXPECT_EQ(widgets::LiveHints(), hints);
}

TEST_F(HintsTest, DestroyedHintIsForgottenByItsControl) {
  const int hints = widgets::LiveHints();
  widgets::Hint* hint = HintWithText("tip");
  form_->ShowAndActivate();
  widgets::DestroyHint(hint);
  EXPECT_EQ(label_->GetHint(), nullptr);
  EXPECT_EQ(widgets::LiveHints(), hints);
  SendMessageA(label_->EnsureWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(widgets::LiveTooltipWindows(), 0);
  widgets::DestroyControl(label_);  // nothing reaches the freed hint
  EXPECT_EQ(form_->ChildCount(), 0);
}

TEST_F(HintsTest, ASecondHintReplacesAndDestroysTheFirst) {
  const int hints = widgets::LiveHints();
  HintWithText("first");
  widgets::Hint* second = HintWithText("second");
  EXPECT_EQ(label_->GetHint(), second);
  EXPECT_EQ(widgets::LiveHints(), hints + 1);
  form_->ShowAndActivate();
  SendMessageA(label_->EnsureWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  ASSERT_NE(second->TooltipWindow(), nullptr);
  EXPECT_EQ(widgets::LiveTooltipWindows(), 1);
  EXPECT_EQ(ToolText(second->TooltipWindow(), label_->EnsureWindow()), "second");
}

TEST_F(HintsTest, AHintAttachedElsewhereMovesWithItsTooltipGone) {
  const int hints = widgets::LiveHints();
  widgets::Control* other = widgets::CreateLabel(form_, "other");
  other->SetTop(60);
  widgets::Hint* hint = HintWithText("tip");
  form_->ShowAndActivate();
  SendMessageA(label_->EnsureWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  ASSERT_EQ(widgets::LiveTooltipWindows(), 1);

  widgets::AttachHint(hint, other);
  EXPECT_EQ(label_->GetHint(), nullptr);
  EXPECT_EQ(other->GetHint(), hint);
  EXPECT_EQ(widgets::LiveTooltipWindows(), 0);
  SendMessageA(other->EnsureWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  ASSERT_NE(hint->TooltipWindow(), nullptr);
  EXPECT_EQ(ToolText(hint->TooltipWindow(), other->EnsureWindow()), "tip");
  widgets::DestroyControl(label_);
  EXPECT_EQ(widgets::LiveHints(), hints + 1);  // it is the other's now
  widgets::DestroyControl(other);
  EXPECT_EQ(widgets::LiveHints(), hints);
}

// The program keeps the general slot: a hint works beside a handler there.
TEST_F(HintsTest, TheGeneralSlotStaysFreeForTheProgram) {
  int moves = 0;
  label_->SetMessageHandler(
      [](void* context, widgets::Control*, UINT message, WPARAM, LPARAM) {
        if (message == WM_MOUSEMOVE) ++*static_cast<int*>(context);
      },
      &moves);
  widgets::Hint* hint = HintWithText("tip");
  form_->ShowAndActivate();
  SendMessageA(label_->EnsureWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(moves, 1);
  EXPECT_NE(hint->TooltipWindow(), nullptr);

  // Replacing the handler afterwards leaves the hint in place too.
  label_->SetMessageHandler(nullptr, nullptr);
  SendMessageA(label_->EnsureWindow(), WM_MOUSELEAVE, 0, 0);
  SendMessageA(label_->EnsureWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
  EXPECT_NE(hint->TooltipWindow(), nullptr);
  EXPECT_EQ(moves, 1);
}

TEST_F(HintsTest, RestingMouseShowsTheTip) {
  widgets::Hint* hint = HintWithText("Сыграло");
  ASSERT_TRUE(RestMouseOnLabel(hint));
  EXPECT_EQ(ToolText(hint->TooltipWindow(), label_->EnsureWindow()), "Сыграло");
}

TEST_F(HintsTest, CarriageReturnBreaksTheTipIntoTwoLines) {
  widgets::Hint* hint = HintWithText("Вывод результата  или сообщения об ошибке");
  ASSERT_TRUE(RestMouseOnLabel(hint));
  const int oneLine = TipHeight(hint->TooltipWindow());
  SendMessageA(label_->EnsureWindow(), WM_MOUSELEAVE, 0, 0);
  SetCursorPos(0, 0);
  PumpMessages();

  widgets::SetHintText(hint, "Вывод результата  или\rсообщения об ошибке");
  ASSERT_TRUE(RestMouseOnLabel(hint));
  const int twoLines = TipHeight(hint->TooltipWindow());
  EXPECT_GT(twoLines, oneLine * 3 / 2) << oneLine << " " << twoLines;
}

// A message a hint sends can run the program's handlers: adding the tool
// makes the tooltip ask the tool's window for its notification format.
// What a handler throws there reaches set hint text.
TEST_F(HintsTest, AnExceptionDuringAHintsSendReachesTheCaller) {
  bool armed = false;
  label_->SetMessageHandler(
      [](void* context, widgets::Control*, UINT message, WPARAM, LPARAM) {
        auto* armed = static_cast<bool*>(context);
        if (message == WM_NOTIFYFORMAT && *armed) {
          *armed = false;
          throw std::runtime_error("hint send");
        }
      },
      &armed);
  widgets::Hint* hint = HintWithText("tip");
  form_->ShowAndActivate();
  SendMessageA(label_->EnsureWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  ASSERT_NE(hint->TooltipWindow(), nullptr);

  armed = true;
  EXPECT_THROW(widgets::SetHintText(hint, "new"), std::runtime_error);
  EXPECT_FALSE(widgets::HasPendingException());
  label_->SetMessageHandler(nullptr, nullptr);  // its handler reads this frame
}

// ---------------------------------------------------------------- ownership

// The About window's pattern: a modeless form under the main window with its
// texts and a hinted close button whose click posts the form's close.
widgets::Form* OpenChildForm(widgets::Control* mainWindow, HBITMAP glyph) {
  widgets::Form* window = widgets::CreateForm(mainWindow, "О программе");
  window->SetStyle(WS_POPUP | WS_VISIBLE | WS_BORDER);
  window->SetLeft(120);
  window->SetTop(130);
  window->SetClientWidth(150);
  window->SetClientHeight(120);
  widgets::BitmapButton* close = widgets::CreateBitmapButton(
      window, {.caption = "",
               .options = widgets::ButtonOption::Flat | widgets::ButtonOption::NoCaption,
               .layout = widgets::GlyphLayout::Centre,
               .glyph = glyph,
               .glyphCount = 1});
  close->SetLeft(132);
  close->SetTop(2);
  close->SetWidth(16);
  close->SetHeight(16);
  close->click = {[](void*, widgets::Control* sender) { sender->Parent()->PostClose(); }, nullptr};
  widgets::Hint* hint = widgets::CreateHint();
  widgets::AttachHint(hint, close);
  widgets::SetHintText(hint, "Закрыть окно");
  widgets::Control* title = widgets::CreateWordWrapLabel(window, "Букмекерский калькулятор");
  title->SetTop(35);
  title->SetFontStyle(widgets::kFontBold);
  widgets::CreateLabel(window, "Версия : 1.0.0.1")->SetTop(70);
  window->ShowAndActivate();
  return window;
}

struct LayerCounts {
  zemko_test::HandleCounts handles;
  int controls, hints, tooltips;
  bool operator==(const LayerCounts&) const = default;
};

LayerCounts Counts() {
  return {zemko_test::LiveHandles(), widgets::LiveControls(), widgets::LiveHints(),
          widgets::LiveTooltipWindows()};
}

void PrintTo(const LayerCounts& counts, std::ostream* out) {
  zemko_test::PrintTo(counts.handles, out);
  *out << " controls " << counts.controls << ", hints " << counts.hints << ", tooltips "
       << counts.tooltips;
}

TEST_F(HintsTest, AHintedChildFormOpenedAndClosedAThousandTimesLeavesNothing) {
  HDC screen = GetDC(nullptr);
  HBITMAP glyph = CreateCompatibleBitmap(screen, 12, 12);
  ReleaseDC(nullptr, screen);
  form_->ShowAndActivate();
  PumpMessages();
  const LayerCounts before = Counts();
  const int children = form_->ChildCount();

  for (int i = 0; i < 1000; ++i) {
    widgets::Form* window = OpenChildForm(form_, glyph);
    const HWND handle = window->EnsureWindow();
    widgets::Control* close = window->ChildAt(0);
    // The pointer over the button brings the hint's tooltip.
    SendMessageA(close->EnsureWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    ASSERT_NE(close->GetHint()->TooltipWindow(), nullptr) << i;
    close->Click();
    PumpMessages();
    ASSERT_FALSE(IsWindow(handle)) << i;
    ASSERT_EQ(form_->ChildCount(), children) << i;
  }
  EXPECT_EQ(Counts(), before);
  DeleteObject(glyph);
}

}  // namespace
