// The clipboard's text, cut into the values of a paste and read as the
// program's texts are kept.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace win {

// The values the paste puts into the odds rows (rules::PlanPasteValues), in
// Windows-1251, a cut value ending in its mark; a character that code page
// lacks reads '?', a digit of any script its ASCII digit. The text is cut
// where it lies, in the format its owner put it, and only the kept values
// are converted: a clipboard of hundreds of megabytes costs one pass and no
// copy. Nothing when the clipboard is held by another window, holds no text,
// its text is empty or cannot be read.
std::optional<std::vector<std::string>> ReadPastedValues();

}  // namespace win
