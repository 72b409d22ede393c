// What the commands do to a box they send the user to.
#pragma once

#include "widgets/Widgets.h"

namespace commands {

// The focus goes to the box with its whole text selected, ready to be typed
// over.
inline void FocusAndSelect(widgets::EditBox* box) {
  box->TakeFocus();
  box->SelectAll();
}

}  // namespace commands
