// Off-screen bitmaps, transparent drawing with a cached mask, and bitmaps
// loaded with one colour replaced.
#include "widgets/WidgetsInternal.h"

#include <cstring>
#include <optional>
#include <span>
#include <vector>

#include "base/Assert.h"
#include "dib/PackedBitmap.h"

namespace widgets {

BitmapObject::BitmapObject(int width, int height) {
  if (width <= 0 || height <= 0) return;
  HDC screen = GetDC(nullptr);
  bitmap_ = CountBitmap(CreateCompatibleBitmap(screen, width, height));
  ReleaseDC(nullptr, screen);
  ZEM_ASSERT(bitmap_, "Can not create bitmap handle");
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
      LoadImageW(module, MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0, LR_DEFAULTSIZE));
  if (!bitmap) return false;
  bitmap_ = CountBitmap(bitmap);
  BITMAP info;
  if (GetObjectW(bitmap_, sizeof info, &info)) {
    width_ = info.bmWidth;
    height_ = info.bmHeight;
  }
  return true;
}

void BitmapObject::DrawTransparent(HDC dc, int x, int y, Colour key, int dpi) {
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
  const int left = Scale(x, dpi), top = Scale(y, dpi);
  const int width = Scale(width_, dpi), height = Scale(height_, dpi);
  // Enlarging repeats whole pixels; no mode blends them.
  const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
  COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
  StretchBlt(dc, left, top, width, height, source.Get(), 0, 0, width_, height_, SRCINVERT);
  StretchBlt(dc, left, top, width, height, mask.Get(), 0, 0, width_, height_, SRCAND);
  StretchBlt(dc, left, top, width, height, source.Get(), 0, 0, width_, height_, SRCINVERT);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
  if (oldMode) SetStretchBltMode(dc, oldMode);
}

// A bitmap resource is a packed bitmap: header, colour table, pixels; its
// layout is checked against its size before the system reads it. The key
// colour is replaced in a copy of the colour table, so only exact
// matches change and the pixels are never touched. This is what the common
// controls library's mapped bitmap does; doing it here keeps that library
// out of the program's start.
HBITMAP LoadMappedBitmap(HINSTANCE module, int resourceId, Colour from, Colour to) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resourceId),
                              reinterpret_cast<LPCWSTR>(RT_BITMAP));
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const auto* bytes = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
  const size_t size = found ? SizeofResource(module, found) : 0;
  if (!bytes) return nullptr;
  const std::optional<dib::PackedLayout> layout = dib::CheckPackedBitmap(
      std::as_bytes(std::span(bytes, size)));
  if (!layout) return nullptr;
  const size_t tableOffset = layout->tableOffset;
  const size_t entries = layout->tableEntries;
  const size_t infoSize = layout->pixelsOffset;

  std::vector<BYTE> info(bytes, bytes + infoSize);
  const COLORREF key = ResolveColour(from);
  const COLORREF replacement = ResolveColour(to);
  for (size_t i = 0; i < entries; ++i) {
    RGBQUAD entry;
    BYTE* at = info.data() + tableOffset + i * sizeof entry;
    std::memcpy(&entry, at, sizeof entry);
    if (RGB(entry.rgbRed, entry.rgbGreen, entry.rgbBlue) != key) continue;
    entry.rgbRed = GetRValue(replacement);
    entry.rgbGreen = GetGValue(replacement);
    entry.rgbBlue = GetBValue(replacement);
    std::memcpy(at, &entry, sizeof entry);
  }

  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateDIBitmap(screen, reinterpret_cast<const BITMAPINFOHEADER*>(info.data()),
                                  CBM_INIT, bytes + infoSize,
                                  reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

}  // namespace widgets
