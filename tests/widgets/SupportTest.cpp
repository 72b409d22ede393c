// The toolkit's support routines against the real clipboard and registry of
// the test prefix, and its text helpers.
#include "widgets/Support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "base/Exception.h"
#include "support/ClipboardFill.h"
#include "widgets/WideText.h"

namespace {

using namespace widgets;

// The paste command's delimiters, in its order: CR, TAB, LF.
constexpr std::string_view kPasteDelimiters = "\r\t\n";
constexpr std::size_t kHugeTextSize = 50u * 1024u * 1024u;
constexpr auto kLinearTimeLimit = std::chrono::milliseconds(1000);

// A message-only window of the calling thread, for holding the clipboard.
class OwnWindow {
 public:
  OwnWindow()
      : handle_(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                nullptr, nullptr, nullptr)) {}
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

class SupportClipboardTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (OpenClipboard(nullptr)) {
      EmptyClipboard();
      CloseClipboard();
    }
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

TEST_F(SupportClipboardTest, ReadsPlainTextAndClosesTheClipboard) {
  PutText("1.5\r\n2.1\t3.0\r\n");
  EXPECT_EQ(ReadClipboardText(), "1.5\r\n2.1\t3.0\r\n");
  EXPECT_TRUE(ClipboardFreeForOtherThread());
}

TEST_F(SupportClipboardTest, KeepsCyrillicBytes) {
  const std::string text = "Коэффициент 1,85 ёЁ";
  ASSERT_EQ(static_cast<unsigned char>(text[0]), 0xCA);  // К in Windows-1251
  PutText(text);
  EXPECT_EQ(ReadClipboardText(), text);
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
      {L"\xFF11\xFF0C\xFF15", "???"},      // full-width 1,5
      {L"2\x00B2 \x2082 \x0661", "2? ? ?"},  // superscript, subscript, Arabic digits
      {L"\x2212" L"5", "?5"},                 // the minus sign
      {std::wstring_view(L"a\0b", 3), std::string_view("a\0b", 3)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Narrow(c.wide), c.narrow);
    if (c.narrow.find('?') == std::string_view::npos) {
      EXPECT_EQ(Widen(c.narrow), c.wide);
    }
  }
  // A character beyond the first plane is one '?' or two, never more.
  const std::string emoji = Narrow(L"x\xD83D\xDE00y");
  EXPECT_TRUE(emoji == "x?y" || emoji == "x??y") << emoji;
}

TEST_F(SupportClipboardTest, ReadsUnicodeTextAsWindows1251) {
  ASSERT_TRUE(zemko_test::PutClipboardUnicodeText(L"Сумма 1,5\t\xFF12"));
  EXPECT_EQ(ReadClipboardText(), "Сумма 1,5\t?");
}

TEST_F(SupportClipboardTest, ImageOnlyGivesEmptyText) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HBITMAP bitmap = CreateBitmap(1, 1, 1, 1, nullptr);
  ASSERT_NE(bitmap, nullptr);
  // Owned and freed by the clipboard once set.
  EXPECT_NE(SetClipboardData(CF_BITMAP, bitmap), nullptr);
  CloseClipboard();

  EXPECT_EQ(ReadClipboardText(), "");
  EXPECT_TRUE(ClipboardFreeForOtherThread());
}

TEST_F(SupportClipboardTest, EmptyClipboardGivesEmptyText) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  EXPECT_EQ(ReadClipboardText(), "");
}

TEST_F(SupportClipboardTest, ClipboardHeldByAnotherThreadGivesEmptyText) {
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
  const std::string whileHeld = ReadClipboardText();
  SetEvent(release);
  holder.join();
  CloseHandle(opened);
  CloseHandle(release);

  ASSERT_TRUE(holderOpened);
  EXPECT_EQ(whileHeld, "");
  EXPECT_EQ(ReadClipboardText(), "2.35");
}

TEST_F(SupportClipboardTest, ReadsFiftyMegabytesWhole) {
  std::string text(kHugeTextSize, '\t');
  text[0] = '1';
  text[kHugeTextSize / 2] = '\xC0';
  text[kHugeTextSize - 1] = '9';
  PutText(text);
  const std::string read = ReadClipboardText();
  ASSERT_EQ(read.size(), text.size());
  EXPECT_TRUE(read == text);
}

// ================================================================= registry

// Works under a key of its own below HKCU\software\ZemkoTest and removes it.
class SupportRegistryTest : public ::testing::Test {
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
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  static constexpr const char* kParent = "software\\ZemkoTest";
  std::string path_;
};

TEST_F(SupportRegistryTest, MissingKeyOpensAsZero) {
  EXPECT_EQ(OpenKeyForReading(HKEY_CURRENT_USER, path_), nullptr);
  EXPECT_EQ(OpenKeyForWriting(HKEY_CURRENT_USER, path_), nullptr);
}

TEST_F(SupportRegistryTest, CreateKeyMakesTheWholePathAndReopensIt) {
  const std::string nested = path_ + "\\Vadrex\\Zemko";
  HKEY created = CreateKey(HKEY_CURRENT_USER, nested);
  ASSERT_NE(created, nullptr);
  EXPECT_TRUE(WriteRegistryInteger(created, "Top", 7));
  CloseKey(created);

  HKEY again = CreateKey(HKEY_CURRENT_USER, nested);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(ReadRegistryInteger(again, "Top"), 7);
  CloseKey(again);

  HKEY reading = OpenKeyForReading(HKEY_CURRENT_USER, nested);
  ASSERT_NE(reading, nullptr);
  EXPECT_EQ(ReadRegistryInteger(reading, "Top"), 7);
  CloseKey(reading);
}

TEST_F(SupportRegistryTest, IntegersRoundTripAsTwosComplementDwords) {
  HKEY created = CreateKey(HKEY_CURRENT_USER, path_);
  ASSERT_NE(created, nullptr);
  CloseKey(created);
  HKEY key = OpenKeyForWriting(HKEY_CURRENT_USER, path_);
  ASSERT_NE(key, nullptr);

  for (std::int32_t value : {0, 1, 345, -1, -100, INT_MAX, INT_MIN}) {
    SCOPED_TRACE(value);
    ASSERT_TRUE(WriteRegistryInteger(key, "Left", value));
    EXPECT_EQ(ReadRegistryInteger(key, "Left"), value);
  }

  ASSERT_TRUE(WriteRegistryInteger(key, "Left", -100));
  DWORD type = REG_NONE;
  DWORD raw = 0;
  DWORD size = sizeof raw;
  ASSERT_EQ(RegQueryValueExA(key, "Left", nullptr, &type,
                             reinterpret_cast<BYTE*>(&raw), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(raw, 0xFFFFFF9Cu);
  CloseKey(key);

  HKEY reading = OpenKeyForReading(HKEY_CURRENT_USER, path_);
  ASSERT_NE(reading, nullptr);
  EXPECT_EQ(ReadRegistryInteger(reading, "Left"), -100);
  CloseKey(reading);
}

TEST_F(SupportRegistryTest, KeyOpenedForReadingRefusesWrites) {
  const std::int32_t stored = 12;
  SetRawValue("Top", REG_DWORD, &stored, sizeof stored);
  HKEY key = OpenKeyForReading(HKEY_CURRENT_USER, path_);
  ASSERT_NE(key, nullptr);
  EXPECT_FALSE(WriteRegistryInteger(key, "Top", 99));
  EXPECT_EQ(ReadRegistryInteger(key, "Top"), 12);
  CloseKey(key);
}

TEST_F(SupportRegistryTest, MissingOrForeignValuesReadAsZero) {
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

  HKEY key = OpenKeyForReading(HKEY_CURRENT_USER, path_);
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(ReadRegistryInteger(key, "Top"), 42);  // the key itself is fine
  EXPECT_EQ(ReadRegistryInteger(key, "Left"), 0);
  EXPECT_EQ(ReadRegistryInteger(key, "Short"), 0);
  EXPECT_EQ(ReadRegistryInteger(key, "Long"), 0);
  EXPECT_EQ(ReadRegistryInteger(key, "Binary"), 0);
  EXPECT_EQ(ReadRegistryInteger(key, "Qword"), 0);
  CloseKey(key);
}

TEST_F(SupportRegistryTest, KeyZeroReadsZeroAndWritesNothing) {
  EXPECT_EQ(ReadRegistryInteger(nullptr, "Top"), 0);
  EXPECT_FALSE(WriteRegistryInteger(nullptr, "Top", 5));
  CloseKey(nullptr);
  EXPECT_EQ(OpenKeyForReading(nullptr, "software"), nullptr);
  EXPECT_EQ(CreateKey(nullptr, path_), nullptr);
}

// ============================================================ program files

TEST(SupportModuleDirectoryTest, IsTheProgramPathUpToItsLastBackslash) {
  const std::string path = ModuleFileNameForTest();
  const std::string directory = ModuleDirectory().Text();
  ASSERT_FALSE(directory.empty());
  EXPECT_EQ(directory.back(), '\\');
  ASSERT_EQ(path.compare(0, directory.size(), directory), 0) << path;
  EXPECT_EQ(path.find('\\', directory.size()), std::string::npos) << path;
  EXPECT_LT(directory.size(), path.size());
}

TEST(SupportReplaceExtensionTest, ReplacesOnlyTheFileNamesExtension) {
  EXPECT_EQ(ReplaceExtension("C:\\Zemko\\Zemko.exe", ".hlp"), "C:\\Zemko\\Zemko.hlp");
  EXPECT_EQ(ReplaceExtension("C:\\a.b\\Zemko", ".hlp"), "C:\\a.b\\Zemko.hlp");
  EXPECT_EQ(ReplaceExtension("C:\\x\\Zemko.tar.exe", ".hlp"), "C:\\x\\Zemko.tar.hlp");
  EXPECT_EQ(ReplaceExtension("Zemko", ".hlp"), "Zemko.hlp");
  EXPECT_EQ(ReplaceExtension("C:Zemko.", ".hlp"), "C:Zemko.hlp");
  EXPECT_EQ(ReplaceExtension("", ".hlp"), ".hlp");
}

// Kept in one suite in this order: the default must be seen before any set.
TEST(SupportHelpFileTest, DefaultIsTheProgramPathWithHlpThenTheStoredCopy) {
  const std::string program = ModuleFileNameForTest();
  ASSERT_GT(program.size(), 4u);
  EXPECT_EQ(HelpFilePath().Text(), program.substr(0, program.size() - 4) + ".hlp");

  FilePath path = ModuleDirectory() + "Zemko.hlp";
  const FilePath expected = path;
  SetHelpFile(path);
  path = FilePath("#");  // the stored path is a copy
  EXPECT_EQ(HelpFilePath(), expected);
}

TEST(SupportHelpFileTest, EmptyPathRaisesAndKeepsTheStoredPath) {
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

// ===================================================================== text

TEST(SupportTrimTest, RemovesCodesBelow33AtBothEndsOnly) {
  EXPECT_EQ(Trim(""), "");
  EXPECT_EQ(Trim(" \t\r\n"), "");
  EXPECT_EQ(Trim("  1.5 \r\n"), "1.5");
  EXPECT_EQ(Trim("1 5"), "1 5");
  EXPECT_EQ(Trim("\x01\x1F!\x20"), "!");
  EXPECT_EQ(Trim(std::string_view("\0x\0", 3)), "x");
}

TEST(SupportTrimTest, KeepsWindows1251Letters) {
  // Bytes from 128 up are letters (and 0xA0 a no-break space), not blanks.
  EXPECT_EQ(Trim(" Ёлка "), "Ёлка");
  EXPECT_EQ(Trim("\xA0" "1\xFF"), "\xA0" "1\xFF");
}

struct SplitCase {
  std::string_view text;
  std::string_view head;
  std::string_view rest;
};

TEST(SupportSplitAtDelimiterTest, CutsAtTheFirstDelimiterOfTheSet) {
  const SplitCase cases[] = {
      {"1.5", "1.5", ""},
      {"1.5\t2", "1.5", "2"},
      {"\t2", "", "2"},
      {"", "", ""},
      {"1.5\t", "1.5", ""},
      {"\r\n2.1", "", "\n2.1"},
      {"1.5\n2\t3", "1.5", "2\t3"},
      {"2,35 x", "2,35 x", ""},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(std::string(c.text));
    std::string text(c.text);
    EXPECT_EQ(SplitAtDelimiter(text, kPasteDelimiters), c.head);
    EXPECT_EQ(text, c.rest);
  }
}

TEST(SupportSplitAtDelimiterTest, TakesHighBytesAsDelimitersAndNoSetAsNone) {
  std::string text = "1\xB9" "2\xB9";
  EXPECT_EQ(SplitAtDelimiter(text, "\xB9"), "1");
  EXPECT_EQ(text, "2\xB9");

  std::string whole = "1\t2";
  EXPECT_EQ(SplitAtDelimiter(whole, ""), "1\t2");
  EXPECT_EQ(whole, "");
}

// Runs a SplitAtDelimiter loop and a TextSplitter side by side.
void ExpectSplitterAgrees(std::string_view text, std::string_view delimiters) {
  std::string rest(text);
  TextSplitter splitter(text, delimiters);
  EXPECT_EQ(splitter.Rest(), rest);
  while (!rest.empty()) {
    ASSERT_FALSE(splitter.Done());
    const std::string head = SplitAtDelimiter(rest, delimiters);
    ASSERT_EQ(splitter.Next(), head);
    ASSERT_EQ(splitter.Rest(), rest);
  }
  EXPECT_TRUE(splitter.Done());
  EXPECT_EQ(splitter.Next(), "");
}

TEST(SupportTextSplitterTest, CutsTheSameValuesAsRepeatedSplitAtDelimiter) {
  for (std::string_view text :
       {"", "1.5", "1.5\r\n2.1\r\n3.0\r\n", "1.5\t2.1\t3.0\r\n", "\t\t", "1.5\t\t2",
        "\r\n\r\n", "  \t x \n"}) {
    SCOPED_TRACE(std::string(text));
    ExpectSplitterAgrees(text, kPasteDelimiters);
  }
  ExpectSplitterAgrees("1\xB9" "2\xB9\xB9" "3", "\xB9");
  ExpectSplitterAgrees("1\t2", "");
}

TEST(SupportTextSplitterTest, AgreesOnRandomTexts) {
  std::mt19937 random(20240611);
  const char alphabet[] = {'1', '.', ',', ' ', '\t', '\r', '\n', '\xC0', '\xB9', 'x'};
  std::uniform_int_distribution<std::size_t> pick(0, sizeof alphabet - 1);
  std::uniform_int_distribution<std::size_t> length(0, 40);
  for (int round = 0; round < 500; ++round) {
    std::string text(length(random), ' ');
    for (char& c : text) c = alphabet[pick(random)];
    SCOPED_TRACE(round);
    ExpectSplitterAgrees(text, kPasteDelimiters);
    ExpectSplitterAgrees(text, "\xB9,");
  }
}

// The paste command's worst cases: every byte a delimiter, and a huge tail
// behind the twenty values it takes.
TEST(SupportTextSplitterTest, CutsFiftyMegabytesInLinearTime) {
  const std::string tabs(kHugeTextSize, '\t');
  auto start = std::chrono::steady_clock::now();
  TextSplitter splitter(tabs, kPasteDelimiters);
  std::size_t values = 0;
  std::size_t nonEmpty = 0;
  while (!splitter.Done()) {
    ++values;
    if (!splitter.Next().empty()) ++nonEmpty;
  }
  const auto tabsTime = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(values, kHugeTextSize);
  EXPECT_EQ(nonEmpty, 0u);

  std::string tail;
  for (int i = 1; i <= 20; ++i) tail += std::to_string(i) + ".5\r\n";
  const std::size_t headSize = tail.size();
  tail.append(kHugeTextSize, 'x');
  start = std::chrono::steady_clock::now();
  TextSplitter twenty(tail, kPasteDelimiters);
  std::vector<std::string_view> taken;
  while (!twenty.Done() && taken.size() < 20) {
    const std::string_view value = twenty.Next();
    if (!value.empty()) taken.push_back(value);
  }
  const auto tailTime = std::chrono::steady_clock::now() - start;
  ASSERT_EQ(taken.size(), 20u);
  EXPECT_EQ(taken.front(), "1.5");
  EXPECT_EQ(taken.back(), "20.5");
  // The twentieth value ended at the CR of its line; its LF is still ahead.
  EXPECT_EQ(twenty.Rest().size(), tail.size() - headSize + 1);
  EXPECT_TRUE(twenty.Rest() == std::string_view(tail).substr(headSize - 1));

  const auto ms = [](auto d) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(d).count();
  };
  RecordProperty("tabs_ms", static_cast<int>(ms(tabsTime)));
  RecordProperty("tail_ms", static_cast<int>(ms(tailTime)));
  std::printf("50 MB of tabs: %lld ms; 20 values before 50 MB: %lld ms\n",
              static_cast<long long>(ms(tabsTime)), static_cast<long long>(ms(tailTime)));
  EXPECT_LT(tabsTime, kLinearTimeLimit);
  EXPECT_LT(tailTime, kLinearTimeLimit);
}

// ==================================================================== format

TEST(SupportFormatTextTest, FormatsIntegersAndTexts) {
  EXPECT_EQ(FormatText("%d.%d.%d.%d", 1, 0, 12, 345), "1.0.12.345");
  EXPECT_EQ(FormatText("%d|%u|%s", -5, 7u, "Земко"), "-5|7|Земко");
  EXPECT_EQ(FormatText("%d%%", INT_MIN), "-2147483648%");
  EXPECT_EQ(FormatText(""), "");
}

TEST(SupportFormatTextTest, CutsAtTheSystemLimitOf1024Characters) {
  const std::string longText(3000, 'z');
  const std::string result = FormatText("ab%s", longText.c_str());
  EXPECT_GE(result.size(), 1000u);
  EXPECT_LE(result.size(), 1024u);
  EXPECT_EQ(result.substr(0, 2), "ab");
  EXPECT_EQ(result.find_first_not_of('z', 2), std::string::npos);
}

}  // namespace
