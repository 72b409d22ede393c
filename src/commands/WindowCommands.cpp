#include "commands/WindowCommands.h"

#include <windows.h>

#include "about/ZemAbout.h"
#include "commands/CalculatorForm.h"
#include "toolkit/Support.h"

namespace zemcoms {

void CloseCommand() { Form().mainWindow->PostClose(); }

void MinimiseCommand() { ShowWindow(Form().application->Handle(), SW_SHOWMINIMIZED); }

void AboutCommand() { zemabout::ShowAboutWindow(Form().mainWindow); }

void HelpCommand() {
  const std::string path = widgets::HelpFilePath();
  WinHelpA(Form().application->Handle(), path.c_str(), HELP_FINDER, 0);
}

}  // namespace zemcoms
