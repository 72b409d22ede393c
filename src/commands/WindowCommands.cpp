#include "commands/WindowCommands.h"

#include <windows.h>

#include "about/About.h"
#include "win/Files.h"

namespace commands {

using mainwindow::MainWindow;

void CloseCommand(MainWindow& window) { window.form->PostClose(); }

void MinimiseCommand(MainWindow& window) {
  HWND application = window.application->Handle();
  // Windows hides an owner's pop-ups itself as the owner is minimised; Wine
  // does so only for the system's minimise command, so they are hidden here
  // first. The system's restore command (the taskbar's) shows them again.
  ShowOwnedPopups(application, FALSE);
  ShowWindow(application, SW_SHOWMINIMIZED);
}

void AboutCommand(MainWindow& window) { about::ShowAboutWindow(window.form); }

void HelpCommand(MainWindow& window) {
  win::ShowHelp(window.application->Handle(), HELP_FINDER, 0);
}

}  // namespace commands
