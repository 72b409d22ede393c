// The real Zemko.exe as a separate process: it opens where the registry
// says, and however its main window is closed it writes the position,
// then ends with exit code 0.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <optional>
#include <ostream>
#include <string>

#include "mainwindow/PositionRegistry.h"
#include "support/Input.h"
#include "support/ZemkoRun.h"

namespace {

constexpr DWORD kSettleMs = 200;
constexpr std::uint32_t kMinusHundred = 0xFFFFFF9C;  // -100 as 32-bit two's complement
// The close button's centre in the main window's client area.
constexpr POINT kCloseButtonCentre = {240, 10};

using zemko_test::ZemkoRun;

std::optional<std::uint32_t> StoredDword(const char* name) {
  const auto value = zemko_test::ReadValue(name);
  if (!value || value->type != REG_DWORD || value->data.size() != sizeof(std::uint32_t)) {
    return std::nullopt;
  }
  std::uint32_t stored = 0;
  std::memcpy(&stored, value->data.data(), sizeof stored);
  return stored;
}

// Real input: the program's thread shares our input state for the whole
// sequence, so the modifiers stay held between the keys.
class SharedInput {
 public:
  explicit SharedInput(DWORD otherThread)
      : otherThread_(otherThread),
        attached_(AttachThreadInput(GetCurrentThreadId(), otherThread, TRUE) != FALSE) {}
  ~SharedInput() {
    if (attached_) AttachThreadInput(GetCurrentThreadId(), otherThread_, FALSE);
  }
  SharedInput(const SharedInput&) = delete;
  SharedInput& operator=(const SharedInput&) = delete;

 private:
  DWORD otherThread_;
  bool attached_;
};

using zemko_test::KeyInput;

INPUT MouseInput(DWORD flags, LONG x, LONG y) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = x;
  input.mi.dy = y;
  input.mi.dwFlags = flags;
  return input;
}

// Absolute mouse coordinates run from 0 to 65535 across the primary screen.
constexpr LONG kAbsoluteRange = 65535;
LONG AbsoluteX(int x) { return MulDiv(x, kAbsoluteRange, GetSystemMetrics(SM_CXSCREEN) - 1); }
LONG AbsoluteY(int y) { return MulDiv(y, kAbsoluteRange, GetSystemMetrics(SM_CYSCREEN) - 1); }

class ProgramPositionTest : public ::testing::Test {
 protected:
  void SetUp() override { zemko_test::DeleteVendorKey(); }
  void TearDown() override { zemko_test::DeleteVendorKey(); }

  static void ExpectSaved(int top, int left) {
    EXPECT_EQ(StoredDword("Top"), static_cast<std::uint32_t>(top));
    EXPECT_EQ(StoredDword("Left"), static_cast<std::uint32_t>(left));
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
  ASSERT_TRUE(zemko_test::StoreValues(
      {zemko_test::DwordValue("Top", 200), zemko_test::DwordValue("Left", 300)}));
  {
    ZemkoRun first(ZEMKO_PROGRAM_PATH);
    ASSERT_TRUE(first.Start());
    EXPECT_EQ(first.MainRect().left, 300);
    EXPECT_EQ(first.MainRect().top, 200);
    ASSERT_TRUE(first.MoveTo(-100, 40));
    PostMessageA(first.MainWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(first.WaitForExit(), 0u);
  }
  EXPECT_EQ(StoredDword("Left"), kMinusHundred);
  ZemkoRun second(ZEMKO_PROGRAM_PATH);
  ASSERT_TRUE(second.Start());
  EXPECT_EQ(second.MainRect().left, -100);
  EXPECT_EQ(second.MainRect().top, 40);
  PostMessageA(second.MainWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(second.WaitForExit(), 0u);
}

TEST_F(ProgramPositionTest, OffScreenPositionOpensUnchanged) {
  ASSERT_TRUE(zemko_test::StoreValues(
      {zemko_test::DwordValue("Top", 5000), zemko_test::DwordValue("Left", 5000)}));
  ZemkoRun run(ZEMKO_PROGRAM_PATH);
  ASSERT_TRUE(run.Start());
  EXPECT_EQ(run.MainRect().left, 5000);
  EXPECT_EQ(run.MainRect().top, 5000);
  PostMessageA(run.MainWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(run.WaitForExit(), 0u);
  ExpectSaved(5000, 5000);
}

TEST_F(ProgramPositionTest, UnwritableKeyStillEndsNormally) {
  ASSERT_TRUE(zemko_test::MakeVendorKeyVolatile());
  ZemkoRun run(ZEMKO_PROGRAM_PATH);
  ASSERT_TRUE(run.Start());
  ASSERT_TRUE(run.MoveTo(60, 70));
  PostMessageA(run.MainWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(run.WaitForExit(), 0u);
  EXPECT_FALSE(zemko_test::PositionKeyExists());
}

// ------------------------------------------------------------ every way of closing

struct ProgramClosePath {
  const char* name;
  void (*request)(ZemkoRun& run);
};
// Names the case in the test list.
void PrintTo(const ProgramClosePath& value, std::ostream* out) { *out << value.name; }

const ProgramClosePath kProgramClosePaths[] = {
    {"CloseRequest", [](ZemkoRun& run) { PostMessageA(run.MainWindow(), WM_CLOSE, 0, 0); }},
    {"SystemMenuClose",
     [](ZemkoRun& run) { PostMessageA(run.MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
    {"TaskbarClose",
     [](ZemkoRun& run) { PostMessageA(run.Application(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
    {"TaskbarCloseWhileMinimised",
     [](ZemkoRun& run) {
       PostMessageA(run.Application(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
       Sleep(kSettleMs);
       PostMessageA(run.Application(), WM_SYSCOMMAND, SC_CLOSE, 0);
     }},
    {"AltF4Keys",
     [](ZemkoRun& run) {
       SharedInput shared(run.ThreadId());
       SetForegroundWindow(run.MainWindow());
       Sleep(kSettleMs);
       INPUT keys[] = {KeyInput(VK_MENU, false), KeyInput(VK_F4, false), KeyInput(VK_F4, true),
                       KeyInput(VK_MENU, true)};
       SendInput(ARRAYSIZE(keys), keys, sizeof(INPUT));
       Sleep(kSettleMs);
     }},
    {"CloseButtonClicked",
     [](ZemkoRun& run) {
       POINT point = kCloseButtonCentre;
       ClientToScreen(run.MainWindow(), &point);
       SetForegroundWindow(run.MainWindow());
       Sleep(kSettleMs);
       constexpr DWORD kMove = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
       INPUT clicks[] = {MouseInput(kMove, AbsoluteX(point.x), AbsoluteY(point.y)),
                         MouseInput(MOUSEEVENTF_LEFTDOWN, 0, 0),
                         MouseInput(MOUSEEVENTF_LEFTUP, 0, 0)};
       SendInput(ARRAYSIZE(clicks), clicks, sizeof(INPUT));
     }},
};

class ProgramClosePathTest : public ProgramPositionTest,
                             public ::testing::WithParamInterface<ProgramClosePath> {};

TEST_P(ProgramClosePathTest, SavesThePositionAndEndsWithCodeZero) {
  ZemkoRun run(ZEMKO_PROGRAM_PATH);
  ASSERT_TRUE(run.Start());
  ASSERT_TRUE(run.MoveTo(211, 133));
  GetParam().request(run);
  EXPECT_EQ(run.WaitForExit(), 0u);
  ExpectSaved(133, 211);
}

INSTANTIATE_TEST_SUITE_P(Closing, ProgramClosePathTest, ::testing::ValuesIn(kProgramClosePaths));

}  // namespace
