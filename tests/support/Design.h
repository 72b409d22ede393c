// What the design says the windows look like, written out here for the tests
// to compare against: never taken from the code under test.
#pragma once

#include <windows.h>

namespace zemko_test {

// The colours as the screen shows them (0x00BBGGRR).
inline constexpr COLORREF kWindowColour = RGB(255, 206, 154);
inline constexpr COLORREF kStripColour = RGB(223, 174, 122);
inline constexpr COLORREF kResultStripColour = RGB(255, 238, 186);
inline constexpr COLORREF kLinkColour = RGB(159, 94, 42);
inline constexpr COLORREF kLinkHoverColour = RGB(255, 0, 0);
inline constexpr COLORREF kKeyGrey = RGB(204, 204, 204);
inline constexpr COLORREF kBlack = RGB(0, 0, 0);

// The main window.
inline constexpr char kProgramTitle[] = "Земко";
inline constexpr int kClientWidth = 250;
inline constexpr int kMaxRows = 20;
inline constexpr int kFixedEditBoxes = 4;      // stake, won count, system size, "по"
inline constexpr int kClientHeightBase = 162;  // plus 28 for each first-column row
inline constexpr int kRowPitch = 28;
inline constexpr int kRowsPerColumn = 5;

// The result strip's texts.
inline constexpr char kResultPlaceholder[] = "Результат";
inline constexpr char kOddsNotANumber[] = "Коэффициент не число !";
inline constexpr char kStakeNotANumber[] = "Сумма не число !";
inline constexpr char kComboSizeNotANumber[] = "\"По\" не число !";
inline constexpr char kComboSizeAboveSystemSize[] = "\"По\" больше Размера системы !";
inline constexpr char kSystemTooLarge[] = "Размер системы слишком велик !";
inline constexpr char kPayoutTooLarge[] = "Слишком большой выигрыш !";
inline constexpr char kClipboardEmpty[] = "Буфер обмена пуст !";

// The About window.
inline constexpr char kAboutCaption[] = "О программе";

}  // namespace zemko_test
