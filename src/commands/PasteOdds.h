#pragma once

#include "mainwindow/MainWindow.h"

namespace commands {

// Fills the odds rows from the clipboard text, one value per spreadsheet
// cell or text line; at most 20 rows.
void PasteOdds(mainwindow::MainWindow& window);

}  // namespace commands
