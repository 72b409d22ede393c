#include "base/FloatingPoint.h"

namespace base {

// fnclex, not fclex: the waiting form would first raise an exception that
// foreign code left pending and unmasked.
void LoadFpuControlWord(unsigned short word) { asm volatile("fnclex\n\tfldcw %0" : : "m"(word)); }

unsigned short FpuControlWord() {
  unsigned short word;
  asm volatile("fnstcw %0" : "=m"(word));
  return word;
}

void LoadSseControlWord(unsigned word) {
  // A word restored with a flag set would keep the foreign code's record of
  // a fault.
  const unsigned cleared = word & ~kSseExceptionFlags;
  asm volatile("ldmxcsr %0" : : "m"(cleared));
}

unsigned SseControlWord() {
  unsigned word;
  asm volatile("stmxcsr %0" : "=m"(word));
  return word;
}

}  // namespace base
