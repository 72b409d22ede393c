#include "rules/Keys.h"

namespace rules {

KeyDecision DecideKey(Box box, unsigned key, unsigned shift, int rowCount, bool lastRow) {
  const bool plainEnter = key == kKeyEnter && shift == 0;
  const bool row = box == Box::OddsRow;
  // The keys that run a command eat their character ("-", "+"), so it is
  // not typed over the selected stake or into the row left behind.
  if (key == kKeyNumpadMinus) return {KeyAction::ClearAll, true};
  if (plainEnter) {
    switch (box) {
      case Box::SystemSize: return {KeyAction::FocusComboSize, false};
      case Box::Stake: return {KeyAction::FocusFirstRow, false};
      case Box::ComboSize: return {KeyAction::Calculate, false};
      case Box::OddsRow:
        if (rowCount < kMaxOddsRows) {
          return {lastRow ? KeyAction::AddRow : KeyAction::FocusNextRow, false};
        }
        break;
    }
  }
  if (row && key == kKeyEnter && ((shift & base::kCtrlHeld) || rowCount >= kMaxOddsRows)) {
    return {KeyAction::FocusSystemSize, false};
  }
  if (row && key == kKeyNumpadPlus) return {KeyAction::FocusSystemSize, true};
  return {};
}

}  // namespace rules
