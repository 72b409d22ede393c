// The main window right after start-up: its style, size, every fixed
// control at its place with its look and text, and the hints.
#include "support/Design.h"
#include "support/Input.h"
#include "support/MainWindowHarness.h"
#include "support/WindowTestSupport.h"

#include <commctrl.h>

using namespace zemko_test;
using widgets::Control;

namespace {

constexpr DWORD kMainWindowStyle = WS_POPUP | WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX;
static_assert(kMainWindowStyle == 0x808A0000);
constexpr DWORD kClipping = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

DWORD StyleOf(Control* control) {
  return static_cast<DWORD>(GetWindowLongPtrA(control->EnsureWindow(), GWL_STYLE));
}
DWORD ExStyleOf(Control* control) {
  return static_cast<DWORD>(GetWindowLongPtrA(control->EnsureWindow(), GWL_EXSTYLE));
}

// What the control's parent hands its window when it asks for its colours.
struct PaintedColours {
  COLORREF text;
  COLORREF background;
  COLORREF brush;
};

PaintedColours ColoursOf(Control* control, UINT message) {
  HDC dc = CreateCompatibleDC(nullptr);
  HWND window = control->EnsureWindow();
  auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
      GetParent(window), message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window)));
  LOGBRUSH info{};
  if (brush) GetObjectA(brush, sizeof info, &info);
  PaintedColours colours{GetTextColor(dc), GetBkColor(dc), brush ? info.lbColor : CLR_INVALID};
  DeleteDC(dc);
  return colours;
}

LOGFONTA FontOf(Control* control) { return zemko_test::FontOf(control->EnsureWindow()); }

// The mouse moves over the control; its hint (if it has one) makes its
// tooltip window then and registers the control as its one tool.
std::string HintOf(Control* control) {
  HWND window = control->EnsureWindow();
  SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  const std::vector<HWND> tooltips = TooltipsOf(window);
  if (tooltips.empty()) return "(no hint)";
  if (tooltips.size() != 1) return "(more than one hint)";
  if (SendMessageA(tooltips[0], TTM_GETTOOLCOUNT, 0, 0) != 1) return "(not one tool)";
  return TooltipTextOf(window);
}

}  // namespace

TEST_F(MainWindowTest, StartsWithOneEmptyRowCountsOfOneAndTheFocusInTheStakeBox) {
  RunInLoop([&] {
    ASSERT_EQ(1, RowCount());
    EXPECT_EQ((std::vector<int>{10, 98, 50, 18}), Place(RectInClient(Row(1))));
    EXPECT_EQ("", TextOf(Row(1)));
    EXPECT_EQ("", TextOf(Window().stakeBox));
    EXPECT_EQ("1", TextOf(Window().systemSizeBox));
    EXPECT_EQ("1", TextOf(Window().wonCountBox));
    EXPECT_EQ("1", TextOf(Window().comboSizeBox));
    EXPECT_EQ(kResultPlaceholder, TextOf(Window().resultStrip));
    EXPECT_EQ(Window().stakeBox, Focused());
    RECT client;
    GetClientRect(MainHandle(), &client);
    EXPECT_EQ(kClientWidth, client.right);
    EXPECT_EQ(kOneRowClientHeight, client.bottom);
  });
}

TEST_F(MainWindowTest, IsACaptionlessPopupWithAOnePixelBorderAtTheTopLeftCorner) {
  RunInLoop([&] {
    HWND window = MainHandle();
    EXPECT_EQ("Form", zemko_test::ClassNameOf(window));
    char caption[32] = {};
    GetWindowTextA(window, caption, sizeof caption);
    EXPECT_STREQ(kProgramTitle, caption);
    EXPECT_EQ(application_->EnsureWindow(), GetWindow(window, GW_OWNER));

    const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
    EXPECT_EQ(kMainWindowStyle, style & ~(WS_VISIBLE | kClipping)) << std::hex << style;
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_NE(static_cast<DWORD>(WS_CAPTION), style & WS_CAPTION) << "no title bar";
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_EQ(kMainWindowStyle, form_->GetStyle() & ~WS_VISIBLE);

    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ((std::vector<int>{0, 0, kClientWidth + 2, kOneRowClientHeight + 2}), Place(outer));
  });
}

namespace {

enum class Kind { Edit, Label, Button };

struct Expected {
  const char* name;
  ControlField control;
  Kind kind;
  std::vector<int> place;
  COLORREF background;
  const char* text;
  DWORD styleBits;   // must be set (edit options, alignment)
  DWORD absentBits;  // must be clear
  bool tabStop;
};

}  // namespace

TEST_F(MainWindowTest, EveryFixedControlSitsAtItsPlaceWithItsLookAndText) {
  using F = mainwindow::MainWindow;
  const COLORREF field = GetSysColor(COLOR_WINDOW);
  const Expected table[] = {
      {"link label",
       &Field<&F::linkLabel>,
       Kind::Label,
       {75, 27, 175, 14},
       kSurfaceColour,
       kMakerHost,
       SS_CENTER,
       0,
       false},
      {"stake box",
       &Field<&F::stakeBox>,
       Kind::Edit,
       {10, 70, 60, 18},
       field,
       "",
       0,
       ES_NUMBER | ES_READONLY,
       true},
      {"won-count box",
       &Field<&F::wonCountBox>,
       Kind::Edit,
       {80, 70, 30, 18},
       kSurfaceColour,
       "1",
       ES_NUMBER | ES_READONLY,
       0,
       true},
      {"system-size box",
       &Field<&F::systemSizeBox>,
       Kind::Edit,
       {120, 70, 30, 18},
       field,
       "1",
       ES_NUMBER,
       ES_READONLY,
       true},
      {"\"по\" box",
       &Field<&F::comboSizeBox>,
       Kind::Edit,
       {190, 70, 50, 18},
       field,
       "1",
       ES_NUMBER,
       ES_READONLY,
       true},
      {"result strip",
       &Field<&F::resultStrip>,
       Kind::Label,
       {10, 126, 230, 18},
       kResultStripColour,
       kResultPlaceholder,
       WS_BORDER,
       SS_CENTER | SS_RIGHT | SS_CENTERIMAGE,
       false},
      {"close button",
       &Field<&F::closeButton>,
       Kind::Button,
       {232, 2, 16, 16},
       kStripColour,
       "",
       BS_OWNERDRAW,
       0,
       false},
      {"minimise button",
       &Field<&F::minimiseButton>,
       Kind::Button,
       {214, 2, 16, 16},
       kStripColour,
       "",
       BS_OWNERDRAW,
       0,
       false},
      {"About button",
       &Field<&F::aboutButton>,
       Kind::Button,
       {192, 2, 16, 16},
       kStripColour,
       "",
       BS_OWNERDRAW,
       0,
       false},
      {"calculate button",
       &Field<&F::calculateButton>,
       Kind::Button,
       {kCalculateButtonLeft, kOneRowClientHeight - kBottomButtonsAboveFloor, kBottomButtonSize,
        kBottomButtonSize},
       kSurfaceColour,
       "",
       BS_OWNERDRAW,
       0,
       true},
      {"clear-all button",
       &Field<&F::clearAllButton>,
       Kind::Button,
       {kClearAllButtonLeft, kOneRowClientHeight - kBottomButtonsAboveFloor, kBottomButtonSize,
        kBottomButtonSize},
       kSurfaceColour,
       kClearAllCaption,
       BS_OWNERDRAW,
       0,
       true},
      {"paste button",
       &Field<&F::pasteButton>,
       Kind::Button,
       {kPasteButtonLeft, kOneRowClientHeight - kBottomButtonsAboveFloor, kBottomButtonSize,
        kBottomButtonSize},
       kSurfaceColour,
       kPasteCaption,
       BS_OWNERDRAW,
       0,
       true},
      {"help button",
       &Field<&F::helpButton>,
       Kind::Button,
       {kHelpButtonLeft, kOneRowClientHeight - kBottomButtonsAboveFloor, kBottomButtonSize,
        kBottomButtonSize},
       kSurfaceColour,
       nullptr,
       BS_OWNERDRAW,
       0,
       true},
  };
  RunInLoop([&] {
    for (const Expected& e : table) {
      SCOPED_TRACE(e.name);
      Control* control = e.control(Window());
      ASSERT_NE(nullptr, control);
      EXPECT_EQ(form_, control->Parent());
      EXPECT_EQ(e.place, Place(RectInClient(control)));
      EXPECT_TRUE(IsWindowVisible(control->EnsureWindow()));
      if (e.text) {
        EXPECT_EQ(e.text, TextOf(control));
      }
      const DWORD style = StyleOf(control);
      EXPECT_EQ(e.styleBits, style & e.styleBits) << std::hex << style;
      EXPECT_EQ(0u, style & e.absentBits) << std::hex << style;
      EXPECT_EQ(e.tabStop, control->GetTabStop() && (style & WS_TABSTOP) != 0);
      switch (e.kind) {
        case Kind::Edit: {
          EXPECT_EQ("Edit", zemko_test::ClassNameOf(control->EnsureWindow()));
          // The edit control draws a WS_BORDER frame itself and takes the
          // bit off its window; the layer keeps it in the style word.
          EXPECT_TRUE(control->GetStyle() & WS_BORDER) << "a flat one-pixel frame";
          EXPECT_FALSE(control->GetExtendedStyle() & WS_EX_CLIENTEDGE);
          EXPECT_FALSE(ExStyleOf(control) & WS_EX_CLIENTEDGE) << "no sunken edge";
          EXPECT_FALSE(ExStyleOf(control) & WS_EX_CLIENTEDGE) << "no sunken edge";
          EXPECT_FALSE(style & ES_MULTILINE);
          const PaintedColours colours = ColoursOf(control, WM_CTLCOLOREDIT);
          EXPECT_EQ(e.background, colours.background);
          EXPECT_EQ(e.background, colours.brush);
          EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), colours.text);
          const LOGFONTA font = FontOf(control);
          EXPECT_STREQ("MS Sans Serif", font.lfFaceName);
          EXPECT_EQ(12, font.lfHeight);
          EXPECT_LT(font.lfWeight, FW_BOLD);
          EXPECT_EQ(DEFAULT_CHARSET, font.lfCharSet);
          break;
        }
        case Kind::Label: {
          EXPECT_EQ("Static", zemko_test::ClassNameOf(control->EnsureWindow()));
          const PaintedColours colours = ColoursOf(control, WM_CTLCOLORSTATIC);
          EXPECT_EQ(e.background, colours.background);
          EXPECT_EQ(e.background, colours.brush);
          break;
        }
        case Kind::Button: {
          EXPECT_EQ("Button", zemko_test::ClassNameOf(control->EnsureWindow()));
          EXPECT_EQ(e.background, widgets::ResolveColour(control->GetColour()));
          break;
        }
      }
    }
  });
}

TEST_F(MainWindowTest, TheLabelsCarryTheirOwnFonts) {
  RunInLoop([&] {
    // The link: bold and underlined, brown, in the window's face and height.
    const LOGFONTA link = FontOf(Window().linkLabel);
    EXPECT_STREQ("MS Sans Serif", link.lfFaceName);
    EXPECT_EQ(12, link.lfHeight);
    EXPECT_GE(link.lfWeight, FW_BOLD);
    EXPECT_TRUE(link.lfUnderline);
    EXPECT_EQ(kLinkColour, ColoursOf(Window().linkLabel, WM_CTLCOLORSTATIC).text);

    // The result strip: bold, cell height 14, text at the top left, bordered.
    const LOGFONTA strip = FontOf(Window().resultStrip);
    EXPECT_EQ(14, strip.lfHeight);
    EXPECT_GE(strip.lfWeight, FW_BOLD);
    EXPECT_FALSE(strip.lfUnderline);
    EXPECT_FALSE(ExStyleOf(Window().resultStrip) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(static_cast<DWORD>(SS_LEFT), StyleOf(Window().resultStrip) & SS_TYPEMASK);
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT),
              ColoursOf(Window().resultStrip, WM_CTLCOLORSTATIC).text);
  });
}

TEST_F(MainWindowTest, TheLabelPoStandsPlainAndCentredBetweenTheCountBoxes) {
  RunInLoop([&] {
    // Created right after the system-size box, without a kept reference.
    Control* label = nullptr;
    for (int i = 0; i < form_->ChildCount(); ++i) {
      if (form_->ChildAt(i) == Window().systemSizeBox) label = form_->ChildAt(i + 1);
    }
    ASSERT_NE(nullptr, label);
    EXPECT_NE(nullptr, dynamic_cast<widgets::Label*>(label));
    EXPECT_EQ(kComboLabel, TextOf(label));
    EXPECT_EQ((std::vector<int>{160, 72, 20, 22}), Place(RectInClient(label)));
    EXPECT_EQ(static_cast<DWORD>(SS_CENTER), StyleOf(label) & SS_TYPEMASK);
    const LOGFONTA font = FontOf(label);
    EXPECT_EQ(12, font.lfHeight);
    EXPECT_LT(font.lfWeight, FW_BOLD);
    EXPECT_FALSE(font.lfUnderline);
    EXPECT_EQ(kSurfaceColour, ColoursOf(label, WM_CTLCOLORSTATIC).background);
    EXPECT_EQ("(no hint)", HintOf(label));
  });
}

TEST_F(MainWindowTest, HintsNameWhatEachControlIsFor) {
  using F = mainwindow::MainWindow;
  const struct {
    ControlField control;
    const char* hint;
  } table[] = {
      {&Field<&F::stakeBox>, kStakeHint},           {&Field<&F::wonCountBox>, kWonCountHint},
      {&Field<&F::systemSizeBox>, kSystemSizeHint}, {&Field<&F::resultStrip>, kResultStripHint},
      {&Field<&F::closeButton>, kCloseHint},        {&Field<&F::minimiseButton>, kMinimiseHint},
      {&Field<&F::aboutButton>, kAboutHint},        {&Field<&F::calculateButton>, kCalculateHint},
      {&Field<&F::clearAllButton>, kClearAllHint},  {&Field<&F::pasteButton>, kPasteHint},
      {&Field<&F::helpButton>, kHelpHint},          {&Field<&F::comboSizeBox>, "(no hint)"},
      {&Field<&F::linkLabel>, "(no hint)"},
  };
  RunInLoop([&] {
    for (const auto& entry : table) {
      Control* control = entry.control(Window());
      EXPECT_EQ(entry.hint, HintOf(control)) << TextOf(control);
    }
    EXPECT_EQ("(no hint)", HintOf(Row(1)));
  });
}
