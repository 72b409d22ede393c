// A small program on the toolkit whose handler fails while the message loop
// runs; the error box test starts it as a user would and reads its box.
//   ErrBoxProgram.exe exception | fault | stack | memory | assert
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <exception>
#include <new>

#include "err/Err.h"
#include "base/FloatingPoint.h"
#include "win/Files.h"
#include "widgets/Widgets.h"

namespace {

const char* mode = "exception";

volatile int* volatile nowhere = nullptr;
volatile bool keepGoing = true;

__attribute__((noinline)) int Recurse(int depth) {
  volatile char buffer[200];
  buffer[0] = static_cast<char>(depth);
  return (keepGoing ? Recurse(depth + 1) : 0) + buffer[0];
}

void FailingPaint(void*, widgets::Control*, HDC) {
  if (std::strcmp(mode, "fault") == 0) {
    *nowhere = 1;
  } else if (std::strcmp(mode, "stack") == 0) {
    Recurse(0);
  } else if (std::strcmp(mode, "memory") == 0) {
    throw std::bad_alloc();
  } else if (std::strcmp(mode, "assert") == 0) {
    win::SetHelpFile(win::FilePath());  // the layer's own assertion fails
  } else {
    throw base::Exception(base::ErrorKind::ConvertError);
  }
}

void MainSequence() {
  widgets::Control* application = widgets::CreateApplicationObject("ErrBox");
  application->SetVisible(true);
  widgets::Control* form = widgets::CreateForm(application, "ErrBox");
  form->SetPaintHandler(&FailingPaint, nullptr);
  form->SetVisible(true);
  widgets::RunMessageLoop(application);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) mode = argv[1];
  base::LoadProgramFloatingPoint();
  err::Initialise();
  int exitCode = 0;
  try {
    MainSequence();
  } catch (...) {
    exitCode = err::ShowUncaught(std::current_exception());
  }
  err::Finalise();
  return exitCode;
}
