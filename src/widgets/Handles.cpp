// The layer's own count of the handles it holds: each wrapper counts what it
// makes and what it frees, as GetGuiResources tells nothing under Wine.
#include "widgets/WidgetsInternal.h"

namespace widgets {

int LiveGdiObjects() { return State().gdiObjects; }
int LiveWindows() { return static_cast<int>(State().links.size()); }
int LiveIcons() { return State().icons; }
int LiveControls() { return State().controls; }

namespace {

// Counts a GDI object, if there is one.
template <typename Object>
Object CountedGdiObject(Object object) {
  if (object) ++State().gdiObjects;
  return object;
}

}  // namespace

HFONT CountedCreateFont(const LOGFONTW& logFont) {
  return CountedGdiObject(CreateFontIndirectW(&logFont));
}

HBRUSH CountedCreateBrush(COLORREF colour) { return CountedGdiObject(CreateSolidBrush(colour)); }

HBITMAP CountBitmap(HBITMAP bitmap) { return CountedGdiObject(bitmap); }

HDC CountedCreateMemoryDc(HDC compatibleWith) {
  return CountedGdiObject(CreateCompatibleDC(compatibleWith));
}

void CountedDeleteObject(HGDIOBJ object) {
  if (object && DeleteObject(object)) --State().gdiObjects;
}

void CountedDeleteDc(HDC dc) {
  if (dc && DeleteDC(dc)) --State().gdiObjects;
}

HICON CountedLoadProgramIcon(int width, int height) {
  auto icon = static_cast<HICON>(
      LoadImageW(ModuleInstance(), kProgramIconName, IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
  if (icon) ++State().icons;
  return icon;
}

void CountedDestroyIcon(HICON icon) {
  if (icon && DestroyIcon(icon)) --State().icons;
}

SelectedBitmapDc::SelectedBitmapDc(HDC compatibleWith, HBITMAP bitmap)
    : dc_(CountedCreateMemoryDc(compatibleWith)),
      previous_(dc_ ? SelectObject(dc_, bitmap) : nullptr) {}

SelectedBitmapDc::~SelectedBitmapDc() {
  if (!dc_) return;
  SelectObject(dc_, previous_);
  CountedDeleteDc(dc_);
}

}  // namespace widgets
