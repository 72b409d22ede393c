// The application object's side of the layer: the module, the message
// loop and its state, the one pending exception, and the layer's own count
// of the handles it holds.
#pragma once

#include <windows.h>

namespace widgets {

class Control;
class Form;

// ---------------------------------------------------------------- application

HINSTANCE ModuleInstance();
// Runs the program until the main form is closed; then destroys the
// application object with every control and sets the variable to null. An
// exception that escapes a handler ends the loop at once and is rethrown with
// every window left standing, for the caller's error box; until the next loop
// or the application object's end, later escapes are dropped.
void RunMessageLoop(Control*& application);
bool Running();
bool Terminated();
Control* CurrentApplication();
Form* MainForm();

// ---------------------------------------------------------------- errors

// No exception crosses a window procedure: it is kept as the one pending
// exception and rethrown by the layer operation that sent the message (every
// send of the layer ends in this), or by the message loop, which it ends.
void RethrowPendingException();
bool HasPendingException();

// ---------------------------------------------------------------- accounting

// Handles the layer created and has not freed yet (GetGuiResources is of no
// use under Wine). GDI objects: fonts, brushes, bitmaps, memory DCs.
int LiveGdiObjects();
int LiveWindows();
int LiveIcons();
// Control objects that exist now, with or without a window.
int LiveControls();

}  // namespace widgets
