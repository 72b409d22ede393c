// The main window's buttons, one row each: the window builds and places
// them from these tables, and ButtonClick runs the clicked button's row. A
// new button is a field of the window, a bitmap and a row here.
#pragma once

#include "commands/Calculate.h"
#include "commands/ClearAll.h"
#include "commands/PasteOdds.h"
#include "commands/WindowCommands.h"
#include "mainwindow/MainWindow.h"

namespace commands {

inline constexpr mainwindow::CaptionButton kCaptionButtons[] = {
    {&mainwindow::MainWindow::closeButton, kCloseGlyph, 1, 2, mainwindow::kCloseHint,
     mainwindow::ButtonCommand(&CloseCommand)},
    {&mainwindow::MainWindow::minimiseButton, kMinimiseGlyph, 2, 4, mainwindow::kMinimiseHint,
     mainwindow::ButtonCommand(&MinimiseCommand)},
    {&mainwindow::MainWindow::aboutButton, kAboutGlyph, 3, 10, mainwindow::kAboutHint,
     mainwindow::ButtonCommand(&AboutCommand)},
};

inline constexpr mainwindow::BottomButton kBottomButtons[] = {
    {&mainwindow::MainWindow::calculateButton, kCalculateGlyph, mainwindow::kCalculateCaption,
     mainwindow::kCalculateHint, mainwindow::BandEnd::Right, mainwindow::ButtonCommand(&Calculate)},
    {&mainwindow::MainWindow::clearAllButton, kClearAllGlyph, mainwindow::kClearAllCaption,
     mainwindow::kClearAllHint, mainwindow::BandEnd::Right, mainwindow::ButtonCommand(&ClearAll)},
    {&mainwindow::MainWindow::pasteButton, kPasteGlyph, mainwindow::kPasteCaption,
     mainwindow::kPasteHint, mainwindow::BandEnd::Right, mainwindow::ButtonCommand(&PasteOdds)},
    {&mainwindow::MainWindow::helpButton, kHelpGlyph, mainwindow::kHelpCaption,
     mainwindow::kHelpHint, mainwindow::BandEnd::Left, mainwindow::ButtonCommand(&HelpCommand)},
};

}  // namespace commands
