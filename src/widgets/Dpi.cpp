#include "widgets/Dpi.h"

#include "win/Libraries.h"

namespace widgets {

namespace {

constexpr char kUser32[] = "user32.dll";

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);

// Older systems lack the per-monitor calls: looked up, never imported.
template <typename Function>
Function User32Function(const char* name) {
  return win::LibraryFunction<Function>(kUser32, name, win::Loading::AlreadyLoaded);
}

}  // namespace

int Scale(int designValue, int dpi) { return MulDiv(designValue, dpi, kDesignDpi); }

int Unscale(int pixels, int dpi) { return dpi > 0 ? MulDiv(pixels, kDesignDpi, dpi) : pixels; }

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDesignDpi;
}

int DpiOfWindow(HWND window) {
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  const UINT dpi = window && getDpiForWindow ? getDpiForWindow(window) : 0;
  return dpi > 0 ? static_cast<int>(dpi) : SystemDpi();
}

int SystemMetricForDpi(int index, int dpi) {
  static const auto forDpi = User32Function<GetSystemMetricsForDpiFunction>(
      "GetSystemMetricsForDpi");
  if (forDpi) return forDpi(index, static_cast<UINT>(dpi));
  return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

}  // namespace widgets
