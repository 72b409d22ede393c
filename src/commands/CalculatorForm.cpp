#include "commands/CalculatorForm.h"

namespace zemcoms {

CalculatorForm& Form() {
  static CalculatorForm form;
  return form;
}

}  // namespace zemcoms
