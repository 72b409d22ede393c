// The program's entry point.
#include <windows.h>

#include "app/MainSequence.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return app::RunProgram(); }
