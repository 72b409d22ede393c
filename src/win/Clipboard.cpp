#include "win/Clipboard.h"

#include <windows.h>

#include <cwchar>

#include "win/WideText.h"

namespace win {

namespace {

// Closes the clipboard on every way out, the copy of a huge text included.
class ClipboardSession {
 public:
  ClipboardSession() : open_(OpenClipboard(nullptr) != FALSE) {}
  ~ClipboardSession() {
    if (open_) CloseClipboard();
  }
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};

class GlobalLockGuard {
 public:
  explicit GlobalLockGuard(HGLOBAL memory)
      : memory_(memory), data_(static_cast<const wchar_t*>(GlobalLock(memory))) {}
  ~GlobalLockGuard() {
    if (data_) GlobalUnlock(memory_);
  }
  GlobalLockGuard(const GlobalLockGuard&) = delete;
  GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
  const wchar_t* Data() const { return data_; }

 private:
  HGLOBAL memory_;
  const wchar_t* data_;
};

}  // namespace

// CF_UNICODETEXT is there for every text, whoever put it on the clipboard
// and in whatever code page: the system makes it from CF_TEXT when needed.
std::string ReadClipboardText() {
  ClipboardSession session;
  if (!session.IsOpen() || !IsClipboardFormatAvailable(CF_UNICODETEXT)) return {};
  HANDLE memory = GetClipboardData(CF_UNICODETEXT);
  if (!memory) return {};
  GlobalLockGuard lock(memory);
  if (!lock.Data()) return {};
  // Bounded by the block's size in case another program left out the zero.
  const std::size_t length = wcsnlen(lock.Data(), GlobalSize(memory) / sizeof(wchar_t));
  return Narrow(std::wstring_view(lock.Data(), length));
}

}  // namespace win
