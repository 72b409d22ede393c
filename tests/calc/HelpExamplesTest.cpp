// Every worked example of the help, read from the help's own text and run
// through the program's check and calculation of a bet as typed, so the
// help can never name a payout the program does not show. Each example
// ends in one sentence of a fixed form (the help source's head describes
// it); a sentence that says what Земко shows in any other form fails.
#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <string>
#include <vector>

#include "calc/BetCheck.h"

namespace {

// The help source is UTF-8, and so are these patterns, whatever the
// compiler makes of plain literals.
std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// The help's text without its comment lines, each run of blanks and line
// ends one space: a sentence runs on over the source's lines.
std::string HelpText() {
  std::string text;
  if (std::FILE* file = std::fopen(ZEMKO_HELP_SOURCE, "rb")) {
    char line[4096];
    while (std::fgets(line, sizeof line, file)) {
      if (line[0] != '#') text += line;
    }
    std::fclose(file);
  }
  return std::regex_replace(text, std::regex("\\s+"), " ");
}

int Occurrences(const std::string& text, const std::string& part) {
  int count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

const std::string kNumber = "[0-9]+(?:,[0-9]+)?";
// сумма S, коэффициенты A, B и C, размер системы N, «по» K — Земко покажет R
const std::regex kExample(Utf8(u8"сумма (") + kNumber + Utf8(u8"), коэффициент(?:ы)? (") + kNumber +
                          "(?:(?:, |" + Utf8(u8" и ") + ")" + kNumber + ")*)" +
                          Utf8(u8"(?:, размер системы ([0-9]+))?, «по» ([0-9]+) — Земко покажет ") +
                          "([0-9]+,[0-9]{2})");
const std::regex kOdds(kNumber);
// Fewer would mean the help lost examples or the form changed unnoticed.
constexpr int kExamplesInTheHelp = 10;

TEST(HelpExamples, EachPaysWhatTheHelpSays) {
  const std::string text = HelpText();
  ASSERT_FALSE(text.empty()) << "cannot read " << ZEMKO_HELP_SOURCE;
  int found = 0;
  for (auto example = std::sregex_iterator(text.begin(), text.end(), kExample);
       example != std::sregex_iterator(); ++example, ++found) {
    const std::smatch& m = *example;
    SCOPED_TRACE(m.str());
    const std::string oddsText = m[2].str();
    std::vector<std::string> odds;
    for (auto one = std::sregex_iterator(oddsText.begin(), oddsText.end(), kOdds);
         one != std::sregex_iterator(); ++one)
      odds.push_back(one->str());
    // Without a size of its own the box keeps the number of rows.
    const std::string systemSize = m[3].matched ? m[3].str() : std::to_string(odds.size());
    const std::string comboSize = m[4].str();
    const calc::BetOutcome outcome = calc::CheckBet({m[1].str(), systemSize, comboSize, odds});
    EXPECT_TRUE(outcome.failures.empty());
    EXPECT_EQ(m[5].str(), outcome.resultText);
  }
  EXPECT_EQ(Occurrences(text, Utf8(u8"Земко покажет")), found)
      << "a sentence that says what the program shows is not of the examples' form";
  EXPECT_EQ(kExamplesInTheHelp, found);
}

}  // namespace
