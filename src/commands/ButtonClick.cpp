#include "commands/ButtonClick.h"

#include "commands/Calculate.h"
#include "commands/PasteOdds.h"
#include "commands/RowCommands.h"
#include "commands/WindowCommands.h"

namespace commands {

namespace {

using mainwindow::MainWindow;

// The commands of the bitmap buttons, in the order the sender is compared
// with the buttons; the first that is the sender runs.
struct ButtonCommand {
  widgets::Control* MainWindow::*button;
  void (*run)(MainWindow& window);
};
constexpr ButtonCommand kButtonCommands[] = {
    {&MainWindow::closeButton, &CloseCommand},  {&MainWindow::minimiseButton, &MinimiseCommand},
    {&MainWindow::aboutButton, &AboutCommand},  {&MainWindow::clearAllButton, &ClearAll},
    {&MainWindow::calculateButton, &Calculate}, {&MainWindow::pasteButton, &PasteOdds},
    {&MainWindow::helpButton, &HelpCommand},
};

}  // namespace

void ButtonClick(void* context, widgets::Control* sender) {
  MainWindow& window = *static_cast<MainWindow*>(context);
  for (const ButtonCommand& command : kButtonCommands) {
    if (sender == window.*command.button) {
      command.run(window);
      return;
    }
  }
}

}  // namespace commands
