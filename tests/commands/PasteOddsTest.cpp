// The paste button against the real main window and the real clipboard:
// what lands in the odds rows, the count boxes, the result strip and the
// focus, and that the rows of before are gone in every case.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <ostream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "mainwindow/OddsRows.h"
#include "rules/PasteValues.h"
#include "support/ClipboardFill.h"
#include "support/Design.h"
#include "support/Input.h"
#include "support/MainWindowHarness.h"
#include "support/WindowTestSupport.h"

namespace {

using zemko_test::ClientSize;
using zemko_test::EditWindowCount;
using zemko_test::kClientHeightBase;
using zemko_test::kFixedEditBoxes;
using zemko_test::kRowPitch;
using zemko_test::kRowsPerColumn;

constexpr char kStake[] = "100";
constexpr int kRowsBeforePaste = 7;

// A window that has been used: seven rows with odds, N and K typed over,
// a message in the result strip, a stake.
class PasteTest : public zemko_test::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    auto& form = Window();
    form.stakeBox->SetText(kStake);
    while (form.rowCount < kRowsBeforePaste) mainwindow::AddOddsRow(form);
    for (int i = 0; i < form.rowCount; ++i) {
      form.oddsRows[i]->SetText("9,9");
      oldRows_.push_back(form.oddsRows[i]->EnsureWindow());
    }
    form.systemSizeBox->SetText("8");
    form.comboSizeBox->SetText("3");
    form.resultStrip->SetText(zemko_test::kPayoutTooLarge);
    // Windows are made on demand; make the fixed boxes' now, so that the
    // edit windows on the form can be counted.
    for (widgets::Control* box :
         {form.stakeBox, form.wonCountBox, form.systemSizeBox, form.comboSizeBox}) {
      ASSERT_NE(box->EnsureWindow(), nullptr);
    }
    zemko_test::PumpMessages();
  }

  void ClickPaste() {
    Window().pasteButton->Click();
    zemko_test::PumpMessages();
  }

  void Paste(std::string_view text) {
    ASSERT_TRUE(zemko_test::PutClipboardText(text));
    ClickPaste();
  }

  // The rows, the count boxes, the window's height, the strip and the
  // focus after a paste; the stake is never touched.
  void ExpectWindow(const std::vector<std::string>& rows, const char* strip) {
    auto& form = Window();
    const int count = static_cast<int>(rows.size());
    ASSERT_EQ(form.rowCount, count);
    for (int i = 0; i < count; ++i) {
      EXPECT_EQ(form.oddsRows[i]->GetText(), rows[i]) << "row " << i + 1;
    }
    const std::string countText = std::to_string(count);
    EXPECT_EQ(form.systemSizeBox->GetText(), countText);
    EXPECT_EQ(form.wonCountBox->GetText(), countText);
    EXPECT_EQ(form.comboSizeBox->GetText(), countText);
    EXPECT_EQ(form.resultStrip->GetText(), strip);
    EXPECT_EQ(form.stakeBox->GetText(), kStake);
    EXPECT_EQ(GetFocus(), form.stakeBox->EnsureWindow());

    // The windows themselves: the old rows are destroyed, exactly the new
    // ones exist, and the window has the height of its first column.
    const HWND window = form.form->EnsureWindow();
    for (HWND old : oldRows_) EXPECT_FALSE(IsWindow(old));
    EXPECT_EQ(EditWindowCount(window), kFixedEditBoxes + count);
    EXPECT_EQ(ClientSize(window).cy,
              kClientHeightBase + kRowPitch * std::min(count, kRowsPerColumn));
  }

  std::vector<HWND> oldRows_;
};

// ------------------------------------------------------------ text cases

struct PasteCase {
  const char* name;
  std::string_view clipboard;
  std::vector<std::string> rows;
};
// Names the case in the test list.
void PrintTo(const PasteCase& value, std::ostream* out) { *out << value.name; }

using paste_values::ValueRows;
using paste_values::Values;

const std::string kTwentyFiveValues = Values(10, 25, "\r\n");
constexpr char kCutMark[] = "…";

// Which value goes to which row is decided from a table (tests/rules); here
// the decision reaches the window: one row, twenty over four columns, none.
const PasteCase kPasteCases[] = {
    {"SpreadsheetRow", "1.5\t2.1\t3.0\r\n", {"1.5", "2.1", "3.0"}},
    {"TwentyFiveValuesKeepTheFirstTwenty", kTwentyFiveValues, ValueRows(10, 20)},
    {"OnlyDelimitersLeaveOneEmptyRow", "\r\n\t\t\n\r\r\n", {""}},
};

class PasteTextTest : public PasteTest, public ::testing::WithParamInterface<PasteCase> {};

TEST_P(PasteTextTest, FillsTheRows) {
  Paste(GetParam().clipboard);
  ExpectWindow(GetParam().rows, zemko_test::kResultPlaceholder);
}

INSTANTIATE_TEST_SUITE_P(Clipboard, PasteTextTest, ::testing::ValuesIn(kPasteCases));

// ------------------------------------------------------------ no text

TEST_F(PasteTest, EmptyClipboardLeavesOneEmptyRowAndSaysSo) {
  ASSERT_TRUE(zemko_test::EmptyTheClipboard());
  ClickPaste();
  ExpectWindow({""}, zemko_test::kClipboardEmpty);
}

TEST_F(PasteTest, ImageWithoutTextLeavesOneEmptyRowAndSaysSo) {
  ASSERT_TRUE(zemko_test::PutClipboardBitmapOnly());
  ASSERT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  ClickPaste();
  ExpectWindow({""}, zemko_test::kClipboardEmpty);
}

TEST_F(PasteTest, ClipboardHeldByAnotherWindowReadsAsEmpty) {
  ASSERT_TRUE(zemko_test::PutClipboardText("1.5\t2.1"));
  {
    zemko_test::ClipboardHolder holder;
    ASSERT_TRUE(holder.Holding());
    ClickPaste();
  }
  ExpectWindow({""}, zemko_test::kClipboardEmpty);
}

TEST_F(PasteTest, WithoutTextTheStakeKeepsItsSelection) {
  ASSERT_TRUE(zemko_test::EmptyTheClipboard());
  ClickPaste();
  DWORD start = 1;
  DWORD end = 0;
  SendMessageA(Window().stakeBox->EnsureWindow(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, std::string_view(kStake).size());
}

// ------------------------------------------------------------ then calculate

TEST_F(PasteTest, PastedOddsAreCalculated) {
  Paste("1.5\t2\t3\r\n");
  Window().calculateButton->Click();
  // Three of three: one combination, 100 * 1.5 * 2 * 3.
  EXPECT_EQ(Window().resultStrip->GetText(), "900,00");
}

TEST_F(PasteTest, PastedCyrillicIsReportedInItsRow) {
  Paste("1.5\tабв\t2\r\n");
  ExpectWindow({"1.5", "абв", "2"}, zemko_test::kResultPlaceholder);
  Window().calculateButton->Click();
  EXPECT_EQ(Window().resultStrip->GetText(), zemko_test::kOddsNotANumber);
  EXPECT_EQ(GetFocus(), Window().oddsRows[1]->EnsureWindow());
}

// A cut value never passes the check, whether its head would read as a
// number (the cut took away the "x") or it was a valid number to begin with.
TEST_F(PasteTest, ACutValueIsReportedAsNotANumber) {
  const std::string head = "1," + std::string(1030, '0');
  for (const std::string& value : {head + "x", head}) {
    Paste("2\t" + value + "\r\n");
    ASSERT_EQ(Window().rowCount, 2);
    EXPECT_EQ(Window().oddsRows[1]->GetText().back(), kCutMark[0]);
    Window().calculateButton->Click();
    EXPECT_EQ(Window().resultStrip->GetText(), zemko_test::kOddsNotANumber) << value.back();
    EXPECT_EQ(GetFocus(), Window().oddsRows[1]->EnsureWindow());
  }
}

TEST_F(PasteTest, ASecondPasteReplacesTheFirst) {
  Paste(kTwentyFiveValues);
  Paste("2.5\r\n");
  ASSERT_EQ(Window().rowCount, 1);
  EXPECT_EQ(Window().oddsRows[0]->GetText(), "2.5");
  EXPECT_EQ(EditWindowCount(Window().form->EnsureWindow()), kFixedEditBoxes + 1);
}

// ------------------------------------------------------------ a hostile owner

// A clipboard owner on another thread that renders its text only when asked
// and, before it answers, sends Enter to whatever box has the focus (past
// the twentieth row) and a click of the paste button, as any program of the
// user's could. The paste then still fills no more than twenty rows.
struct LateOwner {
  DWORD guiThread;
  HWND form;
  HWND pasteButton;
  std::wstring text;
};

constexpr int kHostileEnterKeys = 25;

LRESULT CALLBACK LateOwnerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_RENDERFORMAT) return DefWindowProcW(window, message, wParam, lParam);
  const auto* owner = reinterpret_cast<const LateOwner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  for (int i = 0; i < kHostileEnterKeys; ++i) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(owner->guiThread, &info) && info.hwndFocus) {
      SendMessageW(info.hwndFocus, WM_KEYDOWN, VK_RETURN, 0);
    }
  }
  SendMessageW(owner->form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(owner->pasteButton), BN_CLICKED),
               reinterpret_cast<LPARAM>(owner->pasteButton));
  const std::size_t bytes = (owner->text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory) {
    std::memcpy(GlobalLock(memory), owner->text.c_str(), bytes);
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
  }
  return 0;
}

TEST_F(PasteTest, KeysAndClicksSentWhileTheOwnerRendersMakeNoRowPastTwenty) {
  const std::string values = Values(10, 20, "\t");
  LateOwner owner{GetCurrentThreadId(), Window().form->EnsureWindow(),
                  Window().pasteButton->EnsureWindow(), std::wstring(values.begin(), values.end())};
  HANDLE offered = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(offered, nullptr);
  DWORD ownerThread = 0;
  std::thread thread([&] {
    ownerThread = GetCurrentThreadId();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = LateOwnerProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ZemkoTestLateOwner";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                nullptr, windowClass.hInstance, nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&owner));
    if (window && OpenClipboard(window)) {
      EmptyClipboard();
      SetClipboardData(CF_UNICODETEXT, nullptr);  // rendered when asked
      CloseClipboard();
    }
    SetEvent(offered);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    if (OpenClipboard(window)) {
      EmptyClipboard();
      CloseClipboard();
    }
    DestroyWindow(window);
  });
  WaitForSingleObject(offered, INFINITE);
  CloseHandle(offered);
  ClickPaste();
  PostThreadMessageW(ownerThread, WM_QUIT, 0, 0);
  thread.join();
  ExpectWindow(ValueRows(10, 20), zemko_test::kResultPlaceholder);
}

}  // namespace
