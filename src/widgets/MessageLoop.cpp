// The message loop, the layer's process state and the one pending exception.
#include "widgets/WidgetsInternal.h"

namespace widgets {

namespace {

// Taken once at start; resources, window classes and tooltips use it.
const HINSTANCE gModuleInstance = GetModuleHandleW(nullptr);

// True while the application object is being destroyed after the loop:
// nothing is repainted on the way out.
bool gShuttingDown = false;

}  // namespace

LayerState& State() {
  static LayerState state;
  return state;
}

HINSTANCE ModuleInstance() { return gModuleInstance; }
bool Running() { return State().running; }
bool Terminated() { return State().terminated; }
Control* CurrentApplication() { return State().currentApplication; }
Form* MainForm() { return State().mainForm; }
bool ShuttingDown() { return gShuttingDown; }

// ---------------------------------------------------------------- errors

void StorePendingException(std::exception_ptr exception) {
  LayerState& state = State();
  // The first failure is being reported: one box, so later ones are dropped.
  if (state.failing) return;
  if (!state.pendingException) state.pendingException = std::move(exception);
  if (state.running) PostQuitMessage(0);
}

void RethrowPendingException() {
  LayerState& state = State();
  if (!state.pendingException) return;
  std::exception_ptr exception = std::move(state.pendingException);
  state.pendingException = nullptr;
  std::rethrow_exception(exception);
}

bool HasPendingException() { return State().pendingException != nullptr; }

// ---------------------------------------------------------------- loop

void RunMessageLoop(Control*& application) { Control::RunLoop(application); }

void Control::RunLoop(Control*& application) {
  LayerState& state = State();
  state.running = true;
  state.terminated = false;
  state.failing = false;
  state.currentApplication = application;
  try {
    if (application) {
      application->CreateWindowTree();
      application->ShowCreatedHidden();
    }
    RethrowPendingException();
  } catch (...) {
    StorePendingException(std::current_exception());  // posts the quit message
  }

  MSG message;
  while (!state.terminated && !state.pendingException) {
    WaitMessage();
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        state.terminated = true;
        break;
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
      if (state.pendingException) break;
    }
  }

  state.terminated = true;
  state.running = false;
  state.currentApplication = nullptr;
  if (state.pendingException) {
    // An exception that escaped a handler goes straight to the caller's
    // last-chance handling, every window still on screen behind its box.
    // The quit request would end that box's own loop at once; later
    // failures are dropped while the first is reported.
    PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    state.failing = true;
    RethrowPendingException();
  }
  if (application) {
    gShuttingDown = true;
    try {
      application->DestroyNow();
    } catch (...) {
      StorePendingException(std::current_exception());
    }
    gShuttingDown = false;
    application = nullptr;
  }
  RethrowPendingException();
}

}  // namespace widgets
