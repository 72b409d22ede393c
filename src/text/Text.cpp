#include "text/Text.h"

namespace text {

namespace {

constexpr unsigned char kFirstVisibleCode = 33;

bool IsBlank(char c) { return static_cast<unsigned char>(c) < kFirstVisibleCode; }

}  // namespace

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

TextSplitter::TextSplitter(std::string_view text, std::string_view delimiters) : rest_(text) {
  for (char c : delimiters) isDelimiter_[static_cast<unsigned char>(c)] = true;
}

std::string_view TextSplitter::Next() {
  std::size_t delimiter = 0;
  while (delimiter < rest_.size() && !isDelimiter_[static_cast<unsigned char>(rest_[delimiter])]) {
    ++delimiter;
  }
  const std::string_view head = rest_.substr(0, delimiter);
  rest_.remove_prefix(delimiter < rest_.size() ? delimiter + 1 : delimiter);
  return head;
}

}  // namespace text
