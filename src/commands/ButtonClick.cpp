#include "commands/ButtonClick.h"

#include "commands/Calculate.h"
#include "commands/PasteOdds.h"
#include "commands/RowCommands.h"
#include "commands/WindowCommands.h"

namespace commands {

void ButtonClick(void* context, widgets::Control* sender) {
  mainwindow::MainWindow& window = *static_cast<mainwindow::MainWindow*>(context);
  if (sender == window.closeButton) {
    CloseCommand(window);
  } else if (sender == window.minimiseButton) {
    MinimiseCommand(window);
  } else if (sender == window.aboutButton) {
    AboutCommand(window);
  } else if (sender == window.clearAllButton) {
    ClearAll(window);
  } else if (sender == window.calculateButton) {
    Calculate(window);
  } else if (sender == window.pasteButton) {
    PasteOdds(window);
  } else if (sender == window.helpButton) {
    HelpCommand(window);
  }
}

}  // namespace commands
