// The program icon "MAINICON" as a window shows it: drawn for the window's
// DPI from the icon's own images, big (Alt+Tab, the taskbar at large sizes)
// and small (the taskbar, the window menu).
#pragma once

#include <windows.h>

namespace widgets {

class ProgramIcons {
 public:
  ProgramIcons() = default;
  ProgramIcons(const ProgramIcons&) = delete;
  ProgramIcons& operator=(const ProgramIcons&) = delete;
  ~ProgramIcons();

  // Loads both for the DPI and gives them to the window; the old pair goes
  // once the window holds the new one. A module without the icon gives the
  // window none.
  void ShowOn(HWND window, int dpi);

 private:
  HICON big_ = nullptr;
  HICON small_ = nullptr;
};

}  // namespace widgets
