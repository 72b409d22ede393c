// The program: floating-point set-up, the modules in their order, the main
// sequence and the last-chance error path.
#include <windows.h>

#include <cstdlib>
#include <exception>

#include "about/ZemAbout.h"
#include "mainwindow/MainWindow.h"
#include "err/Err.h"
#include "base/FloatingPoint.h"

namespace {

bool modulesInitialised = false;

// Each module's set-up, in the order the program depends on them: the widget
// layer (nothing to prepare), the error module, the hints (nothing), the
// program's own modules, the About module with the version block.
void InitialiseModules() {
  err::Initialise();
  zemabout::Initialise();
  modulesInitialised = true;
}

// In reverse order; also reached through exit() when the session ends.
void FinaliseModules() {
  if (!modulesInitialised) return;
  modulesInitialised = false;
  zemabout::Finalise();
  err::Finalise();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  base::LoadFpuControlWord(base::kFpuControlWord);
  InitialiseModules();
  std::atexit(FinaliseModules);
  int exitCode = 0;
  try {
    zemko::RunMainSequence();
  } catch (...) {
    exitCode = err::ShowUncaught(std::current_exception());
  }
  FinaliseModules();
  return exitCode;
}
