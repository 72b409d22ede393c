// Text helpers that make no system call: trimming, cutting values at
// delimiters and replacing a file name's extension. Portable, so they are
// built and tested on the host too. Texts are byte strings (Windows-1251 in
// the program).
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <type_traits>

namespace text {

// A byte or UTF-16 unit below 33: a blank or a control character.
template <typename Char>
constexpr bool IsBlank(Char c) {
  constexpr unsigned kFirstVisibleCode = 33;
  return static_cast<std::make_unsigned_t<Char>>(c) < kFirstVisibleCode;
}

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
// the splitter. For texts of bytes and of UTF-16 units alike; the
// delimiters are byte codes, and a unit is one when its number is.
template <typename Char>
class BasicTextSplitter {
 public:
  using View = std::basic_string_view<Char>;

  BasicTextSplitter(View text, std::string_view delimiters) : rest_(text) {
    for (char c : delimiters) isDelimiter_[static_cast<unsigned char>(c)] = true;
  }

  // True once nothing is left (the condition that ends a SplitAtDelimiter
  // loop: an empty rest).
  bool Done() const { return rest_.empty(); }
  // The next value, possibly empty; empty once Done.
  View Next() {
    std::size_t delimiter = 0;
    while (delimiter < rest_.size() && !IsDelimiter(rest_[delimiter])) ++delimiter;
    const View head = rest_.substr(0, delimiter);
    rest_.remove_prefix(delimiter < rest_.size() ? delimiter + 1 : delimiter);
    return head;
  }
  // What a SplitAtDelimiter loop would hold in its text at this point.
  View Rest() const { return rest_; }

 private:
  bool IsDelimiter(Char c) const {
    const auto code = static_cast<std::make_unsigned_t<Char>>(c);
    return code < isDelimiter_.size() && isDelimiter_[code];
  }

  View rest_;
  std::array<bool, 256> isDelimiter_{};
};

using TextSplitter = BasicTextSplitter<char>;

// The path with its extension (after the last point of the file name)
// replaced; a name without a point gets the extension appended. Only a
// point inside the file name starts an extension, not one in a directory
// name or a drive prefix. For paths of narrow and of wide characters.
template <typename Char>
std::basic_string<Char> ReplaceExtension(std::basic_string_view<Char> path,
                                         std::basic_string_view<Char> extension) {
  constexpr Char kEnds[] = {'.', '\\', '/', ':', 0};
  const std::size_t point = path.find_last_of(kEnds);
  const bool hasExtension = point != std::basic_string_view<Char>::npos && path[point] == '.';
  std::basic_string<Char> result(path.substr(0, hasExtension ? point : path.size()));
  result += extension;
  return result;
}

inline std::string ReplaceExtension(std::string_view path, std::string_view extension) {
  return ReplaceExtension<char>(path, extension);
}

}  // namespace text
