// The band under the rows: the result strip and the bottom buttons, kept at
// the client bottom as the window grows with the rows.
#pragma once

#include "mainwindow/MainWindow.h"

namespace mainwindow {

// Places the result strip and the bottom buttons (the window's table, in
// its order) under the rows.
void LayoutBottomBand(MainWindow& window);

inline constexpr int kResultStripOffset = 64;  // from the client bottom
inline constexpr int kButtonRowOffset = 36;    // from the client bottom
inline constexpr int kBandMargin = 10;

}  // namespace mainwindow
