// The shift state that key and mouse handlers get: one bit for each key
// held. The widget layer reports it; the entry keys' rules read it.
#pragma once

namespace base {

inline constexpr unsigned kShiftHeld = 4;
inline constexpr unsigned kCtrlHeld = 8;
inline constexpr unsigned kAltHeld = 0x20;

}  // namespace base
