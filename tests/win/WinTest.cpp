// The Win32 services against the real clipboard and registry of the test
// prefix: the text conversion, libraries, the program's files, formatting.
#include "win/Clipboard.h"
#include "win/Files.h"
#include "win/Format.h"
#include "win/Libraries.h"
#include "win/Registry.h"
#include "win/Sha256.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "base/Exception.h"
#include "support/ClipboardFill.h"
#include "win/WideText.h"

namespace {

using namespace win;

constexpr std::size_t kHugeTextSize = 50u * 1024u * 1024u;

// A message-only window of the calling thread, for holding the clipboard.
class OwnWindow {
 public:
  OwnWindow()
      : handle_(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                nullptr)) {}
  ~OwnWindow() {
    if (handle_) DestroyWindow(handle_);
  }
  OwnWindow(const OwnWindow&) = delete;
  OwnWindow& operator=(const OwnWindow&) = delete;
  HWND Handle() const { return handle_; }

 private:
  HWND handle_;
};

std::string ModuleFileNameForTest() {
  char buffer[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  return std::string(buffer, length);
}

// ================================================================ clipboard

class ClipboardTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (OpenClipboard(nullptr)) {
      EmptyClipboard();
      CloseClipboard();
    }
  }

  static std::optional<std::vector<std::string>> Values(std::vector<std::string> values) {
    return values;
  }

  // Puts the bytes and their zero on the clipboard as CF_TEXT.
  static void PutText(std::string_view text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    ASSERT_NE(memory, nullptr);
    char* data = static_cast<char*>(GlobalLock(memory));
    std::memcpy(data, text.data(), text.size());
    data[text.size()] = '\0';
    GlobalUnlock(memory);
    // The clipboard owns the block from here on.
    EXPECT_NE(SetClipboardData(CF_TEXT, memory), nullptr);
    CloseClipboard();
  }

  // True when another thread can open the clipboard now, that is when no
  // one holds it. The other thread opens it for a window of its own: Wine
  // lets two threads open it at once when neither names a window.
  static bool ClipboardFreeForOtherThread() {
    bool opened = false;
    std::thread other([&opened] {
      OwnWindow window;
      opened = window.Handle() && OpenClipboard(window.Handle());
      if (opened) CloseClipboard();
    });
    other.join();
    return opened;
  }
};

// A library looked up without loading stays as it was; on demand it is
// loaded and its function found. Missing names and libraries give null.
TEST(LibraryFunction, LoadsOnlyOnDemand) {
  const HMODULE before = GetModuleHandleA("winmm.dll");
  void* found = LibraryProcedure("winmm.dll", "timeGetTime", Loading::AlreadyLoaded);
  EXPECT_EQ(found != nullptr, before != nullptr);
  EXPECT_EQ(GetModuleHandleA("winmm.dll"), before);

  using TickFunction = DWORD(WINAPI*)();
  auto timeGetTime = LibraryFunction<TickFunction>("winmm.dll", "timeGetTime", Loading::OnDemand);
  ASSERT_NE(timeGetTime, nullptr);
  EXPECT_NE(GetModuleHandleA("winmm.dll"), nullptr);
  EXPECT_NE(timeGetTime(), 0u);

  EXPECT_EQ(LibraryProcedure("kernel32.dll", "NoSuchFunction", Loading::AlreadyLoaded), nullptr);
  EXPECT_EQ(LibraryProcedure("nosuchlibrary.dll", "Anything", Loading::OnDemand), nullptr);
  EXPECT_EQ(LibraryProcedure("nosuchlibrary.dll", "Anything", Loading::AlreadyLoaded), nullptr);
}

TEST_F(ClipboardTest, ReadsPlainTextAndClosesTheClipboard) {
  PutText("1.5\r\n2.1\t3.0\r\n");
  EXPECT_EQ(ReadPastedValues(), Values({"1.5", "2.1", "3.0"}));
  EXPECT_TRUE(ClipboardFreeForOtherThread());
}

TEST_F(ClipboardTest, KeepsCyrillicBytes) {
  const std::string text = "Коэффициент 1,85 ёЁ";
  ASSERT_EQ(static_cast<unsigned char>(text[0]), 0xCA);  // К in Windows-1251
  PutText(text);
  EXPECT_EQ(ReadPastedValues(), Values({text}));
}

// The boundary to the system: Windows-1251 there and back, and a character
// that code page lacks reads '?', never the digit or sign it looks like.
TEST(WideTextTest, ConvertsWindows1251AndNeverBestFits) {
  struct Case {
    std::wstring_view wide;
    std::string_view narrow;
  };
  const Case cases[] = {
      {L"Коэффициент 1,85 ёЁ №", "Коэффициент 1,85 ёЁ №"},
      {L"", ""},
      // Digits of every script fold to ASCII; the full-width comma does not.
      {L"\xFF11\xFF0C\xFF15", "1?5"},
      {L"2\x00B2 \x2082 \x0661", "2? ? 1"},  // superscript, subscript, Arabic-Indic one
      {L"\x2212"
       L"5",
       "?5"},  // the minus sign
      {std::wstring_view(L"a\0b", 3), std::string_view("a\0b", 3)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Narrow(c.wide), c.narrow);
    if (c.narrow.find('?') == std::string_view::npos) {
      EXPECT_EQ(Widen(c.narrow), c.wide);
    }
  }
  // A character beyond the first plane is one '?', and nothing follows it.
  EXPECT_EQ(Narrow(L"x\xD83D\xDE00y"), "x?y");
}

TEST_F(ClipboardTest, ReadsUnicodeTextAsWindows1251) {
  ASSERT_TRUE(zemko_test::PutClipboardUnicodeText(L"Сумма 1,5\t\xFF12"));
  EXPECT_EQ(ReadPastedValues(), Values({"Сумма 1,5", "2"}));
}

TEST_F(ClipboardTest, ImageOnlyGivesEmptyText) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HBITMAP bitmap = CreateBitmap(1, 1, 1, 1, nullptr);
  ASSERT_NE(bitmap, nullptr);
  // Owned and freed by the clipboard once set.
  EXPECT_NE(SetClipboardData(CF_BITMAP, bitmap), nullptr);
  CloseClipboard();

  EXPECT_EQ(ReadPastedValues(), std::nullopt);
  EXPECT_TRUE(ClipboardFreeForOtherThread());
}

TEST_F(ClipboardTest, EmptyClipboardGivesEmptyText) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  EXPECT_EQ(ReadPastedValues(), std::nullopt);
}

TEST_F(ClipboardTest, ClipboardHeldByAnotherThreadGivesEmptyText) {
  PutText("2.35");
  HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(opened, nullptr);
  ASSERT_NE(release, nullptr);
  bool holderOpened = false;
  std::thread holder([&] {
    OwnWindow window;
    holderOpened = window.Handle() && OpenClipboard(window.Handle());
    SetEvent(opened);
    WaitForSingleObject(release, INFINITE);
    if (holderOpened) CloseClipboard();
  });
  WaitForSingleObject(opened, INFINITE);
  const auto whileHeld = ReadPastedValues();
  SetEvent(release);
  holder.join();
  CloseHandle(opened);
  CloseHandle(release);

  ASSERT_TRUE(holderOpened);
  EXPECT_EQ(whileHeld, std::nullopt);
  EXPECT_EQ(ReadPastedValues(), Values({"2.35"}));
}

// The values are cut where the text lies; only they are converted.
TEST_F(ClipboardTest, CutsFiftyMegabytesWhereTheyLie) {
  std::string text(kHugeTextSize, '\t');
  text[0] = '1';
  text[kHugeTextSize / 2] = '\xC0';
  text[kHugeTextSize - 1] = '9';
  PutText(text);
  EXPECT_EQ(ReadPastedValues(), Values({"1", "\xC0", "9"}));
}

// ================================================================= registry

// Works under a key of its own below HKCU\software\ZemkoTest and removes it.
class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::string(kParent) + "\\" + info->name() + "-" +
            std::to_string(GetCurrentProcessId());
    RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
  }

  void TearDown() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    // Only succeeds once no other run keeps a key below it.
    RegDeleteKeyA(HKEY_CURRENT_USER, kParent);
  }

  // Raw access, bypassing the routines under test.
  void SetRawValue(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  static constexpr const char* kParent = "software\\ZemkoTest";
  std::string path_;
};

TEST_F(RegistryTest, MissingKeyOpensAsNoKey) {
  EXPECT_FALSE(RegistryKey::OpenForReading(HKEY_CURRENT_USER, path_));
  EXPECT_FALSE(RegistryKey::OpenForWriting(HKEY_CURRENT_USER, path_));
}

TEST_F(RegistryTest, CreateKeyMakesTheWholePathAndReopensIt) {
  const std::string nested = path_ + "\\Vadrex\\Zemko";
  {
    const RegistryKey created = RegistryKey::Create(HKEY_CURRENT_USER, nested);
    ASSERT_TRUE(created);
    EXPECT_TRUE(created.WriteInteger("Top", 7));
  }
  const RegistryKey again = RegistryKey::Create(HKEY_CURRENT_USER, nested);
  ASSERT_TRUE(again);
  EXPECT_EQ(again.ReadInteger("Top"), 7);
  const RegistryKey reading = RegistryKey::OpenForReading(HKEY_CURRENT_USER, nested);
  ASSERT_TRUE(reading);
  EXPECT_EQ(reading.ReadInteger("Top"), 7);
}

TEST_F(RegistryTest, IntegersRoundTripAsTwosComplementDwords) {
  ASSERT_TRUE(RegistryKey::Create(HKEY_CURRENT_USER, path_));
  const RegistryKey key = RegistryKey::OpenForWriting(HKEY_CURRENT_USER, path_);
  ASSERT_TRUE(key);

  for (std::int32_t value : {0, 1, 345, -1, -100, INT_MAX, INT_MIN}) {
    SCOPED_TRACE(value);
    ASSERT_TRUE(key.WriteInteger("Left", value));
    EXPECT_EQ(key.ReadInteger("Left"), value);
  }

  ASSERT_TRUE(key.WriteInteger("Left", -100));
  DWORD type = REG_NONE;
  DWORD raw = 0;
  DWORD size = sizeof raw;
  ASSERT_EQ(
      RegQueryValueExA(key.Handle(), "Left", nullptr, &type, reinterpret_cast<BYTE*>(&raw), &size),
      ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(raw, 0xFFFFFF9Cu);

  const RegistryKey reading = RegistryKey::OpenForReading(HKEY_CURRENT_USER, path_);
  ASSERT_TRUE(reading);
  EXPECT_EQ(reading.ReadInteger("Left"), -100);
}

TEST_F(RegistryTest, KeyOpenedForReadingRefusesWrites) {
  const std::int32_t stored = 12;
  SetRawValue("Top", REG_DWORD, &stored, sizeof stored);
  const RegistryKey key = RegistryKey::OpenForReading(HKEY_CURRENT_USER, path_);
  ASSERT_TRUE(key);
  EXPECT_FALSE(key.WriteInteger("Top", 99));
  EXPECT_EQ(key.ReadInteger("Top"), 12);
}

TEST_F(RegistryTest, MissingOrForeignValuesReadAsZero) {
  const char shortText[] = "7";
  const char longText[] = "12345678";
  const std::int32_t binary = 55;
  const std::int64_t qword = 66;
  SetRawValue("Short", REG_SZ, shortText, sizeof shortText);
  SetRawValue("Long", REG_SZ, longText, sizeof longText);
  SetRawValue("Binary", REG_BINARY, &binary, sizeof binary);
  SetRawValue("Qword", REG_QWORD, &qword, sizeof qword);
  const std::int32_t present = 42;
  SetRawValue("Top", REG_DWORD, &present, sizeof present);

  const RegistryKey key = RegistryKey::OpenForReading(HKEY_CURRENT_USER, path_);
  ASSERT_TRUE(key);
  EXPECT_EQ(key.ReadInteger("Top"), 42);  // the key itself is fine
  for (const char* name : {"Left", "Short", "Long", "Binary", "Qword"}) {
    EXPECT_EQ(key.ReadInteger(name), 0) << name;
  }
}

TEST_F(RegistryTest, NoKeyReadsZeroAndWritesNothing) {
  const RegistryKey none;
  EXPECT_EQ(none.ReadInteger("Top"), 0);
  EXPECT_FALSE(none.WriteInteger("Top", 5));
  EXPECT_FALSE(RegistryKey::OpenForReading(nullptr, "software"));
  EXPECT_FALSE(RegistryKey::Create(nullptr, path_));
}

// A key closes itself: one moved on is closed once, by its last owner.
TEST_F(RegistryTest, AKeyClosesItselfOnceWhenItsLastOwnerGoes) {
  HKEY handle = nullptr;
  {
    RegistryKey first = RegistryKey::Create(HKEY_CURRENT_USER, path_);
    ASSERT_TRUE(first);
    handle = first.Handle();
    RegistryKey second = std::move(first);
    EXPECT_FALSE(first);
    EXPECT_EQ(second.Handle(), handle);
    EXPECT_TRUE(second.WriteInteger("Top", 3));
  }
  // The handle is closed: the system no longer takes it.
  DWORD value = 0, size = sizeof value;
  EXPECT_NE(
      RegQueryValueExA(handle, "Top", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size),
      ERROR_SUCCESS);
}

// ============================================================ program files

TEST(ModuleDirectoryTest, IsTheProgramPathUpToItsLastBackslash) {
  const std::string path = ModuleFileNameForTest();
  const std::string directory = ModuleDirectory().Text();
  ASSERT_FALSE(directory.empty());
  EXPECT_EQ(directory.back(), '\\');
  ASSERT_EQ(path.compare(0, directory.size(), directory), 0) << path;
  EXPECT_EQ(path.find('\\', directory.size()), std::string::npos) << path;
  EXPECT_LT(directory.size(), path.size());
}

// Kept in one suite in this order: the default must be seen before any set.
TEST(HelpFileTest, DefaultIsTheProgramPathWithHlpThenTheStoredCopy) {
  const std::string program = ModuleFileNameForTest();
  ASSERT_GT(program.size(), 4u);
  EXPECT_EQ(HelpFilePath().Text(), program.substr(0, program.size() - 4) + ".hlp");

  FilePath path = ModuleDirectory() + "Zemko.hlp";
  const FilePath expected = path;
  SetHelpFile(path);
  path = FilePath("#");  // the stored path is a copy
  EXPECT_EQ(HelpFilePath(), expected);
}

TEST(HelpFileTest, EmptyPathRaisesAndKeepsTheStoredPath) {
  SetHelpFile(FilePath("D:\\Help\\Zemko.hlp"));
  try {
    SetHelpFile(FilePath(""));
    FAIL() << "an empty path was accepted";
  } catch (const base::Exception& e) {
    EXPECT_EQ(e.Kind(), base::ErrorKind::AssertionFailed);
    EXPECT_EQ(e.Message().rfind("Error parameter (Files.cpp, line ", 0), 0u) << e.Message();
  }
  EXPECT_EQ(HelpFilePath().Text(), "D:\\Help\\Zemko.hlp");
}

// ==================================================================== digest

// FIPS 180-4's examples and the lengths around a block's end (55 bytes still
// take their length in the same block, 56 not), fed in pieces of several
// sizes.
struct DigestRow {
  const char* piece;
  std::size_t repeats;
  const char* sha256;
};
const DigestRow kDigestRows[] = {
    {"", 1, "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
    {"abc", 1, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
    {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", 1,
     "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
    {"a", 55, "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
    {"a", 64, "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
    {"a", 1000000, "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
};

TEST(Sha256Test, DigestsOfKnownTextsFedInPiecesOfAnySize) {
  for (const DigestRow& row : kDigestRows) {
    std::string text;
    for (std::size_t i = 0; i < row.repeats; ++i) text += row.piece;
    for (std::size_t piece : {std::size_t{1}, std::size_t{63}, std::size_t{64}, text.size() + 1}) {
      Sha256 digest;
      for (std::size_t at = 0; at < text.size(); at += piece)
        digest.Add(text.data() + at, std::min(piece, text.size() - at));
      std::string hex;
      for (std::uint8_t byte : digest.Finish()) hex += FormatText("%02x", byte);
      EXPECT_EQ(row.sha256, hex) << row.piece << " x " << row.repeats << " in pieces of " << piece;
    }
  }
}

// ==================================================================== format

TEST(FormatTextTest, FormatsIntegersAndTexts) {
  EXPECT_EQ(FormatText("%d.%d.%d.%d", 1, 0, 12, 345), "1.0.12.345");
  EXPECT_EQ(FormatText("%d|%u|%s", -5, 7u, "Земко"), "-5|7|Земко");
  EXPECT_EQ(FormatText("%d%%", INT_MIN), "-2147483648%");
  EXPECT_EQ(FormatText(""), "");
}

TEST(FormatTextTest, CutsAtTheSystemLimitOf1024Characters) {
  const std::string longText(3000, 'z');
  const std::string result = FormatText("ab%s", longText.c_str());
  EXPECT_GE(result.size(), 1000u);
  EXPECT_LE(result.size(), 1024u);
  EXPECT_EQ(result.substr(0, 2), "ab");
  EXPECT_EQ(result.find_first_not_of('z', 2), std::string::npos);
}

}  // namespace
