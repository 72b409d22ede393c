// Every text the main window shows: its title, the result strip's first
// text, and the hints, captions and names of its controls.
#pragma once

namespace mainwindow {

// The application title: the taskbar entry's and the main window's caption.
inline constexpr char kApplicationTitle[] = "Земко";
// What the result strip reads before anything was calculated.
inline constexpr char kResultPlaceholder[] = "Результат";
inline constexpr char kMakerHost[] = "vadrex.example";  // the link label

// The entry boxes' hints, which a screen reader speaks as their names too.
inline constexpr char kStakeHint[] = "Поставленная сумма";
inline constexpr char kWonCountHint[] = "Сыграло";
inline constexpr char kSystemSizeHint[] = "Размер системы";
// The label beside the K box, and that box's name.
inline constexpr char kComboLabel[] = "по";
inline constexpr char kResultStripHint[] = "Вывод результата  или\rсообщения об ошибке";
// What a screen reader calls row n: «Коэффициент n».
inline constexpr char kOddsRowName[] = "Коэффициент ";

// The buttons' hints, which a screen reader speaks as their names too.
inline constexpr char kCloseHint[] = "Закрыть калькулятор";
inline constexpr char kMinimiseHint[] = "Свернуть";
inline constexpr char kAboutHint[] = "О программе";
inline constexpr char kCalculateHint[] = "Рассчитать ставку";
inline constexpr char kClearAllHint[] = "Очистить все";
inline constexpr char kPasteHint[] = "Вставить из Excel";
inline constexpr char kHelpHint[] = "Справка";
inline constexpr char kPressAction[] = "Нажать";  // a screen reader's name of the click
// The last item of the window menu (Alt+Space).
inline constexpr char kAboutMenuItem[] = "О программе…";
// The bottom buttons' captions: kept as their window texts, never drawn.
inline constexpr char kCalculateCaption[] = "";
inline constexpr char kClearAllCaption[] = "Стереть";
inline constexpr char kPasteCaption[] = "Вставить";
inline constexpr char kHelpCaption[] = "Справка";

}  // namespace mainwindow
