#pragma once

#include "widgets/Widgets.h"

namespace commands {

// The click handler of every bitmap button of the main window, whose context
// is the main window: the sender is compared, by identity, with its buttons
// in a fixed order.
void ButtonClick(void* context, widgets::Control* sender);

}  // namespace commands
