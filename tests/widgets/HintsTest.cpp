// Hints: a tooltip made on the first mouse move over the control, showing
// the text set before the control had a window, line breaks included.
#include "widgets/Hints.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "support/WindowTestSupport.h"
#include "widgets/Widgets.h"

namespace {

using widgets_test::PumpMessages;

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
    GetWindowRect(label_->Handle(), &rect);
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

  widgets::Control* form_ = nullptr;
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

TEST_F(HintsTest, FirstMouseMoveMakesTheTooltipWithTheTool) {
  widgets::Hint* hint = HintWithText("Поставленная сумма");
  form_->ShowAndActivate();
  SendMessageA(label_->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  const HWND tooltip = hint->TooltipWindow();
  ASSERT_NE(tooltip, nullptr);
  EXPECT_EQ(widgets_test::ClassNameOf(tooltip), "tooltips_class32");
  EXPECT_TRUE(GetWindowLongPtrA(tooltip, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  // A pop-up's owner is always a top-level window: the label's form.
  EXPECT_EQ(GetWindow(tooltip, GW_OWNER), form_->Handle());
  EXPECT_EQ(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
  EXPECT_EQ(ToolText(tooltip, label_->Handle()), "Поставленная сумма");
  EXPECT_EQ(SendMessageA(tooltip, TTM_GETMAXTIPWIDTH, 0, 0), 99999);

  // A second move reuses the window.
  SendMessageA(label_->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
  EXPECT_EQ(hint->TooltipWindow(), tooltip);
  EXPECT_EQ(widgets::LiveTooltipWindows(), 1);
}

TEST_F(HintsTest, MouseLeaveDestroysTheTooltipAndTheNextMoveMakesItAgain) {
  widgets::Hint* hint = HintWithText("tip");
  form_->ShowAndActivate();
  SendMessageA(label_->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  const HWND first = hint->TooltipWindow();
  ASSERT_NE(first, nullptr);
  SendMessageA(label_->Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(hint->TooltipWindow(), nullptr);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(widgets::LiveTooltipWindows(), 0);
  SendMessageA(label_->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  EXPECT_NE(hint->TooltipWindow(), nullptr);
}

TEST_F(HintsTest, UnattachedHintOnlyStoresItsText) {
  widgets::Hint* hint = widgets::CreateHint();
  widgets::SetHintText(hint, "stored");
  EXPECT_EQ(hint->Text(), "stored");
  EXPECT_EQ(hint->TooltipWindow(), nullptr);
  widgets::DestroyHint(hint);
}

TEST_F(HintsTest, DestroyingTheControlReleasesItsTooltip) {
  widgets::Hint* hint = HintWithText("tip");
  form_->ShowAndActivate();
  SendMessageA(label_->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  ASSERT_EQ(widgets::LiveTooltipWindows(), 1);
  widgets::DestroyControl(label_);
  EXPECT_EQ(widgets::LiveTooltipWindows(), 0);
  EXPECT_EQ(hint->AttachedControl(), nullptr);
  widgets::DestroyHint(hint);
}

TEST_F(HintsTest, DestroyedHintIsForgottenByItsControl) {
  widgets::Hint* hint = HintWithText("tip");
  form_->ShowAndActivate();
  widgets::DestroyHint(hint);
  SendMessageA(label_->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(widgets::LiveTooltipWindows(), 0);
  widgets::DestroyControl(label_);  // no notification reaches the freed hint
  EXPECT_EQ(form_->ChildCount(), 0);
}

TEST_F(HintsTest, RestingMouseShowsTheTip) {
  widgets::Hint* hint = HintWithText("Сыграло");
  ASSERT_TRUE(RestMouseOnLabel(hint));
  EXPECT_EQ(ToolText(hint->TooltipWindow(), label_->Handle()), "Сыграло");
}

TEST_F(HintsTest, CarriageReturnBreaksTheTipIntoTwoLines) {
  widgets::Hint* hint = HintWithText("Вывод результата  или сообщения об ошибке");
  ASSERT_TRUE(RestMouseOnLabel(hint));
  const int oneLine = TipHeight(hint->TooltipWindow());
  SendMessageA(label_->Handle(), WM_MOUSELEAVE, 0, 0);
  SetCursorPos(0, 0);
  PumpMessages();

  widgets::SetHintText(hint, "Вывод результата  или\rсообщения об ошибке");
  ASSERT_TRUE(RestMouseOnLabel(hint));
  const int twoLines = TipHeight(hint->TooltipWindow());
  EXPECT_GT(twoLines, oneLine * 3 / 2) << oneLine << " " << twoLines;
}

}  // namespace
