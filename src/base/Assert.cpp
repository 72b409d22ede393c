#include "base/Assert.h"

namespace base {

std::string AssertionMessage(const char* text, const char* file, int line) {
  std::string message = text && *text ? text : KindMessage(ErrorKind::AssertionFailed);
  message += " (";
  message += file ? file : "";
  message += ", line ";
  message += std::to_string(line);
  message += ')';
  return message;
}

}  // namespace base
