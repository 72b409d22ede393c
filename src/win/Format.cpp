#include "win/Format.h"

#include <windows.h>

#include <cstdarg>
#include <cstring>

namespace win {

namespace {
// wvsprintfA writes at most 1024 characters; one more byte for its zero.
constexpr std::size_t kFormatOutputLimit = 1024;
constexpr std::size_t kFormatBufferSize = kFormatOutputLimit + 1;
}  // namespace

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

}  // namespace win
