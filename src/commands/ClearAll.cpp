#include "commands/ClearAll.h"

#include "commands/Boxes.h"
#include "mainwindow/OddsRows.h"

namespace commands {

void ClearAll(mainwindow::MainWindow& window) {
  mainwindow::DestroyOddsRows(window);
  window.resultStrip->SetText(mainwindow::kResultPlaceholder);
  mainwindow::AddOddsRow(window);
  FocusAndSelect(window.stakeBox);
}

}  // namespace commands
