#include "support/ClipboardFill.h"

#include <cstring>

namespace zemko_test {

namespace {

constexpr int kImageSide = 8;
constexpr UINT kOnePlane = 1;
constexpr UINT kBitsPerPixel = 32;

bool SetOnly(UINT format, HANDLE data) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  // From here on the clipboard owns the data.
  const bool set = SetClipboardData(format, data) != nullptr;
  CloseClipboard();
  return set;
}

}  // namespace

bool PutClipboardText(std::string_view text) {
  ClipboardTextBlock block(text.size());
  if (!block.Data()) return false;
  std::memcpy(block.Data(), text.data(), text.size());
  return block.Put();
}

bool PutClipboardUnicodeText(std::wstring_view text) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  if (!memory) return false;
  if (auto* data = static_cast<wchar_t*>(GlobalLock(memory))) {
    std::memcpy(data, text.data(), text.size() * sizeof(wchar_t));
    data[text.size()] = L'\0';
    GlobalUnlock(memory);
    if (SetOnly(CF_UNICODETEXT, memory)) return true;
  }
  GlobalFree(memory);
  return false;
}

ClipboardTextBlock::ClipboardTextBlock(std::size_t size)
    : memory_(GlobalAlloc(GMEM_MOVEABLE, size + 1)),
      data_(memory_ ? static_cast<char*>(GlobalLock(memory_)) : nullptr),
      size_(size) {}

ClipboardTextBlock::~ClipboardTextBlock() {
  if (!memory_) return;
  if (data_) GlobalUnlock(memory_);
  GlobalFree(memory_);
}

bool ClipboardTextBlock::Put() {
  if (!data_) return false;
  data_[size_] = '\0';
  GlobalUnlock(memory_);
  data_ = nullptr;
  const bool set = SetOnly(CF_TEXT, memory_);
  if (set) memory_ = nullptr;
  return set;
}

bool PutClipboardBitmapOnly() {
  HBITMAP image = CreateBitmap(kImageSide, kImageSide, kOnePlane, kBitsPerPixel, nullptr);
  if (!image) return false;
  if (SetOnly(CF_BITMAP, image)) return true;
  DeleteObject(image);
  return false;
}

bool EmptyTheClipboard() {
  if (!OpenClipboard(nullptr)) return false;
  const bool emptied = EmptyClipboard() != FALSE;
  CloseClipboard();
  return emptied;
}

ClipboardHolder::ClipboardHolder()
    : opened_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      release_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
  thread_ = std::thread([this] {
    // A window of its own: Wine lets two threads open the clipboard at once
    // when neither names a window.
    HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                  nullptr);
    holding_ = window && OpenClipboard(window);
    SetEvent(opened_);
    WaitForSingleObject(release_, INFINITE);
    if (holding_) CloseClipboard();
    if (window) DestroyWindow(window);
  });
  WaitForSingleObject(opened_, INFINITE);
}

ClipboardHolder::~ClipboardHolder() {
  SetEvent(release_);
  thread_.join();
  CloseHandle(opened_);
  CloseHandle(release_);
}

}  // namespace zemko_test
