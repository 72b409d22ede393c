#include "win/MessageBox.h"

#include "win/WideText.h"

namespace win {

int ShowMessageBox(std::string_view text, UINT flags, HWND owner) {
  return MessageBoxW(owner, Widen(text).c_str(), nullptr, flags);
}

}  // namespace win
