// Inside the widget layer: the accessible object a control's window gives
// a screen reader (Accessible.cpp).
#pragma once

#include <windows.h>

namespace widgets {

class Control;
class AccessibleControl;

// Answers WM_GETOBJECT for the control's client area with its accessible
// object (made once, on the first request); false when the accessibility
// library is missing, and the system's own answer stands.
// The control keeps the object in `object`.
bool AnswerAccessibleObject(Control& control, HWND window, WPARAM wParam,
                            AccessibleControl*& object, LRESULT& result);

// Disconnects the object from its control (a client that still holds it
// gets CO_E_OBJNOTCONNECTED) and lets go of the control's reference.
void ReleaseAccessibleObject(AccessibleControl*& object);

}  // namespace widgets
