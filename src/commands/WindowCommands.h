// The close, minimise, About and help buttons' commands.
#pragma once

#include "mainwindow/MainWindow.h"

namespace commands {

// Posts the close request; the close handler then saves the position.
void CloseCommand(mainwindow::MainWindow& window);
// The whole program goes to its taskbar entry.
void MinimiseCommand(mainwindow::MainWindow& window);
// A new modeless About window over the main window.
void AboutCommand(mainwindow::MainWindow& window);
// The help file's topics; a missing file is the help system's to report,
// one that is not the shipped file is never opened and a box says so.
void HelpCommand(mainwindow::MainWindow& window);

}  // namespace commands
