// The keyboard behaviour of the entry boxes, and the clear-all command.
#pragma once

#include <windows.h>

#include "mainwindow/MainWindow.h"

namespace commands {

// Key-down handler of the stake, system-size and "по" boxes and every row;
// its context is the main window.
void EntryKeyDown(void* context, widgets::Control* sender, WORD& key, unsigned shift);
// Back to one empty row, the strip reading "Результат", focus on the stake.
void ClearAll(mainwindow::MainWindow& window);

}  // namespace commands
