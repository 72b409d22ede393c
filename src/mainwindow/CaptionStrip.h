// The painted caption strip of the caption-less main window, and moving the
// window by dragging its surface.
#pragma once

#include <windows.h>

#include "widgets/Widgets.h"

namespace mainwindow {

void PaintCaptionStrip(void* context, widgets::Control* sender, HDC dc);
void DragWindow(void* context, widgets::Control* sender, widgets::MouseEvent& event);

}  // namespace mainwindow
