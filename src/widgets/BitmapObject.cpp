// Off-screen bitmaps, transparent drawing with a cached mask, and bitmaps
// loaded with one colour replaced.
#include "widgets/WidgetsInternal.h"

#include <commctrl.h>

#include "base/Exception.h"

namespace widgets {

BitmapObject::BitmapObject(int width, int height) {
  if (width <= 0 || height <= 0) return;
  HDC screen = GetDC(nullptr);
  bitmap_ = CountBitmap(CreateCompatibleBitmap(screen, width, height));
  ReleaseDC(nullptr, screen);
  if (!bitmap_) throw base::Exception(base::ErrorKind::AssertionFailed, "Can not create bitmap handle");
  width_ = width;
  height_ = height;
}

BitmapObject::~BitmapObject() { Clear(); }

void BitmapObject::FreeMask() {
  CountedDeleteObject(mask_);
  mask_ = nullptr;
}

void BitmapObject::Clear() {
  FreeMask();
  CountedDeleteObject(bitmap_);
  bitmap_ = nullptr;
  width_ = height_ = 0;
}

bool BitmapObject::LoadResource(HINSTANCE module, int resourceId) {
  Clear();
  // Without LR_CREATEDIBSECTION the result is a device-dependent bitmap.
  auto bitmap = static_cast<HBITMAP>(
      LoadImageA(module, MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0, LR_DEFAULTSIZE));
  if (!bitmap) return false;
  bitmap_ = CountBitmap(bitmap);
  BITMAP info;
  if (GetObjectA(bitmap_, sizeof info, &info)) {
    width_ = info.bmWidth;
    height_ = info.bmHeight;
  }
  return true;
}

void BitmapObject::DrawTransparent(HDC dc, int x, int y, Colour key) {
  if (!bitmap_) return;
  COLORREF keyColour = ResolveColour(key);
  if (!mask_ || maskKey_ != keyColour) {
    FreeMask();
    mask_ = CountBitmap(CreateBitmap(width_, height_, 1, 1, nullptr));
    if (!mask_) return;
    // Colour to monochrome: pixels of the source's background colour become 1.
    SelectedBitmapDc source(dc, bitmap_);
    SelectedBitmapDc mask(dc, mask_);
    SetBkColor(source.Get(), keyColour);
    BitBlt(mask.Get(), 0, 0, width_, height_, source.Get(), 0, 0, SRCCOPY);
    maskKey_ = keyColour;
  }
  SelectedBitmapDc source(dc, bitmap_);
  SelectedBitmapDc mask(dc, mask_);
  // Monochrome to colour: 1 bits become the background colour (white keeps
  // the destination under AND), 0 bits the text colour (black clears it).
  COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
  BitBlt(dc, x, y, width_, height_, source.Get(), 0, 0, SRCINVERT);
  BitBlt(dc, x, y, width_, height_, mask.Get(), 0, 0, SRCAND);
  BitBlt(dc, x, y, width_, height_, source.Get(), 0, 0, SRCINVERT);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
}

HBITMAP LoadMappedBitmap(HINSTANCE module, int resourceId, Colour from, Colour to) {
  // CreateMappedBitmap replaces exact colour-table matches only.
  COLORMAP map{ResolveColour(from), ResolveColour(to)};
  return CreateMappedBitmap(module, resourceId, 0, &map, 1);
}

}  // namespace widgets
