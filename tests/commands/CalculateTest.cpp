// The calculate command behind the "=" button: the payout of an accepted
// bet, and for a refused one the message, focus and selection of the last
// failing check.
#include <random>

#include "calc/NumberText.h"
#include "calc/Payout.h"
#include "mainwindow/MainWindowFixture.h"

using namespace zemko_test;
using widgets::Control;

namespace {

constexpr char kOddsNotANumber[] = "Коэффициент не число !";
constexpr char kStakeNotANumber[] = "Сумма не число !";
constexpr char kComboNotANumber[] = "\"По\" не число !";
constexpr char kComboAboveSystem[] = "\"По\" больше Размера системы !";
constexpr char kSystemTooLarge[] = "Размер системы слишком велик !";
constexpr char kPayoutTooLarge[] = "Слишком большой выигрыш !";

// A whole number of 201 digits: 10^200, far inside the double range.
std::string TenToThe200() { return "1" + std::string(200, '0'); }

class CalculateTest : public MainWindowTest {
 protected:
  // The button's own click operation, as Enter in the "по" box uses it.
  void Calculate() { form().calculateButton->Click(); }

  // The click notification the button sends its parent when it is pressed.
  void ClickNotification() {
    HWND button = form().calculateButton->Handle();
    SendMessageA(MainHandle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
  }

  // A press and release of the left mouse button on the button itself.
  void MouseClick() {
    HWND button = form().calculateButton->Handle();
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump();
  }

  std::string Strip() { return TextOf(form().resultStrip); }

  // The payout the engine gives for the same texts, as the result text shows it.
  static std::string Expected(std::string_view stake, const std::vector<std::string>& rows,
                              std::string_view systemSize, std::string_view comboSize) {
    std::vector<double> odds;
    for (const std::string& row : rows) odds.push_back(calc::TextToNumber(row));
    return calc::ResultText(calc::SystemPayout(calc::TextToInteger(comboSize), odds,
                                               calc::TextToNumber(stake),
                                               calc::TextToInteger(systemSize)));
  }
};

}  // namespace

// ---------------------------------------------------------------- accepted bets

TEST_F(CalculateTest, TheExampleBetPaysTwentySixHundredWithoutMovingTheFocus) {
  InLoop([&] {
    EnterBet("300", {"2", "3", "4"}, "3", "2");
    Row(2)->SetFocus(true);
    Calculate();
    EXPECT_EQ("2600,00", Strip());
    EXPECT_EQ(Row(2), Focused());

    // The same through the notification a real click sends, and through a
    // press of the mouse on the button.
    SetTextOf(form().resultStrip, "");
    form().stakeBox->SetFocus(true);
    ClickNotification();
    EXPECT_EQ("2600,00", Strip());
    EXPECT_EQ(form().stakeBox, Focused());

    SetTextOf(form().resultStrip, "");
    MouseClick();
    EXPECT_EQ("2600,00", Strip());
  });
}

TEST_F(CalculateTest, ACommaAndAPointAreTheSameDecimalSeparator) {
  InLoop([&] {
    EnterBet("100", {"1,5", "2"}, "2", "2");
    Calculate();
    EXPECT_EQ("300,00", Strip());
    SetTextOf(Row(1), "1.5");
    SetTextOf(form().resultStrip, "");
    Calculate();
    EXPECT_EQ("300,00", Strip());
    SetTextOf(form().stakeBox, "100.0");
    SetTextOf(Row(2), "2,00");
    SetTextOf(form().resultStrip, "");
    Calculate();
    EXPECT_EQ("300,00", Strip());
  });
}

TEST_F(CalculateTest, AnEmptyPoBoxPricesAnAccumulatorForAnySystemSize) {
  InLoop([&] {
    EnterBet("10", {"2", "3", "1,5"}, "3", "");
    Calculate();
    EXPECT_EQ("90,00", Strip());
    for (const char* systemSize : {"", "0", "1", "7"}) {
      SetTextOf(form().resultStrip, "");
      SetTextOf(form().systemSizeBox, systemSize);
      Calculate();
      EXPECT_EQ("90,00", Strip()) << "N = \"" << systemSize << '"';
    }
  });
}

TEST_F(CalculateTest, FewerRowsThanThePoPayNothingButMoreRowsThanTheSystemAreTaken) {
  InLoop([&] {
    // Two events came in, combinations of three of five: none won.
    EnterBet("300", {"2", "3"}, "5", "3");
    Calculate();
    EXPECT_EQ("0,00", Strip());

    // Four rows against a system of three is not refused.
    EnterBet("300", {"2", "3", "4", "5"}, "3", "2");
    Calculate();
    EXPECT_EQ(Expected("300", {"2", "3", "4", "5"}, "3", "2"), Strip());
    EXPECT_NE(0u, Strip().find(','));
  });
}

TEST_F(CalculateTest, TheCountBoxesReadPastedTextLeniently) {
  InLoop([&] {
    // Text pasted into the digit boxes: leading digits count, the rest not.
    EnterBet("300", {"2", "3", "4"}, "3x", "2 ");
    Calculate();
    EXPECT_EQ("2600,00", Strip());

    // No digits read as 0: a "по" of 2 is then larger than the system.
    SetTextOf(form().systemSizeBox, "abc");
    Calculate();
    EXPECT_EQ(kComboAboveSystem, Strip());
    EXPECT_EQ(form().comboSizeBox, Focused());

    // And "abc" in the "по" box is the accumulator.
    SetTextOf(form().systemSizeBox, "3");
    SetTextOf(form().comboSizeBox, "abc");
    Calculate();
    EXPECT_EQ("7200,00", Strip());
  });
}

TEST_F(CalculateTest, SmallAndLargeSystemsWithinTheCountArePaid) {
  InLoop([&] {
    EnterBet("300", {"2", "3", "4"}, "99", "2");
    Calculate();
    EXPECT_EQ(Expected("300", {"2", "3", "4"}, "99", "2"), Strip());
    EXPECT_EQ("1,61", Strip());  // 300 x 26 / 4851

    // C(2000000000, 2) is far below 2^64.
    EnterBet("1000000000", {"2", "3", "4"}, "2000000000", "2");
    Calculate();
    EXPECT_EQ(Expected("1000000000", {"2", "3", "4"}, "2000000000", "2"), Strip());
  });
}

TEST_F(CalculateTest, TheStripShowsExactlyTheEnginesResultForRandomBets) {
  std::mt19937 random(20240611);
  auto pick = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  auto decimal = [&](int whole, int hundredths) {
    std::string text = std::to_string(whole);
    if (hundredths >= 0) {
      text += pick(0, 1) ? ',' : '.';
      text += static_cast<char>('0' + hundredths / 10);
      text += static_cast<char>('0' + hundredths % 10);
    }
    return text;
  };
  InLoop([&] {
    for (int bet = 0; bet < 40; ++bet) {
      std::vector<std::string> rows(static_cast<std::size_t>(pick(1, 9)));
      for (std::string& row : rows) row = decimal(pick(1, 12), pick(-1, 99));
      const std::string stake = decimal(pick(0, 50000), pick(-1, 99));
      const int n = pick(0, 12);
      const int k = pick(0, n);
      const std::string systemSize = n == 0 && pick(0, 1) ? "" : std::to_string(n);
      const std::string comboSize = k == 0 && pick(0, 1) ? "" : std::to_string(k);

      EnterBet(stake, rows, systemSize, comboSize);
      SetTextOf(form().resultStrip, "");
      Calculate();
      std::string rowText;
      for (const std::string& row : rows) rowText += row + " ";
      EXPECT_EQ(Expected(stake, rows, systemSize, comboSize), Strip())
          << "stake " << stake << " rows " << rowText << "N " << systemSize << " K " << comboSize;
    }
  });
}

// ---------------------------------------------------------------- refused bets

namespace {

// A bet, what the strip says after the click and which box has the focus
// with its whole text selected.
struct Refusal {
  const char* name;
  std::string stake;
  std::vector<std::string> rows;
  const char* systemSize;
  const char* comboSize;
  const char* message;
  int focusRow;  // 0: the box below
  Control* zemcoms::CalculatorForm::*focusBox;
};

using F = zemcoms::CalculatorForm;

const Refusal kRefusals[] = {
    {"an empty row, then the empty stake overwrites it", "", {""}, "1", "1", kStakeNotANumber,
     0, &F::stakeBox},
    {"letters in rows 2 and 4: the last bad row", "100", {"2", "x", "3", "1,5,", "4"}, "5", "2",
     kOddsNotANumber, 4, nullptr},
    {"a bad first row alone", "100", {"2 ", "3"}, "2", "2", kOddsNotANumber, 1, nullptr},
    {"a signed row", "100", {"2", "+3"}, "2", "2", kOddsNotANumber, 2, nullptr},
    {"a bad row and a bad stake", "1e3", {"abc", "3"}, "2", "2", kStakeNotANumber, 0,
     &F::stakeBox},
    {"a bad row and K > N", "100", {"abc", "3"}, "1", "2", kComboAboveSystem, 0,
     &F::comboSizeBox},
    {"an empty system size with K >= 1", "100", {"2", "3"}, "", "1", kComboAboveSystem, 0,
     &F::comboSizeBox},
    {"rows, stake and K > N all wrong", "-5", {"?", "3", "!"}, "2", "3", kComboAboveSystem, 0,
     &F::comboSizeBox},
    {"a negative K", "100", {"2", "3"}, "2", "-1", kComboNotANumber, 0, &F::comboSizeBox},
    {"a negative K after a bad stake", "", {"2", "3"}, "2", "-2", kComboNotANumber, 0,
     &F::comboSizeBox},
    {"a negative K, then K > N still overwrites it", "100", {"2", "3"}, "-5", "-1",
     kComboAboveSystem, 0, &F::comboSizeBox},
    {"a stake with two separators", "1,000.50", {"2", "3"}, "2", "2", kStakeNotANumber, 0,
     &F::stakeBox},
    {"a stake whose whole part leaves the double range", "1" + std::string(400, '0'), {"2"}, "1",
     "1", kStakeNotANumber, 0, &F::stakeBox},
};

}  // namespace

TEST_F(CalculateTest, EveryFailingCheckNamesItsBoxAndTheLastOneStays) {
  InLoop([&] {
    for (const Refusal& r : kRefusals) {
      SCOPED_TRACE(r.name);
      EnterBet(r.stake, r.rows, r.systemSize, r.comboSize);
      SetTextOf(form().resultStrip, "2600,00");  // not cleared first: overwritten
      Row(1)->SetFocus(true);
      SendMessageA(Row(1)->Handle(), EM_SETSEL, 0, 0);
      Calculate();
      EXPECT_EQ(r.message, Strip());
      Control* box = r.focusRow ? Row(r.focusRow) : form().*r.focusBox;
      EXPECT_EQ(box, Focused());
      EXPECT_TRUE(WholeTextSelected(box));
      // Nothing of the bet is changed by a refusal.
      EXPECT_EQ(r.stake, TextOf(form().stakeBox));
      EXPECT_EQ(r.comboSize, TextOf(form().comboSizeBox));
    }
  });
}

TEST_F(CalculateTest, SelectionCoversTheWholeTextOfTheFailingBox) {
  InLoop([&] {
    EnterBet("100", {"2", "3,x5"}, "2", "2");
    Calculate();
    DWORD start = 1, end = 0;
    SendMessageA(Row(2)->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(0u, start);
    EXPECT_EQ(4u, end);

    SetTextOf(Row(2), "3");
    SetTextOf(form().systemSizeBox, "1");
    SetTextOf(form().comboSizeBox, "12");
    Calculate();
    SendMessageA(form().comboSizeBox->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(0u, start);
    EXPECT_EQ(2u, end);
  });
}

TEST_F(CalculateTest, ASystemWithTooManyCombinationsIsRefusedInTheSystemSizeBox) {
  InLoop([&] {
    EnterBet("300", {"2", "3", "4"}, "2000000000", "1000");
    form().stakeBox->SetFocus(true);
    Calculate();
    EXPECT_EQ(kSystemTooLarge, Strip());
    EXPECT_EQ(form().systemSizeBox, Focused());
    EXPECT_TRUE(WholeTextSelected(form().systemSizeBox));

    // C(68, 34) is just above 2^64; C(67, 33) just below... both are valid
    // arithmetic, only the count's size decides.
    SetTextOf(form().systemSizeBox, "68");
    SetTextOf(form().comboSizeBox, "34");
    Calculate();
    EXPECT_EQ(kSystemTooLarge, Strip());
    SetTextOf(form().systemSizeBox, "67");
    SetTextOf(form().comboSizeBox, "33");
    Calculate();
    EXPECT_EQ("0,00", Strip());

    // The engine is asked only when every other check passed.
    SetTextOf(form().systemSizeBox, "2000000000");
    SetTextOf(form().comboSizeBox, "1000");
    SetTextOf(form().stakeBox, "abc");
    Calculate();
    EXPECT_EQ(kStakeNotANumber, Strip());
    EXPECT_EQ(form().stakeBox, Focused());
  });
}

TEST_F(CalculateTest, APayoutBeyondTheResultsRangeIsRefusedWithoutMovingTheFocus) {
  InLoop([&] {
    // The product of two odds of 10^200 leaves the double range.
    EnterBet("1", {TenToThe200(), TenToThe200()}, "2", "2");
    Row(1)->SetFocus(true);
    Calculate();
    EXPECT_EQ(kPayoutTooLarge, Strip());
    EXPECT_EQ(Row(1), Focused());

    // As an accumulator too.
    SetTextOf(form().comboSizeBox, "");
    form().stakeBox->SetFocus(true);
    Calculate();
    EXPECT_EQ(kPayoutTooLarge, Strip());
    EXPECT_EQ(form().stakeBox, Focused());

    // A payout of 2^63 or more is refused; one just below is shown.
    SetTextOf(Row(1), "9223372036854775808");  // 2^63
    SetTextOf(Row(2), "1");
    SetTextOf(form().stakeBox, "1");
    Calculate();
    EXPECT_EQ(kPayoutTooLarge, Strip());
    SetTextOf(Row(1), "9223372036854774784");  // the double below 2^63
    Calculate();
    EXPECT_EQ("9223372036854774784,00", Strip());

    // Behind a failing check the engine is not asked at all.
    SetTextOf(Row(1), "9223372036854775808");
    SetTextOf(Row(2), "x");
    Calculate();
    EXPECT_EQ(kOddsNotANumber, Strip());
    EXPECT_EQ(Row(2), Focused());
  });
}

TEST_F(CalculateTest, ASuccessAfterARefusalReplacesTheMessage) {
  InLoop([&] {
    Calculate();
    EXPECT_EQ(kStakeNotANumber, Strip());
    EnterBet("300", {"2", "3", "4"}, "3", "2");
    Row(2)->SetFocus(true);
    Calculate();
    EXPECT_EQ("2600,00", Strip());
    EXPECT_EQ(Row(2), Focused());
  });
}
