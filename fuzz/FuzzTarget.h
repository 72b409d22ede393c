// One fuzz target a file. Built with -DZEMKO_LIBFUZZER (scripts/fuzz.sh) a
// target is libFuzzer's entry point; in the ordinary build every target is
// a plain function that the smoke test feeds a fixed random stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#ifdef ZEMKO_LIBFUZZER
#define ZEMKO_FUZZ_ENTRY(name)                                                        \
  extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { \
    return name(data, size);                                                          \
  }
#else
#define ZEMKO_FUZZ_ENTRY(name)
#endif

// Declares the target `name` and, for libFuzzer, its entry point; the body
// follows.
#define ZEMKO_FUZZ_TARGET(name)                         \
  int name(const std::uint8_t* data, std::size_t size); \
  ZEMKO_FUZZ_ENTRY(name)                                \
  int name(const std::uint8_t* data, std::size_t size)

// A broken property: libFuzzer keeps the input, the smoke test dies.
#define ZEMKO_FUZZ_CHECK(condition) \
  do {                              \
    if (!(condition)) std::abort(); \
  } while (false)
