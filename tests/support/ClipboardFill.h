// Puts test contents on the real clipboard, the way another program would.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string_view>
#include <thread>

namespace zemko_test {

// The bytes and their zero as CF_TEXT; false when the clipboard refused.
bool PutClipboardText(std::string_view text);

// UTF-16 text and its zero as CF_UNICODETEXT, as a Unicode program puts it.
bool PutClipboardUnicodeText(std::wstring_view text);

// A moveable block of size + 1 bytes for CF_TEXT, filled by the caller
// (large texts are written straight into it, without a second copy).
class ClipboardTextBlock {
 public:
  explicit ClipboardTextBlock(std::size_t size);
  ~ClipboardTextBlock();
  ClipboardTextBlock(const ClipboardTextBlock&) = delete;
  ClipboardTextBlock& operator=(const ClipboardTextBlock&) = delete;

  char* Data() { return data_; }
  // Ends the text with its zero, hands the block to the clipboard.
  bool Put();

 private:
  HGLOBAL memory_;
  char* data_;
  std::size_t size_;
};

// Only an image (CF_BITMAP), no text.
bool PutClipboardBitmapOnly();
// Nothing at all.
bool EmptyTheClipboard();

// Another thread keeps the clipboard open for a window of its own for as
// long as the object lives.
class ClipboardHolder {
 public:
  ClipboardHolder();
  ~ClipboardHolder();
  ClipboardHolder(const ClipboardHolder&) = delete;
  ClipboardHolder& operator=(const ClipboardHolder&) = delete;
  bool Holding() const { return holding_; }

 private:
  HANDLE opened_;
  HANDLE release_;
  bool holding_ = false;
  std::thread thread_;
};

}  // namespace zemko_test
