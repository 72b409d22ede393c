// Numbered odds values for the paste cases: as a clipboard text, and as the
// rows they should fill.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace paste_values {

// "1.<first>", "1.<first + 1>", ... each followed by the separator.
inline std::string Values(int first, int count, std::string_view separator) {
  std::string text;
  for (int i = first; i < first + count; ++i) {
    text += "1." + std::to_string(i);
    text += separator;
  }
  return text;
}

inline std::vector<std::string> ValueRows(int first, int count) {
  std::vector<std::string> rows;
  for (int i = first; i < first + count; ++i) rows.push_back("1." + std::to_string(i));
  return rows;
}

}  // namespace paste_values
