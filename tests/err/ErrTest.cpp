// Processor faults and failed assertions become the program's Exception,
// and the error box text names the module and the relative address.
#include "err/Err.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "base/Assert.h"
#include "base/FloatingPoint.h"
#include "win/Format.h"
#include "widgets/Widgets.h"

namespace {

using base::ErrorKind;

class ErrTest : public ::testing::Test {
 protected:
  void SetUp() override { err::Initialise(); }
  void TearDown() override { err::Finalise(); }
};

// Calls the function and returns the exception it raised.
template <typename F>
base::Exception Raised(F&& f) {
  try {
    f();
  } catch (const base::Exception& e) {
    return e;
  }
  ADD_FAILURE() << "no exception";
  return base::Exception(ErrorKind::ExternalException, "none");
}

volatile int* volatile nullPointer = nullptr;
volatile int zero = 0;

__attribute__((noinline)) int ReadThroughNull() { return *nullPointer; }
__attribute__((noinline)) void WriteThroughNull() { *nullPointer = 1; }
volatile int quotient = 0;
__attribute__((noinline)) void Divide(int a) { quotient = a / zero; }
// Far beyond the double range but not the extended one, whose square is not.
volatile long double huge = 1e4000L;
volatile long double square = 0;
__attribute__((noinline)) void SquareHuge() { square = huge * huge; }

std::string ProgramFileName() {
  char path[MAX_PATH + 1];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string full(path, length);
  return full.substr(full.find_last_of('\\') + 1);
}

TEST_F(ErrTest, ReadingThroughANullPointerIsAnAccessViolation) {
  const base::Exception e = Raised([] { ReadThroughNull(); });
  EXPECT_EQ(e.Kind(), ErrorKind::AccessViolation);
  char expected[256];
  std::snprintf(expected, sizeof expected,
                "Access violation at address %08llX in module '%s'. Read of address 00000000",
                static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(e.Address())),
                ProgramFileName().c_str());
  EXPECT_EQ(e.Message(), expected);
}

TEST_F(ErrTest, WritingThroughANullPointerSaysWrite) {
  const base::Exception e = Raised([] { WriteThroughNull(); });
  EXPECT_EQ(e.Kind(), ErrorKind::AccessViolation);
  EXPECT_NE(e.Message().find(". Write of address 00000000"), std::string::npos) << e.Message();
}

TEST_F(ErrTest, IntegerDivisionByZero) {
  const base::Exception e = Raised([] { Divide(7); });
  EXPECT_EQ(e.Kind(), ErrorKind::IntDivideByZero) << e.Message();
  EXPECT_EQ(e.Message(), "Division by zero");
}

TEST_F(ErrTest, LocalsAreReleasedWhileAFaultUnwinds) {
  int released = 0;
  struct Tracker {
    int& released;
    ~Tracker() { ++released; }
  };
  Raised([&] {
    Tracker tracker{released};
    ReadThroughNull();
  });
  EXPECT_EQ(released, 1);
}

TEST_F(ErrTest, TranslationSurvivesReinitialisation) {
  // The handler goes with Finalise and comes back with Initialise.
  err::Finalise();
  err::Initialise();
  EXPECT_EQ(Raised([] { Divide(1); }).Kind(), ErrorKind::IntDivideByZero);
}

TEST_F(ErrTest, FailedAssertionCarriesTextFileAndLine) {
  const base::Exception e = Raised([] { ZEM_ASSERT(1 + 1 == 3, "Error parameter"); });
  EXPECT_EQ(e.Kind(), ErrorKind::AssertionFailed);
  EXPECT_EQ(e.Message().rfind("Error parameter (", 0), 0u) << e.Message();
  EXPECT_NE(e.Message().find("ErrTest.cpp, line "), std::string::npos) << e.Message();
  EXPECT_EQ(base::AssertionMessage("", "a.cpp", 7), "Assertion failed (a.cpp, line 7)");
  EXPECT_EQ(base::AssertionMessage(nullptr, "a.cpp", 7), "Assertion failed (a.cpp, line 7)");
}

TEST_F(ErrTest, ErrorBoxTextNamesModuleAndRelativeAddress) {
  char path[MAX_PATH + 1];
  GetModuleFileNameA(nullptr, path, sizeof path);
  const auto base = reinterpret_cast<std::uintptr_t>(GetModuleHandleA(nullptr));
  const void* inProgram = reinterpret_cast<const void*>(base + 0x1234);
  EXPECT_EQ(err::ErrorBoxText("Boom", inProgram),
            std::string("Exception Exception in module ") + path + " at 00001234.\nBoom");

  // An address in a system module names that module.
  const void* inKernel = reinterpret_cast<const void*>(&GetTickCount);
  EXPECT_NE(err::ErrorBoxText("x", inKernel).find("kernel32.dll"), std::string::npos)
      << err::ErrorBoxText("x", inKernel);

  // Outside every module: the program's file, relative to its code.
  const void* nowhere = reinterpret_cast<const void*>(base - 0x10000);
  EXPECT_EQ(err::ErrorBoxText("y", nowhere),
            std::string("Exception Exception in module ") + path + " at " +
                win::FormatText("%08X", static_cast<unsigned>(0u - 0x10000 - 0x1000)) + ".\ny");
  // Unknown (an error of another type): no address made up from nothing.
  EXPECT_EQ(err::ErrorBoxText("z", nullptr),
            std::string("Exception Exception in module ") + path + " at 00000000.\nz");
}

TEST_F(ErrTest, ErrorBoxTextIsAtMost1024Characters) {
  const std::string text = err::ErrorBoxText(std::string(5000, 'm'), nullptr);
  EXPECT_LE(text.size(), 1024u);
  EXPECT_GT(text.size(), 900u);
}

// 0.1 x 3 / 3 in one extended step: 0.1 again at a 64-bit significand, one
// unit more where the product is rounded to 53 bits.
double TenthTimesThreeOverThree() {
  volatile long double tenth = 0.1;
  volatile long double three = 3;
  return static_cast<double>(tenth * three / three);
}

// A stand-in for a system call that loads a DLL whose start-up sets double
// precision: after it the program's word is back, and so is the last bit.
TEST_F(ErrTest, ForeignCallsLeaveTheProgramsPrecisionBehind) {
  constexpr unsigned short kDoublePrecisionWord = 0x027F;
  constexpr unsigned kSseChopWord = 0x7F80;
  constexpr unsigned kSseFlags = 0x3F;  // raised by any inexact step
  base::LoadProgramFloatingPoint();
  unsigned short inside = 0;
  EXPECT_EQ(base::CallForeign([&] {
              base::LoadFpuControlWord(kDoublePrecisionWord);
              base::LoadSseControlWord(kSseChopWord);
              inside = base::FpuControlWord();
              return 7;
            }),
            7);
  EXPECT_EQ(base::SseControlWord() & ~kSseFlags, base::kSseControlWord);
  EXPECT_EQ(inside, kDoublePrecisionWord);
  EXPECT_EQ(base::FpuControlWord(), base::kFpuControlWord);
  EXPECT_EQ(TenthTimesThreeOverThree(), 0.1);

  // Without the guard the changed precision would stay and cost the bit.
  base::LoadFpuControlWord(kDoublePrecisionWord);
  const double degraded = TenthTimesThreeOverThree();
  base::LoadFpuControlWord(base::kFpuControlWord);
  EXPECT_NE(degraded, 0.1);
}

// With overflow unmasked, as foreign code may leave the word, an overflow
// faults once: its flag is gone from the state the exception unwinds with,
// so the next x87 step runs instead of faulting again.
TEST_F(ErrTest, AnUnmaskedFloatingPointFaultFiresOnce) {
  constexpr unsigned short kOverflowUnmaskedWord = 0x0377;
  base::LoadFpuControlWord(kOverflowUnmaskedWord);
  const base::Exception e = Raised([] { SquareHuge(); });
  bool faultedAgain = false;
  try {
    square = huge / huge;
  } catch (const base::Exception&) {
    faultedAgain = true;
  }
  base::LoadFpuControlWord(base::kFpuControlWord);
  EXPECT_EQ(e.Kind(), ErrorKind::FloatOverflow) << e.Message();
  EXPECT_FALSE(faultedAgain);
  EXPECT_EQ(square, 1);
}

// A fault inside a handler run by the click operation reaches its caller as
// an Exception, not as a crash, and the window procedure was left cleanly.
TEST_F(ErrTest, FaultInAClickedHandlerReachesTheCaller) {
  widgets::Control* form = widgets::CreateForm(nullptr, "Fault");
  widgets::Control* button = widgets::CreateBitmapButton(form,
                                                         {.caption = "",
                                                          .options = widgets::ButtonOption::Flat,
                                                          .layout = widgets::GlyphLayout::Left});
  button->click = {[](void*, widgets::Control*) { ReadThroughNull(); }, nullptr};
  const base::Exception e = Raised([&] { button->Click(); });
  EXPECT_EQ(e.Kind(), ErrorKind::AccessViolation);
  EXPECT_FALSE(widgets::HasPendingException());
  widgets::DestroyControl(form);
}

}  // namespace
