// The main window: built in code, control by control, at start-up.
#pragma once

#include "widgets/Widgets.h"

namespace zemko {

// The application title: the taskbar entry's and the main window's caption.
inline constexpr char kApplicationTitle[] = "Земко";
inline constexpr char kHelpFileName[] = "Zemko.hlp";

// Builds every control of the main window under the form, with the first
// odds row and the focus in the stake box.
void BuildMainWindow(widgets::Control* application, widgets::Control* mainWindow);

// The program's main sequence: the application object, the help file, the
// main window, then the message loop until the main window is closed.
void RunMainSequence();

}  // namespace zemko
