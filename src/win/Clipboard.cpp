#include "win/Clipboard.h"

#include <windows.h>

#include <cstring>
#include <cwchar>
#include <string_view>

#include "rules/Paste.h"
#include "win/WideText.h"

namespace win {

namespace {

// Closes the clipboard on every way out.
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
  explicit GlobalLockGuard(HGLOBAL memory) : memory_(memory), data_(GlobalLock(memory)) {}
  ~GlobalLockGuard() {
    if (data_) GlobalUnlock(memory_);
  }
  GlobalLockGuard(const GlobalLockGuard&) = delete;
  GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
  const void* Data() const { return data_; }
  std::size_t Size() const { return GlobalSize(memory_); }

 private:
  HGLOBAL memory_;
  const void* data_;
};

// The text format the owner put, which the clipboard lists before the ones
// the system makes from it on demand: reading that one costs no conversion
// of the whole text. OEM text is read as the system's UTF-16 of it.
UINT OwnersTextFormat() {
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
    if (format == CF_TEXT) return CF_TEXT;
    if (format == CF_UNICODETEXT || format == CF_OEMTEXT) return CF_UNICODETEXT;
  }
  return 0;
}

// The code page of the clipboard's bytes: the one of the locale the owner
// put them in, as the system converts them itself.
UINT TextCodePage() {
  HANDLE memory = GetClipboardData(CF_LOCALE);
  if (!memory) return CP_ACP;
  GlobalLockGuard lock(memory);
  LCID locale = 0;
  if (!lock.Data() || lock.Size() < sizeof locale) return CP_ACP;
  std::memcpy(&locale, lock.Data(), sizeof locale);
  DWORD codePage = 0;
  const int units = sizeof codePage / sizeof(wchar_t);
  if (!GetLocaleInfoW(locale, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                      reinterpret_cast<LPWSTR>(&codePage), units) ||
      codePage == 0) {
    return CP_ACP;
  }
  return codePage;
}

std::string FromCodePage(UINT codePage, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int length = static_cast<int>(bytes.size());
  const int units = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
  if (units <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), length, wide.data(), units);
  return Narrow(wide);
}

template <typename Char, typename Convert>
std::vector<std::string> ConvertedValues(std::basic_string_view<Char> text, Convert convert) {
  const std::vector<rules::PastedValue<Char>> plan = rules::PlanPasteValues(text);
  std::vector<std::string> values(plan.size());
  for (std::size_t i = 0; i < plan.size(); ++i) {
    values[i] = convert(plan[i].head) + (plan[i].cut ? rules::kValueCutMark : "");
  }
  return values;
}

}  // namespace

std::optional<std::vector<std::string>> ReadPastedValues() {
  ClipboardSession session;
  if (!session.IsOpen()) return std::nullopt;
  const UINT format = OwnersTextFormat();
  if (format == 0) return std::nullopt;
  HANDLE memory = GetClipboardData(format);
  if (!memory) return std::nullopt;
  GlobalLockGuard lock(memory);
  if (!lock.Data()) return std::nullopt;
  // Bounded by the block's size in case another program left out the zero.
  if (format == CF_TEXT) {
    const char* bytes = static_cast<const char*>(lock.Data());
    const std::string_view text(bytes, strnlen(bytes, lock.Size()));
    if (text.empty()) return std::nullopt;
    const UINT codePage = TextCodePage();
    return ConvertedValues(text,
                           [&](std::string_view value) { return FromCodePage(codePage, value); });
  }
  const wchar_t* units = static_cast<const wchar_t*>(lock.Data());
  const std::wstring_view text(units, wcsnlen(units, lock.Size() / sizeof(wchar_t)));
  if (text.empty()) return std::nullopt;
  return ConvertedValues(text, [](std::wstring_view value) { return Narrow(value); });
}

}  // namespace win
