// The web link under the caption strip: brown, red while the mouse is over
// it, the hand cursor, no hint, no tab stop, and a click that hands the
// site's address to the shell once per click.
#include <fstream>
#include <sstream>

#include "support/Design.h"
#include "support/Input.h"
#include "support/MainWindowHarness.h"
#include "support/ShellOpenCommand.h"
#include "support/WindowTestSupport.h"
#include "support/ZemkoRun.h"

using namespace zemko_test;
using widgets::Control;

namespace {

constexpr char kAddress[] = "http://vadrex.example";

// The colour the label gets when it asks its parent how to paint itself.
COLORREF PaintedTextColour(Control* label) {
  HDC dc = CreateCompatibleDC(nullptr);
  HWND window = label->EnsureWindow();
  SendMessageA(GetParent(window), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(window));
  const COLORREF colour = GetTextColor(dc);
  DeleteDC(dc);
  return colour;
}

// Counts the label's pixels of a colour as the screen shows them.
int PixelsOf(Control* label, COLORREF colour) {
  HWND window = label->EnsureWindow();
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  PumpMessages(Quit::KeepForLoop);
  RECT client;
  GetClientRect(window, &client);
  HDC dc = GetDC(window);
  int count = 0;
  for (int y = 0; y < client.bottom; ++y) {
    for (int x = 0; x < client.right; ++x) count += GetPixel(dc, x, y) == colour;
  }
  ReleaseDC(window, dc);
  return count;
}

class LinkLabelTest : public MainWindowTest {
 protected:
  POINT LabelCentre() {
    const RECT place = RectInClient(Window().linkLabel);
    return OnScreen(MainHandle(), (place.left + place.right) / 2, (place.top + place.bottom) / 2);
  }
  void PointerOnLabel() {
    SetForegroundWindow(MainHandle());
    MovePointer(LabelCentre());
  }
  void PointerAway() {
    MovePointer({GetSystemMetrics(SM_CXSCREEN) - 20, GetSystemMetrics(SM_CYSCREEN) - 20});
  }
};

}  // namespace

TEST_F(LinkLabelTest, TheLinkTurnsRedUnderThePointerAndBrownAgainWhenItLeaves) {
  RunInLoop([&] {
    Control* link = Window().linkLabel;
    PointerAway();
    PumpMessages(Quit::KeepForLoop);
    EXPECT_EQ(kLinkColour, PaintedTextColour(link));
    EXPECT_GT(PixelsOf(link, kLinkColour), 10);
    EXPECT_EQ(0, PixelsOf(link, kLinkHoverColour));

    for (int pass = 0; pass < 2; ++pass) {
      SCOPED_TRACE(pass);
      PointerOnLabel();
      EXPECT_TRUE(PumpUntil([&] { return link->GetTextColour() == 0x0000FF; }));
      EXPECT_EQ(kLinkHoverColour, PaintedTextColour(link));
      EXPECT_GT(PixelsOf(link, kLinkHoverColour), 10);
      EXPECT_EQ(0, PixelsOf(link, kLinkColour));
      EXPECT_EQ(LoadCursorA(nullptr, IDC_HAND), GetCursor()) << "the hand over the link";

      PointerAway();
      EXPECT_TRUE(PumpUntil([&] { return link->GetTextColour() == 0x2A5E9F; }));
      EXPECT_EQ(kLinkColour, PaintedTextColour(link));
      EXPECT_GT(PixelsOf(link, kLinkColour), 10);
    }
  });
}

TEST_F(LinkLabelTest, TheLinkShowsTheHandAndNoHintAndIsNoTabStop) {
  RunInLoop([&] {
    Control* link = Window().linkLabel;
    EXPECT_EQ(LoadCursorA(nullptr, IDC_HAND), link->GetCursor());
    // The window's own surface keeps the arrow.
    SetForegroundWindow(MainHandle());
    MovePointer(OnScreen(MainHandle(), 30, 50));
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), GetCursor());
    SendMessageA(link->EnsureWindow(), WM_SETCURSOR, reinterpret_cast<WPARAM>(link->EnsureWindow()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(LoadCursorA(nullptr, IDC_HAND), GetCursor());

    EXPECT_FALSE(GetWindowLongPtrA(link->EnsureWindow(), GWL_STYLE) & WS_TABSTOP);
    EXPECT_FALSE(link->GetTabStop());
    // Tab from the help button goes on to the first row, past the link.
    Window().helpButton->TakeFocus();
    PostKeyPress(Window().helpButton, VK_TAB);
    EXPECT_EQ(Row(1), Focused());
  });
}

namespace {

std::vector<std::string> LinesOf(const std::string& path) {
  std::ifstream file(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

}  // namespace

TEST_F(LinkLabelTest, EachClickHandsTheSitesAddressToTheShellOnce) {
  char directory[MAX_PATH] = {};
  GetTempPathA(sizeof directory, directory);
  const std::string log = std::string(directory) + "zemko-link-" +
                          std::to_string(GetCurrentProcessId()) + ".log";
  DeleteFileA(log.c_str());
  SetEnvironmentVariableA("ZEMKO_LINK_LOG", log.c_str());
  const std::string recorder = zemko_test::WindowsPath(ZEMKO_LINK_RECORDER);
  zemko_test::ShellOpenCommand open(std::string("\"").append(recorder).append("\" \"%1\""));
  ASSERT_TRUE(open.Ok());

  RunInLoop([&] {
    // A real click of the mouse on the label.
    PointerOnLabel();
    PumpUntil([] { return false; }, 200);
    ClickButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    // The label takes its own mouse input: no window move is asked for.
    EXPECT_TRUE(TakeSystemCommands(MainHandle(), 300).empty());
    ASSERT_TRUE(PumpUntil([&] { return LinesOf(log).size() >= 1; }, 15000))
        << "the shell ran nothing";
    PumpUntil([] { return false; }, 1500);
    std::vector<std::string> lines = LinesOf(log);
    ASSERT_EQ(1u, lines.size());
    EXPECT_NE(std::string::npos, lines[0].find(std::string("\"") + kAddress + "\"")) << lines[0];
    // It stays red while the pointer is over it.
    EXPECT_EQ(0x0000FFu, Window().linkLabel->GetTextColour());

    // The layer's click operation: a second run.
    Window().linkLabel->Click();
    ASSERT_TRUE(PumpUntil([&] { return LinesOf(log).size() >= 2; }, 15000));
    PumpUntil([] { return false; }, 1500);
    lines = LinesOf(log);
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(lines[0], lines[1]);
  });
  DeleteFileA(log.c_str());
}
