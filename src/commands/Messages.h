// Every text the commands show: what they write into the result strip or
// show in a box. The help's messages topic explains each one.
#pragma once

namespace commands {

inline constexpr char kOddsNotANumber[] = "Коэффициент не число !";
inline constexpr char kStakeNotANumber[] = "Сумма не число !";
inline constexpr char kComboSizeNotANumber[] = "\"По\" не число !";
inline constexpr char kComboSizeAboveSystemSize[] = "\"По\" больше Размера системы !";
inline constexpr char kSystemTooLarge[] = "Размер системы слишком велик !";
inline constexpr char kPayoutTooLarge[] = "Слишком большой выигрыш !";
inline constexpr char kClipboardEmpty[] = "Буфер обмена пуст !";
// The help file beside the program is not the one this build shipped.
inline constexpr char kHelpFileNotOurs[] = "Файл справки Zemko.hlp повреждён или подменён.";
// The help to open is not beside the program: the one this system shows.
inline constexpr char kHelpFileMissing[] = "Не найден файл справки Zemko.hlp в папке программы.";
inline constexpr char kHelpPageMissing[] = "Не найден файл справки Zemko.html в папке программы.";
// The shell has no program for the page, or could not start it.
inline constexpr char kHelpPageNotOpened[] = "Не удалось открыть файл справки Zemko.html.";

}  // namespace commands
