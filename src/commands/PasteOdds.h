#pragma once

namespace zemcoms {

// Fills the odds rows from the clipboard text, one value per spreadsheet
// cell or text line; at most 20 rows.
void PasteOdds();

}  // namespace zemcoms
