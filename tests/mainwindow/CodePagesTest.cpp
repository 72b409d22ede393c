// The Russian texts under whatever code page the system has. The suite runs
// once per system code page (ZEMKO_LOCALE names the locale, ru_RU first): it
// reads every text back in UTF-16, types with real keys, pastes look-alikes
// of digits, and takes pictures that must match those of the ru_RU run.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "about/About.h"
#include "mainwindow/OddsRows.h"
#include "support/ClipboardFill.h"
#include "support/Input.h"
#include "support/MainWindowHarness.h"
#include "support/WindowTestSupport.h"
#include "widgets/Hints.h"

namespace {

using namespace zemko_test;

// What the window shows, as the design writes it.
constexpr wchar_t kTitle[] = L"Земко";
constexpr wchar_t kPlaceholder[] = L"Результат";
constexpr wchar_t kComboLabel[] = L"по";
constexpr wchar_t kStakeNotANumber[] = L"Сумма не число !";
constexpr wchar_t kOddsNotANumber[] = L"Коэффициент не число !";
constexpr wchar_t kStakeHint[] = L"Поставленная сумма";
constexpr wchar_t kAboutCaption[] = L"О программе";
constexpr wchar_t kAboutTitle[] = L"Букмекерский калькулятор";
constexpr wchar_t kAboutVersion[] = L"Версия : 1.0.1.3";

constexpr char kReferenceLocale[] = "ru_RU";
constexpr wchar_t kPictureFolder[] = L"codepage-pictures";
constexpr DWORD kTipRestMs = 5000;
constexpr DWORD kSettleMs = 200;

// The locale of this run without its encoding: "en_US" for en_US.UTF-8.
std::string LocaleName() {
  char value[64] = {};
  const DWORD length = GetEnvironmentVariableA("ZEMKO_LOCALE", value, sizeof value);
  if (length == 0 || length >= sizeof value) return kReferenceLocale;
  const std::string locale(value, length);
  return locale.substr(0, locale.find('.'));
}

// The font the system gives tooltips (its status font), as "Tahoma -11".
std::string TipFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  char face[LF_FACESIZE * 3] = {};
  WideCharToMultiByte(CP_UTF8, 0, metrics.lfStatusFont.lfFaceName, -1, face, sizeof face, nullptr,
                      nullptr);
  return std::string(face) + ' ' + std::to_string(metrics.lfStatusFont.lfHeight);
}

std::wstring PicturePath(const std::string& locale, const std::string& name) {
  wchar_t program[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring folder(program, length);
  folder.resize(folder.rfind(L'\\') + 1);
  folder += kPictureFolder;
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder + L'\\' + std::wstring(locale.begin(), locale.end()) + L'-' +
         std::wstring(name.begin(), name.end()) + L".bmp";
}

std::wstring ToolTextOf(HWND tooltip, HWND owner) {
  wchar_t text[256] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = owner;
  tool.lpszText = text;
  SendMessageW(tooltip, TTM_GETTEXTW, sizeof text / sizeof *text, reinterpret_cast<LPARAM>(&tool));
  return text;
}

class CodePagesTest : public MainWindowTest {
 protected:
  CodePagesTest() { loopEnd_ = LoopEnd::Quit; }
  void SetUp() override {
    about::Initialise();
    MainWindowTest::SetUp();
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    about::Finalise();
  }
  void AfterBuild() override {
    form_->SetLeft(kPlacedLeft);
    form_->SetTop(kPlacedTop);
  }

  // The window's client area as shown, kept under this run's locale and
  // compared with the picture the ru_RU run kept under the same name; with
  // Reference::MayLack a missing one is only reported. The caret blinks, so
  // it is hidden first.
  enum class Reference { MustExist, MayLack };
  static void ExpectLooksAsOnARussianSystem(HWND window, const std::string& name,
                                            Reference reference = Reference::MustExist) {
    HideCaret(nullptr);
    PumpFor(kSettleMs);
    RECT client;
    GetClientRect(window, &client);
    Picture picture(client.right, client.bottom);
    picture.CopyFromScreen(window);
    const std::string locale = LocaleName();
    ASSERT_TRUE(picture.Save(PicturePath(locale, name)));
    if (locale == kReferenceLocale) return;
    const std::wstring referencePath = PicturePath(kReferenceLocale, name);
    if (reference == Reference::MayLack &&
        GetFileAttributesW(referencePath.c_str()) == INVALID_FILE_ATTRIBUTES) {
      std::printf("[ note     ] no ru_RU picture \"%s\" to compare with\n", name.c_str());
      return;
    }
    EXPECT_EQ(0, picture.DifferingPixels(referencePath))
        << name << " differs from the ru_RU picture (-1: none of this size)";
  }

  // The real pointer rests on the control until its tooltip shows; null
  // when none did.
  HWND RestPointerOn(widgets::Control* control) {
    SetForegroundWindow(MainHandle());
    const POINT centre = CentreOf(control->EnsureWindow());
    for (int step = 0; step < 3; ++step) {
      MovePointerTo({centre.x + step, centre.y});
      PumpFor(50);
    }
    HWND tip = nullptr;
    PumpUntil(
        [&] {
          widgets::Hint* hint = control->GetHint();
          tip = hint ? hint->TooltipWindow() : nullptr;
          return tip && IsWindowVisible(tip);
        },
        kTipRestMs);
    return tip;
  }
};

TEST_F(CodePagesTest, RealKeysTypeTheBetAndEveryTextReadsInRussian) {
  RunInLoop([&] {
    const mainwindow::MainWindow& window = Window();
    ClickOn(window.stakeBox->EnsureWindow());
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == window.stakeBox->EnsureWindow(); }));
    // Stake, three rows with a comma and a point, then N and K with Enter.
    InputKeys({'3', '0', '0', VK_RETURN, '2', VK_RETURN, '3', VK_OEM_COMMA, '0', VK_RETURN, '4',
               VK_OEM_PERIOD, '0'});
    PumpFor(kSettleMs);
    InputKeyWithModifier(VK_CONTROL, VK_RETURN);
    PumpFor(kSettleMs);
    InputKeys({'3', VK_RETURN, '2', VK_RETURN});
    ASSERT_TRUE(PumpUntil([&] {
      return WideTextOf(window.resultStrip->EnsureWindow()) == L"2600,00";
    })) << window.resultStrip->GetText();

    EXPECT_EQ(L"300", WideTextOf(window.stakeBox->EnsureWindow()));
    ASSERT_EQ(3, RowCount());
    EXPECT_EQ(L"2", WideTextOf(Row(1)->EnsureWindow()));
    EXPECT_EQ(L"3,0", WideTextOf(Row(2)->EnsureWindow()));
    EXPECT_EQ(L"4.0", WideTextOf(Row(3)->EnsureWindow()));
    EXPECT_EQ(kTitle, WideTextOf(MainHandle()));
    EXPECT_EQ(kTitle, WideTextOf(application_->EnsureWindow()));
    const std::vector<HWND> labels = zemko_test::ChildrenOfClass(MainHandle(), "STATIC");
    EXPECT_NE(labels.end(), std::find_if(labels.begin(), labels.end(), [](HWND label) {
                return WideTextOf(label) == kComboLabel;
              }));
    ExpectLooksAsOnARussianSystem(MainHandle(), "calculated");
  });
}

TEST_F(CodePagesTest, AMessageAndAHintShowInRussian) {
  RunInLoop([&] {
    const mainwindow::MainWindow& window = Window();
    EXPECT_EQ(kPlaceholder, WideTextOf(window.resultStrip->EnsureWindow()));
    ClickOn(window.calculateButton->EnsureWindow());
    ASSERT_TRUE(PumpUntil(
        [&] { return WideTextOf(window.resultStrip->EnsureWindow()) == kStakeNotANumber; }));
    ExpectLooksAsOnARussianSystem(MainHandle(), "message");

    HWND tip = RestPointerOn(window.stakeBox);
    ASSERT_NE(nullptr, tip) << "no tip showed";
    EXPECT_EQ(kStakeHint, ToolTextOf(tip, window.stakeBox->EnsureWindow()));
    // A tip is drawn in the system's own tooltip font, which Wine picks by
    // code page: it is compared with a tip of the same font only.
    ExpectLooksAsOnARussianSystem(tip, "hint " + TipFont(), Reference::MayLack);
  });
}

TEST_F(CodePagesTest, TheAboutWindowReadsInRussian) {
  RunInLoop([&] {
    ClickOn(Window().aboutButton->EnsureWindow());
    HWND about = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
      const std::vector<HWND> windows = AboutWindowsOf(MainHandle());
      about = windows.empty() ? nullptr : windows.front();
      return about != nullptr;
    }));
    EXPECT_EQ(kAboutCaption, WideTextOf(about));
    const std::vector<HWND> labels = zemko_test::ChildrenOfClass(about, "STATIC");
    ASSERT_EQ(3u, labels.size());
    EXPECT_EQ(kAboutTitle, WideTextOf(labels[0]));
    EXPECT_EQ(kAboutVersion, WideTextOf(labels[1]));
    ExpectLooksAsOnARussianSystem(about, "about");
  });
}

// A character that Windows-1251 lacks never reads as a digit, a comma or a
// point, however much it looks like one; a plain value still pastes.
TEST_F(CodePagesTest, PastedLookalikesOfDigitsAreNotNumbers) {
  struct PasteCase {
    const wchar_t* clipboard;
    const wchar_t* result;
  };
  const PasteCase cases[] = {
      {L"\xFF11\xFF0C\xFF15", kOddsNotANumber},  // full-width 1,5: the comma is no digit
      {L"\xFF11,\x0665", L"150,00"},             // full-width one, Arabic-Indic five
      {L"2\x00B2", kOddsNotANumber},             // a superscript two
      {L"\x0417", kOddsNotANumber},              // Cyrillic Ze, a look-alike of 3
      {L"1\xFF0E"
       L"5",
       kOddsNotANumber},  // a full-width point
      {L"1,5", L"150,00"},
  };
  RunInLoop([&] {
    const mainwindow::MainWindow& window = Window();
    for (const PasteCase& c : cases) {
      ASSERT_TRUE(PutClipboardUnicodeText(c.clipboard));
      window.pasteButton->Click();
      SetTextOf(window.stakeBox, "100");
      window.calculateButton->Click();
      EXPECT_EQ(c.result, WideTextOf(window.resultStrip->EnsureWindow()))
          << "pasted " << window.oddsRows[0]->GetText();
    }
  });
}

// A digit that another script's keyboard types into a box reads as its
// digit: a "по" of full-width two prices the system, not an accumulator.
TEST_F(CodePagesTest, DigitsOfOtherScriptsReadAsTheirDigits) {
  RunInLoop([&] {
    mainwindow::MainWindow& window = Window();
    SetTextOf(window.stakeBox, "300");
    const char* odds[] = {"2", "3", "4"};
    for (int i = 0; i < 3; ++i) {
      if (i > 0) mainwindow::AddOddsRow(window);
      SetTextOf(window.oddsRows[i], odds[i]);
    }
    SetWindowTextW(window.comboSizeBox->EnsureWindow(), L"\xFF12");
    window.calculateButton->Click();
    EXPECT_EQ(L"2600,00", WideTextOf(window.resultStrip->EnsureWindow()));
  });
}

}  // namespace
