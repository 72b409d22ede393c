#include "rules/Paste.h"

#include <algorithm>

#include "rules/Keys.h"
#include "text/Text.h"

namespace rules {

namespace {

// A pasted value is cut at this length, its mark included. No odds needs a
// fraction of it (the digit rule reads nothing past a few hundred digits),
// and an edit box given megabytes of one line can take minutes to lay it
// out, or fail. The cut value ends in the mark: the row shows that it was
// cut, and since the mark is no part of a number, "=" reports the row
// instead of reading a number that the cut may have made out of garbage.
constexpr std::size_t kMaxValueLength = 1024;
// Spreadsheets separate cells by tabs and end lines with CR LF.
constexpr char kValueDelimiters[] = "\r\t\n";

template <typename Char>
PastedValue<Char> Clipped(std::basic_string_view<Char> value) {
  if (value.size() <= kMaxValueLength) return {value, false};
  return {value.substr(0, kMaxValueLength - 1), true};
}

// Only blanks and control characters; a cut value has its mark.
template <typename Char>
bool IsBlank(const PastedValue<Char>& value) {
  return !value.cut && std::all_of(value.head.begin(), value.head.end(), text::IsBlank<Char>);
}

}  // namespace

template <typename Char>
std::vector<PastedValue<Char>> PlanPasteValues(std::basic_string_view<Char> pasted) {
  std::vector<PastedValue<Char>> rows;
  // The splitter cuts in one pass, so even a huge text costs its length;
  // the values are views into it.
  text::BasicTextSplitter<Char> values(pasted, kValueDelimiters);
  while (!values.Done() && static_cast<int>(rows.size()) < kMaxOddsRows) {
    const std::basic_string_view<Char> value = values.Next();
    if (value.empty()) continue;
    // A blank first row takes the value; otherwise a new row does.
    if (rows.size() == 1 && IsBlank(rows.front())) {
      rows.front() = Clipped(value);
    } else {
      rows.push_back(Clipped(value));
    }
  }
  return rows;
}

template std::vector<PastedValue<char>> PlanPasteValues(std::string_view);
template std::vector<PastedValue<wchar_t>> PlanPasteValues(std::wstring_view);

std::vector<std::string> PlanPaste(std::string_view text) {
  std::vector<std::string> rows;
  for (const PastedValue<char>& value : PlanPasteValues(text)) {
    // Not push_back: that meets an internal error of GCC 12's link-time
    // optimiser (binds_to_current_def_p) beside the calculate command's.
    rows.resize(rows.size() + 1);
    rows.back() = std::string(value.head) + (value.cut ? kValueCutMark : "");
  }
  return rows;
}

}  // namespace rules
