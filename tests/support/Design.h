// What the design says the windows look like, written out here for the tests
// to compare against: never taken from the code under test.
#pragma once

#include <windows.h>

namespace zemko_test {

// The colours as the screen shows them (0x00BBGGRR).
inline constexpr COLORREF kSurfaceColour = RGB(255, 206, 154);
inline constexpr COLORREF kStripColour = RGB(223, 174, 122);
inline constexpr COLORREF kResultStripColour = RGB(255, 238, 186);
inline constexpr COLORREF kLinkColour = RGB(159, 94, 42);
inline constexpr COLORREF kLinkHoverColour = RGB(255, 0, 0);
inline constexpr COLORREF kKeyGrey = RGB(204, 204, 204);
inline constexpr COLORREF kBlack = RGB(0, 0, 0);

// The main window.
inline constexpr char kProgramTitle[] = "Земко";
inline constexpr char kPressAction[] = "Нажать";  // a button's default action, read aloud
inline constexpr int kClientWidth = 250;
inline constexpr int kMaxRows = 20;
inline constexpr int kFixedEditBoxes = 4;      // stake, won count, system size, "по"
inline constexpr int kClientHeightBase = 162;  // plus 28 for each first-column row
inline constexpr int kRowPitch = 28;
inline constexpr int kRowsPerColumn = 5;
inline constexpr int kOneRowClientHeight = kClientHeightBase + kRowPitch;
inline constexpr int kFullClientHeight = kClientHeightBase + kRowPitch * kRowsPerColumn;

// The odds rows: four columns of five under the line of the stake box.
inline constexpr int kRowLeft = 10;
inline constexpr int kColumnPitch = 60;
inline constexpr int kRowTopBase = 70;  // row n of a column sits n pitches below
inline constexpr int kRowWidth = 50;
inline constexpr int kRowHeight = 18;

// The band under the rows, from the client bottom: the result strip, then
// the bottom buttons, whose left edges are the design's.
inline constexpr int kResultStripLeft = 10;
inline constexpr int kResultStripWidth = 230;
inline constexpr int kResultStripHeight = 18;
inline constexpr int kResultStripAboveFloor = 64;
inline constexpr int kBottomButtonsAboveFloor = 36;
inline constexpr int kBottomButtonSize = 26;
inline constexpr int kCalculateButtonLeft = 214;
inline constexpr int kClearAllButtonLeft = 178;
inline constexpr int kPasteButtonLeft = 142;
inline constexpr int kHelpButtonLeft = 10;

// The caption strip's buttons: the close button's centre.
inline constexpr POINT kCloseButtonCentre{240, 10};

// The hints (a screen reader speaks them as the names too) and the texts
// the bottom buttons keep.
inline constexpr char kStakeHint[] = "Поставленная сумма";
inline constexpr char kWonCountHint[] = "Сыграло";
inline constexpr char kSystemSizeHint[] = "Размер системы";
inline constexpr char kComboLabel[] = "по";
inline constexpr char kResultStripHint[] = "Вывод результата  или\rсообщения об ошибке";
inline constexpr char kCloseHint[] = "Закрыть калькулятор";
inline constexpr char kMinimiseHint[] = "Свернуть";
inline constexpr char kAboutHint[] = "О программе";
inline constexpr char kCalculateHint[] = "Рассчитать ставку";
inline constexpr char kClearAllHint[] = "Очистить все";
inline constexpr char kPasteHint[] = "Вставить из Excel";
inline constexpr char kHelpHint[] = "Справка";
inline constexpr char kClearAllCaption[] = "Стереть";
inline constexpr char kPasteCaption[] = "Вставить";
inline constexpr char kMakerHost[] = "vadrex.example";
// The window menu's last item (Alt+Space).
inline constexpr char kAboutMenuItem[] = "О программе…";
// What a screen reader calls rows 1 and 7.
inline constexpr char kFirstRowName[] = "Коэффициент 1";
inline constexpr char kSeventhRowName[] = "Коэффициент 7";
// The code page of the program's texts.
inline constexpr UINT kProgramCodePage = 1251;

// The result strip's texts.
inline constexpr char kResultPlaceholder[] = "Результат";
inline constexpr char kOddsNotANumber[] = "Коэффициент не число !";
inline constexpr char kStakeNotANumber[] = "Сумма не число !";
inline constexpr char kComboSizeNotANumber[] = "\"По\" не число !";
inline constexpr char kComboSizeAboveSystemSize[] = "\"По\" больше Размера системы !";
inline constexpr char kSystemTooLarge[] = "Размер системы слишком велик !";
inline constexpr char kPayoutTooLarge[] = "Слишком большой выигрыш !";
inline constexpr char kClipboardEmpty[] = "Буфер обмена пуст !";
// Everything the strip may read but a payout.
inline constexpr const char* kStripTexts[] = {
    kResultPlaceholder,        kOddsNotANumber, kStakeNotANumber, kComboSizeNotANumber,
    kComboSizeAboveSystemSize, kSystemTooLarge, kPayoutTooLarge,  kClipboardEmpty};

// The About window.
inline constexpr char kAboutCaption[] = "О программе";
inline constexpr char kAboutCloseHint[] = "Закрыть окно";
inline constexpr char kAboutTitle[] = "Букмекерский калькулятор";

}  // namespace zemko_test
