// What a key does in an entry box of the main window: a decision made from
// the box, the key and the rows alone, before any window is touched.
#pragma once

#include "base/ShiftState.h"

namespace rules {

// The boxes that take keys. The won-count box takes none.
enum class Box { Stake, SystemSize, ComboSize, OddsRow };

// Virtual-key codes as Windows gives them; the shift state is the key
// handlers' (base/ShiftState.h).
inline constexpr unsigned kKeyEnter = 0x0D;
inline constexpr unsigned kKeyNumpadPlus = 0x6B;
inline constexpr unsigned kKeyNumpadMinus = 0x6D;

inline constexpr int kMaxOddsRows = 20;

enum class KeyAction {
  Nothing,
  ClearAll,        // clicks the clear-all button
  FocusComboSize,  // the "по" box, its text selected
  FocusFirstRow,
  Calculate,  // clicks the calculate button
  AddRow,
  FocusNextRow,
  FocusSystemSize,  // the system-size box, its text selected
};

struct KeyDecision {
  KeyAction action = KeyAction::Nothing;
  // The key's character is not typed: it would land in the box left
  // behind, or over the text just selected.
  bool eatsCharacter = false;
  bool operator==(const KeyDecision&) const = default;
};

// For a key pressed in the box; rowCount is 1 to 20, lastRow whether the
// box is the last odds row.
KeyDecision DecideKey(Box box, unsigned key, unsigned shift, int rowCount, bool lastRow);

}  // namespace rules
