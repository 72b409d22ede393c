// A help viewer that takes its time to start, put in place of the system's
// one in a copy of the test prefix: it sleeps before it makes its window,
// and when WinHelp hands it a request it shows the folder it was started in
// as its caption.
#include <windows.h>

namespace {

constexpr wchar_t kViewerClass[] = L"MS_WINHELP";
// Long beside the time a window takes to paint, short beside a test's time.
constexpr DWORD kStartDelayMs = 5000;

LRESULT CALLBACK ViewerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COPYDATA: {
      wchar_t folder[MAX_PATH] = {};
      const DWORD length = GetCurrentDirectoryW(MAX_PATH, folder);
      if (length == 0 || length >= MAX_PATH) return FALSE;
      SetWindowTextW(window, folder);
      return TRUE;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  Sleep(kStartDelayMs);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = ViewerProcedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kViewerClass;
  if (!RegisterClassW(&windowClass)) return 1;
  HWND window = CreateWindowExW(0, kViewerClass, L"", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, show);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
