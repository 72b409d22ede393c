#pragma once

#include "widgets/Widgets.h"

namespace commands {

// The one click handler of every bitmap button of the main window (its
// context is the window): runs the command of the clicked button's row in
// the caption and the bottom tables.
void ButtonClick(void* context, widgets::Control* sender);

}  // namespace commands
