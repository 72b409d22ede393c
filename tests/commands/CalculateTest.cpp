// The calculate command behind the "=" button, wired to the window: the
// boxes read, the payout written, and for a refused bet each failing
// check's box focused and selected with the last message left in the strip.
// The checks themselves are tested case by case without a window.
#include "support/Design.h"
#include "support/Input.h"
#include "support/MainWindowHarness.h"
#include "support/WindowTestSupport.h"

using namespace zemko_test;
using widgets::Control;

namespace {

class CalculateTest : public MainWindowTest {
 protected:
  // The button's own click operation, as Enter in the "по" box uses it.
  void Calculate() { Window().calculateButton->Click(); }

  // The click notification the button sends its parent when it is pressed.
  void ClickNotification() {
    HWND button = Window().calculateButton->Handle();
    SendMessageA(MainHandle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
  }

  // A press and release of the left mouse button on the button itself.
  void MouseClick() {
    HWND button = Window().calculateButton->Handle();
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpMessages(Quit::KeepForLoop);
  }

  std::string Strip() { return TextOf(Window().resultStrip); }
};

}  // namespace

TEST_F(CalculateTest, TheExampleBetPaysTwentySixHundredWithoutMovingTheFocus) {
  RunInLoop([&] {
    EnterBet("300", {"2", "3", "4"}, "3", "2");
    Row(2)->SetFocus(true);
    Calculate();
    EXPECT_EQ("2600,00", Strip());
    EXPECT_EQ(Row(2), Focused());

    // The same through the notification a real click sends, and through a
    // press of the mouse on the button.
    SetTextOf(Window().resultStrip, "");
    Window().stakeBox->SetFocus(true);
    ClickNotification();
    EXPECT_EQ("2600,00", Strip());
    EXPECT_EQ(Window().stakeBox, Focused());

    SetTextOf(Window().resultStrip, "");
    MouseClick();
    EXPECT_EQ("2600,00", Strip());
  });
}

TEST_F(CalculateTest, EveryFailingCheckSelectsItsBoxAndTheLastOneStays) {
  RunInLoop([&] {
    // Rows 2 and 4 of 5 are letters: the last bad row keeps the focus.
    EnterBet("100", {"2", "x", "3", "1,5,", "4"}, "5", "2");
    Row(1)->SetFocus(true);
    Calculate();
    EXPECT_EQ(kOddsNotANumber, Strip());
    EXPECT_EQ(Row(4), Focused());
    EXPECT_TRUE(WholeTextSelected(Row(4)));
    EXPECT_TRUE(WholeTextSelected(Row(2))) << "every failing box was selected";

    // Only the stake is wrong (a thousands separator): its own message, and
    // its box focused with the whole text selected.
    EnterBet("1 000", {"2", "3", "4"}, "3", "2");
    Row(1)->SetFocus(true);
    Calculate();
    EXPECT_EQ(kStakeNotANumber, Strip());
    EXPECT_EQ(Window().stakeBox, Focused());
    EXPECT_TRUE(WholeTextSelected(Window().stakeBox));

    // A bad row, a bad stake and K > N: the "по" box has the last word.
    EnterBet("-5", {"?", "3"}, "2", "13");
    Calculate();
    EXPECT_EQ(kComboSizeAboveSystemSize, Strip());
    EXPECT_EQ(Window().comboSizeBox, Focused());
    EXPECT_TRUE(WholeTextSelected(Window().comboSizeBox));
    EXPECT_EQ("-5", TextOf(Window().stakeBox)) << "a refusal changes nothing of the bet";

    // Too many combinations: the system-size box.
    EnterBet("300", {"2", "3", "4"}, "2000000000", "1000");
    Calculate();
    EXPECT_EQ(kSystemTooLarge, Strip());
    EXPECT_EQ(Window().systemSizeBox, Focused());
    EXPECT_TRUE(WholeTextSelected(Window().systemSizeBox));

    // A success replaces the message and leaves the focus where it is.
    EnterBet("300", {"2", "3", "4"}, "3", "2");
    Row(2)->SetFocus(true);
    Calculate();
    EXPECT_EQ("2600,00", Strip());
    EXPECT_EQ(Row(2), Focused());
  });
}

TEST_F(CalculateTest, APayoutTooLargeToShowLeavesTheFocusWhereItIs) {
  RunInLoop([&] {
    const std::string tenToThe200 = "1" + std::string(200, '0');
    EnterBet("1", {tenToThe200, tenToThe200}, "2", "2");
    Row(1)->SetFocus(true);
    Calculate();
    EXPECT_EQ(kPayoutTooLarge, Strip());
    EXPECT_EQ(Row(1), Focused());
  });
}
