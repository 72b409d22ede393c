#include "widgets/Support.h"

#include <algorithm>
#include <cstdarg>
#include <cstring>

#include "base/Exception.h"
#include "base/FloatingPoint.h"

namespace widgets {

namespace {

// GetModuleFileNameA's path limit plus its terminating zero.
constexpr DWORD kModulePathBufferSize = MAX_PATH + 1;
// wvsprintfA writes at most 1024 characters; one more byte for its zero.
constexpr std::size_t kFormatOutputLimit = 1024;
constexpr std::size_t kFormatBufferSize = kFormatOutputLimit + 1;
constexpr char kPathSeparator = '\\';
constexpr unsigned char kFirstVisibleCode = 33;
constexpr const char* kHelpExtension = ".hlp";
constexpr const char* kEmptyParameterMessage = "Error parameter";

std::string& StoredHelpFile() {
  static std::string path;
  return path;
}

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
      : memory_(memory), data_(static_cast<const char*>(GlobalLock(memory))) {}
  ~GlobalLockGuard() {
    if (data_) GlobalUnlock(memory_);
  }
  GlobalLockGuard(const GlobalLockGuard&) = delete;
  GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
  const char* Data() const { return data_; }

 private:
  HGLOBAL memory_;
  const char* data_;
};

}  // namespace

// ---------------------------------------------------------------- clipboard

std::string ReadClipboardText() {
  ClipboardSession session;
  if (!session.IsOpen() || !IsClipboardFormatAvailable(CF_TEXT)) return {};
  HANDLE memory = GetClipboardData(CF_TEXT);
  if (!memory) return {};
  GlobalLockGuard lock(memory);
  if (!lock.Data()) return {};
  // Bounded by the block's size in case another program left out the zero.
  const std::size_t length = strnlen(lock.Data(), GlobalSize(memory));
  return std::string(lock.Data(), length);
}

// ---------------------------------------------------------- program files

void* LibraryProcedure(const char* library, const char* name, Loading loading) {
  HMODULE module = loading == Loading::OnDemand
                       ? base::CallForeign([library] { return LoadLibraryA(library); })
                       : GetModuleHandleA(library);
  // Through void*: a procedure address has no one function type.
  return module ? reinterpret_cast<void*>(GetProcAddress(module, name)) : nullptr;
}

std::string ModuleFileName(HMODULE module) {
  char buffer[kModulePathBufferSize];
  const DWORD length = GetModuleFileNameA(module, buffer, kModulePathBufferSize);
  if (length == 0) return {};
  // A truncated path may come back without its zero; the length is reliable.
  return std::string(buffer, std::min<DWORD>(length, kModulePathBufferSize));
}

std::string ModuleDirectory() {
  const std::string path = ModuleFileName();
  const std::size_t separator = path.rfind(kPathSeparator);
  if (separator == std::string::npos) return {};
  return path.substr(0, separator + 1);
}

std::string ReplaceExtension(std::string_view path, std::string_view extension) {
  // Only a point inside the file name starts an extension, not one in a
  // directory name or a drive prefix.
  const std::size_t point = path.find_last_of(".\\/:");
  std::string result(path.substr(0, point != std::string_view::npos &&
                                            path[point] == '.'
                                        ? point
                                        : path.size()));
  result += extension;
  return result;
}

void SetHelpFile(std::string_view path) {
  if (path.empty()) {
    throw base::Exception(base::ErrorKind::AssertionFailed, kEmptyParameterMessage);
  }
  StoredHelpFile().assign(path);
}

std::string HelpFilePath() {
  const std::string& stored = StoredHelpFile();
  if (!stored.empty()) return stored;
  return ReplaceExtension(ModuleFileName(), kHelpExtension);
}

// ----------------------------------------------------------------- registry

namespace {

HKEY OpenKey(HKEY root, std::string_view path, REGSAM access) {
  HKEY key = nullptr;
  const std::string zeroTerminated(path);
  if (RegOpenKeyExA(root, zeroTerminated.c_str(), 0, access, &key) != ERROR_SUCCESS) {
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
  const std::string zeroTerminated(path);
  const LONG status = RegCreateKeyExA(root, zeroTerminated.c_str(), 0, nullptr,
                                      REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                      nullptr, &key, nullptr);
  return status == ERROR_SUCCESS ? key : nullptr;
}

std::int32_t ReadRegistryInteger(HKEY key, std::string_view name) {
  if (!key) return 0;
  const std::string zeroTerminated(name);
  DWORD type = REG_NONE;
  DWORD value = 0;
  DWORD size = sizeof value;
  const LONG status = RegQueryValueExA(key, zeroTerminated.c_str(), nullptr, &type,
                                       reinterpret_cast<BYTE*>(&value), &size);
  if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value) return 0;
  return static_cast<std::int32_t>(value);
}

bool WriteRegistryInteger(HKEY key, std::string_view name, std::int32_t value) {
  if (!key) return false;
  const std::string zeroTerminated(name);
  const DWORD stored = static_cast<DWORD>(value);
  return RegSetValueExA(key, zeroTerminated.c_str(), 0, REG_DWORD,
                        reinterpret_cast<const BYTE*>(&stored),
                        sizeof stored) == ERROR_SUCCESS;
}

void CloseKey(HKEY key) {
  if (key) RegCloseKey(key);
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
