// The About window as the About button of the real main window opens it:
// place, frame, owner, controls, fonts, hint, painting, and how several of
// them live beside the main window.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "support/Design.h"
#include "support/Input.h"
#include "support/MainWindowHarness.h"
#include "support/WindowTestSupport.h"
#include "about/About.h"
#include "widgets/Hints.h"

using namespace zemko_test;

namespace {

constexpr int kAboutClientWidth = 150;
constexpr int kAboutClientHeight = 120;
constexpr int kBorder = 1;
constexpr int kStripRows = 20;  // rows 0 to 19; the black line is row 20
constexpr int kTitleTop = 35;

// A pixel dark enough to be text drawn in black on the light colours (an
// average channel below this).
constexpr int kInkLevel = 100;
bool IsInk(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * kInkLevel; }

// Rows of a picture that hold ink, as runs [first, last].
std::vector<std::pair<int, int>> InkRuns(const zemko_test::Picture& picture, int width,
                                         int height) {
  std::vector<std::pair<int, int>> runs;
  for (int y = 0; y < height; ++y) {
    bool ink = false;
    for (int x = 0; x < width && !ink; ++x) ink = IsInk(picture.At(x, y));
    if (!ink) continue;
    if (!runs.empty() && runs.back().second == y - 1) {
      runs.back().second = y;
    } else {
      runs.push_back({y, y});
    }
  }
  return runs;
}

// Where forms owned by one window were while visible, as each move, size or
// show of one of them finished (the owner's tooltips are left out).
struct ShownPlaces {
  HWND owner;
  std::vector<RECT> frames;
};
ShownPlaces* gShownPlaces = nullptr;

LRESULT CALLBACK RecordShownPlace(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && gShownPlaces) {
    const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (message->message == WM_WINDOWPOSCHANGED &&
        GetWindow(message->hwnd, GW_OWNER) == gShownPlaces->owner &&
        zemko_test::ClassNameOf(message->hwnd) == "Form" && IsWindowVisible(message->hwnd)) {
      RECT frame;
      GetWindowRect(message->hwnd, &frame);
      gShownPlaces->frames.push_back(frame);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

class AboutWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    // The module reads the program file's version block at start.
    about::Initialise();
    MainWindowTest::SetUp();
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    about::Finalise();
  }
  AboutWindowTest() { loopEnd_ = LoopEnd::Quit; }
  void AfterBuild() override {
    form_->SetLeft(kPlacedLeft);
    form_->SetTop(kPlacedTop);
  }

  // Clicks the main window's About button and waits for one more About
  // window; null when none came.
  HWND OpenAbout() {
    const size_t before = AboutWindowsOf(MainHandle()).size();
    ClickOn(Window().aboutButton->EnsureWindow());
    HWND opened = nullptr;
    PumpUntil([&] {
      std::vector<HWND> windows = AboutWindowsOf(MainHandle());
      if (windows.size() <= before) return false;
      opened = windows.front();
      return true;
    });
    return opened;
  }

  // The About window's labels in creation order: title, version, maker.
  static std::vector<HWND> Labels(HWND about) { return ChildrenOfClass(about, "STATIC"); }
};

// ---------------------------------------------------------------- place and frame

TEST_F(AboutWindowTest, OpensCentredThirtyPixelsBelowTheMainWindowTop) {
  RunInLoop([&] {
    RECT mainFrame;
    GetWindowRect(MainHandle(), &mainFrame);
    ASSERT_EQ(kPlacedLeft, mainFrame.left);
    ASSERT_EQ(kPlacedTop, mainFrame.top);

    HWND about = OpenAbout();
    ASSERT_NE(nullptr, about);
    RECT frame;
    GetWindowRect(about, &frame);
    EXPECT_EQ(150, frame.left);
    EXPECT_EQ(230, frame.top);
    RECT client;
    GetClientRect(about, &client);
    EXPECT_EQ(kAboutClientWidth, client.right);
    EXPECT_EQ(kAboutClientHeight, client.bottom);
    // A one-pixel frame all round, nothing else.
    EXPECT_EQ(kAboutClientWidth + 2 * kBorder, frame.right - frame.left);
    EXPECT_EQ(kAboutClientHeight + 2 * kBorder, frame.bottom - frame.top);
    EXPECT_TRUE(IsWindowVisible(about));
    EXPECT_EQ(about, GetForegroundWindow());
  });
}

TEST_F(AboutWindowTest, AppearsOnlyWhereItBelongs) {
  RunInLoop([&] {
    ShownPlaces shown{MainHandle(), {}};
    gShownPlaces = &shown;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, RecordShownPlace, nullptr,
                                   GetCurrentThreadId());
    ASSERT_NE(nullptr, hook);
    HWND about = OpenAbout();
    UnhookWindowsHookEx(hook);
    gShownPlaces = nullptr;
    ASSERT_NE(nullptr, about);

    // Never seen at the screen's corner or at another size on the way.
    const RECT place{150, 230, 302, 352};
    ASSERT_FALSE(shown.frames.empty());
    for (const RECT& frame : shown.frames) {
      EXPECT_TRUE(zemko_test::SameRect(place, frame))
          << "shown at " << frame.left << "," << frame.top << " - " << frame.right << ","
          << frame.bottom;
    }
  });
}

TEST_F(AboutWindowTest, IsACaptionlessPopupOwnedByTheMainWindow) {
  RunInLoop([&] {
    HWND about = OpenAbout();
    ASSERT_NE(nullptr, about);
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(about, GWL_STYLE));
    // The system adds WS_CLIPSIBLINGS to every top-level window.
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_BORDER), style & ~WS_CLIPSIBLINGS);
    EXPECT_EQ(0u, style & WS_DLGFRAME) << "no caption bar";
    EXPECT_EQ(0u, style & WS_SYSMENU);
    EXPECT_EQ(0u, style & WS_THICKFRAME);
    EXPECT_EQ(MainHandle(), GetWindow(about, GW_OWNER));
    EXPECT_EQ(kAboutCaption, zemko_test::TextOf(about));
    EXPECT_EQ("Form", zemko_test::ClassNameOf(about));
  });
}

// ---------------------------------------------------------------- controls

TEST_F(AboutWindowTest, CloseButtonSitsAtTheRightEndOfTheStripWithItsHint) {
  RunInLoop([&] {
    HWND about = OpenAbout();
    ASSERT_NE(nullptr, about);
    std::vector<HWND> buttons = ChildrenOfClass(about, "BUTTON");
    ASSERT_EQ(1u, buttons.size());
    const RECT expected{132, 2, 148, 18};
    RECT place = zemko_test::RectInParent(buttons[0]);
    EXPECT_TRUE(zemko_test::SameRect(expected, place))
        << place.left << "," << place.top << " - " << place.right << "," << place.bottom;
    EXPECT_EQ(0u, static_cast<DWORD>(GetWindowLongPtrA(buttons[0], GWL_STYLE)) & WS_DISABLED);

    // The tooltip is made on the first mouse move over the button.
    ASSERT_TRUE(MovePointerTo(CentreOf(buttons[0])));
    std::string tip;
    PumpUntil([&] {
      tip = TooltipTextOf(buttons[0]);
      return !tip.empty();
    });
    EXPECT_EQ("Закрыть окно", tip);
  });
}

TEST_F(AboutWindowTest, ShowsTitleVersionAndMakerLinesCentred) {
  RunInLoop([&] {
    HWND about = OpenAbout();
    ASSERT_NE(nullptr, about);
    std::vector<HWND> labels = Labels(about);
    ASSERT_EQ(3u, labels.size());

    struct Expected {
      const char* text;
      RECT place;
      int fontHeight;
      bool bold;
    };
    const Expected expected[] = {
        {"Букмекерский калькулятор", {10, 35, 140, 70}, 12, true},
        {"Версия : 1.0.1.3", {10, 70, 140, 92}, 12, false},
        {"© Vadrex", {10, 90, 140, 112}, 10, false},
    };
    for (size_t i = 0; i < labels.size(); ++i) {
      SCOPED_TRACE(expected[i].text);
      EXPECT_EQ(expected[i].text, zemko_test::TextOf(labels[i]));
      RECT place = zemko_test::RectInParent(labels[i]);
      EXPECT_TRUE(zemko_test::SameRect(expected[i].place, place))
          << place.left << "," << place.top << " - " << place.right << "," << place.bottom;
      const auto style = static_cast<DWORD>(GetWindowLongPtrA(labels[i], GWL_STYLE));
      EXPECT_EQ(static_cast<DWORD>(SS_CENTER), style & SS_TYPEMASK);
      LOGFONTA font = FontOf(labels[i]);
      EXPECT_EQ(expected[i].fontHeight, font.lfHeight);
      EXPECT_EQ(expected[i].bold, font.lfWeight >= FW_BOLD);
      EXPECT_STREQ("MS Sans Serif", font.lfFaceName) << "the main window's face, inherited";
    }
  });
}

TEST_F(AboutWindowTest, TitleBreaksIntoTwoLinesWithinItsHeight) {
  RunInLoop([&] {
    HWND about = OpenAbout();
    ASSERT_NE(nullptr, about);
    std::vector<HWND> labels = Labels(about);
    ASSERT_FALSE(labels.empty());
    HWND title = labels[0];
    RECT client;
    GetClientRect(title, &client);
    ASSERT_EQ(130, client.right);
    ASSERT_EQ(35, client.bottom);

    PumpFor(100);
    zemko_test::Picture picture(client.right, client.bottom);
    picture.CopyFromScreen(title);
    std::vector<std::pair<int, int>> lines = InkRuns(picture, client.right, client.bottom);
    ASSERT_EQ(2u, lines.size()) << "one line of text per word";
    // The second line ends inside the label: nothing is cut off.
    EXPECT_LT(lines[1].second, client.bottom - 1);
  });
}

// ---------------------------------------------------------------- painting

TEST_F(AboutWindowTest, PaintsTheStripTheLineAndTheCaption) {
  RunInLoop([&] {
    HWND about = OpenAbout();
    ASSERT_NE(nullptr, about);
    PumpFor(100);
    zemko_test::Picture picture(kAboutClientWidth, kAboutClientHeight);
    picture.CopyFromScreen(about);

    // Above and below the caption text and the button, the whole width.
    for (int y : {0, 1, kStripRows - 1}) {
      for (int x = 0; x < kAboutClientWidth; ++x) {
        ASSERT_EQ(kStripColour, picture.At(x, y)) << "strip at " << x << "," << y;
      }
    }
    // Between the caption text and the button.
    for (int y = 0; y < kStripRows; ++y) {
      for (int x = 110; x < 132; ++x) {
        ASSERT_EQ(kStripColour, picture.At(x, y)) << "strip at " << x << "," << y;
      }
    }
    for (int x = 0; x < kAboutClientWidth; ++x) {
      ASSERT_EQ(kBlack, picture.At(x, kStripRows)) << "line at " << x;
    }
    // Under the line, above the title: the main window's colour, inherited.
    for (int y = kStripRows + 1; y < kTitleTop; ++y) {
      for (int x = 0; x < kAboutClientWidth; ++x) {
        ASSERT_EQ(kSurfaceColour, picture.At(x, y)) << "surface at " << x << "," << y;
      }
    }
    // The caption "О программе" is drawn from x 4, y 2 in black.
    int inkLeft = kAboutClientWidth;
    int inkTop = kStripRows;
    for (int y = 0; y < kStripRows; ++y) {
      for (int x = 0; x < 110; ++x) {
        if (picture.At(x, y) != kBlack) continue;
        inkLeft = std::min(inkLeft, x);
        inkTop = std::min(inkTop, y);
      }
    }
    EXPECT_GE(inkLeft, 4);
    EXPECT_LE(inkLeft, 6) << "the caption starts near x 4";
    EXPECT_GE(inkTop, 2);
    EXPECT_LT(inkTop, 10);
  });
}

TEST_F(AboutWindowTest, CloseGlyphShowsTheStripColourAndNoKeyGrey) {
  RunInLoop([&] {
    HWND about = OpenAbout();
    ASSERT_NE(nullptr, about);
    PumpFor(100);
    zemko_test::Picture picture(kAboutClientWidth, kAboutClientHeight);
    picture.CopyFromScreen(about);
    int black = 0;
    for (int y = 2; y < 18; ++y) {
      for (int x = 132; x < 148; ++x) {
        ASSERT_NE(kKeyGrey, picture.At(x, y)) << "key grey at " << x << "," << y;
        if (picture.At(x, y) == kBlack) ++black;
      }
    }
    EXPECT_GT(black, 0) << "the glyph's black frame and cross";
    // The button's corners and its ring around the 12 x 12 glyph.
    EXPECT_EQ(kStripColour, picture.At(132, 2));
    EXPECT_EQ(kStripColour, picture.At(147, 17));
  });
}

// ---------------------------------------------------------------- lifetime

TEST_F(AboutWindowTest, TwoClicksGiveTwoWindowsEachClosedByItsOwnButton) {
  RunInLoop([&] {
    HWND first = OpenAbout();
    ASSERT_NE(nullptr, first);
    HWND second = OpenAbout();
    ASSERT_NE(nullptr, second);
    ASSERT_NE(first, second);
    RECT firstFrame, secondFrame;
    GetWindowRect(first, &firstFrame);
    GetWindowRect(second, &secondFrame);
    EXPECT_TRUE(zemko_test::SameRect(firstFrame, secondFrame)) << "one exactly over the other";
    EXPECT_EQ(second, AboutWindowsOf(MainHandle()).front()) << "the newer one on top";

    // The lower window's own button closes the lower window only.
    std::vector<HWND> firstButtons = ChildrenOfClass(first, "BUTTON");
    ASSERT_EQ(1u, firstButtons.size());
    widgets::ControlFromHandle(firstButtons[0])->Click();
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(first); }));
    EXPECT_TRUE(IsWindow(second));
    EXPECT_TRUE(IsWindowVisible(second));

    // A real click on the one left closes it.
    std::vector<HWND> secondButtons = ChildrenOfClass(second, "BUTTON");
    ASSERT_EQ(1u, secondButtons.size());
    ClickOn(secondButtons[0]);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(second); }));
    EXPECT_TRUE(AboutWindowsOf(MainHandle()).empty());
    EXPECT_TRUE(IsWindowVisible(MainHandle()));
  });
}

TEST_F(AboutWindowTest, ClosingFreesEverythingTheWindowMade) {
  RunInLoop([&] {
    // The About button's own tooltip comes with the pointer; count after it.
    ASSERT_TRUE(MovePointerTo(CentreOf(Window().aboutButton->EnsureWindow())));
    PumpFor(100);
    const zemko_test::HandleCounts before = zemko_test::LiveHandles();
    const int tooltipsBefore = widgets::LiveTooltipWindows();
    const int childrenBefore = form_->ChildCount();

    HWND about = OpenAbout();
    ASSERT_NE(nullptr, about);
    EXPECT_EQ(childrenBefore + 1, form_->ChildCount());
    std::vector<HWND> buttons = ChildrenOfClass(about, "BUTTON");
    ASSERT_EQ(1u, buttons.size());
    ClickOn(buttons[0]);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(about); }));
    ASSERT_TRUE(MovePointerTo(CentreOf(Window().aboutButton->EnsureWindow())));
    PumpFor(100);

    EXPECT_EQ(before, zemko_test::LiveHandles());
    EXPECT_EQ(tooltipsBefore, widgets::LiveTooltipWindows());
    EXPECT_EQ(childrenBefore, form_->ChildCount()) << "the About window's control is freed";
  });
}

// A thousand About windows opened and closed again leave the layer exactly
// where it was: every control, hint, tooltip, window and GDI object that an
// About window makes goes with it.
TEST_F(AboutWindowTest, AThousandOpenAndCloseCyclesLeaveNothingBehind) {
  constexpr int kCycles = 1000;
  RunInLoop([&] {
    PumpFor(100);
    const zemko_test::HandleCounts before = zemko_test::LiveHandles();
    const int controlsBefore = widgets::LiveControls();
    const int hintsBefore = widgets::LiveHints();
    const int tooltipsBefore = widgets::LiveTooltipWindows();
    const int childrenBefore = form_->ChildCount();
    for (int i = 0; i < kCycles; ++i) {
      Window().aboutButton->Click();
      const std::vector<HWND> abouts = AboutWindowsOf(MainHandle());
      ASSERT_EQ(1u, abouts.size()) << "cycle " << i;
      const std::vector<HWND> buttons = ChildrenOfClass(abouts[0], "BUTTON");
      ASSERT_EQ(1u, buttons.size()) << "cycle " << i;
      // The pointer over the close button makes its hint's tooltip.
      SendMessageA(buttons[0], WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
      widgets::ControlFromHandle(buttons[0])->Click();
      ASSERT_TRUE(PumpUntil([&] { return !IsWindow(abouts[0]); })) << "cycle " << i;
    }
    EXPECT_EQ(before, zemko_test::LiveHandles());
    EXPECT_EQ(controlsBefore, widgets::LiveControls());
    EXPECT_EQ(hintsBefore, widgets::LiveHints());
    EXPECT_EQ(tooltipsBefore, widgets::LiveTooltipWindows());
    EXPECT_EQ(childrenBefore, form_->ChildCount());
  });
}

TEST_F(AboutWindowTest, MainWindowStaysUsableWhileAboutIsOpen) {
  RunInLoop([&] {
    HWND about = OpenAbout();
    ASSERT_NE(nullptr, about);
    EXPECT_TRUE(IsWindowEnabled(MainHandle())) << "modeless";

    const mainwindow::MainWindow& form = Window();
    HWND stake = form.stakeBox->EnsureWindow();
    ClickOn(stake);
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == stake; })) << "the click reaches the box";
    InputKeys({'2', '5'});
    EXPECT_TRUE(PumpUntil([&] { return form.stakeBox->GetText() == "25"; }))
        << form.stakeBox->GetText();

    // A command button of the main window still runs its command.
    ASSERT_EQ(zemko_test::kResultPlaceholder, form.resultStrip->GetText());
    ClickOn(form.calculateButton->EnsureWindow());
    EXPECT_TRUE(
        PumpUntil([&] { return form.resultStrip->GetText() != zemko_test::kResultPlaceholder; }));

    EXPECT_TRUE(IsWindow(about));
    EXPECT_TRUE(IsWindowVisible(about));
  });
}

TEST_F(AboutWindowTest, StaysWhereItWasPlacedWhenTheMainWindowMoves) {
  RunInLoop([&] {
    HWND about = OpenAbout();
    ASSERT_NE(nullptr, about);
    RECT before;
    GetWindowRect(about, &before);
    form_->SetLeft(kPlacedLeft + 200);
    form_->SetTop(kPlacedTop + 100);
    PumpFor(100);
    RECT after;
    GetWindowRect(about, &after);
    EXPECT_TRUE(zemko_test::SameRect(before, after));

    // A new one follows the main window where it now is.
    HWND moved = OpenAbout();
    ASSERT_NE(nullptr, moved);
    RECT frame;
    GetWindowRect(moved, &frame);
    EXPECT_EQ(kPlacedLeft + 200 + 50, frame.left);
    EXPECT_EQ(kPlacedTop + 100 + 30, frame.top);
  });
}

}  // namespace
