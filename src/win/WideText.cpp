#include "win/WideText.h"

#include "text/Windows1251.h"

namespace win {

std::wstring Widen(std::string_view text) { return text::WidenWindows1251<wchar_t>(text); }

std::string Narrow(std::wstring_view text) { return text::NarrowWindows1251(text); }

}  // namespace win
