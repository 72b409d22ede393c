// The keyboard behaviour of the entry boxes.
#pragma once

#include <windows.h>

#include "widgets/Widgets.h"

namespace commands {

// Key-down handler of the stake, system-size and "по" boxes and every row;
// its context is the main window.
void EntryKeyDown(void* context, widgets::Control* sender, WORD& key, unsigned shift);

}  // namespace commands
