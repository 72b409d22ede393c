// The program's files: its own path, the help file and its viewer, and the
// shell. Paths stay UTF-16 from one system call to the next:
// a folder named in any language is found again.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace win {

// A file's path as the system spells it: letters of any language survive
// from one system call to the next, whatever the system's code page. Above
// the system layers a path is built from the program's texts and shown as
// one.
class FilePath {
 public:
  FilePath() = default;
  // From a Windows-1251 text.
  explicit FilePath(std::string_view text);

  bool Empty() const { return wide_.empty(); }
  // The path followed by a Windows-1251 name.
  FilePath operator+(std::string_view name) const;
  // The path with its file name's extension replaced by a Windows-1251 one.
  FilePath WithExtension(std::string_view extension) const;
  // As Windows-1251 text, for showing; a letter that code page lacks reads '?'.
  std::string Text() const;
  bool operator==(const FilePath&) const = default;

 private:
  friend struct PathAccess;
  std::wstring wide_;
};

// The full path of a module's file (the program's for none); empty when the
// module is not loaded.
FilePath ModuleFileName(HMODULE module = nullptr);

// The program file's full path up to and including its last backslash.
FilePath ModuleDirectory();

// Stores a copy; an empty path is a programming error and raises
// AssertionFailed with "Error parameter".
void SetHelpFile(const FilePath& path);

// The stored help file path, else the program file path ending in ".hlp".
FilePath HelpFilePath();

// What the help button brought up, or why nothing.
enum class HelpShown {
  HelpFile,         // the help file, in the system's viewer
  Page,             // the help page, handed to the shell
  HelpFileNotOurs,  // not the help file this build shipped: nothing opened
  NoHelpFile,       // neither file beside the program, on a system with a viewer
  NoPage,           // no help page beside the program, on a system without one
  PageNotOpened,    // the shell could not open the page
};

// Opens the help beside the program. Where the system has a real WinHelp
// viewer, the help file goes to it with the owner window: the viewer is the
// system's, never one beside the program, and one that is not running yet
// gets the request once its window is up, while the program's messages
// flow; its path goes in the system's code page, so a path with letters
// outside it goes as its short form. Where the system has none (Windows 10
// and later, or Vista to 8.1 with only the stub), or the help file is
// missing, the help page (the help file's path ending in ".html") goes to
// the shell by its full path. The stub is never started: it only says that
// the system cannot show help.
HelpShown ShowHelp(HWND owner, UINT command, ULONG_PTR data);

// The path as a program that reads it in the system's code page (the help
// viewer) can open it: itself when it survives that code page, else its 8.3
// short form, which is plain ASCII. Where the volume keeps no short names,
// the long one is all there is.
std::wstring PathForCodePageReaders(const std::wstring& path);

// Asks the shell to open a document or an address (ShellExecute "open");
// a failure is silent.
void ShellOpen(HWND owner, std::string_view target);

// Asks the shell to open a file with the program the user chose for its
// type; false where the shell could not.
bool ShellOpenFile(HWND owner, const FilePath& file);

}  // namespace win
