#include "commands/WindowCommands.h"

#include <windows.h>

#include "about/ZemAbout.h"
#include "commands/CalculatorForm.h"
#include "base/FloatingPoint.h"
#include "widgets/Support.h"

namespace zemcoms {

void CloseCommand() { Form().mainWindow->PostClose(); }

void MinimiseCommand() {
  HWND application = Form().application->Handle();
  // Windows hides an owner's pop-ups itself as the owner is minimised; Wine
  // does so only for the system's minimise command, so they are hidden here
  // first. The system's restore command (the taskbar's) shows them again.
  ShowOwnedPopups(application, FALSE);
  ShowWindow(application, SW_SHOWMINIMIZED);
}

void AboutCommand() { zemabout::ShowAboutWindow(Form().mainWindow); }

void HelpCommand() {
  const std::string path = widgets::HelpFilePath();
  base::CallForeign(
      [&] { WinHelpA(Form().application->Handle(), path.c_str(), HELP_FINDER, 0); });
}

}  // namespace zemcoms
