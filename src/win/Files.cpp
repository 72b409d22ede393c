#include "win/Files.h"

#include "base/Assert.h"
#include "base/FloatingPoint.h"
#include "text/Text.h"
#include "win/Folders.h"
#include "win/Libraries.h"
#include "win/WideText.h"

namespace win {

// A path's UTF-16 spelling, for the system calls.
struct PathAccess {
  static const std::wstring& Wide(const FilePath& path) { return path.wide_; }
  static FilePath FromWide(std::wstring wide) {
    FilePath path;
    path.wide_ = std::move(wide);
    return path;
  }
};

namespace {

// The longest path the wide calls take, and its terminating zero.
constexpr DWORD kLongPathBufferSize = 32768;
constexpr wchar_t kPathSeparator = L'\\';
constexpr const char* kHelpExtension = ".hlp";
constexpr const char* kEmptyParameterMessage = "Error parameter";
constexpr wchar_t kVersionRoot[] = L"\\";
constexpr char kVersionLibrary[] = "version.dll";
constexpr wchar_t kOpenVerb[] = L"open";
// The help viewer as WinHelp starts it, and the class of its window.
constexpr wchar_t kHelpViewerName[] = L"winhlp32.exe";
constexpr wchar_t kHelpViewerCommandLine[] = L"winhlp32.exe -x";
constexpr wchar_t kHelpViewerClass[] = L"MS_WINHELP";
// As long as WinHelp gives the viewer it starts to come up.
constexpr DWORD kHelpViewerStartMs = 30000;

FilePath& StoredHelpFile() {
  static FilePath path;
  return path;
}

// What WideCharToMultiByte in the system's code page makes of the text,
// read back: equal only when no letter was lost or replaced.
bool SurvivesSystemCodePage(const std::wstring& text) {
  if (text.empty()) return true;
  const int length = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr,
                                       nullptr);
  if (size <= 0) return false;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), length, bytes.data(), size, nullptr, nullptr);
  const int units = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
  if (units != length) return false;
  std::wstring back(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, back.data(), units);
  return back == text;
}

// The path as a program that reads it in the system's code page can open it:
// itself when it survives that code page, else its 8.3 short form (which
// is plain ASCII). Where the volume keeps no short names, the long one is
// all there is.
std::wstring PathForCodePageReaders(const std::wstring& path) {
  if (SurvivesSystemCodePage(path)) return path;
  const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (size == 0) return path;
  std::wstring shortPath(size, L'\0');
  const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), size);
  if (length == 0 || length >= size) return path;
  shortPath.resize(length);
  return shortPath;
}

}  // namespace

// ---------------------------------------------------------------- paths

FilePath::FilePath(std::string_view text) : wide_(Widen(text)) {}

FilePath FilePath::operator+(std::string_view name) const {
  return PathAccess::FromWide(wide_ + Widen(name));
}

FilePath FilePath::WithExtension(std::string_view extension) const {
  const std::wstring wide = Widen(extension);
  return PathAccess::FromWide(
      text::ReplaceExtension(std::wstring_view(wide_), std::wstring_view(wide)));
}

std::string FilePath::Text() const { return Narrow(wide_); }

FilePath ModuleFileName(HMODULE module) {
  std::wstring path(kLongPathBufferSize, L'\0');
  const DWORD length = GetModuleFileNameW(module, path.data(), kLongPathBufferSize);
  // A path cut at the buffer's end is no path to use.
  if (length == 0 || length >= kLongPathBufferSize) return {};
  path.resize(length);
  return PathAccess::FromWide(std::move(path));
}

FilePath ModuleDirectory() {
  const FilePath program = ModuleFileName();
  const std::wstring& path = PathAccess::Wide(program);
  const std::size_t separator = path.rfind(kPathSeparator);
  if (separator == std::wstring::npos) return {};
  return PathAccess::FromWide(path.substr(0, separator + 1));
}

// ---------------------------------------------------------------- help

void SetHelpFile(const FilePath& path) {
  ZEM_ASSERT(!path.Empty(), kEmptyParameterMessage);
  StoredHelpFile() = path;
}

FilePath HelpFilePath() {
  const FilePath& stored = StoredHelpFile();
  if (!stored.Empty()) return stored;
  return ModuleFileName().WithExtension(kHelpExtension);
}

namespace {

// WinHelp starts a viewer that is not running by its bare name, which the
// system looks up first in the program's folder: a "winhlp32.exe" saved
// beside the program in a Downloads folder would run. So the viewer of the
// Windows folder is started here, as WinHelp starts it; WinHelp then finds
// its window and only hands it the file. False where no viewer window came.
bool HelpViewerRunning() {
  if (FindWindowW(kHelpViewerClass, nullptr)) return true;
  const std::wstring viewer = WindowsFolderFile(kHelpViewerName);
  if (viewer.empty()) return false;
  std::wstring commandLine = kHelpViewerCommandLine;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(viewer.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    return false;
  }
  WaitForInputIdle(process.hProcess, kHelpViewerStartMs);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return FindWindowW(kHelpViewerClass, nullptr) != nullptr;
}

}  // namespace

// WinHelpW hands the path on to the viewer in the system's code page (on
// Windows and in Wine alike), where a letter outside it would become '?'.
// Without a viewer window (Windows 10 and 11 have only a stub, which says so
// itself) WinHelp is not called, so it never looks for one by bare name.
void ShowHelp(HWND owner, UINT command, ULONG_PTR data) {
  const bool viewer = command == HELP_QUIT ? FindWindowW(kHelpViewerClass, nullptr) != nullptr
                                           : HelpViewerRunning();
  if (!viewer) return;
  const std::wstring path = PathForCodePageReaders(PathAccess::Wide(HelpFilePath()));
  base::CallForeign([&] { WinHelpW(owner, path.c_str(), command, data); });
}

// The shell library is large and needed only here: it is loaded on the first
// call, not at start-up.
void ShellOpen(HWND owner, std::string_view target) {
  using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
  static const auto shellExecute = LibraryFunction<ShellExecuteFunction>(
      "shell32.dll", "ShellExecuteW", Loading::OnDemand);
  if (!shellExecute) return;
  const std::wstring file = Widen(target);
  base::CallForeign([&] { shellExecute(owner, kOpenVerb, file.c_str(), L"", L"", SW_SHOW); });
}

// ---------------------------------------------------------------- version

// The version library is no known system library: it is loaded from the
// system folder by the lookup, never imported.
std::vector<char> ReadFileVersionBlock(const FilePath& file) {
  static const auto sizeOf = LibraryFunction<decltype(&GetFileVersionInfoSizeW)>(
      kVersionLibrary, "GetFileVersionInfoSizeW", Loading::OnDemand);
  static const auto read = LibraryFunction<decltype(&GetFileVersionInfoW)>(
      kVersionLibrary, "GetFileVersionInfoW", Loading::OnDemand);
  const std::wstring& path = PathAccess::Wide(file);
  if (path.empty() || !sizeOf || !read) return {};
  DWORD unused = 0;
  const DWORD size = sizeOf(path.c_str(), &unused);
  if (size == 0) return {};
  std::vector<char> block(size, 0);
  if (!read(path.c_str(), 0, size, block.data())) return {};
  return block;
}

const VS_FIXEDFILEINFO* FixedFileInfo(std::vector<char>& block) {
  static const auto query = LibraryFunction<decltype(&VerQueryValueW)>(
      kVersionLibrary, "VerQueryValueW", Loading::OnDemand);
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (block.empty() || !query ||
      !query(block.data(), kVersionRoot, reinterpret_cast<void**>(&info), &length) || !info ||
      length < sizeof *info) {
    return nullptr;
  }
  return info;
}

}  // namespace win
