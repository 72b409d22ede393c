// Measures how long programs take from process start until their first
// window has been painted and they wait for input (WaitForInputIdle), and
// closes each run with a close request to that window.
//   StartupTimer.exe runs program.exe [program.exe ...]
// Prints the median and the fastest run of each program, interleaved runs,
// and each median against the second program's.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr DWORD kWaitMs = 30000;

struct Search {
  DWORD process;
  HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  RECT rect;
  GetWindowRect(window, &rect);
  if (process == search->process && IsWindowVisible(window) && rect.right > rect.left) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

double RunOnce(const std::string& program) {
  LARGE_INTEGER frequency, start, ready;
  QueryPerformanceFrequency(&frequency);
  std::string commandLine = "\"" + program + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &info))
    return -1;
  WaitForInputIdle(info.hProcess, kWaitMs);
  QueryPerformanceCounter(&ready);
  Search search{info.dwProcessId, nullptr};
  EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
  if (search.found) PostMessageA(search.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(info.hProcess, kWaitMs) != WAIT_OBJECT_0)
    TerminateProcess(info.hProcess, 1);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return 1000.0 * static_cast<double>(ready.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: StartupTimer runs program.exe [program.exe ...]\n");
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  std::vector<std::vector<double>> times(argc - 2);
  for (int run = 0; run < runs; ++run)
    for (int p = 2; p < argc; ++p) times[p - 2].push_back(RunOnce(argv[p]));
  std::vector<double> medians;
  for (int p = 2; p < argc; ++p) {
    std::vector<double>& t = times[p - 2];
    std::sort(t.begin(), t.end());
    medians.push_back(t[t.size() / 2]);
    std::printf("%-60s median %7.1f ms  fastest %7.1f ms  (%d runs)\n", argv[p], medians.back(),
                t.front(), runs);
  }
  // Every median against the second program's, the yardstick.
  for (size_t p = 0; medians.size() > 1 && medians[1] > 0 && p < medians.size(); ++p) {
    if (p != 1) std::printf("%-60s %.2f x the second\n", argv[p + 2], medians[p] / medians[1]);
  }
  return 0;
}
