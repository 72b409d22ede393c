// The calculate command behind the "=" button, wired to the window: the
// boxes read, the payout written, and for a refused bet each failing
// check's box focused and selected with the last message left in the strip.
// The checks themselves are tested case by case without a window.
#include "base/FloatingPoint.h"
#include "err/Err.h"
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
    HWND button = Window().calculateButton->EnsureWindow();
    SendMessageA(MainHandle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
  }

  // A press and release of the left mouse button on the button itself.
  void MouseClick() {
    HWND button = Window().calculateButton->EnsureWindow();
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpMessages(Quit::KeepForLoop);
  }

  std::string Strip() { return TextOf(Window().resultStrip); }
};

// Control words a hook or an input method on the program's thread might
// leave behind: chopping with a 53-bit significand on the x87 unit and
// chopping on SSE; and overflow unmasked on both.
constexpr unsigned short kX87ChopDoublePrecision = 0x0E7F;
constexpr unsigned kSseChop = 0x7F80;
constexpr unsigned short kX87OverflowUnmasked = 0x0377;
constexpr unsigned kSseOverflowUnmasked = 0x1B80;

// Floating-point faults on the thread, counted before the error module
// translates them.
int floatFaults = 0;
LONG CALLBACK CountFloatFault(EXCEPTION_POINTERS* pointers) {
  const DWORD code = pointers->ExceptionRecord->ExceptionCode;
  if ((code >= EXCEPTION_FLT_DENORMAL_OPERAND && code <= EXCEPTION_FLT_UNDERFLOW) ||
      code == STATUS_FLOAT_MULTIPLE_TRAPS)
    ++floatFaults;
  return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

TEST_F(CalculateTest, TheExampleBetPaysTwentySixHundredWithoutMovingTheFocus) {
  RunInLoop([&] {
    EnterBet("300", {"2", "3", "4"}, "3", "2");
    Row(2)->TakeFocus();
    Calculate();
    EXPECT_EQ("2600,00", Strip());
    EXPECT_EQ(Row(2), Focused());

    // The same through the notification a real click sends, and through a
    // press of the mouse on the button.
    SetTextOf(Window().resultStrip, "");
    Window().stakeBox->TakeFocus();
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
    Row(1)->TakeFocus();
    Calculate();
    EXPECT_EQ(kOddsNotANumber, Strip());
    EXPECT_EQ(Row(4), Focused());
    EXPECT_TRUE(WholeTextSelected(Row(4)));
    EXPECT_TRUE(WholeTextSelected(Row(2))) << "every failing box was selected";

    // Only the stake is wrong (a thousands separator): its own message, and
    // its box focused with the whole text selected.
    EnterBet("1 000", {"2", "3", "4"}, "3", "2");
    Row(1)->TakeFocus();
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
    Row(2)->TakeFocus();
    Calculate();
    EXPECT_EQ("2600,00", Strip());
    EXPECT_EQ(Row(2), Focused());
  });
}

TEST_F(CalculateTest, APayoutTooLargeToShowLeavesTheFocusWhereItIs) {
  RunInLoop([&] {
    const std::string tenToThe200 = "1" + std::string(200, '0');
    EnterBet("1", {tenToThe200, tenToThe200}, "2", "2");
    Row(1)->TakeFocus();
    Calculate();
    EXPECT_EQ(kPayoutTooLarge, Strip());
    EXPECT_EQ(Row(1), Focused());
  });
}

// Bets whose shown cents hang on the last bit of the payout: with chopping
// they would read 0,37, 0,28 and 9223372036854769664,00.
TEST_F(CalculateTest, ForeignRoundingLeftOnTheThreadChangesNoResult) {
  struct Bet {
    std::string stake;
    std::vector<std::string> rows;
    std::string systemSize, comboSize, result;
  };
  const Bet bets[] = {
      {"0,125", {"3"}, "1", "1", "0,38"},
      {"1", {"0,285"}, "1", "1", "0,29"},
      {"1", {"9223372036854774784", "1"}, "2", "2", "9223372036854774784,00"},
  };
  RunInLoop([&] {
    for (const Bet& bet : bets) {
      EnterBet(bet.stake, bet.rows, bet.systemSize, bet.comboSize);
      {
        base::FpuGuard keep;
        base::LoadFpuControlWord(kX87ChopDoublePrecision);
        base::LoadSseControlWord(kSseChop);
        Calculate();
      }
      EXPECT_EQ(bet.result, Strip()) << bet.stake << " x " << bet.rows.front();
    }
  });
}

// With overflow unmasked before "=", the payout's overflow is still found by
// the check, not by a trap: the message each time, and nothing escapes.
TEST_F(CalculateTest, AnUnmaskedOverflowStillGivesTheMessageEveryTime) {
  // A trap is counted, then translated as in the program: what it throws
  // would come out of "=".
  struct FaultWatch {
    FaultWatch() {
      err::Initialise();
      counter = AddVectoredExceptionHandler(TRUE, CountFloatFault);
    }
    ~FaultWatch() {
      if (counter) RemoveVectoredExceptionHandler(counter);
      err::Finalise();
    }
    PVOID counter = nullptr;
  } watch;
  ASSERT_NE(watch.counter, nullptr);
  floatFaults = 0;
  RunInLoop([&] {
    const std::string tenToThe299 = "1" + std::string(299, '0');
    EnterBet("1", {tenToThe299, tenToThe299}, "2", "2");
    base::FpuGuard keep;
    base::LoadFpuControlWord(kX87OverflowUnmasked);
    base::LoadSseControlWord(kSseOverflowUnmasked);
    for (int press = 1; press <= 2; ++press) {
      SetTextOf(Window().resultStrip, "");
      Calculate();
      EXPECT_EQ(kPayoutTooLarge, Strip()) << "press " << press;
    }
  });
  EXPECT_EQ(floatFaults, 0);
}
