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

}  // namespace commands
