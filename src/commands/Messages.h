// Every text of the commands: what they write into the result strip or show
// in a box, and the hints and captions of the buttons that run them.
#pragma once

#include "mainwindow/MainWindow.h"

namespace commands {

using mainwindow::kResultPlaceholder;
inline constexpr char kOddsNotANumber[] = "Коэффициент не число !";
inline constexpr char kStakeNotANumber[] = "Сумма не число !";
inline constexpr char kComboSizeNotANumber[] = "\"По\" не число !";
inline constexpr char kComboSizeAboveSystemSize[] = "\"По\" больше Размера системы !";
inline constexpr char kSystemTooLarge[] = "Размер системы слишком велик !";
inline constexpr char kPayoutTooLarge[] = "Слишком большой выигрыш !";
inline constexpr char kClipboardEmpty[] = "Буфер обмена пуст !";
// The help file beside the program is not the one this build shipped.
inline constexpr char kHelpFileNotOurs[] = "Файл справки Zemko.hlp повреждён или подменён.";

// The buttons' hints, which a screen reader speaks as their names too.
inline constexpr char kCloseHint[] = "Закрыть калькулятор";
inline constexpr char kMinimiseHint[] = "Свернуть";
inline constexpr char kAboutHint[] = "О программе";
inline constexpr char kCalculateHint[] = "Рассчитать ставку";
inline constexpr char kClearAllHint[] = "Очистить все";
inline constexpr char kPasteHint[] = "Вставить из Excel";
inline constexpr char kHelpHint[] = "Справка";
// The bottom buttons' captions: kept as their window texts, never drawn.
inline constexpr char kCalculateCaption[] = "";
inline constexpr char kClearAllCaption[] = "Стереть";
inline constexpr char kPasteCaption[] = "Вставить";
inline constexpr char kHelpCaption[] = "Справка";

}  // namespace commands
