#include "app/MainSequence.h"

#include <cstdlib>
#include <exception>

#include "about/About.h"
#include "base/FloatingPoint.h"
#include "commands/ButtonClick.h"
#include "commands/Buttons.h"
#include "commands/EntryKeys.h"
#include "err/Err.h"
#include "win/Files.h"
#include "win/Libraries.h"

namespace app {

namespace {

bool modulesInitialised = false;

}  // namespace

// The widget layer and the hints need no set-up; the error module installs
// its handlers; the About module reads the version block when the first
// About window wants it.
void InitialiseModules() {
  err::Initialise();
  about::Initialise();
  modulesInitialised = true;
}

void FinaliseModules() {
  if (!modulesInitialised) return;
  modulesInitialised = false;
  about::Finalise();
  err::Finalise();
}

widgets::Control* BuildMainSequence(mainwindow::MainWindow& window) {
  widgets::Control* application = widgets::CreateApplicationObject(mainwindow::kApplicationTitle);
  application->SetVisible(true);
  win::SetHelpFile(win::ModuleDirectory() + kHelpFileName);
  widgets::Form* form = widgets::CreateForm(application, mainwindow::kApplicationTitle);
  mainwindow::BuildMainWindow(window, application, form,
                              {commands::kCaptionButtons, commands::kBottomButtons,
                               &commands::ButtonClick, &commands::EntryKeyDown});
  return application;
}

void RunMainSequence(mainwindow::MainWindow& window) {
  widgets::Control* application = BuildMainSequence(window);
  widgets::RunMessageLoop(application);
}

int RunProgram() {
  win::RestrictLibrarySearch();
  base::LoadProgramFloatingPoint();
  InitialiseModules();
  std::atexit(FinaliseModules);
  // Owned here, outside the protected block: an uncaught error's box shows
  // over the live window, whose handlers still reach it.
  mainwindow::MainWindow window;
  int exitCode = 0;
  try {
    RunMainSequence(window);
  } catch (...) {
    exitCode = err::ShowUncaught(std::current_exception());
  }
  FinaliseModules();
  return exitCode;
}

}  // namespace app
