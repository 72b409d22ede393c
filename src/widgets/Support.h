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

namespace widgets {

// ---------------------------------------------------------------- clipboard

// The CF_TEXT bytes up to their zero (one copy, however large); empty when
// the clipboard is held by another window, holds no text or cannot be read.
std::string ReadClipboardText();

// ---------------------------------------------------------- program files

// The full path of a module's file (the program's for none); empty when the
// module is not loaded.
std::string ModuleFileName(HMODULE module = nullptr);

// The program file's full path up to and including its last backslash.
std::string ModuleDirectory();

// ------------------------------------------------------- system libraries

// How a library is found for a lookup: only when something has loaded it
// already, or loaded on demand and kept for the rest of the process.
enum class Loading { AlreadyLoaded, OnDemand };

// The address of a function a system library exports, null when the library
// or the function is missing. Libraries the program needs rarely are loaded
// when first used, not at start-up; one loaded here runs its start-up code
// with the program's x87 control word kept.
void* LibraryProcedure(const char* library, const char* name, Loading loading);

template <typename Function>
Function LibraryFunction(const char* library, const char* name, Loading loading) {
  return reinterpret_cast<Function>(LibraryProcedure(library, name, loading));
}

// The path with its extension (after the last point of the file name)
// replaced; a name without a point gets the extension appended.
std::string ReplaceExtension(std::string_view path, std::string_view extension);

// Stores a copy; an empty path is a programming error and raises
// AssertionFailed with "Error parameter".
void SetHelpFile(std::string_view path);

// The stored help file path, else the program file path ending in ".hlp".
std::string HelpFilePath();

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
