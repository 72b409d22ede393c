// What handlers receive: the shift state, the mouse event record and the
// handler types, each a function pointer and a context pointer.
#pragma once

#include <windows.h>

#include "base/ShiftState.h"

namespace widgets {

class Control;

// ---------------------------------------------------------------- events

// Mouse and key handlers get the shift state in base::kShiftHeld,
// base::kCtrlHeld and base::kAltHeld.

constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kMiddleButton = 3;

struct MouseEvent {
  int button;      // kLeftButton, kRightButton or kMiddleButton
  bool stop;       // set by the handler: no further processing of the message
  unsigned shift;  // the message's key flags, plus base::kAltHeld while Alt is held
  int x;           // client coordinates, signed
  int y;
};

// Every handler gets its context pointer first, then the sending control.
using NotifyHandler = void (*)(void* context, Control* sender);
using MouseHandler = void (*)(void* context, Control* sender, MouseEvent& event);
using PaintHandler = void (*)(void* context, Control* sender, HDC dc);
using KeyHandler = void (*)(void* context, Control* sender, WORD& key, unsigned shift);
using CloseHandler = void (*)(void* context, Control* sender, bool& accept);
// The general message slot only observes; it cannot consume a message.
using MessageHandler = void (*)(void* context, Control* sender, UINT message, WPARAM wParam,
                                LPARAM lParam);

template <typename Fn>
struct Handler {
  Fn fn = nullptr;
  void* context = nullptr;
  explicit operator bool() const { return fn != nullptr; }
};

}  // namespace widgets
