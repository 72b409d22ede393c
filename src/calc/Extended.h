// Rounding of extended-precision steps to the stored double.
// Each arithmetic step is carried out in long double (64-bit significand on
// x87) and rounded once, where its value is stored. Overflow is found by an
// explicit check after the store, never by a processor trap.
#pragma once

#include <cmath>

#include "base/Exception.h"

namespace calc {

// Rounds an extended result to double; a value that leaves the double range
// raises the floating-point overflow error.
inline double Store(long double value) {
  const double stored = static_cast<double>(value);
  if (!std::isfinite(stored)) throw base::Exception(base::ErrorKind::FloatOverflow);
  return stored;
}

}  // namespace calc
