// The four bitmap buttons under the rows, as one table: made in its order,
// and placed from it under the result strip. A new button is a row here, a
// bitmap and a command.
#pragma once

#include "ZemResConst.h"
#include "mainwindow/MainWindow.h"

namespace mainwindow {

// Which end of the band a button goes to: the right end's buttons stand
// right to left in the table's order, the left end's left to right.
enum class BandEnd { Right, Left };

struct BottomButton {
  widgets::Control* MainWindow::*field;
  int glyph;            // bitmap resource
  const char* caption;  // stored as the text, never drawn
  const char* hint;
  BandEnd end;
};

inline constexpr BottomButton kBottomButtons[] = {
    {&MainWindow::calculateButton, kCalculateGlyph, "", "Рассчитать ставку", BandEnd::Right},
    {&MainWindow::clearAllButton, kClearAllGlyph, "Стереть", "Очистить все", BandEnd::Right},
    {&MainWindow::pasteButton, kPasteGlyph, "Вставить", "Вставить из Excel", BandEnd::Right},
    {&MainWindow::helpButton, kHelpGlyph, "Справка", "Справка", BandEnd::Left},
};

}  // namespace mainwindow
