#include "commands/ButtonClick.h"

#include "commands/Calculate.h"
#include "commands/CalculatorForm.h"
#include "commands/OddsRows.h"
#include "commands/PasteOdds.h"
#include "commands/WindowCommands.h"

namespace zemcoms {

void ButtonClick(void*, widgets::Control* sender) {
  const CalculatorForm& form = Form();
  if (sender == form.closeButton) {
    CloseCommand();
  } else if (sender == form.minimiseButton) {
    MinimiseCommand();
  } else if (sender == form.aboutButton) {
    AboutCommand();
  } else if (sender == form.clearAllButton) {
    ClearAll();
  } else if (sender == form.calculateButton) {
    Calculate();
  } else if (sender == form.pasteButton) {
    PasteOdds();
  } else if (sender == form.helpButton) {
    HelpCommand();
  }
}

}  // namespace zemcoms
