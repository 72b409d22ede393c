// Fuzz target for the paste plan: against the literal algorithm (cut one
// value at a time from the front of a working copy, trim row 1 to see
// whether it is blank), and the same plan for the same text in UTF-16.
#include <string>
#include <string_view>
#include <vector>

#include "FuzzTarget.h"
#include "rules/Paste.h"
#include "text/Text.h"

namespace {

constexpr std::size_t kMaxRows = 20;
constexpr std::size_t kMaxValueLength = 1024;
constexpr char kDelimiters[] = "\r\t\n";

std::string Clipped(const std::string& value) {
  if (value.size() <= kMaxValueLength) return value;
  return value.substr(0, kMaxValueLength - 1) + rules::kValueCutMark;
}

std::vector<std::string> LiteralPlan(std::string rest) {
  std::vector<std::string> rows;
  while (!rest.empty() && rows.size() < kMaxRows) {
    const std::string value = text::SplitAtDelimiter(rest, kDelimiters);
    if (value.empty()) continue;
    if (rows.size() == 1 && text::Trim(rows.front()).empty()) {
      rows.front() = Clipped(value);
    } else {
      rows.push_back(Clipped(value));
    }
  }
  return rows;
}

}  // namespace

ZEMKO_FUZZ_TARGET(PasteFuzz) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> plan = rules::PlanPaste(text);
  ZEMKO_FUZZ_CHECK(plan == LiteralPlan(std::string(text)));
  ZEMKO_FUZZ_CHECK(plan.size() <= kMaxRows);

  // Each byte as the UTF-16 unit of the same number: the same cuts.
  std::wstring wide(text.size(), L'\0');
  for (std::size_t i = 0; i < text.size(); ++i) wide[i] = static_cast<unsigned char>(text[i]);
  const auto wideValues = rules::PlanPasteValues(std::wstring_view(wide));
  ZEMKO_FUZZ_CHECK(wideValues.size() == plan.size());
  for (std::size_t i = 0; i < plan.size(); ++i) {
    ZEMKO_FUZZ_CHECK(wideValues[i].head.size() <= kMaxValueLength);
    ZEMKO_FUZZ_CHECK(wideValues[i].head.data() >= wide.data() &&
                     wideValues[i].head.data() + wideValues[i].head.size() <=
                         wide.data() + wide.size());
    std::string head;
    for (wchar_t unit : wideValues[i].head) head += static_cast<char>(unit);
    ZEMKO_FUZZ_CHECK(head + (wideValues[i].cut ? rules::kValueCutMark : "") == plan[i]);
  }
  return 0;
}
