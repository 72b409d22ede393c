#include "rules/Help.h"

namespace rules {

bool HasRealViewer(const HelpSystem& system) {
  if (system.viewerSize == 0 || system.major >= kFirstSystemWithoutWinHelp) return false;
  // The stub cannot be run to see what it is: it would show its box.
  if (system.major >= kFirstSystemWithViewerStub) return system.viewerSize > kLargestViewerStub;
  return true;
}

HelpOpening ChooseHelp(const HelpSystem& system, bool helpFileThere, bool pageThere) {
  if (HasRealViewer(system)) {
    if (helpFileThere) return HelpOpening::HelpFile;
    return pageThere ? HelpOpening::Page : HelpOpening::NoHelpFile;
  }
  return pageThere ? HelpOpening::Page : HelpOpening::NoPage;
}

}  // namespace rules
