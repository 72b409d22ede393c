#include "text/Text.h"

namespace text {

std::string Trim(std::string_view text) {
  std::size_t first = 0;
  std::size_t end = text.size();
  while (first < end && IsBlank(text[first])) ++first;
  while (end > first && IsBlank(text[end - 1])) --end;
  return std::string(text.substr(first, end - first));
}

std::string SplitAtDelimiter(std::string& text, std::string_view delimiters) {
  const std::size_t delimiter = text.find_first_of(delimiters);
  if (delimiter == std::string::npos) {
    std::string head = std::move(text);
    text.clear();
    return head;
  }
  std::string head = text.substr(0, delimiter);
  text.erase(0, delimiter + 1);
  return head;
}

}  // namespace text
