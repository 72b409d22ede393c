// The odds rows: one small edit box per event that came in, 1 to 20 of them
// in four columns of five, the window growing with the first column.
#pragma once

#include <span>

#include "mainwindow/MainWindow.h"

namespace mainwindow {

// Whether a new row takes the focus. Building the window leaves it: the
// stake box takes it right after, and the row's window then comes with the
// others when the loop starts instead of one focus change earlier.
enum class RowFocus { Take, Leave };

// Appends a row, focuses it unless told to leave it, rewrites the count
// fields and places the bottom band; the new row. With 20 rows it adds
// none and gives null: keys and clicks that other programs send can reach
// any caller while it waits, so the limit is kept here, not by them.
widgets::EditBox* AddOddsRow(MainWindow& window, RowFocus focus = RowFocus::Take);

// The rows there are, row 1 first.
std::span<widgets::EditBox* const> OddsRows(const MainWindow& window);

// The system-size, won-count and "по" boxes show the row count.
void UpdateRowCounts(MainWindow& window);
// Index of the row the box is, or -1 for any other control.
int RowIndex(const MainWindow& window, const widgets::Control* box);
// Destroys every row; the count becomes 0.
void DestroyOddsRows(MainWindow& window);

// Geometry of the rows.
inline constexpr int kRowsPerColumn = 5;
inline constexpr int kRowLeft = 10;
inline constexpr int kColumnPitch = 60;
inline constexpr int kRowTopBase = 70;
inline constexpr int kLinePitch = 28;
inline constexpr int kRowWidth = 50;
inline constexpr int kRowHeight = 18;
// Client height below a first-column row: result strip, buttons, margins.
inline constexpr int kHeightBelowRow = 92;
// The client height with one row: what the window is built with, so that it
// never shows another.
inline constexpr int kOneRowClientHeight = kRowTopBase + kLinePitch + kHeightBelowRow;

}  // namespace mainwindow
