// The floating-point environment of the process: the x87 unit, where every
// step runs, and SSE, where the doubles live.
#pragma once

namespace base {

// 64-bit significand, rounding to nearest, every exception masked: faults
// are found by explicit checks after each operation, never by traps.
constexpr unsigned short kFpuControlWord = 0x037F;

// Rounding to nearest, every exception masked, no flag raised; denormals are
// neither flushed nor read as zero, so a double underflows gradually as the
// x87 unit's results do.
constexpr unsigned kSseControlWord = 0x1F80;

void LoadFpuControlWord(unsigned short word = kFpuControlWord);
unsigned short FpuControlWord();
// The exception flags of the SSE status word.
constexpr unsigned kSseExceptionFlags = 0x3F;

void LoadSseControlWord(unsigned word = kSseControlWord);
unsigned SseControlWord();

// Both words as the program wants them, with no exception pending: code the
// program does not own (hooks, input methods, COM) runs on its thread and
// may have left another rounding or unmasked an exception.
inline void LoadProgramFloatingPoint() {
  LoadFpuControlWord(kFpuControlWord);
  LoadSseControlWord(kSseControlWord);
}

// Saves both control words and restores them when the scope ends; window
// creation and foreign code may change them behind the program's back.
class FpuGuard {
 public:
  FpuGuard() : x87_(FpuControlWord()), sse_(SseControlWord()) {}
  ~FpuGuard() {
    LoadFpuControlWord(x87_);
    LoadSseControlWord(sse_);
  }
  FpuGuard(const FpuGuard&) = delete;
  FpuGuard& operator=(const FpuGuard&) = delete;

 private:
  unsigned short x87_;
  unsigned sse_;
};

// Calls into system code that loads other DLLs (the shell, the help viewer,
// COM): their start-up code may set another precision or rounding, which
// would cost a later payout its last bit. The program's words are back when
// the call returns.
template <typename Call>
decltype(auto) CallForeign(Call&& call) {
  FpuGuard guard;
  return call();
}

}  // namespace base
