#include "win/Files.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <utility>
#include <vector>

#include "ShippedHelp.h"
#include "base/Assert.h"
#include "base/FloatingPoint.h"
#include "rules/Help.h"
#include "text/Text.h"
#include "win/Folders.h"
#include "win/Libraries.h"
#include "win/Sha256.h"
#include "win/SystemVersion.h"
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
constexpr const char* kPageExtension = ".html";
constexpr const char* kEmptyParameterMessage = "Error parameter";
constexpr wchar_t kOpenVerb[] = L"open";
// ShellExecute reports success by a value above this one.
constexpr INT_PTR kShellExecuteLastError = 32;
// The help viewer as WinHelp starts it, and the class of its window.
constexpr wchar_t kHelpViewerName[] = L"winhlp32.exe";
constexpr wchar_t kHelpViewerCommandLine[] = L"winhlp32.exe -x";
constexpr wchar_t kHelpViewerClass[] = L"MS_WINHELP";
// As long as WinHelp gives the viewer it starts to come up, and how often
// the program looks whether it has.
constexpr DWORD kHelpViewerStartMs = 30000;
constexpr UINT kHelpViewerPollMs = 100;
// The help file is read for its check in pieces of this size.
constexpr DWORD kHelpReadChunk = 64 * 1024;

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

// The help file beside the program: the one this build wrote, absent, or
// another one (a viewer runs the macros of whatever file it is given).
enum class HelpFileKind { Shipped, Missing, Foreign };

HelpFileKind CheckHelpFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    // A missing file is the viewer's to report, as it always was.
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? HelpFileKind::Missing
                                                                          : HelpFileKind::Foreign;
  }
  LARGE_INTEGER size{};
  bool same = GetFileSizeEx(file, &size) &&
              static_cast<std::uint64_t>(size.QuadPart) == shipped_help::kSize;
  if (same) {
    Sha256 digest;
    std::vector<char> buffer(kHelpReadChunk);
    DWORD read = 0;
    while ((same = ReadFile(file, buffer.data(), kHelpReadChunk, &read, nullptr) != FALSE) &&
           read > 0) {
      digest.Add(buffer.data(), read);
    }
    const Sha256::Digest found = same ? digest.Finish() : Sha256::Digest{};
    same = same && std::equal(found.begin(), found.end(), std::begin(shipped_help::kSha256),
                              std::end(shipped_help::kSha256));
  }
  CloseHandle(file);
  return same ? HelpFileKind::Shipped : HelpFileKind::Foreign;
}

// The viewer as the system finds a program started by its bare name, minus
// the program's folder and the current one, where a downloaded file may
// lie: the system folder first (a 64-bit system that runs no 32-bit code
// has its viewer there only), then the Windows folder. Empty where there is
// none; the size tells the viewer from the stub later systems carry.
struct ViewerFile {
  std::wstring path;
  std::uint64_t size = 0;
};

ViewerFile HelpViewerFile() {
  for (const std::wstring& path :
       {SystemFolderFile(kHelpViewerName), WindowsFolderFile(kHelpViewerName)}) {
    if (path.empty()) continue;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) &&
        !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      ULARGE_INTEGER size{};
      size.LowPart = data.nFileSizeLow;
      size.HighPart = data.nFileSizeHigh;
      return {path, size.QuadPart};
    }
  }
  return {};
}

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// WinHelpW hands the path on to the viewer in the system's code page (on
// Windows and in Wine alike), where a letter outside it would become '?'.
void HandToViewer(HWND owner, UINT command, ULONG_PTR data, const std::wstring& file) {
  const std::wstring path = PathForCodePageReaders(file);
  base::CallForeign([&] { WinHelpW(owner, path.c_str(), command, data); });
}

// A viewer this program started and the request it is to get once its
// window is up. Meanwhile the program's own loop runs on: the window paints
// and answers a screen reader while a slow viewer starts.
struct StartingViewer {
  HANDLE process = nullptr;
  UINT_PTR timer = 0;
  DWORD started = 0;
  HWND owner = nullptr;
  UINT command = 0;
  ULONG_PTR data = 0;
  std::wstring file;
};

StartingViewer& Starting() {
  static StartingViewer viewer;
  return viewer;
}

void StopWaitingForViewer() {
  StartingViewer& viewer = Starting();
  KillTimer(nullptr, viewer.timer);
  CloseHandle(viewer.process);
  viewer = {};
}

// WinHelp finds the viewer by its window's class and hands it the request;
// the viewer takes it once it waits for input. A window procedure's frame
// lies below: nothing may be thrown from here.
void CALLBACK CheckStartingViewer(HWND, UINT, UINT_PTR, DWORD) {
  StartingViewer& viewer = Starting();
  const bool ready = FindWindowW(kHelpViewerClass, nullptr) &&
                     WaitForInputIdle(viewer.process, 0) != WAIT_TIMEOUT;
  const bool gone = WaitForSingleObject(viewer.process, 0) == WAIT_OBJECT_0;
  const bool late = GetTickCount() - viewer.started >= kHelpViewerStartMs;
  if (!ready && !gone && !late) return;
  // Moved, not copied: a copy of the path could throw here.
  const StartingViewer request = std::move(viewer);
  StopWaitingForViewer();
  if (ready && IsWindow(request.owner)) {
    try {
      // Checked again: the file may have changed while the viewer started.
      if (CheckHelpFile(request.file) == HelpFileKind::Foreign) return;
      HandToViewer(request.owner, request.command, request.data, request.file);
    } catch (...) {
      // Out of memory for a path: the help stays closed.
    }
  }
}

// WinHelp starts a viewer that is not running by its bare name, which the
// system looks up first in the program's folder: a "winhlp32.exe" saved
// beside the program in a Downloads folder would run. So the program starts
// the system's viewer itself, in the Windows folder rather than in the
// program's current one. False where none could be started.
bool StartViewer(HWND owner, UINT command, ULONG_PTR data, const std::wstring& helpFile) {
  StartingViewer& viewer = Starting();
  // A second press while the viewer starts: the first request stands.
  if (viewer.process) return true;
  const std::wstring file = HelpViewerFile().path;
  const std::wstring folder = WindowsFolderFile({});  // the folder, with its backslash
  if (file.empty() || folder.empty()) return false;
  std::wstring commandLine = kHelpViewerCommandLine;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(file.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  const UINT_PTR timer = SetTimer(nullptr, 0, kHelpViewerPollMs, &CheckStartingViewer);
  if (!timer) {
    CloseHandle(process.hProcess);
    return false;
  }
  viewer = {process.hProcess, timer, GetTickCount(), owner, command, data, helpFile};
  return true;
}

}  // namespace

HelpShown ShowHelp(HWND owner, UINT command, ULONG_PTR data) {
  const FilePath help = HelpFilePath();
  const std::wstring& file = PathAccess::Wide(help);
  const bool running = FindWindowW(kHelpViewerClass, nullptr) != nullptr;
  if (command == HELP_QUIT) {
    if (running) HandToViewer(owner, command, data, file);
    return HelpShown::HelpFile;
  }
  const FilePath page = help.WithExtension(kPageExtension);
  const ViewerFile viewer = HelpViewerFile();
  const SystemVersion version = RealSystemVersion();
  const rules::HelpSystem system{version.major, version.minor, viewer.size};
  switch (rules::ChooseHelp(system, FileExists(file), FileExists(PathAccess::Wide(page)))) {
    case rules::HelpOpening::HelpFile:
      if (CheckHelpFile(file) == HelpFileKind::Foreign) return HelpShown::HelpFileNotOurs;
      // WinHelp is called only once a viewer window is there, so it never
      // looks for the viewer by its bare name.
      if (running) {
        HandToViewer(owner, command, data, file);
      } else {
        StartViewer(owner, command, data, file);
      }
      return HelpShown::HelpFile;
    case rules::HelpOpening::Page:
      return ShellOpenFile(owner, page) ? HelpShown::Page : HelpShown::PageNotOpened;
    case rules::HelpOpening::NoHelpFile: return HelpShown::NoHelpFile;
    case rules::HelpOpening::NoPage: return HelpShown::NoPage;
  }
  return HelpShown::NoPage;
}

namespace {

// The shell library is large and needed only here: it is loaded on the first
// call, not at start-up. Its result above 32 is success.
INT_PTR ShellExecuteOpen(HWND owner, const std::wstring& target) {
  using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
  static const auto shellExecute = LibraryFunction<ShellExecuteFunction>(
      "shell32.dll", "ShellExecuteW", Loading::OnDemand);
  if (!shellExecute) return 0;
  return base::CallForeign([&] {
    return reinterpret_cast<INT_PTR>(
        shellExecute(owner, kOpenVerb, target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  });
}

}  // namespace

void ShellOpen(HWND owner, std::string_view target) { ShellExecuteOpen(owner, Widen(target)); }

bool ShellOpenFile(HWND owner, const FilePath& file) {
  return ShellExecuteOpen(owner, PathAccess::Wide(file)) > kShellExecuteLastError;
}

}  // namespace win
