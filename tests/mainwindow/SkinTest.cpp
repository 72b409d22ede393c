// The skin as the screen shows it: the caption strip and its line, the
// title, the logo with its key grey left out, the flat buttons without a
// grey pixel, and the thin frames of the boxes.
#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <utility>

#include "ZemResConst.h"
#include "skin/Contrast.h"
#include "support/Design.h"
#include "support/Input.h"
#include "support/MainWindowHarness.h"
#include "support/WindowTestSupport.h"

using namespace zemko_test;
using widgets::Control;

namespace {

// A bitmap resource of the program, read pixel by pixel (0x00BBGGRR).
class ResourcePicture {
 public:
  explicit ResourcePicture(int id) {
    auto bitmap = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                                  IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap) return;
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    width_ = info.bmWidth;
    height_ = info.bmHeight;
    BITMAPINFO request{};
    request.bmiHeader.biSize = sizeof request.bmiHeader;
    request.bmiHeader.biWidth = width_;
    request.bmiHeader.biHeight = -height_;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    pixels_.resize(static_cast<std::size_t>(width_ * height_));
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(height_), pixels_.data(), &request,
              DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
  }
  int Width() const { return width_; }
  int Height() const { return height_; }
  COLORREF At(int x, int y) const {
    const DWORD pixel = pixels_[static_cast<std::size_t>(y * width_ + x)];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
  }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<DWORD> pixels_;
};

bool Inside(const RECT& rect, int x, int y) {
  return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

// ---------------------------------------------------------------- contrast

// The colours High Contrast Black gives the system.
constexpr std::pair<int, COLORREF> kDarkScheme[] = {
    {COLOR_WINDOW, RGB(0, 0, 0)},         {COLOR_WINDOWTEXT, RGB(255, 255, 255)},
    {COLOR_HIGHLIGHT, RGB(26, 235, 255)}, {COLOR_HIGHLIGHTTEXT, RGB(0, 0, 0)},
    {COLOR_BTNFACE, RGB(0, 0, 0)},        {COLOR_BTNTEXT, RGB(255, 255, 255)},
    {COLOR_HOTLIGHT, RGB(255, 255, 0)},   {COLOR_WINDOWFRAME, RGB(255, 255, 255)}};
constexpr double kLeastTextContrast = 4.5;

// The scheme's colours for the scope, the old ones after; the system
// announces each change to every window (WM_SYSCOLORCHANGE).
class SystemColours {
 public:
  SystemColours() {
    for (const auto& [index, colour] : kDarkScheme) {
      indices_.push_back(index);
      old_.push_back(GetSysColor(index));
      dark_.push_back(colour);
    }
    EXPECT_TRUE(SetSysColors(static_cast<int>(indices_.size()), indices_.data(), dark_.data()));
  }
  ~SystemColours() {
    SetSysColors(static_cast<int>(indices_.size()), indices_.data(), old_.data());
  }

 private:
  std::vector<int> indices_;
  std::vector<COLORREF> old_, dark_;
};

// Relative luminance and contrast ratio as the accessibility guidelines
// define them.
double Luminance(COLORREF colour) {
  auto channel = [](int value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(GetRValue(colour)) + 0.7152 * channel(GetGValue(colour)) +
         0.0722 * channel(GetBValue(colour));
}

// Inside the rectangle the commonest colour is the background; the text is
// the pixel farthest from it (the letters' edges may be smoothed).
double TextContrast(const Picture& picture, const RECT& r) {
  std::map<COLORREF, int> counts;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) ++counts[picture.At(x, y)];
  }
  const COLORREF background =
      std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
        return a.second < b.second;
      })->first;
  double ratio = 1;
  for (const auto& [colour, count] : counts) {
    const double a = Luminance(colour) + 0.05, b = Luminance(background) + 0.05;
    ratio = std::max(ratio, std::max(a, b) / std::min(a, b));
  }
  return ratio;
}

class SkinTest : public MainWindowTest {
 protected:
  // The client area as shown, after everything has painted itself.
  std::unique_ptr<Picture> Capture() {
    HWND window = MainHandle();
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages(Quit::KeepForLoop);
    RECT client;
    GetClientRect(window, &client);
    auto picture = std::make_unique<Picture>(client.right, client.bottom);
    picture->CopyFromScreen(window);
    width_ = client.right;
    height_ = client.bottom;
    return picture;
  }

  // Checks a button against its glyph: centred, the key grey turned into
  // the surface colour, and the surface colour all around it.
  void ExpectButton(const Picture& screen, Control* button, int glyphId, COLORREF surface) {
    const RECT place = RectInClient(button);
    const ResourcePicture glyph(glyphId);
    ASSERT_GT(glyph.Width(), 0);
    const int size = place.right - place.left;
    const int offset = (size - glyph.Width()) / 2;
    int keyPixels = 0;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const COLORREF shown = screen.At(place.left + x, place.top + y);
        ASSERT_NE(kKeyGrey, shown) << "at " << x << "," << y;
        const int gx = x - offset, gy = y - offset;
        const bool onGlyph = gx >= 0 && gy >= 0 && gx < glyph.Width() && gy < glyph.Height();
        if (!onGlyph) {
          ASSERT_EQ(surface, shown) << "around the glyph at " << x << "," << y;
        } else if (glyph.At(gx, gy) == kKeyGrey) {
          ++keyPixels;
          ASSERT_EQ(surface, shown) << "key grey of the glyph at " << gx << "," << gy;
        } else {
          ASSERT_EQ(glyph.At(gx, gy), shown) << "glyph at " << gx << "," << gy;
        }
      }
    }
    EXPECT_GT(keyPixels, 0) << "the glyph has key grey corners to replace";
  }

  int width_ = 0;
  int height_ = 0;
};

}  // namespace

TEST_F(SkinTest, TheCaptionStripSpansTheWidthOverABlackLineWithTheTitleOnIt) {
  RunInLoop([&] {
    const auto screen = Capture();
    ASSERT_EQ(kClientWidth, width_);
    // Rows above and below the buttons and the title, over the whole width.
    for (int y : {0, 1, 18, 19}) {
      for (int x = 0; x < width_; ++x) ASSERT_EQ(kStripColour, screen->At(x, y)) << x << "," << y;
    }
    // Clean columns: left of the title, between title and buttons, right of the buttons.
    for (int x : {0, 1, 2, 3, 150, 185, 248, 249}) {
      for (int y = 0; y < 20; ++y) ASSERT_EQ(kStripColour, screen->At(x, y)) << x << "," << y;
    }
    for (int x = 0; x < width_; ++x) ASSERT_EQ(kBlack, screen->At(x, 20)) << x;
    // Rows 21 and 22 are the window's own surface.
    for (int y : {21, 22}) {
      for (int x = 0; x < width_; ++x) ASSERT_EQ(kSurfaceColour, screen->At(x, y)) << x << "," << y;
    }
    // The title in dark letters on the strip, from (4, 2); the platform may
    // smooth their edges towards the strip colour.
    int letters = 0, blackPixels = 0;
    RECT title{kClientWidth, kClientWidth, 0, 0};
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 150; ++x) {
        const COLORREF pixel = screen->At(x, y);
        if (pixel == kStripColour) continue;
        ASSERT_LE(GetRValue(pixel), GetRValue(kStripColour))
            << "a letter pixel at " << x << "," << y;
        ++letters;
        title = {std::min<LONG>(title.left, x), std::min<LONG>(title.top, y),
                 std::max<LONG>(title.right, x + 1), std::max<LONG>(title.bottom, y + 1)};
        if (pixel == kBlack) ++blackPixels;
      }
    }
    EXPECT_GT(letters, 20);
    EXPECT_GT(blackPixels, 0) << "drawn in black";
    EXPECT_GE(title.left, 4);
    EXPECT_LE(title.left, 6) << "starts at x 4";
    EXPECT_GE(title.top, 2);
    EXPECT_LE(title.top, 6) << "starts at y 2";
    EXPECT_LE(title.bottom, 18);
  });
}

TEST_F(SkinTest, TheLogoIsDrawnUnderTheStripWithItsKeyGreyLeftOut) {
  RunInLoop([&] {
    const auto screen = Capture();
    const ResourcePicture logo(kLogoBitmap);
    ASSERT_EQ(kLogoWidth, logo.Width());
    ASSERT_EQ(kLogoHeight, logo.Height());
    const RECT link = RectInClient(Window().linkLabel);
    int keyPixels = 0, drawn = 0;
    for (int y = 0; y < logo.Height(); ++y) {
      for (int x = 0; x + 2 < width_; ++x) {
        if (Inside(link, x + 2, y + 23)) continue;
        const COLORREF shown = screen->At(x + 2, y + 23);
        if (logo.At(x, y) == kKeyGrey) {
          ++keyPixels;
          ASSERT_EQ(kSurfaceColour, shown) << "key grey shows the window at " << x << "," << y;
        } else {
          ++drawn;
          ASSERT_EQ(logo.At(x, y), shown) << "logo pixel " << x << "," << y;
        }
      }
    }
    EXPECT_GT(keyPixels, 0);
    EXPECT_GT(drawn, 0);
    // Left of the logo and under it, the window colour.
    for (int y = 21; y < 70; ++y) {
      for (int x : {0, 1}) ASSERT_EQ(kSurfaceColour, screen->At(x, y)) << x << "," << y;
    }
    for (int x = 0; x < width_; ++x) ASSERT_EQ(kSurfaceColour, screen->At(x, 64)) << x;
  });
}

TEST_F(SkinTest, NoButtonShowsTheKeyGreyAndEachSitsOnItsSurfaceColour) {
  RunInLoop([&] {
    const auto screen = Capture();
    EXPECT_FALSE(screen->Contains(kKeyGrey)) << "no key grey anywhere in the window";
    ExpectButton(*screen, Window().closeButton, kCloseGlyph, kStripColour);
    ExpectButton(*screen, Window().minimiseButton, kMinimiseGlyph, kStripColour);
    ExpectButton(*screen, Window().aboutButton, kAboutGlyph, kStripColour);
    ExpectButton(*screen, Window().calculateButton, kCalculateGlyph, kSurfaceColour);
    ExpectButton(*screen, Window().clearAllButton, kClearAllGlyph, kSurfaceColour);
    ExpectButton(*screen, Window().pasteButton, kPasteGlyph, kSurfaceColour);
    ExpectButton(*screen, Window().helpButton, kHelpGlyph, kSurfaceColour);

    // Pressed, focused and after more rows: the same picture on the same surface.
    GrowTo(3);
    Window().calculateButton->TakeFocus();
    SendMessageA(Window().clearAllButton->EnsureWindow(), BM_SETSTATE, TRUE, 0);
    const auto again = Capture();
    ExpectButton(*again, Window().calculateButton, kCalculateGlyph, kSurfaceColour);
    ExpectButton(*again, Window().clearAllButton, kClearAllGlyph, kSurfaceColour);
    EXPECT_FALSE(again->Contains(kKeyGrey));
    SendMessageA(Window().clearAllButton->EnsureWindow(), BM_SETSTATE, FALSE, 0);
  });
}

TEST_F(SkinTest, BoxesAndTheResultStripHaveAThinFrameAroundTheirColour) {
  const struct {
    ControlField box;
    COLORREF inside;
  } boxes[] = {
      {&Field<&mainwindow::MainWindow::stakeBox>, 0},
      {&Field<&mainwindow::MainWindow::wonCountBox>, kSurfaceColour},
      {&Field<&mainwindow::MainWindow::systemSizeBox>, 0},
      {&Field<&mainwindow::MainWindow::comboSizeBox>, 0},
      {&Field<&mainwindow::MainWindow::resultStrip>, kResultStripColour},
  };
  RunInLoop([&] {
    SetTextOf(Window().systemSizeBox, "");
    SetTextOf(Window().comboSizeBox, "");
    SetTextOf(Window().wonCountBox, "");
    SetTextOf(Window().resultStrip, "");
    // No caret in any box.
    Window().calculateButton->TakeFocus();
    const auto screen = Capture();
    const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
    auto check = [&](Control* box, COLORREF inside) {
      const RECT r = RectInClient(box);
      SCOPED_TRACE(testing::PrintToString(Place(r)));
      for (int x = r.left; x < r.right; ++x) {
        EXPECT_EQ(frame, screen->At(x, r.top)) << x;
        EXPECT_EQ(frame, screen->At(x, r.bottom - 1)) << x;
      }
      for (int y = r.top; y < r.bottom; ++y) {
        EXPECT_EQ(frame, screen->At(r.left, y)) << y;
        EXPECT_EQ(frame, screen->At(r.right - 1, y)) << y;
      }
      // One pixel of frame, then the box's own colour.
      for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        for (int x = r.left + 1; x < r.right - 1; ++x)
          ASSERT_EQ(inside, screen->At(x, y)) << x << "," << y;
      }
    };
    for (const auto& entry : boxes) {
      check(entry.box(Window()), entry.inside ? entry.inside : GetSysColor(COLOR_WINDOW));
    }
    check(Row(1), GetSysColor(COLOR_WINDOW));
  });
}

TEST_F(SkinTest, TheResultStripShowsItsTextInBoldAtTheTopLeft) {
  RunInLoop([&] {
    SetTextOf(Window().resultStrip, "8888");
    const auto screen = Capture();
    const RECT r = RectInClient(Window().resultStrip);
    // Text pixels sit near the left edge; the right half stays empty.
    int left = 0, right = 0;
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
      for (int x = r.left + 1; x < r.right - 1; ++x) {
        if (screen->At(x, y) == kResultStripColour) continue;
        (x < r.left + 60 ? left : right)++;
      }
    }
    EXPECT_GT(left, 20);
    EXPECT_EQ(0, right);
  });
}

TEST_F(SkinTest, ARepaintOfPartOfTheWindowDrawsTheSamePicture) {
  RunInLoop([&] {
    const auto whole = Capture();
    HWND window = MainHandle();
    // Parts of the strip, the logo and the link, and a strip of the rows.
    for (RECT part : {RECT{100, 5, 140, 30}, RECT{0, 18, 250, 24}, RECT{60, 25, 120, 70},
                      RECT{5, 90, 245, 120}}) {
      InvalidateRect(window, &part, TRUE);
      UpdateWindow(window);
      PumpMessages(Quit::KeepForLoop);
      Picture again(width_, height_);
      again.CopyFromScreen(window);
      for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
          ASSERT_EQ(whole->At(x, y), again.At(x, y))
              << x << "," << y << " after repainting " << testing::PrintToString(Place(part));
        }
      }
    }
  });
}

// In a dark contrast theme every text stays readable, and when it is
// turned off the window is the design's again, pixel for pixel. Wine cannot
// switch the theme: the first row shows that it refuses, so the second
// turns it on through the program's one question.
TEST_F(SkinTest, AContrastThemeKeepsEveryTextReadableAndItsEndRestoresTheDesign) {
  static HWND mainWindow = nullptr;
  const struct {
    const char* how;
    bool (*turn)(bool on);
  } switches[] = {
      {"the system's switch",
       [](bool on) {
         HIGHCONTRASTW contrast{sizeof contrast, on ? DWORD{HCF_HIGHCONTRASTON} : 0, nullptr};
         return SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof contrast, &contrast,
                                      SPIF_SENDCHANGE) != FALSE;
       }},
      {"the program's question answered",
       [](bool on) {
         skin::AnswerContrastWith(on ? +[] { return true; } : nullptr);
         // As the system announces a switch.
         SendMessageW(mainWindow, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
         return true;
       }},
  };
  RunInLoop([&] {
    mainWindow = MainHandle();
    SetTextOf(Window().resultStrip, "2600,00");
    Window().calculateButton->TakeFocus();  // no caret in a box
    const auto design = Capture();
    for (const auto& row : switches) {
      SCOPED_TRACE(row.how);
      if (!row.turn(true)) {
        const DWORD refusal = GetLastError();
        EXPECT_EQ(refusal, DWORD{ERROR_INVALID_SPI_VALUE});
        EXPECT_FALSE(skin::ContrastThemeOn()) << "refused, yet answered on";
        continue;
      }
      auto dark = std::make_unique<SystemColours>();
      PumpMessages(Quit::KeepForLoop);
      const auto shown = Capture();
      for (Control* text : {Window().resultStrip, Window().comboLabel,
                            static_cast<Control*>(Window().wonCountBox)}) {
        RECT r = RectInClient(text);
        InflateRect(&r, -1, -1);  // inside the frames
        EXPECT_GE(TextContrast(*shown, r), kLeastTextContrast) << TextOf(text);
      }
      row.turn(false);
      dark.reset();
      PumpMessages(Quit::KeepForLoop);
      const auto after = Capture();
      for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x)
          ASSERT_EQ(design->At(x, y), after->At(x, y)) << x << "," << y;
      }
    }
  });
  skin::AnswerContrastWith(nullptr);
}
