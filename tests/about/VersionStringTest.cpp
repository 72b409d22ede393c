// The version text: read from this program's own version block (the
// program's resources are linked in), and the formatting of the four words.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "about/About.h"
#include "win/Version.h"

namespace {

VS_FIXEDFILEINFO FileVersion(WORD a, WORD b, WORD c, WORD d) {
  VS_FIXEDFILEINFO info{};
  info.dwSignature = VS_FFI_SIGNATURE;
  info.dwStrucVersion = VS_FFI_STRUCVERSION;
  info.dwFileVersionMS = MAKELONG(b, a);
  info.dwFileVersionLS = MAKELONG(d, c);
  info.dwProductVersionMS = info.dwFileVersionMS;
  info.dwProductVersionLS = info.dwFileVersionLS;
  return info;
}

// ---------------------------------------------------------------- own block

TEST(VersionString, IsEmptyBeforeTheBlockIsRead) { EXPECT_EQ("", about::VersionString()); }

TEST(VersionString, GivesTheProgramFileVersion) {
  about::Initialise();
  EXPECT_EQ("1.0.1.3", about::VersionString());
  // Formatted afresh on each call, from the block kept in memory.
  EXPECT_EQ("1.0.1.3", about::VersionString());
  about::Finalise();
}

TEST(VersionString, IsEmptyAgainOnceTheBlockIsReleased) {
  about::Initialise();
  ASSERT_EQ("1.0.1.3", about::VersionString());
  about::Finalise();
  EXPECT_EQ("", about::VersionString());
}

// The record is read from the version resource in this program's image; a
// block cut short, of another key or without the signature gives none.
TEST(VersionString, ReadsTheRecordFromTheImageAndRefusesDamagedBlocks) {
  HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION);
  ASSERT_NE(resource, nullptr);
  const auto* data = static_cast<const std::byte*>(LockResource(LoadResource(nullptr, resource)));
  ASSERT_NE(data, nullptr);
  const std::vector<std::byte> block(data, data + SizeofResource(nullptr, resource));
  const auto info = win::ModuleFixedFileInfo();
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ("1.0.1.3", about::FormatFileVersion(*info));

  constexpr std::size_t kRecordEnd = 40 + sizeof(VS_FIXEDFILEINFO);  // header, key, record
  constexpr std::size_t kKeyByte = 6, kSignatureByte = 40;
  struct Damage {
    const char* what;
    std::size_t size;
    std::size_t flippedByte;  // none past the size
  };
  const Damage damages[] = {
      {"whole", block.size(), SIZE_MAX},
      {"cut inside the record", kRecordEnd - 1, SIZE_MAX},
      {"another key", block.size(), kKeyByte},
      {"no signature", block.size(), kSignatureByte},
  };
  for (const Damage& d : damages) {
    std::vector<std::byte> damaged(block.begin(), block.begin() + d.size);
    if (d.flippedByte < damaged.size()) damaged[d.flippedByte] ^= std::byte{1};
    EXPECT_EQ(win::FixedFileInfoOf(damaged).has_value(),
              d.flippedByte == SIZE_MAX && d.size == block.size())
        << d.what;
  }
}

// ---------------------------------------------------------------- format

struct FormatCase {
  WORD a, b, c, d;
  const char* text;
};

class FormatFileVersion : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatFileVersion, JoinsTheFourWordsWithDots) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(c.text, about::FormatFileVersion(FileVersion(c.a, c.b, c.c, c.d)));
}

INSTANTIATE_TEST_SUITE_P(
    Words, FormatFileVersion,
    ::testing::Values(FormatCase{1, 0, 1, 3, "1.0.1.3"}, FormatCase{0, 0, 0, 0, "0.0.0.0"},
                      // No leading zeros, no sign: words above 32767 are unsigned.
                      FormatCase{2, 10, 0, 65535, "2.10.0.65535"},
                      FormatCase{32768, 32767, 65535, 1, "32768.32767.65535.1"},
                      FormatCase{65535, 65535, 65535, 65535, "65535.65535.65535.65535"},
                      // Each word in its own place: high word first.
                      FormatCase{1, 2, 3, 4, "1.2.3.4"}),
    [](const ::testing::TestParamInfo<FormatCase>& info) {
      std::string name = info.param.text;
      std::replace(name.begin(), name.end(), '.', '_');
      return "Version_" + name;
    });

TEST(FormatFileVersionFields, TakesTheFileVersionNotTheProductVersion) {
  VS_FIXEDFILEINFO info = FileVersion(3, 1, 4, 1);
  info.dwProductVersionMS = MAKELONG(9, 9);
  info.dwProductVersionLS = MAKELONG(9, 9);
  EXPECT_EQ("3.1.4.1", about::FormatFileVersion(info));
}

}  // namespace
