// Keyboard focus navigation on a grid of controls: Tab by tab order with
// wrap-around, arrows and PageUp/PageDown by geometry with the tie rule.
#include "widgets/TestForm.h"

using namespace widgets;
using namespace zemko_test;

namespace {

// Three rows of three buttons, 50 x 20, 10 pixels apart, tab order row by
// row; between them controls that Tab must skip.
class GridTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    for (int i = 0; i < 9; ++i) {
      grid_[i] = Place(CreateBitmapButton(form_, {}), 10 + 60 * (i % 3), 10 + 30 * (i / 3));
      if (i == 1) Place(CreateLabel(form_, "label"), 10, 200);
      if (i == 2) Place(CreateBitmapButton(form_, {}), 70, 200)->SetTabStop(false);
      if (i == 3) hidden_ = Place(CreateBitmapButton(form_, {}), 130, 200);
      if (i == 4) disabled_ = Place(CreateEditBox(form_), 190, 200);
    }
    AsForm(form_)->EnableTabNavigation();
    AsForm(form_)->ShowAndActivate();
    hidden_->SetVisible(false);
    EnableWindow(disabled_->EnsureWindow(), FALSE);
  }

  template <typename Kind>
  Kind* Place(Kind* control, int left, int top) {
    control->SetLeft(left);
    control->SetTop(top);
    control->SetWidth(50);
    control->SetHeight(20);
    return control;
  }

  // Sends a key press to the focused control and says where the focus went.
  Control* FocusAfter(WORD key) {
    SendKeyPress(GetFocus(), key);
    EXPECT_EQ(AsForm(form_)->CurrentControl()->EnsureWindow(), GetFocus());
    return AsForm(form_)->CurrentControl();
  }

  Control* grid_[9] = {};
  Control* hidden_ = nullptr;
  Control* disabled_ = nullptr;
};

}  // namespace

TEST_F(GridTest, TabGoesByTabOrderAndWrapsAtBothEnds) {
  grid_[0]->TakeFocus();
  for (int i = 1; i < 9; ++i) EXPECT_EQ(grid_[i], FocusAfter(VK_TAB)) << i;
  EXPECT_EQ(grid_[0], FocusAfter(VK_TAB));
  HeldKeys shift({VK_SHIFT});
  EXPECT_EQ(grid_[8], FocusAfter(VK_TAB));
  EXPECT_EQ(grid_[7], FocusAfter(VK_TAB));
}

TEST_F(GridTest, ArrowsAndPageKeysGoToTheNearestControlThatWay) {
  struct Move {
    int from;
    WORD key;
    int to;
  };
  const Move moves[] = {
      {4, VK_UP, 1},
      {4, VK_DOWN, 7},
      {4, VK_LEFT, 3},
      {4, VK_RIGHT, 5},
      {4, VK_PRIOR, 1},
      {4, VK_NEXT, 7},
      {0, VK_RIGHT, 1},
      {8, VK_LEFT, 7},
      // Nothing that way: Up and Down act as Shift+Tab and Tab, Left and
      // Right search up and down instead.
      {7, VK_DOWN, 8},
      {1, VK_UP, 0},
      {2, VK_RIGHT, 5},
      {3, VK_LEFT, 0},
      {6, VK_LEFT, 3},
  };
  for (const Move& move : moves) {
    grid_[move.from]->TakeFocus();
    EXPECT_EQ(grid_[move.to], FocusAfter(move.key)) << move.from << " key " << move.key;
  }
}

TEST_F(FormTest, OnATieTheHigherTabOrderNumberWins) {
  // Two equally near below the current control, the lower number to the
  // right; two equally near above it, the lower number to the left.
  auto make = [this](int left, int top) {
    Control* button = CreateBitmapButton(form_, {});
    button->SetLeft(left);
    button->SetTop(top);
    button->SetWidth(50);
    button->SetHeight(20);
    return button;
  };
  Control* current = make(100, 100);
  make(130, 150);
  Control* belowLeft = make(70, 150);
  make(70, 50);
  Control* aboveRight = make(130, 50);
  AsForm(form_)->EnableTabNavigation();
  AsForm(form_)->ShowAndActivate();

  current->TakeFocus();
  SendKeyPress(current->EnsureWindow(), VK_DOWN);
  EXPECT_EQ(belowLeft, AsForm(form_)->CurrentControl());
  current->TakeFocus();
  SendKeyPress(current->EnsureWindow(), VK_UP);
  EXPECT_EQ(aboveRight, AsForm(form_)->CurrentControl());
  EXPECT_EQ(aboveRight->EnsureWindow(), GetFocus());
}

TEST_F(GridTest, AnEditBoxKeepsLeftAndRightForItself) {
  EditBox* edit = Place(CreateEditBox(form_), 130, 100);
  edit->SetVisible(true);
  edit->SetText("abc");
  edit->TakeFocus();
  SendMessageA(edit->EnsureWindow(), EM_SETSEL, 3, 3);
  EXPECT_EQ(edit, FocusAfter(VK_LEFT));
  DWORD caret = 0;
  SendMessageA(edit->EnsureWindow(), EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
  EXPECT_EQ(2u, caret);
  edit->SelectAll();
  DWORD start = 1, end = 0;
  SendMessageA(edit->EnsureWindow(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(0u, start);
  EXPECT_EQ(3u, end);
  EXPECT_EQ(grid_[8], FocusAfter(VK_UP));
}

TEST_F(GridTest, AKeyDownHandlerThatEatsDownKeepsTheFocus) {
  bool eat = true;
  grid_[4]->SetKeyDownHandler(
      [](void* context, Control*, WORD& key, unsigned) {
        if (*static_cast<bool*>(context) && key == VK_DOWN) key = 0;
      },
      &eat);
  grid_[4]->TakeFocus();
  EXPECT_EQ(grid_[4], FocusAfter(VK_DOWN));
  eat = false;
  EXPECT_EQ(grid_[7], FocusAfter(VK_DOWN));
}

TEST_F(GridTest, CtrlOrAltHeldLeavesTheFocusAlone) {
  grid_[4]->TakeFocus();
  {
    HeldKeys ctrl({VK_CONTROL});
    EXPECT_EQ(grid_[4], FocusAfter(VK_TAB));
  }
  HeldKeys alt({VK_MENU});
  EXPECT_EQ(grid_[4], FocusAfter(VK_DOWN));
}

TEST_F(GridTest, TheFocusFromTheMouseMakesTheCurrentControl) {
  SetFocus(grid_[5]->EnsureWindow());
  EXPECT_EQ(grid_[5], AsForm(form_)->CurrentControl());
  EXPECT_EQ(grid_[6], FocusAfter(VK_TAB));
  // A form that gets the focus hands it to its current control.
  SetFocus(form_->EnsureWindow());
  EXPECT_EQ(grid_[6]->EnsureWindow(), GetFocus());
}

TEST_F(FormTest, TheTabCharacterIsEatenOnlyWithNavigationOn) {
  Control* memo = CreateEditBox(form_, EditOption::Multiline);
  AsForm(form_)->ShowAndActivate();
  memo->TakeFocus();
  SendMessageA(memo->EnsureWindow(), WM_CHAR, VK_TAB, 1);
  EXPECT_EQ("\t", memo->GetText());
  AsForm(form_)->EnableTabNavigation();
  SendMessageA(memo->EnsureWindow(), WM_CHAR, VK_TAB, 1);
  EXPECT_EQ("\t", memo->GetText());
}
