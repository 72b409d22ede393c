// The decisions the commands make before touching a window, from tables:
// what each key does in each box, which value lands in which row, and
// which help the help button opens.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "rules/Help.h"
#include "rules/Keys.h"
#include "rules/Paste.h"
#include "rules/PasteValues.h"

namespace {

using namespace rules;
using base::kAltHeld;
using base::kCtrlHeld;
using base::kShiftHeld;

// ---------------------------------------------------------------- keys

struct KeyCase {
  Box box;
  unsigned key;
  unsigned shift;
  int rowCount;
  bool lastRow;
  KeyAction action;
  bool eats;
};

constexpr unsigned kNone = 0;
constexpr unsigned kLetterA = 'A';
constexpr unsigned kKeyDelete = 0x2E;

// Every key the entry boxes act on, in each box, with and without modifiers
// and at the twenty-row limit; and keys they leave alone.
const KeyCase kKeyCases[] = {
    // Enter without modifiers walks through the fields.
    {Box::Stake, kKeyEnter, kNone, 1, false, KeyAction::FocusFirstRow, false},
    {Box::Stake, kKeyEnter, kNone, 8, false, KeyAction::FocusFirstRow, false},
    {Box::SystemSize, kKeyEnter, kNone, 3, false, KeyAction::FocusComboSize, false},
    {Box::ComboSize, kKeyEnter, kNone, 3, false, KeyAction::Calculate, false},
    {Box::OddsRow, kKeyEnter, kNone, 1, true, KeyAction::AddRow, false},
    {Box::OddsRow, kKeyEnter, kNone, 19, true, KeyAction::AddRow, false},
    {Box::OddsRow, kKeyEnter, kNone, 7, false, KeyAction::FocusNextRow, false},
    // With twenty rows any Enter in any row goes to the system size.
    {Box::OddsRow, kKeyEnter, kNone, 20, true, KeyAction::FocusSystemSize, false},
    {Box::OddsRow, kKeyEnter, kNone, 20, false, KeyAction::FocusSystemSize, false},
    {Box::OddsRow, kKeyEnter, kShiftHeld, 20, false, KeyAction::FocusSystemSize, false},
    {Box::OddsRow, kKeyEnter, kAltHeld, 20, true, KeyAction::FocusSystemSize, false},
    // Below twenty, Shift or Alt with Enter does nothing; Ctrl jumps.
    {Box::OddsRow, kKeyEnter, kShiftHeld, 3, true, KeyAction::Nothing, false},
    {Box::OddsRow, kKeyEnter, kAltHeld, 3, false, KeyAction::Nothing, false},
    {Box::OddsRow, kKeyEnter, kCtrlHeld, 3, false, KeyAction::FocusSystemSize, false},
    {Box::OddsRow, kKeyEnter, kCtrlHeld | kShiftHeld, 1, true, KeyAction::FocusSystemSize, false},
    // Enter with a modifier in the other boxes does nothing.
    {Box::Stake, kKeyEnter, kCtrlHeld, 3, false, KeyAction::Nothing, false},
    {Box::SystemSize, kKeyEnter, kShiftHeld, 3, false, KeyAction::Nothing, false},
    {Box::ComboSize, kKeyEnter, kAltHeld, 3, false, KeyAction::Nothing, false},
    // Numpad plus jumps from a row, with any modifiers, and nowhere else.
    {Box::OddsRow, kKeyNumpadPlus, kNone, 4, false, KeyAction::FocusSystemSize, true},
    {Box::OddsRow, kKeyNumpadPlus, kShiftHeld, 4, true, KeyAction::FocusSystemSize, true},
    {Box::Stake, kKeyNumpadPlus, kNone, 4, false, KeyAction::Nothing, false},
    {Box::SystemSize, kKeyNumpadPlus, kNone, 4, false, KeyAction::Nothing, false},
    {Box::ComboSize, kKeyNumpadPlus, kNone, 4, false, KeyAction::Nothing, false},
    // Numpad minus clears all from every entry box, with any modifiers.
    {Box::Stake, kKeyNumpadMinus, kNone, 6, false, KeyAction::ClearAll, true},
    {Box::SystemSize, kKeyNumpadMinus, kShiftHeld, 6, false, KeyAction::ClearAll, true},
    {Box::ComboSize, kKeyNumpadMinus, kCtrlHeld, 6, false, KeyAction::ClearAll, true},
    {Box::OddsRow, kKeyNumpadMinus, kNone, 12, false, KeyAction::ClearAll, true},
    {Box::OddsRow, kKeyNumpadMinus, kAltHeld, 20, true, KeyAction::ClearAll, true},
    // Other keys are the box's own: typing, Delete.
    {Box::OddsRow, kLetterA, kNone, 3, true, KeyAction::Nothing, false},
    {Box::OddsRow, kKeyDelete, kNone, 3, true, KeyAction::Nothing, false},
    {Box::Stake, kLetterA, kCtrlHeld, 3, false, KeyAction::Nothing, false},
    // Also with twenty rows, where Enter jumps.
    {Box::OddsRow, kLetterA, kNone, 20, false, KeyAction::Nothing, false},
    {Box::OddsRow, kLetterA, kCtrlHeld, 20, true, KeyAction::Nothing, false},
};

TEST(DecideKey, ActsAsTheTableSays) {
  for (const KeyCase& c : kKeyCases) {
    SCOPED_TRACE(testing::Message()
                 << "box " << static_cast<int>(c.box) << ", key " << c.key << ", shift " << c.shift
                 << ", rows " << c.rowCount << (c.lastRow ? ", the last" : ""));
    const KeyDecision decision = DecideKey(c.box, c.key, c.shift, c.rowCount, c.lastRow);
    EXPECT_EQ(static_cast<int>(decision.action), static_cast<int>(c.action));
    EXPECT_EQ(decision.eatsCharacter, c.eats);
  }
}

// ---------------------------------------------------------------- paste

struct PasteCase {
  const char* name;
  std::string clipboard;
  std::vector<std::string> rows;
};

using paste_values::ValueRows;
using paste_values::Values;

// Values are stored as cut up to a kilobyte; a longer one keeps its head,
// marked as cut by an ellipsis (Windows-1251) in its last byte.
constexpr std::size_t kMaxValueLength = 1024;
constexpr char kCutMark[] = "\x85";
const std::string kLongestValue(kMaxValueLength, '7');
const std::string kOverlongValue = std::string(kMaxValueLength, '8') + "99";
const std::string kOverlongValueCut = std::string(kMaxValueLength - 1, '8') + kCutMark;
const std::string kOverlongBlank(kMaxValueLength + 5, ' ');
const std::string kOverlongBlankCut = std::string(kMaxValueLength - 1, ' ') + kCutMark;

const PasteCase kPasteCases[] = {
    {"SpreadsheetColumn", "1.5\r\n2.1\r\n3.0\r\n", {"1.5", "2.1", "3.0"}},
    {"SpreadsheetRow", "1.5\t2.1\t3.0\r\n", {"1.5", "2.1", "3.0"}},
    {"BlockOfTwoColumnsRowByRow", "1.1\t1.2\r\n2.1\t2.2\r\n", {"1.1", "1.2", "2.1", "2.2"}},
    {"EmptyCellIsSkipped", "1.5\t\t3.0\r\n", {"1.5", "3.0"}},
    {"LineFeedsAlone", "1,5\n2,25\n", {"1,5", "2,25"}},
    {"DelimitersAtTheStart", "\r\n\t\n1.85", {"1.85"}},
    {"TextWithoutDelimiterFillsRowOne", "2.35", {"2.35"}},
    {"SpacesAndSemicolonsSeparateNothing", "1,5 2,1;3", {"1,5 2,1;3"}},
    {"KilobyteValueIsStoredWhole", kLongestValue, {kLongestValue}},
    {"OverlongValueKeepsItsHeadAndAMark", kOverlongValue + "\t2", {kOverlongValueCut, "2"}},
    // A cut blank value is no longer blank: the mark stays in row 1.
    {"OverlongBlankValueIsCutToo", kOverlongBlank + "\t2", {kOverlongBlankCut, "2"}},
    {"OverlongValueReplacingABlankRowOneIsCut", " \t" + kOverlongValue, {kOverlongValueCut}},
    {"OnlyDelimitersLeaveRowOneEmpty", "\r\n\t\t\n\r\r\n", {}},
    {"BlankFirstValueIsReplacedByTheNext", "   \t2.35\t3\r\n", {"2.35", "3"}},
    {"ControlCharactersCountAsBlank", "\x01\x1F \r\n4.5", {"4.5"}},
    {"BlankOnlyValueStaysInRowOne", "   \r\n", {"   "}},
    {"BlankValueAfterTheFirstMakesARow", "1.5\t  \t2\r\n", {"1.5", "  ", "2"}},
    {"SpacesAreKept", " 1.5\t  2.1 \r\n", {" 1.5", "  2.1 "}},
    {"HighBytesAsTheyCame", "\xE0\xE1\xE2\t\xCA 1,5 \xB8\r\n", {"\xE0\xE1\xE2", "\xCA 1,5 \xB8"}},
    {"SixValuesFillASecondColumn", Values(1, 6, "\t"), ValueRows(1, 6)},
    {"TwentyValues", Values(10, 20, "\t"), ValueRows(10, 20)},
    {"TwentyFiveValuesKeepTheFirstTwenty", Values(10, 25, "\r\n"), ValueRows(10, 20)},
};

TEST(PlanPaste, PutsEachValueWhereTheTableSays) {
  for (const PasteCase& c : kPasteCases) {
    EXPECT_EQ(PlanPaste(c.clipboard), c.rows) << c.name;
    // The same plan for the same text in wide units (every case is ASCII
    // below the cut, the high-byte one aside).
    const std::wstring wide(c.clipboard.begin(), c.clipboard.end());
    const auto values = PlanPasteValues(std::wstring_view(wide));
    ASSERT_EQ(values.size(), c.rows.size()) << c.name;
    for (std::size_t i = 0; i < values.size(); ++i) {
      const std::string head(values[i].head.begin(), values[i].head.end());
      EXPECT_EQ(head + (values[i].cut ? kCutMark : ""), c.rows[i]) << c.name << " row " << i;
    }
  }
}

// ---------------------------------------------------------------- help

struct HelpCase {
  const char* system;
  HelpSystem what;
  bool helpFile;
  bool page;
  HelpOpening opens;
};

// Sizes of the viewer's file: Wine's, the stub's of Vista to 11, and the
// edges of what is taken for a stub.
constexpr std::uint64_t kWineViewer = 746401;
constexpr std::uint64_t kStub = 9728;
constexpr std::uint64_t kNoViewer = 0;

const HelpCase kHelpCases[] = {
    {"XP", {5, 1, kStub}, true, true, HelpOpening::HelpFile},
    {"XP without viewer", {5, 1, kNoViewer}, true, true, HelpOpening::Page},
    {"XP, help file missing", {5, 1, kWineViewer}, false, true, HelpOpening::Page},
    {"XP, both missing", {5, 1, kWineViewer}, false, false, HelpOpening::NoHelpFile},
    {"Vista with viewer", {6, 0, kWineViewer}, true, true, HelpOpening::HelpFile},
    {"Vista, stub", {6, 0, kStub}, true, true, HelpOpening::Page},
    {"7, largest stub", {6, 1, kLargestViewerStub}, true, true, HelpOpening::Page},
    {"7, just above", {6, 1, kLargestViewerStub + 1}, true, false, HelpOpening::HelpFile},
    {"8.1 with viewer", {6, 3, kWineViewer}, true, false, HelpOpening::HelpFile},
    {"8.1, stub, no page", {6, 3, kStub}, true, false, HelpOpening::NoPage},
    {"10, whatever its viewer", {10, 0, kWineViewer}, true, true, HelpOpening::Page},
    {"10, no page", {10, 0, kWineViewer}, true, false, HelpOpening::NoPage},
    {"11 (still 10.0)", {10, 0, kStub}, false, false, HelpOpening::NoPage},
    {"version unknown", {0, 0, kWineViewer}, true, true, HelpOpening::HelpFile},
};

TEST(ChooseHelp, OpensWhatTheTableSays) {
  for (const HelpCase& c : kHelpCases) {
    EXPECT_EQ(static_cast<int>(ChooseHelp(c.what, c.helpFile, c.page)), static_cast<int>(c.opens))
        << c.system;
  }
}

}  // namespace
