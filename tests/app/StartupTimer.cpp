// Measures how long programs take from process start until they wait for
// input (WaitForInputIdle) with every window painted (no window of the
// process has an update region left), and closes each run with a close
// request to its window.
//   StartupTimer.exe runs program.exe [program.exe ...]
// Prints the median and the fastest run of each program, interleaved runs,
// each median against the second program's, and the first program's
// against the last one's.
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

// True while a window of the process, or a child of one, still waits for
// its paint.
BOOL CALLBACK FindUnpainted(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  if (!IsWindowVisible(window) || !GetUpdateRect(window, nullptr, FALSE)) return TRUE;
  search->found = window;
  return FALSE;
}

BOOL CALLBACK FindUnpaintedTopLevel(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != search->process) return TRUE;
  if (!FindUnpainted(window, context)) return FALSE;
  EnumChildWindows(window, FindUnpainted, context);
  return search->found == nullptr;
}

bool PaintPending(DWORD process) {
  Search search{process, nullptr};
  EnumWindows(FindUnpaintedTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found != nullptr;
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
  // Idle is not yet painted: a program may wait for input with paints queued.
  for (QueryPerformanceCounter(&ready); PaintPending(info.dwProcessId);
       QueryPerformanceCounter(&ready)) {
    if (1000.0 * static_cast<double>(ready.QuadPart - start.QuadPart) /
            static_cast<double>(frequency.QuadPart) >
        kWaitMs)
      break;
    Sleep(0);
  }
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
  // Every median against the second program's, the yardstick, and the
  // first one's against the last one's, its floor.
  for (size_t p = 0; medians.size() > 1 && medians[1] > 0 && p < medians.size(); ++p) {
    if (p != 1) std::printf("%-60s %.2f x the second\n", argv[p + 2], medians[p] / medians[1]);
  }
  if (medians.size() > 2 && medians.back() > 0) {
    std::printf("%-60s %.3f x the last\n", argv[2], medians.front() / medians.back());
  }
  return 0;
}
