// The close, minimise, About and help buttons' commands.
#pragma once

namespace zemcoms {

// Posts the close request; the close handler then saves the position.
void CloseCommand();
// The whole program goes to its taskbar entry.
void MinimiseCommand();
// A new modeless About window over the main window.
void AboutCommand();
// The help file's topics; a missing file is the help system's to report.
void HelpCommand();

}  // namespace zemcoms
