// The clear-all command.
#pragma once

#include "mainwindow/MainWindow.h"

namespace commands {

// Back to one empty row, the strip reading "Результат", focus on the stake.
void ClearAll(mainwindow::MainWindow& window);

}  // namespace commands
