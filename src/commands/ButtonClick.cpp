#include "commands/ButtonClick.h"

#include "commands/Buttons.h"

namespace commands {

namespace {

using mainwindow::MainWindow;

// The command of the row whose button is the sender, if any.
template <typename Row, std::size_t count>
bool RunRowOf(MainWindow& window, const Row (&rows)[count], const widgets::Control* sender) {
  for (const Row& row : rows) {
    if (sender != window.*row.field) continue;
    row.command.run(window);
    return true;
  }
  return false;
}

}  // namespace

void ButtonClick(void* context, widgets::Control* sender) {
  MainWindow& window = *static_cast<MainWindow*>(context);
  if (!RunRowOf(window, kCaptionButtons, sender)) RunRowOf(window, kBottomButtons, sender);
}

}  // namespace commands
