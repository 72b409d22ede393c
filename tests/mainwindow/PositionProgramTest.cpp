// The real Zemko.exe as a separate process: it opens where the registry
// says, and when its main window is closed it writes the position, then
// ends with exit code 0. (Every way of closing is tried in the test's own
// process, by PositionClosePathTest.)
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>

#include "support/PositionRegistry.h"
#include "support/ZemkoRun.h"

namespace {

using namespace zemko_test;

constexpr std::uint32_t kMinusHundred = 0xFFFFFF9C;  // -100 as 32-bit two's complement

class ProgramPositionTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteVendorKey(); }
  void TearDown() override { DeleteVendorKey(); }

  static void ExpectSaved(int top, int left) {
    EXPECT_EQ(ReadValue("Top"), DwordValue("Top", static_cast<std::uint32_t>(top)));
    EXPECT_EQ(ReadValue("Left"), DwordValue("Left", static_cast<std::uint32_t>(left)));
  }
};

TEST_F(ProgramPositionTest, FirstRunOpensAtTheOriginAndCloseCreatesTheKey) {
  ZemkoRun run(ZEMKO_PROGRAM_PATH);
  ASSERT_TRUE(run.Start());
  EXPECT_EQ(run.MainRect().left, 0);
  EXPECT_EQ(run.MainRect().top, 0);
  ASSERT_TRUE(run.MoveTo(150, 120));
  PostMessageA(run.MainWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(run.WaitForExit(), 0u);
  ExpectSaved(120, 150);
}

TEST_F(ProgramPositionTest, ReopensWhereItWasClosedLeftOfTheScreen) {
  ASSERT_TRUE(StoreValues({DwordValue("Top", 200), DwordValue("Left", 300)}));
  {
    ZemkoRun first(ZEMKO_PROGRAM_PATH);
    ASSERT_TRUE(first.Start());
    EXPECT_EQ(first.MainRect().left, 300);
    EXPECT_EQ(first.MainRect().top, 200);
    ASSERT_TRUE(first.MoveTo(-100, 40));
    PostMessageA(first.MainWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(first.WaitForExit(), 0u);
  }
  EXPECT_EQ(ReadValue("Left"), DwordValue("Left", kMinusHundred));
  ZemkoRun second(ZEMKO_PROGRAM_PATH);
  ASSERT_TRUE(second.Start());
  EXPECT_EQ(second.MainRect().left, -100);
  EXPECT_EQ(second.MainRect().top, 40);
  PostMessageA(second.MainWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(second.WaitForExit(), 0u);
}

TEST_F(ProgramPositionTest, OffScreenPositionOpensUnchanged) {
  ASSERT_TRUE(StoreValues({DwordValue("Top", 5000), DwordValue("Left", 5000)}));
  ZemkoRun run(ZEMKO_PROGRAM_PATH);
  ASSERT_TRUE(run.Start());
  EXPECT_EQ(run.MainRect().left, 5000);
  EXPECT_EQ(run.MainRect().top, 5000);
  PostMessageA(run.MainWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(run.WaitForExit(), 0u);
  ExpectSaved(5000, 5000);
}

TEST_F(ProgramPositionTest, UnwritableKeyStillEndsNormally) {
  ASSERT_TRUE(MakeVendorKeyVolatile());
  ZemkoRun run(ZEMKO_PROGRAM_PATH);
  ASSERT_TRUE(run.Start());
  ASSERT_TRUE(run.MoveTo(60, 70));
  PostMessageA(run.MainWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(run.WaitForExit(), 0u);
  EXPECT_FALSE(PositionKeyExists());
}

}  // namespace
