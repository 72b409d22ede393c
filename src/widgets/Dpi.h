// Display scale. Every number of the design is a pixel at 96 DPI; a window
// shows it at the DPI of its monitor, through Scale and its one rounding
// rule. Forms keep their place on the screen in screen pixels; everything
// inside a form, its client size and its fonts are design numbers.
#pragma once

#include <windows.h>

namespace widgets {

inline constexpr int kDesignDpi = 96;

// A design length at a DPI: MulDiv's rounding, a half away from zero.
int Scale(int designValue, int dpi);
// The design length that a length in pixels at a DPI stands for; for a DPI
// of 96 and more, Unscale(Scale(n)) is n.
int Unscale(int pixels, int dpi);

// The DPI the system draws a window at: GetDpiForWindow where the system
// has it (Windows 10 1607 and later), else the screen's.
int DpiOfWindow(HWND window);
// The screen's logical pixels per inch.
int SystemDpi();
// A system metric at a DPI: GetSystemMetricsForDpi where the system has
// it, else the metric scaled from the system's DPI.
int SystemMetricForDpi(int index, int dpi);

}  // namespace widgets
