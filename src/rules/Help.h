// Which help the help button opens: a decision made from what the system
// offers and which help files lie beside the program, before anything is
// started.
#pragma once

#include <cstdint>

namespace rules {

// The system as the help sees it: the version it really runs (not the one
// it tells a program without a manifest) and the size of the help viewer's
// file, 0 where there is none.
struct HelpSystem {
  unsigned long major = 0;
  unsigned long minor = 0;
  std::uint64_t viewerSize = 0;
};

// Windows 10 took WinHelp away for good: its viewer is always a stub.
inline constexpr unsigned long kFirstSystemWithoutWinHelp = 10;
// Vista (6.0) to 8.1 (6.3) carry a stub of about ten kilobytes in place of
// the viewer until the user installs the real one, which is hundreds.
inline constexpr unsigned long kFirstSystemWithViewerStub = 6;
inline constexpr std::uint64_t kLargestViewerStub = 32 * 1024;

enum class HelpOpening {
  HelpFile,  // Zemko.hlp in the viewer
  Page,      // Zemko.html in the user's browser
  NoHelpFile,
  NoPage,
};

// True when the viewer found is one that shows help files.
bool HasRealViewer(const HelpSystem& system);

// The help file where a real viewer shows it, else the page; where the one
// to open is missing, the other one, and where both are, the one this
// system would have shown.
HelpOpening ChooseHelp(const HelpSystem& system, bool helpFileThere, bool pageThere);

}  // namespace rules
