// Where pasted values go: a decision made from the clipboard's text alone,
// before any window is touched.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rules {

// A pasted value as it goes into its row: a view into the pasted text and,
// for a value longer than a kilobyte, the mark of the cut that follows its
// head.
template <typename Char>
struct PastedValue {
  std::basic_string_view<Char> head;
  bool cut = false;
  bool operator==(const PastedValue&) const = default;
};

// The values of the odds rows after pasting the text, row 1 first: cut at
// CR, TAB and LF, empty ones skipped, at most 20. A first value that holds
// only blanks (codes below 33) is replaced by the next one. A value longer
// than a kilobyte keeps the head that, with the mark, fills a kilobyte. No
// values (a text of delimiters only) leave row 1 empty. For texts of bytes
// and of UTF-16 units alike: the plan is made before anything is converted,
// so a huge clipboard costs one pass and no copy.
template <typename Char>
std::vector<PastedValue<Char>> PlanPasteValues(std::basic_string_view<Char> text);

// The mark of a cut value in Windows-1251: the ellipsis.
inline constexpr char kValueCutMark[] = "\x85";

// The plan of a Windows-1251 text, each value with its mark.
std::vector<std::string> PlanPaste(std::string_view text);

}  // namespace rules
