// Every text the About window shows.
#pragma once

namespace about {

inline constexpr char kAboutCaption[] = "О программе";  // its strip's caption
inline constexpr char kCloseHint[] = "Закрыть окно";
inline constexpr char kPressAction[] = "Нажать";  // a screen reader's name of the click
inline constexpr char kTitle[] = "Букмекерский калькулятор";
inline constexpr char kVersionPrefix[] = "Версия : ";  // the version follows
inline constexpr char kMakerLine[] = "© Vadrex";

}  // namespace about
