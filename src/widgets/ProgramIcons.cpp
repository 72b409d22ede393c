#include "widgets/ProgramIcons.h"

#include "widgets/WidgetsInternal.h"

namespace widgets {

ProgramIcons::~ProgramIcons() {
  CountedDestroyIcon(big_);
  CountedDestroyIcon(small_);
}

void ProgramIcons::ShowOn(HWND window, int dpi) {
  HICON big = CountedLoadProgramIcon(SystemMetricForDpi(SM_CXICON, dpi),
                                     SystemMetricForDpi(SM_CYICON, dpi));
  HICON little = CountedLoadProgramIcon(SystemMetricForDpi(SM_CXSMICON, dpi),
                                        SystemMetricForDpi(SM_CYSMICON, dpi));
  const Window target(window);
  if (big) target.Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  if (little) target.Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(little));
  CountedDestroyIcon(big_);
  CountedDestroyIcon(small_);
  big_ = big;
  small_ = little;
}

}  // namespace widgets
