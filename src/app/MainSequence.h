// Start-up: the modules in their order, the main window built and wired to
// the commands, the message loop, and the last-chance error box.
#pragma once

#include "mainwindow/MainWindow.h"
#include "widgets/Widgets.h"

namespace app {

inline constexpr char kHelpFileName[] = "Zemko.hlp";

// Each module's set-up, in the order the program depends on them, and the
// tear-down in reverse (safe to call twice; also reached through exit()).
void InitialiseModules();
void FinaliseModules();

// The application object (shown: it is the taskbar entry), the help file
// beside the program, and the main window with the commands as its handlers,
// built into `window`. Returns the application object for the message loop.
widgets::Control* BuildMainSequence(mainwindow::MainWindow& window);

// BuildMainSequence, then the message loop until the main window is closed.
void RunMainSequence(mainwindow::MainWindow& window);

// The whole program: floating-point set-up, modules, main sequence and the
// error box of an uncaught exception. Returns the exit code.
int RunProgram();

}  // namespace app
