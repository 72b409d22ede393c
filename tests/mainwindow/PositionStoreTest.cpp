// The main window's position against the registry of the test prefix, in
// this process: what building the window reads, and what every way of
// closing it writes, exactly once.
#include <cstring>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "mainwindow/PositionStore.h"
#include "support/Design.h"
#include "support/Input.h"
#include "support/MainWindowHarness.h"
#include "support/WindowTestSupport.h"
#include "mainwindow/PositionRegistry.h"
#include "support/WindowTestSupport.h"

namespace {

using zemko_test::DwordValue;
using zemko_test::RawValue;
using zemko_test::TextValue;

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
  const std::optional<RawValue> value = zemko_test::ReadValue(name);
  ASSERT_TRUE(value.has_value()) << name << " is missing";
  EXPECT_EQ(value->type, static_cast<DWORD>(REG_DWORD)) << name;
  ASSERT_EQ(value->data.size(), sizeof expected) << name;
  std::uint32_t stored = 0;
  std::memcpy(&stored, value->data.data(), sizeof stored);
  EXPECT_EQ(stored, expected) << name;
}

DWORD ValueCountOfPositionKey() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, zemko_test::kPositionKeyPath, 0, KEY_READ, &key) !=
      ERROR_SUCCESS) {
    return 0;
  }
  DWORD values = 0;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                   nullptr, nullptr, nullptr);
  RegCloseKey(key);
  return values;
}

// Every case starts without the program's key and leaves none behind.
class PositionTest : public zemko_test::MainWindowTest {
 protected:
  void BeforeBuild() override {
    zemko_test::DeleteVendorKey();
    Prepare();
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    zemko_test::DeleteVendorKey();
  }
  // What the registry holds when the window is built.
  virtual void Prepare() {}

  void ExpectOpenedAt(int top, int left) {
    EXPECT_EQ(form_->GetTop(), top);
    EXPECT_EQ(form_->GetLeft(), left);
    const RECT rect = ScreenRect(form_->Handle());
    EXPECT_EQ(rect.top, top);
    EXPECT_EQ(rect.left, left);
    // The position never changes the layout.
    const SIZE client = zemko_test::ClientSize(form_->Handle());
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
    {"LeftStoredBigEndian", true, {DwordValue("Top", 50), BigEndianDwordValue("Left", 100)}, 50,
     0},
    {"NamesIgnoreCase", true, {DwordValue("TOP", 60), DwordValue("left", 70)}, 60, 70},
    {"NegativeLeft", true, {DwordValue("Top", 40), DwordValue("Left", kMinusHundred)}, 40, -100},
    {"OffScreenUnchanged", true, {DwordValue("Top", 5000), DwordValue("Left", 5000)}, 5000, 5000},
    {"FarLeftAndAbove", true,
     {DwordValue("Top", static_cast<std::uint32_t>(-3000)),
      DwordValue("Left", static_cast<std::uint32_t>(-2000))},
     -3000, -2000},
};

class PositionRestoreTest : public PositionTest, public ::testing::WithParamInterface<RestoreCase> {
 protected:
  void Prepare() override {
    if (GetParam().keyExists) {
      EXPECT_TRUE(zemko_test::StoreValues(GetParam().values));
    }
  }
};

TEST_P(PositionRestoreTest, OpensWhereTheRegistrySays) {
  ASSERT_EQ(zemko_test::PositionKeyExists(), GetParam().keyExists);
  ExpectOpenedAt(GetParam().top, GetParam().left);
  // Reading creates nothing.
  EXPECT_EQ(zemko_test::PositionKeyExists(), GetParam().keyExists);
}

INSTANTIATE_TEST_SUITE_P(Registry, PositionRestoreTest, ::testing::ValuesIn(kRestoreCases));

// ------------------------------------------------------------ save

struct SaveLog {
  int calls = 0;
  bool refused = false;
};
SaveLog gSaveLog;

// Passes the close request on to the position store and counts it.
void CountedSave(void* context, widgets::Control* sender, bool& accept) {
  ++gSaveLog.calls;
  mainwindow::SavePosition(context, sender, accept);
  if (!accept) gSaveLog.refused = true;
}

class PositionSaveTest : public PositionTest {
 protected:
  void SetUp() override {
    PositionTest::SetUp();
    gSaveLog = {};
    ASSERT_EQ(form_->close.fn, &mainwindow::SavePosition)
        << "the position store is not the main window's close handler";
    form_->close.fn = &CountedSave;
  }

  // Where the user left the window, as a drag would leave it.
  void MoveTo(int left, int top) {
    ASSERT_TRUE(SetWindowPos(form_->Handle(), nullptr, left, top, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
    ASSERT_EQ(form_->GetLeft(), left);
    ASSERT_EQ(form_->GetTop(), top);
  }

  void CloseAndExpectOneSave() {
    RunUntilClosed();
    EXPECT_EQ(gSaveLog.calls, 1);
    EXPECT_FALSE(gSaveLog.refused);
  }
};

TEST_F(PositionSaveTest, FirstRunCreatesTheKeyWithTwoDwords) {
  ExpectOpenedAt(0, 0);
  ASSERT_FALSE(zemko_test::PositionKeyExists());
  MoveTo(37, 59);
  PostMessageA(form_->Handle(), WM_CLOSE, 0, 0);
  CloseAndExpectOneSave();
  ExpectStoredDword("Top", 59);
  ExpectStoredDword("Left", 37);
  EXPECT_EQ(ValueCountOfPositionKey(), 2u);
}

TEST_F(PositionSaveTest, UnmovedWindowIsSavedToo) {
  PostMessageA(form_->Handle(), WM_CLOSE, 0, 0);
  CloseAndExpectOneSave();
  ExpectStoredDword("Top", 0);
  ExpectStoredDword("Left", 0);
}

TEST_F(PositionSaveTest, NegativeLeftIsSavedAsTwosComplement) {
  MoveTo(-100, 25);
  PostMessageA(form_->Handle(), WM_CLOSE, 0, 0);
  CloseAndExpectOneSave();
  ExpectStoredDword("Top", 25);
  ExpectStoredDword("Left", kMinusHundred);
}

TEST_F(PositionSaveTest, OffScreenPositionIsSavedUnchanged) {
  MoveTo(5000, 5000);
  PostMessageA(form_->Handle(), WM_CLOSE, 0, 0);
  CloseAndExpectOneSave();
  ExpectStoredDword("Top", 5000);
  ExpectStoredDword("Left", 5000);
}

// A text value in the way is replaced by a number.
class PositionSaveOverTextTest : public PositionSaveTest {
 protected:
  void Prepare() override {
    EXPECT_TRUE(zemko_test::StoreValues({TextValue("Top", "77"), TextValue("Left", "88")}));
  }
};

TEST_F(PositionSaveOverTextTest, TextValuesBecomeDwords) {
  ExpectOpenedAt(0, 0);
  MoveTo(12, 34);
  PostMessageA(form_->Handle(), WM_CLOSE, 0, 0);
  CloseAndExpectOneSave();
  ExpectStoredDword("Top", 34);
  ExpectStoredDword("Left", 12);
}

// The system refuses to make a lasting key under a volatile one, so the
// position key can be neither opened nor created.
class UnwritablePositionTest : public PositionSaveTest {
 protected:
  void Prepare() override { EXPECT_TRUE(zemko_test::MakeVendorKeyVolatile()); }
};

TEST_F(UnwritablePositionTest, CloseGoesOnSilently) {
  HKEY probe = nullptr;
  ASSERT_NE(RegCreateKeyExA(HKEY_CURRENT_USER, zemko_test::kPositionKeyPath, 0, nullptr,
                            REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &probe, nullptr),
            ERROR_SUCCESS)
      << "the platform let the key be created; the case proves nothing";
  ExpectOpenedAt(0, 0);
  MoveTo(40, 50);
  PostMessageA(form_->Handle(), WM_CLOSE, 0, 0);
  CloseAndExpectOneSave();
  EXPECT_FALSE(zemko_test::PositionKeyExists());
}

// ------------------------------------------------------------ every way of closing

struct ClosePath {
  const char* name;
  void (*request)(const mainwindow::MainWindow& form);
};
// Names the case in the test list.
void PrintTo(const ClosePath& value, std::ostream* out) { *out << value.name; }

// Key data of an F4 press with Alt held: one repeat, F4's scan code, and
// the context bit that says Alt is down.
constexpr LPARAM kOneRepeat = 1;
constexpr LPARAM kF4ScanCode = 0x3E;
constexpr LPARAM kAltF4KeyData = kOneRepeat | (kF4ScanCode << 16) | (KF_ALTDOWN << 16);

const ClosePath kClosePaths[] = {
    {"CloseRequest",
     [](const auto& form) { PostMessageA(form.form->Handle(), WM_CLOSE, 0, 0); }},
    {"CloseButton", [](const auto& form) { form.closeButton->Click(); }},
    {"SystemMenuClose",
     [](const auto& form) {
       PostMessageA(form.form->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
     }},
    {"AltF4InTheStakeBox",
     [](const auto& form) {
       PostMessageA(form.stakeBox->Handle(), WM_SYSKEYDOWN, VK_F4, kAltF4KeyData);
     }},
    {"TaskbarClose",
     [](const auto& form) {
       PostMessageA(form.application->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
     }},
    {"TaskbarCloseWhileMinimised",
     [](const auto& form) {
       PostMessageA(form.application->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
       PostMessageA(form.application->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
     }},
};

class PositionClosePathTest : public PositionSaveTest,
                              public ::testing::WithParamInterface<ClosePath> {};

TEST_P(PositionClosePathTest, SavesThePositionOnce) {
  MoveTo(211, 133);
  GetParam().request(Window());
  CloseAndExpectOneSave();
  ExpectStoredDword("Top", 133);
  ExpectStoredDword("Left", 211);
}

INSTANTIATE_TEST_SUITE_P(Closing, PositionClosePathTest, ::testing::ValuesIn(kClosePaths));

}  // namespace
