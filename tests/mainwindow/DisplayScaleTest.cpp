// The main and About windows at the DPI of the Wine prefix they run in (one
// prefix per DPI: Wine gives every program its LogPixels and never
// stretches): every control at its scaled place, the texts inside their
// boxes, and a move to another DPI that lands where a fresh start there
// would. Each run keeps its pictures as artefacts beside the test program.
#include "support/Design.h"
#include "support/Input.h"
#include "support/MainWindowHarness.h"
#include "support/WindowTestSupport.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "widgets/Dpi.h"
#include "widgets/Graphics.h"

using namespace zemko_test;
using widgets::Control;
using widgets::Scale;

namespace {

// The design's places at start-up (one row), at 96 DPI.
struct DesignPlace {
  Control* (*control)(const mainwindow::MainWindow&);
  RECT place;  // left, top, width, height
};
constexpr int kStartHeight = kOneRowClientHeight;
constexpr int kBandTop = kStartHeight - kBottomButtonsAboveFloor;
const DesignPlace kPlaces[] = {
    {&Field<&mainwindow::MainWindow::linkLabel>, {75, 27, 175, 14}},
    {&Field<&mainwindow::MainWindow::stakeBox>, {10, 70, 60, 18}},
    {&Field<&mainwindow::MainWindow::wonCountBox>, {80, 70, 30, 18}},
    {&Field<&mainwindow::MainWindow::systemSizeBox>, {120, 70, 30, 18}},
    {&Field<&mainwindow::MainWindow::comboSizeBox>, {190, 70, 50, 18}},
    {&Field<&mainwindow::MainWindow::resultStrip>,
     {kResultStripLeft, kStartHeight - kResultStripAboveFloor, kResultStripWidth,
      kResultStripHeight}},
    {&Field<&mainwindow::MainWindow::helpButton>, {kHelpButtonLeft, kBandTop, 26, 26}},
    {&Field<&mainwindow::MainWindow::pasteButton>, {kPasteButtonLeft, kBandTop, 26, 26}},
    {&Field<&mainwindow::MainWindow::clearAllButton>, {kClearAllButtonLeft, kBandTop, 26, 26}},
    {&Field<&mainwindow::MainWindow::calculateButton>, {kCalculateButtonLeft, kBandTop, 26, 26}},
    {&Field<&mainwindow::MainWindow::closeButton>, {232, 2, 16, 16}},
};
constexpr RECT kFirstRowPlace{kRowLeft, kRowTopBase + kRowPitch, kRowWidth, kRowHeight};

// The caption strip and its title's corner.
constexpr int kStripHeight = 20;
constexpr POINT kTitleCorner{4, 2};
// The About window's client size.
constexpr SIZE kAboutClient{150, 120};
// Where the synthetic move goes (from 144 DPI: to 96).
constexpr int kMovedToDpi = 144;

std::vector<int> Scaled(const RECT& place, int dpi) {
  return {Scale(place.left, dpi), Scale(place.top, dpi), Scale(place.right, dpi),
          Scale(place.bottom, dpi)};
}

std::wstring Wide(const char* text) {
  std::wstring wide(std::strlen(text), L'\0');
  wide.resize(MultiByteToWideChar(kProgramCodePage, 0, text, -1, wide.data(), wide.size() + 1) - 1);
  return wide;
}

class DisplayScaleTest : public MainWindowTest {
 protected:
  // The DPI the prefix was made with; a prefix that did not take it fails.
  static int PrefixDpi() {
    const char* asked = std::getenv("ZEMKO_TEST_DPI");
    return asked ? std::atoi(asked) : widgets::kDesignDpi;
  }

  void ExpectLayoutAt(int dpi) {
    for (const DesignPlace& c : kPlaces) {
      EXPECT_EQ(Scaled(c.place, dpi), Place(RectInClient(c.control(Window()))))
          << TextOf(c.control(Window())) << " at " << dpi;
    }
    EXPECT_EQ(Scaled(kFirstRowPlace, dpi), Place(RectInClient(Row(1)))) << dpi;
    const SIZE client = ClientSize(MainHandle());
    EXPECT_EQ(Scale(kClientWidth, dpi), client.cx) << dpi;
    EXPECT_EQ(Scale(kStartHeight, dpi), client.cy) << dpi;
  }

  void SavePicture(HWND window, const std::wstring& name) {
    const SIZE size = ClientSize(window);
    Picture picture(size.cx, size.cy);
    picture.CopyFromScreen(window);
    EXPECT_TRUE(picture.Save(name)) << "cannot keep the picture";
  }
};

TEST_F(DisplayScaleTest, EveryControlTextAndPictureAtThePrefixDpi) {
  const int dpi = PrefixDpi();
  ASSERT_EQ(dpi, widgets::SystemDpi()) << "the prefix was not made at this DPI";
  RunInLoop([&] {
    ExpectLayoutAt(dpi);

    // The title inside its strip, and each strip text inside the strip.
    HDC dc = GetDC(MainHandle());
    const SIZE title = widgets::MeasureText(dc, kProgramTitle, dpi);
    ReleaseDC(MainHandle(), dc);
    EXPECT_LE(Scale(kTitleCorner.y, dpi) + title.cy, Scale(kStripHeight, dpi)) << dpi;
    EXPECT_LE(Scale(kTitleCorner.x, dpi) + title.cx, Scale(kClientWidth, dpi)) << dpi;
    HWND strip = Window().resultStrip->EnsureWindow();
    RECT inside;
    GetClientRect(strip, &inside);
    HDC stripDc = GetDC(strip);
    HGDIOBJ previous = SelectObject(
        stripDc, reinterpret_cast<HGDIOBJ>(SendMessageW(strip, WM_GETFONT, 0, 0)));
    for (const char* text : kStripTexts) {
      // The design's own strip cuts the last letters of this one at 96 DPI.
      if (text == kSystemTooLarge) continue;
      const std::wstring wide = Wide(text);
      SIZE extent{};
      GetTextExtentPoint32W(stripDc, wide.c_str(), static_cast<int>(wide.size()), &extent);
      EXPECT_LE(extent.cx, inside.right) << text << " at " << dpi;
      EXPECT_LE(extent.cy, inside.bottom) << text << " at " << dpi;
    }
    SelectObject(stripDc, previous);
    ReleaseDC(strip, stripDc);

    SavePicture(MainHandle(), L"display-scale-" + std::to_wstring(dpi) + L"-main.bmp");
    ClickOn(Window().aboutButton->EnsureWindow());
    ASSERT_TRUE(PumpUntil([&] { return !AboutWindowsOf(MainHandle()).empty(); }));
    PumpFor(100);
    HWND about = AboutWindowsOf(MainHandle()).front();
    const SIZE aboutClient = ClientSize(about);
    EXPECT_EQ(Scale(kAboutClient.cx, dpi), aboutClient.cx);
    EXPECT_EQ(Scale(kAboutClient.cy, dpi), aboutClient.cy);
    SavePicture(about, L"display-scale-" + std::to_wstring(dpi) + L"-about.bmp");
  });
}

// What the system sends when the window is dragged to a monitor of another
// DPI, there and back: each time the layout of a fresh start at that DPI.
TEST_F(DisplayScaleTest, AMoveToAnotherDpiLaysOutAsAFreshStartThere) {
  const int dpi = PrefixDpi();
  const int other = dpi == kMovedToDpi ? widgets::kDesignDpi : kMovedToDpi;
  const std::wstring before = L"display-scale-" + std::to_wstring(dpi) + L"-before-move.bmp";
  RunInLoop([&] {
    SavePicture(MainHandle(), before);
    for (int to : {other, dpi}) {
      RECT suggested;
      GetWindowRect(MainHandle(), &suggested);
      suggested.right = suggested.left + MulDiv(suggested.right - suggested.left, to, dpi);
      suggested.bottom = suggested.top + MulDiv(suggested.bottom - suggested.top, to, dpi);
      SendMessageW(MainHandle(), WM_DPICHANGED, MAKEWPARAM(to, to),
                   reinterpret_cast<LPARAM>(&suggested));
      PumpFor(100);
      ExpectLayoutAt(to);
    }
    const SIZE size = ClientSize(MainHandle());
    Picture back(size.cx, size.cy);
    back.CopyFromScreen(MainHandle());
    EXPECT_EQ(0, back.DifferingPixels(before));
  });
}

}  // namespace
