#include "commands/WindowCommands.h"

#include <windows.h>

#include "about/About.h"
#include "commands/Messages.h"
#include "win/Files.h"
#include "win/MessageBox.h"

namespace commands {

using mainwindow::MainWindow;

void CloseCommand(MainWindow& window) { window.form->PostClose(); }

void MinimiseCommand(MainWindow& window) {
  HWND application = window.application->EnsureWindow();
  // Windows hides an owner's pop-ups itself as the owner is minimised; Wine
  // does so only for the system's minimise command, so they are hidden here
  // first. The system's restore command (the taskbar's) shows them again.
  ShowOwnedPopups(application, FALSE);
  ShowWindow(application, SW_SHOWMINIMIZED);
}

void AboutCommand(MainWindow& window) { about::ShowAboutWindow(window.form); }

// A help file that is not ours is never opened: a viewer would run its
// macros. The user is told why nothing opens.
void HelpCommand(MainWindow& window) {
  if (!win::ShowHelp(window.application->EnsureWindow(), HELP_FINDER, 0)) {
    win::ShowMessageBox(kHelpFileNotOurs, MB_OK | MB_ICONWARNING, window.form->EnsureWindow());
  }
}

}  // namespace commands
