// Zemko.exe unpacked into a folder that also holds libraries named like
// system ones, as a Downloads folder may: it imports only libraries that
// Windows always takes from its own folder, and run through start-up, its
// first tip, the About window, the link, the help and a screen reader's
// question, it calls none of the planted ones, not even with a manifest
// planted beside it that names them, and loads none that a bare
// window program does not load too. A help viewer planted there is never
// started: the help opens in the system's.
//
// The test runs with Wine told to prefer a library found on disk for these
// names (WINEDLLOVERRIDES, set by CTest), as Windows does for a library
// outside its known set. Wine's own start-up code loads some of them for any
// program (its user32 imports version.dll, its window code looks for
// uxtheme.dll by bare name), before the program's first instruction; which
// ones is measured beside a program that only opens a window.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleacc.h>
#include <psapi.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "help/HelpViewer.h"
#include "support/Input.h"
#include "support/ShellOpenCommand.h"
#include "support/ZemkoRun.h"
#include "win/WideText.h"

namespace {

// The names planted: the libraries the program loads or could load, those
// a trace of a run shows the system loading for it, and the help viewer.
const wchar_t* const kPlanted[] = {ZEMKO_PLANTED_NAMES};
// The libraries Windows always loads from its own folder (known DLLs).
const char* const kKnownLibraries[] = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll",
                                       "msvcrt.dll"};
constexpr wchar_t kLoadedMark[] = L".loaded";
constexpr wchar_t kCalledMark[] = L".called";
constexpr DWORD kTipTimeMs = 5000;
constexpr DWORD kViewerTimeMs = 30000;
constexpr DWORD kCloseTimeMs = 10000;
constexpr DWORD kSettleMs = 500;
constexpr DWORD kPollMs = 50;
// Where the main window's controls are, in client pixels.
constexpr POINT kStakeBox{40, 79};
constexpr POINT kLinkLabel{160, 34};
constexpr int kAboutButtonCentreFromRight = 50;
constexpr int kCaptionButtonMiddle = 10;

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.rfind(L'\\') + 1); }

std::wstring Lower(std::wstring text) {
  CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

// A program and the planted libraries in a folder of their own, no mark yet.
// The folder is the test's, so the built program's folder keeps one program.
std::wstring PlantBeside(const std::wstring& programFolder, const std::vector<std::wstring>& files,
                         const wchar_t* folderName) {
  const std::wstring planted = win::Widen(zemko_test::WindowsPath(ZEMKO_PLANTED_DIR)) + L"\\";
  const std::wstring folder = win::Widen(zemko_test::WindowsPath(ZEMKO_COPIES_DIR)) + L"\\" +
                              folderName + L"\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  for (const std::wstring& file : files) {
    if (!CopyFileW((programFolder + file).c_str(), (folder + file).c_str(), FALSE)) return {};
  }
  for (const wchar_t* name : kPlanted) {
    if (!CopyFileW((planted + name).c_str(), (folder + name).c_str(), FALSE)) return {};
    DeleteFileW((folder + name + kLoadedMark).c_str());
    DeleteFileW((folder + name + kCalledMark).c_str());
  }
  return folder;
}

// A manifest beside the program that names each planted library as a file
// of the program's own: Windows reads it for a program without a manifest
// inside, and would then take those libraries from the program's folder.
bool PlantManifest(const std::wstring& folder) {
  std::string text =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\n"
      "  <assemblyIdentity type=\"win32\" name=\"Zemko\" version=\"1.0.0.0\"/>\n";
  for (const wchar_t* name : kPlanted) {
    const std::wstring file = name;
    if (file.size() < 4 || Lower(file.substr(file.size() - 4)) != L".dll") continue;
    text += "  <file name=\"" + std::string(file.begin(), file.end()) + "\"/>\n";
  }
  text += "</assembly>\n";
  HANDLE out = CreateFileW((folder + L"Zemko.exe.manifest").c_str(), GENERIC_WRITE, 0, nullptr,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                  written == text.size();
  CloseHandle(out);
  return ok;
}

// The marks the planted libraries left: "version.dll.loaded", ...
std::set<std::wstring> MarksIn(const std::wstring& folder) {
  std::set<std::wstring> marks;
  for (const wchar_t* name : kPlanted) {
    for (const wchar_t* mark : {kLoadedMark, kCalledMark}) {
      if (GetFileAttributesW((folder + name + mark).c_str()) != INVALID_FILE_ATTRIBUTES)
        marks.insert(std::wstring(name) + mark);
    }
  }
  return marks;
}

std::string Listed(const std::set<std::wstring>& names) {
  std::string list;
  for (const std::wstring& name : names) list += (list.empty() ? "" : ", ") + win::Narrow(name);
  return list.empty() ? "none" : list;
}

// The marks left by a program that only opens a window and is closed: what
// Wine's own start-up loads.
std::set<std::wstring> WineStartMarks() {
  const std::wstring minimal = win::Widen(zemko_test::WindowsPath(ZEMKO_MINIMAL_WINDOW));
  const std::wstring folder = PlantBeside(
      FolderOf(minimal), {minimal.substr(minimal.rfind(L'\\') + 1)}, L"planted-bare");
  if (folder.empty()) return {};
  std::wstring commandLine = L"\"" + folder + L"MinimalWindow.exe\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &info))
    return {};
  HWND window = nullptr;
  const DWORD start = GetTickCount();
  while (!(window = FindWindowW(L"Minimal", nullptr)) && GetTickCount() - start < kCloseTimeMs)
    Sleep(kPollMs);
  if (window) PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(info.hProcess, kCloseTimeMs) != WAIT_OBJECT_0)
    TerminateProcess(info.hProcess, 1);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return MarksIn(folder);
}

// The libraries a PE file imports, by their names in its import directory.
std::vector<std::string> ImportedLibraries(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), {});
  auto at = [&](std::size_t offset, std::size_t size) {
    return offset + size <= bytes.size() ? bytes.data() + offset : nullptr;
  };
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(at(0, sizeof(IMAGE_DOS_HEADER)));
  if (!dos) return {};
  const std::size_t ntOffset = static_cast<std::size_t>(dos->e_lfanew);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      at(ntOffset, sizeof(IMAGE_NT_HEADERS)));
  if (!nt) return {};
  const IMAGE_DATA_DIRECTORY& directory =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  const auto* sections = reinterpret_cast<const IMAGE_SECTION_HEADER*>(at(
      ntOffset + offsetof(IMAGE_NT_HEADERS, OptionalHeader) + nt->FileHeader.SizeOfOptionalHeader,
      nt->FileHeader.NumberOfSections * sizeof(IMAGE_SECTION_HEADER)));
  if (!sections) return {};
  auto fileOffset = [&](DWORD rva) -> std::size_t {
    for (int i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
      const IMAGE_SECTION_HEADER& section = sections[i];
      if (rva >= section.VirtualAddress && rva < section.VirtualAddress + section.SizeOfRawData)
        return rva - section.VirtualAddress + section.PointerToRawData;
    }
    return bytes.size();
  };
  std::vector<std::string> names;
  for (std::size_t entry = fileOffset(directory.VirtualAddress);;
       entry += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
    const auto* import = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(
        at(entry, sizeof(IMAGE_IMPORT_DESCRIPTOR)));
    if (!import || import->Name == 0) break;
    const char* name = at(fileOffset(import->Name), 1);
    if (!name) break;
    std::string lower(name, strnlen(name, bytes.data() + bytes.size() - name));
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
      return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    });
    names.push_back(lower);
  }
  return names;
}

// Wine marks its own libraries in their DOS header, where Windows' stub text
// would be. Such a library is the system's own wherever its name says it
// was found: Wine names a library by the folder it looked in first.
bool IsWineBuiltin(HANDLE process, HMODULE module) {
  constexpr char kWineBuiltinMark[] = "Wine builtin DLL";
  constexpr std::size_t kWineMarkOffset = 0x40;
  char mark[sizeof kWineBuiltinMark] = {};
  SIZE_T read = 0;
  return ReadProcessMemory(process, reinterpret_cast<const char*>(module) + kWineMarkOffset, mark,
                           sizeof mark - 1, &read) &&
         read == sizeof mark - 1 && std::strcmp(mark, kWineBuiltinMark) == 0;
}

// The folders the system takes its own libraries from.
std::vector<std::wstring> SystemFolders() {
  std::vector<std::wstring> folders;
  wchar_t folder[MAX_PATH] = {};
  if (GetSystemDirectoryW(folder, MAX_PATH)) folders.push_back(Lower(folder) + L"\\");
  if (GetSystemWow64DirectoryW(folder, MAX_PATH)) folders.push_back(Lower(folder) + L"\\");
  return folders;
}

// The process's libraries that are not the system's own, by full path;
// libraries of the names in `allowed` are left out.
std::vector<std::string> ForeignLibraries(HANDLE process, const std::wstring& folder,
                                          const std::set<std::wstring>& allowed) {
  std::vector<HMODULE> modules(1024);
  DWORD needed = 0;
  if (!EnumProcessModules(process, modules.data(),
                          static_cast<DWORD>(modules.size() * sizeof(HMODULE)), &needed))
    return {"(the process's libraries cannot be listed)"};
  modules.resize(std::min<std::size_t>(modules.size(), needed / sizeof(HMODULE)));
  const std::vector<std::wstring> systemFolders = SystemFolders();
  std::vector<std::string> foreign;
  for (HMODULE module : modules) {
    wchar_t buffer[MAX_PATH] = {};
    const std::wstring path = Lower(
        std::wstring(buffer, GetModuleFileNameExW(process, module, buffer, MAX_PATH)));
    if (path == Lower(folder + L"zemko.exe")) continue;
    const bool system = std::any_of(systemFolders.begin(), systemFolders.end(),
                                    [&](const std::wstring& f) { return path.rfind(f, 0) == 0; });
    const std::wstring name = path.substr(path.rfind(L'\\') + 1);
    if (!system && !IsWineBuiltin(process, module) && !allowed.count(name))
      foreign.push_back(win::Narrow(path));
  }
  return foreign;
}

TEST(PlantedLibraries, TheProgramImportsOnlyLibrariesWindowsAlwaysTakesFromItsFolder) {
  const std::vector<std::string> imports = ImportedLibraries(
      win::Widen(zemko_test::WindowsPath(ZEMKO_EXE)));
  ASSERT_FALSE(imports.empty());
  for (const std::string& name : imports) {
    EXPECT_NE(std::end(kKnownLibraries),
              std::find_if(std::begin(kKnownLibraries), std::end(kKnownLibraries),
                           [&](const char* known) { return name == known; }))
        << name << " is imported";
  }
}

TEST(PlantedLibraries, NoneIsCalledAndNoneLoadedBeyondWhatWinesStartLoads) {
  const std::set<std::wstring> wineStart = WineStartMarks();
  std::printf("[ note     ] Wine's own start loads beside a bare window program: %s\n",
              Listed(wineStart).c_str());
  std::set<std::wstring> wineStartLibraries;
  for (const std::wstring& mark : wineStart)
    wineStartLibraries.insert(Lower(mark.substr(0, mark.rfind(L'.'))));

  const std::wstring built = win::Widen(zemko_test::WindowsPath(ZEMKO_EXE));
  const std::wstring folder = PlantBeside(FolderOf(built), {L"Zemko.exe", L"Zemko.hlp"},
                                          L"planted");
  ASSERT_FALSE(folder.empty()) << "cannot make the folder: error " << GetLastError();
  ASSERT_TRUE(PlantManifest(folder)) << "cannot plant the manifest: error " << GetLastError();
  const zemko_test::ShellOpenCommand browser("cmd.exe /c exit");
  ASSERT_TRUE(browser.Ok());
  zemko_help_test::CloseViewers(kCloseTimeMs);
  ASSERT_TRUE(zemko_help_test::WarmUpViewer(kViewerTimeMs));
  zemko_test::ZemkoRun run(folder + L"Zemko.exe");
  ASSERT_TRUE(run.Start());
  HWND window = run.MainWindow();

  // The first tip: the pointer rests on the stake box.
  SetForegroundWindow(window);
  for (int step = 0; step < 3; ++step) {
    zemko_test::MovePointer(zemko_test::OnScreen(window, kStakeBox.x + step, kStakeBox.y));
    Sleep(kPollMs);
  }
  HWND tip = nullptr;
  const DWORD start = GetTickCount();
  while (!tip && GetTickCount() - start < kTipTimeMs) {
    tip = FindWindowW(L"tooltips_class32", nullptr);
    if (tip && !IsWindowVisible(tip)) tip = nullptr;
    Sleep(kPollMs);
  }
  EXPECT_NE(nullptr, tip) << "no tip showed";

  // The About window, the link and the help.
  RECT client;
  GetClientRect(window, &client);
  zemko_test::ClickAt(zemko_test::OnScreen(window, client.right - kAboutButtonCentreFromRight,
                                           kCaptionButtonMiddle));
  Sleep(kSettleMs);
  zemko_test::ClickAt(zemko_test::OnScreen(window, kLinkLabel.x, kLinkLabel.y));
  Sleep(kSettleMs);
  zemko_help_test::ClickHelpButton(window);
  EXPECT_NE(nullptr, zemko_help_test::WaitForViewer(kViewerTimeMs)) << "the help did not open";
  // A screen reader asks for a button's accessible object.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IAccessible* object = nullptr;
  const HWND button = ChildWindowFromPoint(window, kStakeBox);
  EXPECT_TRUE(SUCCEEDED(AccessibleObjectFromWindow(button, OBJID_CLIENT, __uuidof(IAccessible),
                                                   reinterpret_cast<void**>(&object))));
  if (object) object->Release();
  CoUninitialize();

  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
  ASSERT_NE(nullptr, process);
  const std::vector<std::string> foreign = ForeignLibraries(process, folder, wineStartLibraries);
  CloseHandle(process);
  for (const std::string& library : foreign) ADD_FAILURE() << "loaded: " << library;

  EXPECT_TRUE(zemko_help_test::CloseViewers(kCloseTimeMs));
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(0u, run.WaitForExit());

  // Each mark beyond Wine's own start, and every call into a planted library.
  const std::set<std::wstring> marks = MarksIn(folder);
  std::set<std::wstring> beyond;
  std::set_difference(marks.begin(), marks.end(), wineStart.begin(), wineStart.end(),
                      std::inserter(beyond, beyond.end()));
  EXPECT_TRUE(beyond.empty()) << "marks of planted libraries: " << Listed(beyond);
}

}  // namespace
