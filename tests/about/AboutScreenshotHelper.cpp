// Presses the running program's caption-strip buttons for the About window
// screenshot (scripts/about-screenshot.sh):
//   AboutScreenshotHelper about   opens the About window and prints the main
//                                 window's frame as "WIDTHxHEIGHT+LEFT+TOP"
//   AboutScreenshotHelper close   closes every About window by its own close
//                                 button, then the program by its close button
// Exit code 0 on success, 1 when a window did not come or go in time.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr char kFormClass[] = "Form";
constexpr char kMainCaption[] = "Земко";
constexpr char kAboutCaption[] = "О программе";

// Client points inside the caption-strip buttons (each 16 x 16).
constexpr POINT kAboutButton{192 + 8, 2 + 8};
constexpr POINT kMainCloseButton{232 + 8, 2 + 8};
constexpr POINT kAboutCloseButton{132 + 8, 2 + 8};

constexpr DWORD kWaitMs = 20000;
constexpr DWORD kPollMs = 50;
constexpr DWORD kPaintMs = 500;  // the new window paints itself meanwhile

HWND MainWindow() {
  // The application object has the same caption; only the main window is a
  // visible form.
  HWND window = FindWindowA(kFormClass, kMainCaption);
  return window && IsWindowVisible(window) ? window : nullptr;
}

struct OwnedSearch {
  HWND owner;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectAboutWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<OwnedSearch*>(context);
  char className[32] = {};
  char caption[64] = {};
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, caption, sizeof caption);
  if (GetWindow(window, GW_OWNER) == search->owner && std::strcmp(className, kFormClass) == 0 &&
      std::strcmp(caption, kAboutCaption) == 0) {
    search->found.push_back(window);
  }
  return TRUE;
}

std::vector<HWND> AboutWindows(HWND main) {
  OwnedSearch search{main, {}};
  EnumWindows(CollectAboutWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

template <typename Condition>
bool WaitFor(Condition condition) {
  for (DWORD waited = 0; waited < kWaitMs; waited += kPollMs) {
    if (condition()) return true;
    Sleep(kPollMs);
  }
  return condition();
}

// Reports a click of the button under a client point to its parent, as the
// button itself does: the program's click handler runs as for a real click.
bool PressButtonAt(HWND window, POINT client) {
  HWND button = ChildWindowFromPointEx(window, client, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
  if (!button || button == window) return false;
  const int id = GetDlgCtrlID(button);
  return PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                      reinterpret_cast<LPARAM>(button)) != FALSE;
}

int OpenAbout() {
  HWND main = nullptr;
  if (!WaitFor([&] { return (main = MainWindow()) != nullptr; })) {
    std::fprintf(stderr, "no main window\n");
    return 1;
  }
  Sleep(kPaintMs);
  if (!PressButtonAt(main, kAboutButton) || !WaitFor([&] { return !AboutWindows(main).empty(); })) {
    std::fprintf(stderr, "no About window\n");
    return 1;
  }
  Sleep(kPaintMs);
  RECT frame;
  GetWindowRect(main, &frame);
  std::printf("%ldx%ld+%ld+%ld\n", frame.right - frame.left, frame.bottom - frame.top, frame.left,
              frame.top);
  return 0;
}

int CloseAll() {
  HWND main = MainWindow();
  if (!main) return 0;  // nothing left to close
  for (HWND about : AboutWindows(main)) {
    if (!PressButtonAt(about, kAboutCloseButton) || !WaitFor([&] { return !IsWindow(about); })) {
      std::fprintf(stderr, "an About window stayed\n");
      return 1;
    }
  }
  if (!PressButtonAt(main, kMainCloseButton) || !WaitFor([&] { return !IsWindow(main); })) {
    std::fprintf(stderr, "the main window stayed\n");
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "about") == 0) return OpenAbout();
  if (argc == 2 && std::strcmp(argv[1], "close") == 0) return CloseAll();
  std::fprintf(stderr, "usage: AboutScreenshotHelper about|close\n");
  return 2;
}
