// Moving the caption-less window: a press of any mouse button on its own
// surface asks the system to move it, as a drag of a title bar would; a
// press on a control or the second press of a double click does not.
#include "support/Design.h"
#include "support/Input.h"
#include "support/MainWindowHarness.h"
#include "support/WindowTestSupport.h"

using namespace zemko_test;
using widgets::Control;

namespace {

constexpr WPARAM kMoveByMouse = SC_MOVE | HTCAPTION;  // 0xF012

struct Button {
  const char* name;
  DWORD down;
  DWORD up;
};
constexpr Button kLeft{"left", MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
constexpr Button kRight{"right", MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP};
constexpr Button kMiddle{"middle", MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP};

class CaptionStripTest : public MainWindowTest {
 protected:
  // Clicks at a client point of the main window and collects the system
  // commands posted to it on the way.
  std::vector<WPARAM> PressAt(int x, int y, const Button& button, int times = 1) {
    HWND window = MainHandle();
    SetForegroundWindow(window);
    MovePointer(OnScreen(window, x, y));
    TakeSystemCommands(window, 100);
    ClickButton(button.down, button.up, times);
    return TakeSystemCommands(window, 400);
  }
};

}  // namespace

TEST_F(CaptionStripTest, AnyButtonPressedOnTheSurfaceStartsAMove) {
  const struct {
    const char* where;
    int x, y;
  } places[] = {
      {"caption strip", 120, 10},
      {"logo", 30, 50},
      {"gap between controls", 150, 108},
      {"below the buttons", 100, 185},
  };
  RunInLoop([&] {
    for (const auto& place : places) {
      for (const Button& button : {kLeft, kRight, kMiddle}) {
        SCOPED_TRACE(std::string(place.where) + ", " + button.name + " button");
        EXPECT_EQ(std::vector<WPARAM>{kMoveByMouse}, PressAt(place.x, place.y, button));
      }
    }
  });
}

TEST_F(CaptionStripTest, APressOnABoxALabelOrAButtonDoesNotMoveTheWindow) {
  RunInLoop([&] {
    Control* poLabel = nullptr;
    for (int i = 0; i + 1 < form_->ChildCount(); ++i) {
      if (form_->ChildAt(i) == Window().systemSizeBox) poLabel = form_->ChildAt(i + 1);
    }
    ASSERT_NE(nullptr, poLabel);
    // Only the left button on the edit boxes: the right one opens their
    // menu and the middle one pastes the X selection into them.
    const struct {
      const char* what;
      Control* control;
      bool allButtons;
    } targets[] = {
        {"stake box", Window().stakeBox, false},
        {"odds row", Row(1), false},
        {"won-count box", Window().wonCountBox, false},
        {"label по", poLabel, true},
        {"result strip", Window().resultStrip, true},
        {"calculate button", Window().calculateButton, true},
    };
    for (const auto& target : targets) {
      SCOPED_TRACE(target.what);
      const RECT place = RectInClient(target.control);
      const int x = (place.left + place.right) / 2, y = (place.top + place.bottom) / 2;
      EXPECT_TRUE(PressAt(x, y, kLeft).empty());
      if (target.allButtons) {
        EXPECT_TRUE(PressAt(x, y, kRight).empty());
        EXPECT_TRUE(PressAt(x, y, kMiddle).empty());
      }
    }
    // The calculate button was really pressed: its command ran.
    EXPECT_EQ("Сумма не число !", TextOf(Window().resultStrip));
  });
}

TEST_F(CaptionStripTest, TheSecondPressOfADoubleClickDoesNotStartAMove) {
  RunInLoop([&] {
    EXPECT_EQ(std::vector<WPARAM>{kMoveByMouse}, PressAt(120, 10, kLeft, 2));
    EXPECT_EQ(std::vector<WPARAM>{kMoveByMouse}, PressAt(30, 50, kRight, 2));
  });
}
