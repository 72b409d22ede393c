// The odds rows and the keys of the entry boxes on the real window: rows
// added with the window growing, the wiring of each key's action (what each
// key does in each box is decided from a table, tests/rules), clear-all,
// and Tab and the arrows over every control.
#include "support/Design.h"
#include "support/Input.h"
#include "support/MainWindowHarness.h"
#include "support/WindowTestSupport.h"

using namespace zemko_test;
using widgets::Control;

namespace {

// Where row n sits: four columns of five under the line of the stake box.
std::vector<int> RowPlace(int n) {
  return {kRowLeft + kColumnPitch * ((n - 1) / kRowsPerColumn),
          kRowTopBase + kRowPitch * ((n - 1) % kRowsPerColumn + 1), kRowWidth, kRowHeight};
}

int ExpectedClientHeight(int rows) {
  return kClientHeightBase + kRowPitch * std::min(rows, kRowsPerColumn);
}

class OddsRowsTest : public MainWindowTest {
 protected:
  // The result strip and the bottom buttons under the rows.
  void ExpectBottomBand(int clientHeight) {
    EXPECT_EQ((std::vector<int>{kResultStripLeft, clientHeight - kResultStripAboveFloor,
                                kResultStripWidth, kResultStripHeight}),
              Place(RectInClient(Window().resultStrip)));
    const int top = clientHeight - kBottomButtonsAboveFloor;
    const std::pair<Control*, int> buttons[] = {{Window().calculateButton, kCalculateButtonLeft},
                                                {Window().clearAllButton, kClearAllButtonLeft},
                                                {Window().pasteButton, kPasteButtonLeft},
                                                {Window().helpButton, kHelpButtonLeft}};
    for (const auto& [button, left] : buttons)
      EXPECT_EQ((std::vector<int>{left, top, kBottomButtonSize, kBottomButtonSize}),
                Place(RectInClient(button)));
  }

  void ExpectCounts(const char* count) {
    EXPECT_EQ(count, TextOf(Window().systemSizeBox));
    EXPECT_EQ(count, TextOf(Window().wonCountBox));
    EXPECT_EQ(count, TextOf(Window().comboSizeBox));
  }

  void ExpectOneEmptyRowAfterClearAll(const std::string& stake) {
    ASSERT_EQ(1, RowCount());
    EXPECT_EQ("", TextOf(Row(1)));
    EXPECT_EQ(RowPlace(1), Place(RectInClient(Row(1))));
    EXPECT_EQ(kOneRowClientHeight, ClientHeight());
    ExpectBottomBand(kOneRowClientHeight);
    ExpectCounts("1");
    EXPECT_EQ(kResultPlaceholder, TextOf(Window().resultStrip));
    EXPECT_EQ(stake, TextOf(Window().stakeBox));
    EXPECT_EQ(Window().stakeBox, Focused());
    EXPECT_TRUE(WholeTextSelected(Window().stakeBox));
    // Only the one row is left among the main window's children.
    int edits = 0;
    for (int i = 0; i < form_->ChildCount(); ++i) {
      if (dynamic_cast<widgets::EditBox*>(form_->ChildAt(i))) ++edits;
    }
    EXPECT_EQ(kFixedEditBoxes + 1, edits) << "stake, won-count, system-size, \"по\" and one row";
  }
};

}  // namespace

// ---------------------------------------------------------------- Enter

TEST_F(OddsRowsTest, EnterInTheLastRowAddsRowsUpToTwentyAndTheWindowGrowsWithTheFirstColumn) {
  RunInLoop([&] {
    EXPECT_EQ(kOneRowClientHeight, ClientHeight());
    ExpectBottomBand(kOneRowClientHeight);
    for (int n = 2; n <= kMaxRows; ++n) {
      SCOPED_TRACE(n);
      SetTextOf(Row(n - 1), std::to_string(n));
      PostKeyPress(Row(n - 1), VK_RETURN);
      ASSERT_EQ(n, RowCount());
      Control* row = Row(n);
      EXPECT_EQ(RowPlace(n), Place(RectInClient(row)));
      EXPECT_EQ("", TextOf(row));
      EXPECT_TRUE(IsWindowVisible(row->EnsureWindow()));
      EXPECT_EQ(row, Focused());
      EXPECT_EQ(ExpectedClientHeight(n), ClientHeight());
      EXPECT_EQ(kClientWidth, form_->GetClientWidth());
      ExpectBottomBand(ExpectedClientHeight(n));
      ExpectCounts(std::to_string(n).c_str());
      // The row added before keeps its text.
      EXPECT_EQ(std::to_string(n), TextOf(Row(n - 1)));
    }
    EXPECT_EQ(kFullClientHeight, ClientHeight());

    // At twenty, Enter in the last row goes to the system size instead.
    PostKeyPress(Row(kMaxRows), VK_RETURN);
    EXPECT_EQ(kMaxRows, RowCount());
    EXPECT_EQ(Window().systemSizeBox, Focused());
    EXPECT_TRUE(WholeTextSelected(Window().systemSizeBox));
    EXPECT_EQ("20", TextOf(Window().systemSizeBox));
  });
}

TEST_F(OddsRowsTest, EnterInAnEarlierRowGoesToTheNextRow) {
  RunInLoop([&] {
    GrowTo(7);
    Row(3)->TakeFocus();
    PostKeyPress(Row(3), VK_RETURN);
    EXPECT_EQ(Row(4), Focused());
    EXPECT_EQ(7, RowCount());
    // Across the columns: row 5 to row 6.
    Row(5)->TakeFocus();
    PostKeyPress(Row(5), VK_RETURN);
    EXPECT_EQ(Row(6), Focused());
    EXPECT_EQ(7, RowCount());
  });
}

TEST_F(OddsRowsTest, EnterInTheStakeBoxAlwaysGoesToRowOne) {
  RunInLoop([&] {
    PostKeyPress(Window().stakeBox, VK_RETURN);
    EXPECT_EQ(Row(1), Focused());
    GrowTo(8);
    Window().stakeBox->TakeFocus();
    PostKeyPress(Window().stakeBox, VK_RETURN);
    EXPECT_EQ(Row(1), Focused());
    EXPECT_EQ(8, RowCount());
  });
}

TEST_F(OddsRowsTest, EnterInTheSystemSizeBoxSelectsThePoBoxAndEnterThereCalculates) {
  RunInLoop([&] {
    EnterBet("300", {"2", "3", "4"}, "3", "2");
    Window().systemSizeBox->TakeFocus();
    PostKeyPress(Window().systemSizeBox, VK_RETURN);
    EXPECT_EQ(Window().comboSizeBox, Focused());
    EXPECT_TRUE(WholeTextSelected(Window().comboSizeBox));
    EXPECT_EQ(kResultPlaceholder, TextOf(Window().resultStrip));

    PostKeyPress(Window().comboSizeBox, VK_RETURN);
    EXPECT_EQ("2600,00", TextOf(Window().resultStrip));
    EXPECT_EQ(Window().comboSizeBox, Focused());
    EXPECT_EQ(3, RowCount());
  });
}

TEST_F(OddsRowsTest, TypingTheCountsAndAddingARowResetsThemToTheRowCount) {
  RunInLoop([&] {
    GrowTo(2);
    Window().systemSizeBox->TakeFocus();
    Window().systemSizeBox->SelectAll();
    SendCharacters(Window().systemSizeBox, "8");
    Window().comboSizeBox->TakeFocus();
    Window().comboSizeBox->SelectAll();
    SendCharacters(Window().comboSizeBox, "3");
    EXPECT_EQ("8", TextOf(Window().systemSizeBox));
    EXPECT_EQ("3", TextOf(Window().comboSizeBox));
    Row(2)->TakeFocus();
    PostKeyPress(Row(2), VK_RETURN);
    ExpectCounts("3");
  });
}

// ---------------------------------------------------------------- clear all

TEST_F(OddsRowsTest, NumpadMinusInARowClearsAllRowsAndKeepsTheStake) {
  RunInLoop([&] {
    GrowTo(12);
    for (int n = 1; n <= 12; ++n) SetTextOf(Row(n), "1,5");
    SetTextOf(Window().stakeBox, "250");
    SetTextOf(Window().resultStrip, "2600,00");
    Row(9)->TakeFocus();
    PostKeyPress(Row(9), VK_SUBTRACT);
    ExpectOneEmptyRowAfterClearAll("250");
    EXPECT_EQ(0, GetWindowTextLengthA(Row(1)->EnsureWindow()));
  });
}

TEST_F(OddsRowsTest, TheWonCountBoxTakesNoKeysAndNoKeyRemovesARow) {
  RunInLoop([&] {
    GrowTo(3);
    Window().wonCountBox->TakeFocus();
    PostKeyPress(Window().wonCountBox, VK_SUBTRACT);
    PostKeyPress(Window().wonCountBox, VK_RETURN);
    EXPECT_EQ(3, RowCount());
    EXPECT_EQ(Window().wonCountBox, Focused());
    SendCharacters(Window().wonCountBox, "7");
    EXPECT_EQ("3", TextOf(Window().wonCountBox)) << "read-only";

    // Backspace and Delete only edit; an emptied row stays.
    SetTextOf(Row(2), "5");
    Row(2)->TakeFocus();
    SendMessageA(Row(2)->EnsureWindow(), EM_SETSEL, 1, 1);
    PostKeyPress(Row(2), VK_BACK);
    PostKeyPress(Row(2), VK_DELETE);
    PostKeyPress(Row(2), VK_BACK);
    EXPECT_EQ("", TextOf(Row(2)));
    EXPECT_EQ(3, RowCount());
    EXPECT_EQ(Row(2), Focused());
  });
}

TEST_F(OddsRowsTest, TheDigitBoxesTakeDigitsOnlyButTheStakeAndRowsTakeAnyText) {
  RunInLoop([&] {
    for (Control* box : {Window().systemSizeBox, Window().comboSizeBox}) {
      SetTextOf(box, "");
      box->TakeFocus();
      SendCharacters(box, "1x,5");
      EXPECT_EQ("15", TextOf(box));
    }
    Window().stakeBox->TakeFocus();
    SendCharacters(Window().stakeBox, "1x,5");
    EXPECT_EQ("1x,5", TextOf(Window().stakeBox));
    Row(1)->TakeFocus();
    SendCharacters(Row(1), "2.5");
    EXPECT_EQ("2.5", TextOf(Row(1)));
  });
}

TEST_F(OddsRowsTest, ClearAllByTheButtonLeavesOneRowAndTheStakeSelected) {
  RunInLoop([&] {
    GrowTo(12);
    SetTextOf(Window().stakeBox, "300");
    Row(12)->TakeFocus();
    Window().clearAllButton->Click();
    ExpectOneEmptyRowAfterClearAll("300");
    // New rows after a clear-all go on as before.
    PostKeyPress(Row(1), VK_RETURN);
    EXPECT_EQ(2, RowCount());
    EXPECT_EQ(Row(2), Focused());
    EXPECT_EQ(RowPlace(2), Place(RectInClient(Row(2))));
    Row(1)->TakeFocus();
    PostKeyPress(Row(1), VK_RETURN);
    EXPECT_EQ(Row(2), Focused());
  });
}

// ---------------------------------------------------------------- navigation

TEST_F(OddsRowsTest, UpAndDownMoveBetweenTheStakeAndTheRowsLeftAndRightStayInTheBox) {
  RunInLoop([&] {
    GrowTo(2);
    SetTextOf(Row(1), "1,5");
    Window().stakeBox->TakeFocus();
    PostKeyPress(Window().stakeBox, VK_DOWN);
    EXPECT_EQ(Row(1), Focused());
    PostKeyPress(Row(1), VK_NEXT);
    EXPECT_EQ(Row(2), Focused());
    PostKeyPress(Row(2), VK_UP);
    EXPECT_EQ(Row(1), Focused());
    SendMessageA(Row(1)->EnsureWindow(), EM_SETSEL, 1, 1);
    PostKeyPress(Row(1), VK_LEFT);
    PostKeyPress(Row(1), VK_RIGHT);
    PostKeyPress(Row(1), VK_RIGHT);
    EXPECT_EQ(Row(1), Focused());
    DWORD caret = 0;
    SendMessageA(Row(1)->EnsureWindow(), EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
    EXPECT_EQ(2u, caret);
    PostKeyPress(Row(1), VK_PRIOR);
    EXPECT_EQ(Window().stakeBox, Focused());
    EXPECT_EQ(2, RowCount());
  });
}

TEST_F(OddsRowsTest, TabGoesOverEveryControlInOrderAndWrapsShiftTabBack) {
  RunInLoop([&] {
    GrowTo(3);
    const std::vector<Control*> order = {Window().stakeBox,
                                         Window().wonCountBox,
                                         Window().systemSizeBox,
                                         Window().comboSizeBox,
                                         Window().calculateButton,
                                         Window().clearAllButton,
                                         Window().pasteButton,
                                         Window().helpButton,
                                         Row(1),
                                         Row(2),
                                         Row(3)};
    Window().stakeBox->TakeFocus();
    for (std::size_t i = 1; i <= order.size(); ++i) {
      PostKeyPress(Focused(), VK_TAB);
      EXPECT_EQ(order[i % order.size()], Focused()) << i;
    }
    HeldKeys shift({VK_SHIFT});
    for (std::size_t i = order.size(); i-- > 0;) {
      PostKeyPress(Focused(), VK_TAB);
      EXPECT_EQ(order[i], Focused()) << i;
    }
    // The caption-strip buttons, the labels and the link are never reached.
    for (Control* never : {Window().closeButton, Window().minimiseButton, Window().aboutButton,
                           Window().linkLabel, Window().resultStrip}) {
      EXPECT_FALSE(GetWindowLongPtrA(never->EnsureWindow(), GWL_STYLE) & WS_TABSTOP &&
                   never->GetTabStop());
    }
  });
}
