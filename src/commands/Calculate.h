#pragma once

#include "mainwindow/MainWindow.h"

namespace commands {

// Reads the bet from the window's boxes, checks it, and writes the payout or
// the message of the last failing check into the result strip; each failing
// check takes the focus to its box and selects the text there.
void Calculate(mainwindow::MainWindow& window);

}  // namespace commands
