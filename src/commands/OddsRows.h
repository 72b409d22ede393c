// The odds rows: one small edit box per event that came in, 1 to 20 of them
// in four columns of five, the window growing with the first column.
#pragma once

#include <windows.h>

#include "widgets/Widgets.h"

namespace zemcoms {

// Appends a row, focuses it, rewrites the count fields and places the
// bottom band. Callers keep the row count below the limit.
void AddOddsRow();
// The system-size, won-count and "по" boxes show the row count.
void UpdateRowCounts();
// Result strip and bottom buttons under the rows.
void LayoutBottomBand();
// Key-down handler of the stake, system-size and "по" boxes and every row.
void EntryKeyDown(void* context, widgets::Control* sender, WORD& key, unsigned shift);
// Back to one empty row, the strip reading "Результат", focus on the stake.
void ClearAll();

// Geometry of the rows and the band under them.
inline constexpr int kRowsPerColumn = 5;
inline constexpr int kRowLeft = 10;
inline constexpr int kColumnPitch = 60;
inline constexpr int kRowTopBase = 70;
inline constexpr int kLinePitch = 28;
inline constexpr int kRowWidth = 50;
inline constexpr int kRowHeight = 18;
// Client height below a first-column row: result strip, buttons, margins.
inline constexpr int kHeightBelowRow = 92;
inline constexpr int kResultStripOffset = 64;  // from the client bottom
inline constexpr int kButtonRowOffset = 36;    // from the client bottom
inline constexpr int kBandMargin = 10;

}  // namespace zemcoms
