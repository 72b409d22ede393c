// The clipboard's text, read as the program's texts are kept.
#pragma once

#include <string>

namespace win {

// The clipboard's text up to its zero, in Windows-1251 (one copy, however
// large); a character that code page lacks reads '?'. Empty when the
// clipboard is held by another window, holds no text or cannot be read.
std::string ReadClipboardText();

}  // namespace win
