// The main window's position against the registry of the test prefix, in
// this process: what building the window reads, and what every way of
// closing it writes, exactly once.
#include <climits>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "mainwindow/PositionStore.h"
#include "support/MainWindowHarness.h"
#include "support/PositionRegistry.h"

namespace {

using namespace zemko_test;

constexpr int kClientWidth = 250;
constexpr int kClientHeightOneRow = 190;
constexpr DWORD kQwordSize = 8;
constexpr std::uint32_t kMinusHundred = 0xFFFFFF9C;  // -100 as 32-bit two's complement

RECT ScreenRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

// Expects a REG_DWORD of 4 bytes holding exactly these bits.
void ExpectStoredDword(const char* name, std::uint32_t expected) {
  EXPECT_EQ(ReadValue(name), DwordValue(name, expected));
}

DWORD ValueCountOfPositionKey() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kPositionKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return 0;
  }
  DWORD values = 0;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                   nullptr, nullptr, nullptr);
  RegCloseKey(key);
  return values;
}

// Every case starts without the program's key and leaves none behind.
class PositionTest : public MainWindowTest {
 protected:
  void BeforeBuild() override {
    DeleteVendorKey();
    Prepare();
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    DeleteVendorKey();
  }
  // What the registry holds when the window is built.
  virtual void Prepare() {}

  void ExpectOpenedAt(int top, int left) {
    EXPECT_EQ(form_->GetTop(), top);
    EXPECT_EQ(form_->GetLeft(), left);
    const RECT rect = ScreenRect(form_->EnsureWindow());
    EXPECT_EQ(rect.top, top);
    EXPECT_EQ(rect.left, left);
    // The position never changes the layout.
    const SIZE client = ClientSize(form_->EnsureWindow());
    EXPECT_EQ(client.cx, kClientWidth);
    EXPECT_EQ(client.cy, kClientHeightOneRow);
  }
};

// ------------------------------------------------------------ restore

struct RestoreCase {
  const char* name;
  bool keyExists;
  std::vector<RawValue> values;
  int top;
  int left;
};
// Names the case in the test list.
void PrintTo(const RestoreCase& value, std::ostream* out) { *out << value.name; }

RawValue QwordValue(const char* name, std::uint64_t value) {
  RawValue raw{name, REG_QWORD, std::vector<BYTE>(kQwordSize)};
  std::memcpy(raw.data.data(), &value, kQwordSize);
  return raw;
}

RawValue BinaryDwordValue(const char* name, std::uint32_t value) {
  RawValue raw = DwordValue(name, value);
  raw.type = REG_BINARY;
  return raw;
}

RawValue BigEndianDwordValue(const char* name, std::uint32_t value) {
  RawValue raw = DwordValue(name, value);
  raw.type = REG_DWORD_BIG_ENDIAN;
  return raw;
}

const RestoreCase kRestoreCases[] = {
    {"NoKeyOpensAtTheOrigin", false, {}, 0, 0},
    {"EmptyKeyOpensAtTheOrigin", true, {}, 0, 0},
    {"BothStored", true, {DwordValue("Top", 120), DwordValue("Left", 340)}, 120, 340},
    {"TopWithoutLeft", true, {DwordValue("Top", 120)}, 120, 0},
    {"LeftWithoutTop", true, {DwordValue("Left", 340)}, 0, 340},
    {"LeftStoredAsText", true, {DwordValue("Top", 50), TextValue("Left", "100")}, 50, 0},
    {"TopStoredAsText", true, {TextValue("Top", "50"), DwordValue("Left", 100)}, 0, 100},
    {"LeftStoredAsBinary", true, {DwordValue("Top", 50), BinaryDwordValue("Left", 100)}, 50, 0},
    {"LeftStoredAsQword", true, {DwordValue("Top", 50), QwordValue("Left", 100)}, 50, 0},
    {"LeftStoredBigEndian", true, {DwordValue("Top", 50), BigEndianDwordValue("Left", 100)}, 50, 0},
    {"NamesIgnoreCase", true, {DwordValue("TOP", 60), DwordValue("left", 70)}, 60, 70},
    {"NegativeLeft", true, {DwordValue("Top", 40), DwordValue("Left", kMinusHundred)}, 40, -100},
    {"OffScreenUnchanged", true, {DwordValue("Top", 5000), DwordValue("Left", 5000)}, 5000, 5000},
    {"FarLeftAndAbove",
     true,
     {DwordValue("Top", static_cast<std::uint32_t>(-3000)),
      DwordValue("Left", static_cast<std::uint32_t>(-2000))},
     -3000,
     -2000},
    // The far edges would pass the largest 32-bit coordinate: the window
    // keeps its size, and the system keeps it within its 16-bit range.
    {"NearTheLargestCoordinate",
     true,
     {DwordValue("Top", 0x7FFFFFF0), DwordValue("Left", 0x7FFFFFF0)},
     SHRT_MAX,
     SHRT_MAX},
};

class PositionRestoreTest : public PositionTest, public ::testing::WithParamInterface<RestoreCase> {
 protected:
  void Prepare() override {
    if (GetParam().keyExists) {
      EXPECT_TRUE(StoreValues(GetParam().values));
    }
  }
};

TEST_P(PositionRestoreTest, OpensWhereTheRegistrySays) {
  ASSERT_EQ(PositionKeyExists(), GetParam().keyExists);
  ExpectOpenedAt(GetParam().top, GetParam().left);
  // Reading creates nothing.
  EXPECT_EQ(PositionKeyExists(), GetParam().keyExists);
}

INSTANTIATE_TEST_SUITE_P(Registry, PositionRestoreTest, ::testing::ValuesIn(kRestoreCases));

// ------------------------------------------------------------ save

// The position store's close handler, called through this one, which counts.
struct CountedClose {
  void* window = nullptr;  // the position store's context
  int calls = 0;
  bool refused = false;
};

void CountedSave(void* context, widgets::Control* sender, bool& accept) {
  auto* counted = static_cast<CountedClose*>(context);
  ++counted->calls;
  mainwindow::SavePosition(counted->window, sender, accept);
  if (!accept) counted->refused = true;
}

// A user's request to close the main window, made while the loop runs.
using CloseRequest = void (*)(const mainwindow::MainWindow& window);

void PostCloseRequest(const mainwindow::MainWindow& window) {
  PostMessageA(window.form->EnsureWindow(), WM_CLOSE, 0, 0);
}

class PositionSaveTest : public PositionTest {
 protected:
  void SetUp() override {
    PositionTest::SetUp();
    ASSERT_EQ(form_->close.fn, &mainwindow::SavePosition)
        << "the position store is not the main window's close handler";
    counted_.window = form_->close.context;
    form_->close = {&CountedSave, &counted_};
  }

  // Where the user left the window, as a drag would leave it.
  void MoveTo(int left, int top) {
    ASSERT_TRUE(SetWindowPos(form_->EnsureWindow(), nullptr, left, top, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
    ASSERT_EQ(form_->GetLeft(), left);
    ASSERT_EQ(form_->GetTop(), top);
  }

  void CloseAndExpectOneSave(CloseRequest request = PostCloseRequest) {
    const HWND main = MainHandle();
    RunInLoop(
        [&] {
          request(Window());
          EXPECT_TRUE(PumpUntil(QuitSeen)) << "the close ends the loop";
        },
        LoopEnd::Quit);
    EXPECT_FALSE(IsWindow(main));
    EXPECT_EQ(counted_.calls, 1);
    EXPECT_FALSE(counted_.refused);
  }

  CountedClose counted_;
};

TEST_F(PositionSaveTest, FirstRunCreatesTheKeyWithTwoDwords) {
  ExpectOpenedAt(0, 0);
  ASSERT_FALSE(PositionKeyExists());
  MoveTo(37, 59);
  CloseAndExpectOneSave();
  ExpectStoredDword("Top", 59);
  ExpectStoredDword("Left", 37);
  EXPECT_EQ(ValueCountOfPositionKey(), 2u);
}

TEST_F(PositionSaveTest, UnmovedWindowIsSavedToo) {
  CloseAndExpectOneSave();
  ExpectStoredDword("Top", 0);
  ExpectStoredDword("Left", 0);
}

TEST_F(PositionSaveTest, NegativeLeftIsSavedAsTwosComplement) {
  MoveTo(-100, 25);
  CloseAndExpectOneSave();
  ExpectStoredDword("Top", 25);
  ExpectStoredDword("Left", kMinusHundred);
}

TEST_F(PositionSaveTest, OffScreenPositionIsSavedUnchanged) {
  MoveTo(5000, 5000);
  CloseAndExpectOneSave();
  ExpectStoredDword("Top", 5000);
  ExpectStoredDword("Left", 5000);
}

// A text value in the way is replaced by a number.
class PositionSaveOverTextTest : public PositionSaveTest {
 protected:
  void Prepare() override {
    EXPECT_TRUE(StoreValues({TextValue("Top", "77"), TextValue("Left", "88")}));
  }
};

TEST_F(PositionSaveOverTextTest, TextValuesBecomeDwords) {
  ExpectOpenedAt(0, 0);
  MoveTo(12, 34);
  CloseAndExpectOneSave();
  ExpectStoredDword("Top", 34);
  ExpectStoredDword("Left", 12);
}

// The system refuses to make a lasting key under a volatile one, so the
// position key can be neither opened nor created.
class UnwritablePositionTest : public PositionSaveTest {
 protected:
  void Prepare() override { EXPECT_TRUE(MakeVendorKeyVolatile()); }
};

TEST_F(UnwritablePositionTest, CloseGoesOnSilently) {
  HKEY probe = nullptr;
  ASSERT_NE(RegCreateKeyExA(HKEY_CURRENT_USER, kPositionKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &probe, nullptr),
            ERROR_SUCCESS)
      << "the platform let the key be created; the case proves nothing";
  ExpectOpenedAt(0, 0);
  MoveTo(40, 50);
  CloseAndExpectOneSave();
  EXPECT_FALSE(PositionKeyExists());
}

// ------------------------------------------------------------ every way of closing

struct ClosePath {
  const char* name;
  CloseRequest request;
};
// Names the case in the test list.
void PrintTo(const ClosePath& value, std::ostream* out) { *out << value.name; }

const ClosePath kClosePaths[] = {
    {"CloseRequest", PostCloseRequest},
    {"CloseButtonClicked", [](const auto& window) { ClickOn(window.closeButton->EnsureWindow()); }},
    {"SystemMenuClose",
     [](const auto& window) {
       PostMessageA(window.form->EnsureWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
     }},
    {"AltF4InTheStakeBox",
     [](const auto& window) {
       const HWND stake = window.stakeBox->EnsureWindow();
       ClickOn(stake);
       ASSERT_TRUE(PumpUntil([&] { return GetFocus() == stake; }));
       InputKeyWithModifier(VK_MENU, VK_F4);
     }},
    {"TaskbarClose",
     [](const auto& window) {
       PostMessageA(window.application->EnsureWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
     }},
    {"TaskbarCloseWhileMinimised",
     [](const auto& window) {
       PostMessageA(window.application->EnsureWindow(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
       PostMessageA(window.application->EnsureWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
     }},
};

class PositionClosePathTest : public PositionSaveTest,
                              public ::testing::WithParamInterface<ClosePath> {};

TEST_P(PositionClosePathTest, SavesThePositionOnce) {
  MoveTo(211, 133);
  CloseAndExpectOneSave(GetParam().request);
  ExpectStoredDword("Top", 133);
  ExpectStoredDword("Left", 211);
}

INSTANTIATE_TEST_SUITE_P(Closing, PositionClosePathTest, ::testing::ValuesIn(kClosePaths));

}  // namespace
