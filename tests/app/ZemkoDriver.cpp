// Drives the running program for scripts (the screenshot of the window):
//   ZemkoDriver type-example   types the example bet into the running
//                              program, waits for «2600,00» and prints the
//                              main window's rectangle: left top width height
//   ZemkoDriver close          asks the main window to close, as its close
//                              button does
// Exit code 0 on success, 1 when the window or the result did not come.
#include <windows.h>

#include <cstdio>
#include <string_view>

#include "support/WindowTestSupport.h"
#include "support/ZemkoDriving.h"

namespace {

constexpr DWORD kFindTime = 30000;
constexpr DWORD kResultTime = 10000;

int TypeExample(HWND window) {
  if (!zemko_test::InputKeysInto(window, zemko_test::ExampleBet())) {
    std::fprintf(stderr, "ZemkoDriver: could not attach to the program's input\n");
  }
  if (!zemko_test::WaitForResult(window, "2600,00", kResultTime)) {
    HWND strip = zemko_test::ResultStrip(window);
    std::fprintf(stderr, "ZemkoDriver: the result strip shows \"%s\"\n",
                 strip ? zemko_test::TextOf(strip).c_str() : "(none)");
    return 1;
  }
  RECT rect;
  GetWindowRect(window, &rect);
  std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
              rect.bottom - rect.top);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view command = argc > 1 ? argv[1] : "";
  if (command != "type-example" && command != "close") {
    std::fprintf(stderr, "usage: ZemkoDriver type-example | close\n");
    return 2;
  }
  HWND window = zemko_test::FindMainWindow(0, kFindTime);
  if (!window) {
    std::fprintf(stderr, "ZemkoDriver: no main window\n");
    return 1;
  }
  if (command == "close") return PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
  return TypeExample(window);
}
