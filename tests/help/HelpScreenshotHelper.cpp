// Opens the help beside the running program for scripts/help-screenshot.sh:
//   HelpScreenshotHelper open    presses the help button, waits for the first
//                                topic, puts the viewer to the right of the
//                                main window and prints the frames of both,
//                                main window first, as "WIDTHxHEIGHT+LEFT+TOP"
//   HelpScreenshotHelper close   closes the viewer, then the program
// Exit code 0 on success, 1 when a window did not come or go in time.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "help/HelpViewer.h"
#include "support/ZemkoDriving.h"

namespace {

using namespace zemko_help_test;

constexpr DWORD kWaitMs = 30000;
constexpr DWORD kPaintMs = 800;  // windows paint themselves meanwhile
constexpr int kGap = 12;
constexpr SIZE kViewerSize{600, 620};

int OpenHelp() {
  HWND main = zemko_test::FindMainWindow(0, kWaitMs);
  if (!main) {
    std::fprintf(stderr, "no main window\n");
    return 1;
  }
  Sleep(kPaintMs);
  ClickHelpButton(main);
  HWND viewer = WaitForViewer(kWaitMs);
  if (!viewer || !WaitForTopic(viewer, kFirstTopic, kWaitMs)) {
    std::fprintf(stderr, "the help did not open at its first topic\n");
    return 1;
  }
  RECT frame{};
  GetWindowRect(main, &frame);
  SetWindowPos(viewer, HWND_TOP, frame.right + kGap, frame.top, kViewerSize.cx, kViewerSize.cy, 0);
  // Away from the text, so no link shows the hand.
  POINT away{frame.left + 4, frame.bottom + 40};
  SetCursorPos(away.x, away.y);
  Sleep(kPaintMs);
  RECT help{};
  GetWindowRect(viewer, &help);
  for (const RECT& r : {frame, help})
    std::printf("%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
  return 0;
}

int CloseAll() {
  int result = 0;
  if (!CloseViewers(kWaitMs)) {
    std::fprintf(stderr, "the viewer stayed\n");
    result = 1;
  }
  HWND main = zemko_test::FindMainWindow(0, 0);
  if (main) {
    PostMessageA(main, WM_CLOSE, 0, 0);
    for (DWORD waited = 0; IsWindow(main) && waited < kWaitMs; waited += 50) Sleep(50);
    if (IsWindow(main)) {
      std::fprintf(stderr, "the main window stayed\n");
      result = 1;
    }
  }
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "open") == 0) return OpenHelp();
  if (argc == 2 && std::strcmp(argv[1], "close") == 0) return CloseAll();
  std::fprintf(stderr, "usage: HelpScreenshotHelper open|close\n");
  return 2;
}
