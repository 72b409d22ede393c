#include "commands/Calculate.h"

#include <cstdint>
#include <vector>

#include "calc/NumberText.h"
#include "calc/Payout.h"
#include "commands/CalculatorForm.h"
#include "commands/Messages.h"
#include "base/Exception.h"

namespace zemcoms {

namespace {

using widgets::Control;

// The checks of one run: each failure names its box in the result strip
// and takes the focus there; the last one stays visible.
class Checks {
 public:
  explicit Checks(Control* resultStrip) : resultStrip_(resultStrip) {}

  void Fail(Control* box, const char* message) {
    resultStrip_->SetText(message);
    box->SetFocus(true);
    box->SelectAll();
    failed_ = true;
  }
  bool Failed() const { return failed_; }

 private:
  Control* resultStrip_;
  bool failed_ = false;
};

}  // namespace

void Calculate() {
  CalculatorForm& form = Form();
  Checks checks(form.resultStrip);
  std::vector<double> odds(form.rowCount, 0.0);

  // Every row is examined, also after a bad one. Each read is guarded on
  // its own: whatever goes wrong while the box is read counts as bad input.
  for (std::size_t i = 0; i < odds.size(); ++i) {
    Control* row = form.oddsRows[i];
    try {
      odds[i] = calc::TextToNumber(row->GetText());
    } catch (...) {
      checks.Fail(row, kOddsNotANumber);
    }
  }

  std::int32_t systemSize = 0;
  try {
    systemSize = calc::TextToInteger(form.systemSizeBox->GetText());
  } catch (...) {
    checks.Fail(form.systemSizeBox, kSystemSizeNotANumber);
  }

  double stake = 0.0;
  try {
    stake = calc::TextToNumber(form.stakeBox->GetText());
  } catch (...) {
    checks.Fail(form.stakeBox, kStakeNotANumber);
  }

  std::int32_t comboSize = 0;
  try {
    comboSize = calc::TextToInteger(form.comboSizeBox->GetText());
  } catch (...) {
    checks.Fail(form.comboSizeBox, kComboSizeNotANumber);
  }
  // Only pasted text can bring a sign; no combination has a negative size.
  if (comboSize < 0) checks.Fail(form.comboSizeBox, kComboSizeNotANumber);

  if (comboSize > systemSize) checks.Fail(form.comboSizeBox, kComboSizeAboveSystemSize);

  if (checks.Failed()) return;

  try {
    const double payout = calc::SystemPayout(comboSize, odds, stake, systemSize);
    form.resultStrip->SetText(calc::ResultText(payout));
  } catch (const base::Exception& e) {
    switch (e.Kind()) {
      case base::ErrorKind::SystemTooLarge:
        checks.Fail(form.systemSizeBox, kSystemTooLarge);
        break;
      case base::ErrorKind::FloatOverflow:
      case base::ErrorKind::PayoutTooLarge:
        form.resultStrip->SetText(kPayoutTooLarge);
        break;
      default:
        throw;
    }
  }
}

}  // namespace zemcoms
