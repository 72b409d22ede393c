// Support routines of the toolkit that the program calls outside any control:
// clipboard text, the program's directory and help file, registry integers,
// and the text helpers. Failures of the system parts report as 0, false or an
// empty text, never by an exception.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "widgets/Widgets.h"

namespace widgets {

// ---------------------------------------------------------------- clipboard

// The clipboard's text up to its zero, in Windows-1251 (one copy, however
// large); a character that code page lacks reads '?'. Empty when the
// clipboard is held by another window, holds no text or cannot be read.
std::string ReadClipboardText();

// ---------------------------------------------------------- program files

// A file's path as the system spells it: letters of any language survive
// from one system call to the next, whatever the system's code page. Above
// the layer a path is built from the program's texts and shown as one.
class FilePath {
 public:
  FilePath() = default;
  // From a Windows-1251 text.
  explicit FilePath(std::string_view text);

  bool Empty() const { return wide_.empty(); }
  // The path followed by a Windows-1251 name.
  FilePath operator+(std::string_view name) const;
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

// ------------------------------------------------------- system libraries

// How a library is found for a lookup: only when something has loaded it
// already, or loaded on demand and kept for the rest of the process.
enum class Loading { AlreadyLoaded, OnDemand };

// The address of a function a system library exports, null when the library
// or the function is missing. Libraries the program needs rarely are loaded
// when first used, not at start-up, and always from the system folder; one
// loaded here runs its start-up code with the program's x87 control word
// kept. The program imports only what Windows always takes from its own
// folder (kernel32, user32, gdi32, advapi32, msvcrt).
void* LibraryProcedure(const char* library, const char* name, Loading loading);

template <typename Function>
Function LibraryFunction(const char* library, const char* name, Loading loading) {
  return reinterpret_cast<Function>(LibraryProcedure(library, name, loading));
}

// From here on the system itself looks for libraries (the imports of the
// ones the program loads, say) in the system folder only, never beside the
// program, where a downloaded file may lie; where the system offers that.
void RestrictLibrarySearch();

// The path with its extension (after the last point of the file name)
// replaced; a name without a point gets the extension appended.
std::string ReplaceExtension(std::string_view path, std::string_view extension);

// Stores a copy; an empty path is a programming error and raises
// AssertionFailed with "Error parameter".
void SetHelpFile(const FilePath& path);

// The stored help file path, else the program file path ending in ".hlp".
FilePath HelpFilePath();

// Hands the help file to WinHelp with the owner's window; the result is the
// help system's business. The viewer takes its path in the system's code
// page, so a path with letters outside it goes as its short form.
void ShowHelp(Control* owner, UINT command, ULONG_PTR data);

// Asks the shell to open a document or an address (ShellExecute "open");
// a failure is silent.
void ShellOpen(Control* owner, std::string_view target);

// A file's version block (GetFileVersionInfo); empty when it has none.
std::vector<char> ReadFileVersionBlock(const FilePath& file);
// The fixed file information at the root of a version block, or null.
const VS_FIXEDFILEINFO* FixedFileInfo(std::vector<char>& block);

// ------------------------------------------------------------ system texts

// A message box without owner and caption (the system's "Error"); gives
// what MessageBox gives.
int ShowMessageBox(std::string_view text, UINT flags);

// Draws the text at x, y with the context's font and colour. A context that
// holds a font without Cyrillic glyphs (the system font of a Western or
// Japanese Windows) draws with the Cyrillic system font instead.
void PaintText(HDC dc, int x, int y, std::string_view text);

// ----------------------------------------------------------------- registry

// Read access plus what writing a value and creating the missing parts of a
// path need (0x2001F), and nothing more.
inline constexpr REGSAM kKeyWriteAccess =
    KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY;

// Each gives the opened key, or 0 on any failure. Close it with CloseKey.
HKEY OpenKeyForReading(HKEY root, std::string_view path);
HKEY OpenKeyForWriting(HKEY root, std::string_view path);
// Creates the missing parts of the path; opens the key if it exists.
HKEY CreateKey(HKEY root, std::string_view path);

// A REG_DWORD read as a signed value; 0 for key 0, a missing value or a
// value of another type or size.
std::int32_t ReadRegistryInteger(HKEY key, std::string_view name);
// Stores the value's 32-bit two's complement as REG_DWORD; false for key 0
// or when the system refuses.
bool WriteRegistryInteger(HKEY key, std::string_view name, std::int32_t value);
// Key 0 is ignored.
void CloseKey(HKEY key);

// --------------------------------------------------------------------- text

// Without the leading and trailing bytes below 33 (blanks and control
// characters); Windows-1251 letters from 128 up stay.
std::string Trim(std::string_view text);

// Returns the text before the first delimiter and leaves in `text` what
// follows that one delimiter; without a delimiter the whole text is the head
// and `text` becomes empty. Each call moves the rest, so loops over large
// texts use TextSplitter instead.
std::string SplitAtDelimiter(std::string& text, std::string_view delimiters);

// Cuts the same values as repeated SplitAtDelimiter calls, in one pass and
// without copying: the values are views into the text, which must outlive
// the splitter.
class TextSplitter {
 public:
  TextSplitter(std::string_view text, std::string_view delimiters);

  // True once nothing is left (the condition that ends a SplitAtDelimiter
  // loop: an empty rest).
  bool Done() const { return rest_.empty(); }
  // The next value, possibly empty; empty once Done.
  std::string_view Next();
  // What a SplitAtDelimiter loop would hold in its text at this point.
  std::string_view Rest() const { return rest_; }

 private:
  std::string_view rest_;
  std::array<bool, 256> isDelimiter_{};
};

// Formats integers and texts with the Win32 wvsprintfA. Win32 writes at most
// 1024 characters, so longer results are cut there.
std::string FormatText(const char* format, ...);

}  // namespace widgets
