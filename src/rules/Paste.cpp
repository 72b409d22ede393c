#include "rules/Paste.h"

#include "rules/Keys.h"
#include "text/Text.h"

namespace rules {

namespace {

// Spreadsheets separate cells by tabs and end lines with CR LF.
constexpr char kValueDelimiters[] = "\r\t\n";

// A pasted value is cut at this length. No odds needs a fraction of it (the
// digit rule reads nothing past a few hundred digits), and an edit box given
// megabytes of one line can take minutes to lay it out, or fail.
constexpr std::size_t kMaxValueLength = 1024;
// A cut value ends in an ellipsis: the row shows that it was cut, and since
// the mark is no part of a number, "=" reports the row instead of reading a
// number that the cut may have made out of garbage.
constexpr char kCutMark[] = "\x85";  // the ellipsis in Windows-1251

std::string Clipped(std::string_view value) {
  if (value.size() <= kMaxValueLength) return std::string(value);
  std::string clipped(value.substr(0, kMaxValueLength - 1));
  clipped += kCutMark;
  return clipped;
}

}  // namespace

std::vector<std::string> PlanPaste(std::string_view pasted) {
  std::vector<std::string> rows;
  // The splitter cuts in one pass, so even a huge text costs its length.
  text::TextSplitter values(pasted, kValueDelimiters);
  while (!values.Done() && static_cast<int>(rows.size()) < kMaxOddsRows) {
    const std::string_view value = values.Next();
    if (value.empty()) continue;
    // A blank first row takes the value; otherwise a new row does.
    if (rows.size() == 1 && text::Trim(rows.front()).empty()) {
      rows.front() = Clipped(value);
    } else {
      // Not push_back: that meets an internal error of GCC 12's link-time
      // optimiser (binds_to_current_def_p) beside the calculate command's.
      rows.resize(rows.size() + 1);
      rows.back() = Clipped(value);
    }
  }
  return rows;
}

}  // namespace rules
