#include "widgets/Support.h"

#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <cwchar>

#include "base/FloatingPoint.h"
#include "widgets/WidgetsInternal.h"

namespace widgets {

namespace {

// wvsprintfA writes at most 1024 characters; one more byte for its zero.
constexpr std::size_t kFormatOutputLimit = 1024;
constexpr std::size_t kFormatBufferSize = kFormatOutputLimit + 1;
constexpr unsigned char kFirstVisibleCode = 33;

// The font a Russian Windows paints with by default: its system font, of
// Cyrillic glyphs, 16 by 7 pixels and bold.
constexpr int kSystemFontHeight = 16;
constexpr int kSystemFontWidth = 7;
constexpr wchar_t kSystemFontFace[] = L"System";

bool IsBlank(char c) { return static_cast<unsigned char>(c) < kFirstVisibleCode; }

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

// ---------------------------------------------------------------- clipboard

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

// ---------------------------------------------------------- program files

namespace {

// The library's full path in the system folder: a library of that name
// beside the program, which Windows would find first for a bare name, is
// never the one loaded.
std::wstring SystemLibraryPath(const char* library) {
  const UINT size = GetSystemDirectoryW(nullptr, 0);
  if (size == 0) return {};
  std::wstring path(size, L'\0');
  const UINT length = GetSystemDirectoryW(path.data(), size);
  if (length == 0 || length >= size) return {};
  path.resize(length);
  path += L'\\';
  path += Widen(library);
  return path;
}

}  // namespace

void* LibraryProcedure(const char* library, const char* name, Loading loading) {
  HMODULE module = nullptr;
  if (loading == Loading::OnDemand) {
    const std::wstring path = SystemLibraryPath(library);
    // The library's own imports are looked for beside it, in the system
    // folder, not beside the program.
    if (!path.empty()) {
      module = base::CallForeign(
          [&] { return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH); });
    }
  } else {
    module = GetModuleHandleW(Widen(library).c_str());
  }
  // Through void*: a procedure address has no one function type.
  return module ? reinterpret_cast<void*>(GetProcAddress(module, name)) : nullptr;
}

void RestrictLibrarySearch() {
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  // Older systems lack it; there every library is loaded by its full path.
  if (auto restrictSearch = LibraryFunction<SetDefaultDllDirectoriesFunction>(
          "kernel32.dll", "SetDefaultDllDirectories", Loading::AlreadyLoaded)) {
    restrictSearch(LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
}

// ----------------------------------------------------------------- registry

namespace {

HKEY OpenKey(HKEY root, std::string_view path, REGSAM access) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, Widen(path).c_str(), 0, access, &key) != ERROR_SUCCESS) {
    return nullptr;
  }
  return key;
}

}  // namespace

HKEY OpenKeyForReading(HKEY root, std::string_view path) {
  return OpenKey(root, path, KEY_READ);
}

HKEY OpenKeyForWriting(HKEY root, std::string_view path) {
  return OpenKey(root, path, kKeyWriteAccess);
}

HKEY CreateKey(HKEY root, std::string_view path) {
  HKEY key = nullptr;
  const LONG status = RegCreateKeyExW(root, Widen(path).c_str(), 0, nullptr,
                                      REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                      nullptr, &key, nullptr);
  return status == ERROR_SUCCESS ? key : nullptr;
}

std::int32_t ReadRegistryInteger(HKEY key, std::string_view name) {
  if (!key) return 0;
  DWORD type = REG_NONE;
  DWORD value = 0;
  DWORD size = sizeof value;
  const LONG status = RegQueryValueExW(key, Widen(name).c_str(), nullptr, &type,
                                       reinterpret_cast<BYTE*>(&value), &size);
  if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value) return 0;
  return static_cast<std::int32_t>(value);
}

bool WriteRegistryInteger(HKEY key, std::string_view name, std::int32_t value) {
  if (!key) return false;
  const DWORD stored = static_cast<DWORD>(value);
  return RegSetValueExW(key, Widen(name).c_str(), 0, REG_DWORD,
                        reinterpret_cast<const BYTE*>(&stored),
                        sizeof stored) == ERROR_SUCCESS;
}

void CloseKey(HKEY key) {
  if (key) RegCloseKey(key);
}

// ------------------------------------------------------------ system texts

int ShowMessageBox(std::string_view text, UINT flags) {
  return MessageBoxW(nullptr, Widen(text).c_str(), nullptr, flags);
}

void PaintText(HDC dc, int x, int y, std::string_view text) {
  const std::wstring wide = Widen(text);
  HFONT cyrillic = nullptr;
  HGDIOBJ previous = nullptr;
  if (GetTextCharset(dc) != RUSSIAN_CHARSET) {
    LOGFONTW font{};
    font.lfHeight = kSystemFontHeight;
    font.lfWidth = kSystemFontWidth;
    font.lfWeight = FW_BOLD;
    font.lfCharSet = RUSSIAN_CHARSET;
    std::wcsncpy(font.lfFaceName, kSystemFontFace, LF_FACESIZE - 1);
    cyrillic = CountedCreateFont(font);
    if (cyrillic) previous = SelectObject(dc, cyrillic);
  }
  TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
  if (cyrillic) {
    SelectObject(dc, previous);
    CountedDeleteObject(cyrillic);
  }
}

// --------------------------------------------------------------------- text

std::string Trim(std::string_view text) {
  std::size_t first = 0;
  std::size_t end = text.size();
  while (first < end && IsBlank(text[first])) ++first;
  while (end > first && IsBlank(text[end - 1])) --end;
  return std::string(text.substr(first, end - first));
}

std::string SplitAtDelimiter(std::string& text, std::string_view delimiters) {
  const std::size_t delimiter = text.find_first_of(delimiters);
  if (delimiter == std::string::npos) {
    std::string head = std::move(text);
    text.clear();
    return head;
  }
  std::string head = text.substr(0, delimiter);
  text.erase(0, delimiter + 1);
  return head;
}

TextSplitter::TextSplitter(std::string_view text, std::string_view delimiters)
    : rest_(text) {
  for (char c : delimiters) isDelimiter_[static_cast<unsigned char>(c)] = true;
}

std::string_view TextSplitter::Next() {
  std::size_t delimiter = 0;
  while (delimiter < rest_.size() &&
         !isDelimiter_[static_cast<unsigned char>(rest_[delimiter])]) {
    ++delimiter;
  }
  const std::string_view head = rest_.substr(0, delimiter);
  rest_.remove_prefix(delimiter < rest_.size() ? delimiter + 1 : delimiter);
  return head;
}

// --------------------------------------------------------------------- format

std::string FormatText(const char* format, ...) {
  char buffer[kFormatBufferSize] = {};
  va_list arguments;
  va_start(arguments, format);
  const int written = wvsprintfA(buffer, format, arguments);
  va_end(arguments);
  if (written < 0) return {};
  // The zero, not the count: Wine reports a cut result with the limit.
  return std::string(buffer, strnlen(buffer, kFormatBufferSize));
}

}  // namespace widgets
