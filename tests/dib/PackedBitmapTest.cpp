// The layout of a packed bitmap from its header: where the table and the
// pixels lie, or no layout for a header that asks for more than there is.
#include "dib/PackedBitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

// A BITMAPINFOHEADER with the fields the checks read, and room behind it.
struct Header {
  std::uint32_t size = 40;
  std::int32_t width = 4, height = 4;
  std::uint16_t bitCount = 8;
  std::uint32_t compression = 0, sizeImage = 0, coloursUsed = 0;
};

std::vector<std::byte> Bitmap(const Header& h, std::size_t total) {
  std::vector<std::byte> bytes(std::max<std::size_t>(total, 40));
  auto put = [&](std::size_t at, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) bytes[at + i] = std::byte(value >> (8 * i) & 0xFF);
  };
  put(0, h.size, 4);
  put(4, static_cast<std::uint32_t>(h.width), 4);
  put(8, static_cast<std::uint32_t>(h.height), 4);
  put(12, 1, 2);
  put(14, h.bitCount, 2);
  put(16, h.compression, 4);
  put(20, h.sizeImage, 4);
  put(32, h.coloursUsed, 4);
  bytes.resize(total);
  return bytes;
}

using dib::PackedLayout;

TEST(PackedBitmap, LaysOutWhatFitsAndRefusesWhatDoesNot) {
  constexpr std::size_t kFull8Bit = 40 + 256 * 4 + 16;  // 4 x 4, rows of 4 bytes
  struct Case {
    const char* name;
    Header header;
    std::size_t total;
    std::optional<PackedLayout> layout;
  };
  const Case cases[] = {
      {"EightBitsWithTheirTable", {}, kFull8Bit, PackedLayout{40, 256, 40 + 1024}},
      {"OneByteShort", {}, kFull8Bit - 1, std::nullopt},
      {"TopDown", {.height = -4}, kFull8Bit, PackedLayout{40, 256, 40 + 1024}},
      {"SixteenColoursUsed", {.coloursUsed = 16}, 40 + 64 + 16, PackedLayout{40, 16, 104}},
      {"TwentyFourBitsWithoutTable", {.bitCount = 24}, 40 + 48, PackedLayout{40, 0, 40}},
      {"BitFieldsMasksBeforeTheTable",
       {.bitCount = 32, .compression = 3},
       40 + 12 + 64,
       PackedLayout{52, 0, 52}},
      {"NoWidth", {.width = 0}, kFull8Bit, std::nullopt},
      {"NoHeight", {.height = 0}, kFull8Bit, std::nullopt},
      {"ThirtyThreeBits", {.bitCount = 33}, kFull8Bit, std::nullopt},
      {"HeaderLargerThanTheBytes", {.size = 5000}, kFull8Bit, std::nullopt},
      {"TableBeyondTheBytes", {.coloursUsed = 0x40000000}, kFull8Bit, std::nullopt},
      {"RowsThatWouldWrap", {.width = 0x7FFFFFFF, .height = 0x7FFFFFFF}, kFull8Bit, std::nullopt},
      {"CompressedTakesItsOwnSize", {.compression = 1, .sizeImage = 17}, kFull8Bit, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(dib::CheckPackedBitmap(Bitmap(c.header, c.total)), c.layout) << c.name;
  }
  EXPECT_EQ(dib::CheckPackedBitmap({}), std::nullopt);
}

}  // namespace
