// A fresh main window for every case, built as the program builds it, with
// the program's own message loop running around the case's body; and the
// small helpers the cases share to type into it and read it back.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/CalculatorForm.h"
#include "widgets/Widgets.h"

namespace zemko_test {

// The colours as the screen shows them (0x00BBGGRR).
inline constexpr COLORREF kWindowColour = RGB(255, 206, 154);
inline constexpr COLORREF kStripColour = RGB(223, 174, 122);
inline constexpr COLORREF kResultStripColour = RGB(255, 238, 186);
inline constexpr COLORREF kLinkColour = RGB(159, 94, 42);
inline constexpr COLORREF kLinkHoverColour = RGB(255, 0, 0);
inline constexpr COLORREF kKeyGrey = RGB(204, 204, 204);
inline constexpr COLORREF kBlack = RGB(0, 0, 0);

inline constexpr int kClientWidth = 250;
inline constexpr int kMaxRows = 20;

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs the program's message loop with the body inside it, as a handler
  // of the running program would run; then closes the main window the way
  // its close button does, which ends the loop.
  void InLoop(const std::function<void()>& body);

  zemcoms::CalculatorForm& form() const { return zemcoms::Form(); }
  widgets::Control* Row(int n) const { return zemcoms::Form().oddsRows.at(n - 1); }
  int RowCount() const { return zemcoms::Form().rowCount; }
  HWND MainHandle() const { return window_->Handle(); }
  int ClientHeight() const;

  // Adds rows with Enter in the last row until there are `count`.
  void GrowTo(int count);
  // Fills a bet: the rows (added with Enter as needed, after a clear-all
  // when there are too many), then the stake, N and K; every
  // text goes in by WM_SETTEXT, as a paste would put it there.
  void EnterBet(std::string_view stake, const std::vector<std::string>& rows,
                std::string_view systemSize, std::string_view comboSize);

  widgets::Control* app_ = nullptr;
  widgets::Control* window_ = nullptr;
};

// Dispatches what is queued; a quit message is put back for the loop.
void Pump();
// Pumps until the condition holds or the time is up.
bool PumpUntil(const std::function<bool()>& condition, DWORD milliseconds = 3000);

// Pumps for the time and takes the system commands posted to the window off
// the queue (so that no move loop runs), in their order.
std::vector<WPARAM> TakeSystemCommands(HWND window, DWORD milliseconds);

std::string TextOf(widgets::Control* control);
void SetTextOf(widgets::Control* control, std::string_view text);  // WM_SETTEXT
// A key pressed and released in the box, through the queue and
// TranslateMessage like a real key: the character follows the key-down.
void Press(widgets::Control* box, WORD key);
// Characters typed into the box (WM_CHAR each).
void Type(widgets::Control* box, std::string_view characters);
widgets::Control* Focused();
// True when the selection runs over the whole text of the edit box.
bool WholeTextSelected(widgets::Control* box);
RECT RectInClient(widgets::Control* control);
// Left, top, width and height of a rectangle, for readable comparisons.
std::vector<int> Place(const RECT& rect);

// The main window's stored position goes, so that it opens at (0, 0).
void DeletePositionKey();

}  // namespace zemko_test
