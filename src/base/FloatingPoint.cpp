#include "base/FloatingPoint.h"

namespace base {

namespace {

// The exception flags of the SSE status: a word restored with one of them
// set would keep the foreign code's record of a fault.
constexpr unsigned kSseExceptionFlags = 0x3F;

}  // namespace

// fnclex, not fclex: the waiting form would first raise an exception that
// foreign code left pending and unmasked.
void LoadFpuControlWord(unsigned short word) { asm volatile("fnclex\n\tfldcw %0" : : "m"(word)); }

unsigned short FpuControlWord() {
  unsigned short word;
  asm volatile("fnstcw %0" : "=m"(word));
  return word;
}

void LoadSseControlWord(unsigned word) {
  const unsigned cleared = word & ~kSseExceptionFlags;
  asm volatile("ldmxcsr %0" : : "m"(cleared));
}

unsigned SseControlWord() {
  unsigned word;
  asm volatile("stmxcsr %0" : "=m"(word));
  return word;
}

}  // namespace base
