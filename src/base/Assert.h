// One way to assert, for every layer: a failed assertion raises the
// AssertionFailed kind with "text (file, line N)", the form the error box
// shows, so the box says where the program found itself wrong.
#pragma once

#include <string>

#include "base/Exception.h"

namespace base {

// "text (file, line N)"; an empty or missing text reads "Assertion failed".
std::string AssertionMessage(const char* text, const char* file, int line);

}  // namespace base

// Raises AssertionFailed where the condition does not hold. The file is
// named without its folders: no build path goes into the program. The
// exception is made here, so it notes this place as its address.
#define ZEM_ASSERT(condition, text)                                                       \
  do {                                                                                    \
    if (!(condition))                                                                     \
      throw ::base::Exception(::base::ErrorKind::AssertionFailed,                         \
                              ::base::AssertionMessage((text), __FILE_NAME__, __LINE__)); \
  } while (false)
