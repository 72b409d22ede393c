// The x87 floating-point environment of the process.
#pragma once

namespace base {

// 64-bit significand, rounding to nearest, every exception masked: faults
// are found by explicit checks after each operation, never by traps.
constexpr unsigned short kFpuControlWord = 0x037F;

void LoadFpuControlWord(unsigned short word = kFpuControlWord);
unsigned short FpuControlWord();

// Saves the control word and restores it when the scope ends; window
// creation and foreign code may change it behind the program's back.
class FpuGuard {
 public:
  FpuGuard() : saved_(FpuControlWord()) {}
  ~FpuGuard() { LoadFpuControlWord(saved_); }
  FpuGuard(const FpuGuard&) = delete;
  FpuGuard& operator=(const FpuGuard&) = delete;

 private:
  unsigned short saved_;
};

// Calls into system code that loads other DLLs (the shell, the help viewer):
// their start-up code may set another precision, which would cost a later
// payout its last bit. The program's word is back when the call returns.
template <typename Call>
decltype(auto) CallForeign(Call&& call) {
  FpuGuard guard;
  return call();
}

}  // namespace base
