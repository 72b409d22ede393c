#include "base/FloatingPoint.h"

namespace base {

void LoadFpuControlWord(unsigned short word) { asm volatile("fclex\n\tfldcw %0" : : "m"(word)); }

unsigned short FpuControlWord() {
  unsigned short word;
  asm volatile("fnstcw %0" : "=m"(word));
  return word;
}

}  // namespace base
