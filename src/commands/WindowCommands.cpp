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

// Whatever keeps the help from opening is said in the program's own box:
// a help file that is not ours (a viewer would run its macros), a missing
// file, or a page the shell could not open.
void HelpCommand(MainWindow& window) {
  const char* message = nullptr;
  switch (win::ShowHelp(window.application->EnsureWindow(), HELP_FINDER, 0)) {
    case win::HelpShown::HelpFile:
    case win::HelpShown::Page: return;
    case win::HelpShown::HelpFileNotOurs: message = kHelpFileNotOurs; break;
    case win::HelpShown::NoHelpFile: message = kHelpFileMissing; break;
    case win::HelpShown::NoPage: message = kHelpPageMissing; break;
    case win::HelpShown::PageNotOpened: message = kHelpPageNotOpened; break;
  }
  win::ShowMessageBox(message, MB_OK | MB_ICONWARNING, window.form->EnsureWindow());
}

}  // namespace commands
