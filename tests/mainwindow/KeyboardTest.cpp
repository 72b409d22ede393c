// The whole program from the keyboard: Esc, the window menu (Alt+Space) and
// its keyboard move, a button pressed with Space and Enter, and the focus
// rectangle that shows only once the keyboard was used.
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "mainwindow/PositionStore.h"
#include "support/Design.h"
#include "support/MainWindowHarness.h"
#include "support/PositionRegistry.h"
#include "win/WideText.h"

using namespace zemko_test;
using mainwindow::MainWindow;
using widgets::Control;

namespace {

constexpr wchar_t kMenuClass[] = L"#32768";
// Wine's own «About Wine» (SC_ABOUTWINE), which it puts into every window
// menu after Close; Windows has no such item.
constexpr UINT kWineAboutItem = SC_SCREENSAVE + 1;
constexpr DWORD kMenuWaitMs = 5000;
constexpr DWORD kKeyGapMs = 60;
constexpr int kOffScreen = -5000;
// Keyboard moves go 8 pixels a press: enough to bring the whole window in
// from the screen's corner, where the first press puts it.
constexpr int kMovePresses = 40;

// The window menu's items, separators left out: command and text.
std::vector<std::pair<UINT, std::wstring>> MenuItems(HMENU menu) {
  std::vector<std::pair<UINT, std::wstring>> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[64]{};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = std::size(text);
    if (!GetMenuItemInfoW(menu, i, TRUE, &info) || (info.fType & MFT_SEPARATOR)) continue;
    if (info.wID == kWineAboutItem) continue;
    items.emplace_back(info.wID, text);
  }
  return items;
}

HMENU ShownMenu() {
  HWND popup = FindWindowW(kMenuClass, nullptr);
  if (!popup || !IsWindowVisible(popup)) return nullptr;
  return reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
}

void Press(WORD key) {
  InputKeys({key});
  Sleep(kKeyGapMs);
}

// On its own thread, while the test's thread is inside the menu's (and the
// move's) modal loop: waits for the window menu, hands it to `choose`, which
// types its keys, and notes what it saw.
class MenuDriver {
 public:
  explicit MenuDriver(std::function<void(HMENU)> choose)
      : thread_([this, choose = std::move(choose)] {
          const DWORD end = GetTickCount() + kMenuWaitMs;
          HMENU menu = nullptr;
          while (!(menu = ShownMenu()) && GetTickCount() < end) Sleep(kKeyGapMs);
          shown_ = menu;
          if (menu) choose(menu);
          done_ = true;
        }) {}
  ~MenuDriver() { thread_.join(); }
  bool Done() const { return done_; }
  HMENU Shown() const { return shown_; }

 private:
  std::atomic<bool> done_{false};
  std::atomic<HMENU> shown_{nullptr};
  std::thread thread_;
};

class KeyboardTest : public MainWindowTest {
 protected:
  // Alt+Space in the focused box, the driver answering the menu.
  void OpenWindowMenu(const std::function<void(HMENU)>& choose) {
    SetForegroundWindow(MainHandle());
    Window().stakeBox->TakeFocus();
    PumpMessages(Quit::KeepForLoop);
    MenuDriver driver(choose);
    InputKeyWithModifier(VK_MENU, VK_SPACE);
    EXPECT_TRUE(PumpUntil([&] { return driver.Done(); }, 2 * kMenuWaitMs));
    PumpFor(kKeyGapMs);
    EXPECT_NE(driver.Shown(), nullptr) << "no window menu showed";
  }

  // The button's square as shown, after it has painted itself.
  std::unique_ptr<Picture> Shot(Control* button) {
    HWND window = button->EnsureWindow();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpMessages(Quit::KeepForLoop);
    RECT client;
    GetClientRect(window, &client);
    auto picture = std::make_unique<Picture>(client.right, client.bottom);
    picture->CopyFromScreen(window);
    return picture;
  }
};

}  // namespace

// ---------------------------------------------------------------- Esc

TEST_F(KeyboardTest, EscInTheMainWindowLeavesEveryTextAsTyped) {
  const ControlField boxes[] = {&Field<&MainWindow::stakeBox>, &Field<&MainWindow::systemSizeBox>,
                                &Field<&MainWindow::comboSizeBox>};
  RunInLoop([&] {
    SetTextOf(Row(1), "2,5");
    for (ControlField field : boxes) {
      Control* box = field(Window());
      SetTextOf(box, "7");
      box->TakeFocus();
      PostKeyPress(box, VK_ESCAPE);
      EXPECT_EQ(TextOf(box), "7");
      EXPECT_EQ(Focused(), box);
    }
    PostKeyPress(Row(1), VK_ESCAPE);
    EXPECT_EQ(TextOf(Row(1)), "2,5");
    EXPECT_EQ(TextOf(Window().resultStrip), kResultPlaceholder);
    EXPECT_TRUE(IsWindowVisible(MainHandle()));
  });
}

// On the window itself (where it starts) or on its close button.
TEST_F(KeyboardTest, EscClosesTheFocusedAboutWindowOnly) {
  RunInLoop([&] {
    for (bool onButton : {false, true}) {
      Window().aboutButton->Click();
      Window().aboutButton->Click();
      const std::vector<HWND> abouts = AboutWindowsOf(MainHandle());
      ASSERT_EQ(abouts.size(), 2u);
      HWND target = onButton ? ChildrenOfClass(abouts[0], "BUTTON").at(0) : abouts[0];
      SetFocus(target);
      PostKeyPress(target, VK_ESCAPE);
      EXPECT_TRUE(PumpUntil([&] { return !IsWindow(abouts[0]); })) << onButton;
      EXPECT_TRUE(IsWindow(abouts[1])) << "the other stays";
      PostMessageW(abouts[1], WM_CLOSE, 0, 0);
      ASSERT_TRUE(PumpUntil([&] { return AboutWindowsOf(MainHandle()).empty(); }));
    }
  });
}

// ---------------------------------------------------------------- window menu

TEST_F(KeyboardTest, AltSpaceShowsTheWindowMenuWhoseLastItemOpensAbout) {
  RunInLoop([&] {
    std::vector<std::pair<UINT, std::wstring>> items;
    OpenWindowMenu([&](HMENU menu) {
      items = MenuItems(menu);
      Press(VK_UP);  // from the first item round to the last
      Press(VK_RETURN);
    });
    ASSERT_EQ(items.size(), 5u);
    const UINT system[] = {SC_RESTORE, SC_MOVE, SC_MINIMIZE, SC_CLOSE};
    for (size_t i = 0; i < std::size(system); ++i) EXPECT_EQ(items[i].first, system[i]) << i;
    EXPECT_EQ(items.back().second, win::Widen(kAboutMenuItem));
    EXPECT_TRUE(PumpUntil([&] { return AboutWindowsOf(MainHandle()).size() == 1; }));
    EXPECT_TRUE(IsWindowVisible(MainHandle()));
  });
}

class OffScreenKeyboardTest : public KeyboardTest {
 protected:
  void BeforeBuild() override {
    ASSERT_TRUE(StoreValues({DwordValue(mainwindow::kTopValue, kOffScreen),
                             DwordValue(mainwindow::kLeftValue, kOffScreen)}));
  }
};

// The standard way back for a window lost off every screen: Move from the
// window menu, the arrow keys and Enter; the close then saves where it is.
TEST_F(OffScreenKeyboardTest, MoveWithTheArrowsBringsTheWindowBackAndTheCloseSavesIt) {
  RECT moved{};
  RunInLoop([&] {
    RECT before;
    GetWindowRect(MainHandle(), &before);
    ASSERT_EQ(before.left, kOffScreen);
    OpenWindowMenu([&](HMENU menu) {
      for (int i = 0; i < 8 && !(GetMenuState(menu, SC_MOVE, MF_BYCOMMAND) & MF_HILITE); ++i) {
        Press(VK_DOWN);
      }
      Press(VK_RETURN);
      // The move loop has started once the menu is gone.
      while (ShownMenu()) Sleep(kKeyGapMs);
      Sleep(kKeyGapMs);
      for (int i = 0; i < kMovePresses; ++i) {
        Press(VK_RIGHT);
        Press(VK_DOWN);
      }
      Press(VK_RETURN);
    });
    GetWindowRect(MainHandle(), &moved);
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    EXPECT_GE(moved.left, screen.left);
    EXPECT_GE(moved.top, screen.top);
    EXPECT_LE(moved.right, screen.right);
    EXPECT_LE(moved.bottom, screen.bottom);
    EXPECT_EQ(moved.right - moved.left, before.right - before.left);
  });
  EXPECT_EQ(ReadValue(mainwindow::kTopValue),
            DwordValue(mainwindow::kTopValue, static_cast<std::uint32_t>(moved.top)));
  EXPECT_EQ(ReadValue(mainwindow::kLeftValue),
            DwordValue(mainwindow::kLeftValue, static_cast<std::uint32_t>(moved.left)));
}

// ---------------------------------------------------------------- buttons

TEST_F(KeyboardTest, SpaceAndEnterPressTheFocusedCalculateButton) {
  RunInLoop([&] {
    for (WORD key : {VK_SPACE, VK_RETURN}) {
      EnterBet("300", {"2", "3", "4"}, "3", "2");
      SetTextOf(Window().resultStrip, "");
      Window().comboSizeBox->TakeFocus();
      PostKeyPress(Window().comboSizeBox, VK_TAB);
      ASSERT_EQ(Focused(), Window().calculateButton);
      PostKeyPress(Window().calculateButton, key);
      EXPECT_EQ(TextOf(Window().resultStrip), "2600,00") << key;
    }
  });
}

// The focus rectangle: dotted on the button's outermost pixels once a key
// has moved the focus there (or shown the cues), the glyph untouched inside;
// a focus given any other way shows the glyph alone. The caption strip's
// buttons are no tab stops: they take the focus from the mouse.
TEST_F(KeyboardTest, TheFocusRectangleShowsOnlyAfterTheKeyboardWasUsed) {
  const struct {
    ControlField button;
    ControlField before;  // the tab stop before it; none: the focus is taken
  } buttons[] = {
      {&Field<&MainWindow::calculateButton>, &Field<&MainWindow::comboSizeBox>},
      {&Field<&MainWindow::clearAllButton>, &Field<&MainWindow::calculateButton>},
      {&Field<&MainWindow::pasteButton>, &Field<&MainWindow::clearAllButton>},
      {&Field<&MainWindow::helpButton>, &Field<&MainWindow::pasteButton>},
      {&Field<&MainWindow::closeButton>, nullptr},
      {&Field<&MainWindow::minimiseButton>, nullptr},
      {&Field<&MainWindow::aboutButton>, nullptr},
  };
  RunInLoop([&] {
    for (const auto& row : buttons) {
      Control* button = row.button(Window());
      const auto unfocused = Shot(button);
      button->TakeFocus();
      const auto glyphAlone = Shot(button);
      const RECT r = RectInClient(button);
      for (int y = 0; y < r.bottom - r.top; ++y) {
        for (int x = 0; x < r.right - r.left; ++x)
          ASSERT_EQ(glyphAlone->At(x, y), unfocused->At(x, y)) << TextOf(button) << x << "," << y;
      }
    }
    // A key shows the cues; from then on the focused button has its rectangle.
    for (const auto& row : buttons) {
      Control* button = row.button(Window());
      const auto plain = Shot(button);
      if (row.before) {
        Control* before = row.before(Window());
        before->TakeFocus();
        PostKeyPress(before, VK_TAB);
      } else {
        button->TakeFocus();
      }
      ASSERT_EQ(Focused(), button);
      const auto cued = Shot(button);
      const RECT r = RectInClient(button);
      const int size = r.right - r.left;
      int ringChanged = 0;
      for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
          const bool ring = x == 0 || y == 0 || x == size - 1 || y == size - 1;
          if (ring) {
            ringChanged += cued->At(x, y) != plain->At(x, y);
          } else {
            ASSERT_EQ(cued->At(x, y), plain->At(x, y)) << "the glyph at " << x << "," << y;
          }
        }
      }
      // Dotted: about every other pixel of the ring.
      const int ring = 4 * (size - 1);
      EXPECT_GE(ringChanged, ring / 3) << TextOf(button);
      EXPECT_LE(ringChanged, 2 * ring / 3) << TextOf(button);
    }
  });
}
