// Where pasted values go: a decision made from the clipboard's text alone,
// before any window is touched.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rules {

// The texts of the odds rows after pasting the text, row 1 first: values cut
// at CR, TAB and LF, empty ones skipped, at most 20 rows. A first row that
// holds only blanks takes the next value too. A value longer than a
// kilobyte keeps its head and ends in an ellipsis. No values (a text of
// delimiters only) leave row 1 empty.
std::vector<std::string> PlanPaste(std::string_view text);

}  // namespace rules
