#include "dib/PackedBitmap.h"

#include <cstdint>
#include <limits>

namespace dib {

namespace {

// BITMAPINFOHEADER, little-endian, as the system lays it out.
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kWidthAt = 4, kHeightAt = 8, kBitCountAt = 14, kCompressionAt = 16;
constexpr std::size_t kSizeImageAt = 20, kColoursUsedAt = 32;
constexpr std::uint32_t kUncompressed = 0;  // BI_RGB
constexpr std::uint32_t kBitFields = 3;     // BI_BITFIELDS
constexpr std::size_t kBitMasksSize = 3 * sizeof(std::uint32_t);
constexpr std::size_t kTableEntrySize = 4;  // RGBQUAD
constexpr unsigned kMaxBitsPerPixel = 32;
constexpr unsigned kMaxPalettedBits = 8;
// Rows are padded to whole 32-bit units.
constexpr std::size_t kBitsPerRowUnit = 32;
constexpr std::size_t kBytesPerRowUnit = 4;
constexpr std::size_t kTooMany = std::numeric_limits<std::size_t>::max();

std::uint32_t Unsigned(std::span<const std::byte> bytes, std::size_t at, std::size_t width) {
  std::uint32_t value = 0;
  for (std::size_t i = width; i-- > 0;)
    value = value << 8 | std::to_integer<std::uint32_t>(bytes[at + i]);
  return value;
}

std::int32_t Signed(std::span<const std::byte> bytes, std::size_t at) {
  return static_cast<std::int32_t>(Unsigned(bytes, at, sizeof(std::int32_t)));
}

// Bytes of pixel data the header asks for: what it says for compressed
// ones, what width, height and depth make for the others; kTooMany for a
// product that would wrap, which no bounds check lets through.
std::size_t PixelBytes(std::uint32_t compression, std::uint32_t sizeImage, std::int32_t width,
                       std::int32_t height, unsigned bitCount) {
  if (compression != kUncompressed && compression != kBitFields) return sizeImage;
  std::size_t rowBits = 0;
  if (__builtin_mul_overflow(static_cast<std::size_t>(width), std::size_t{bitCount}, &rowBits) ||
      rowBits > kTooMany - (kBitsPerRowUnit - 1))
    return kTooMany;
  const std::size_t rowBytes = (rowBits + kBitsPerRowUnit - 1) / kBitsPerRowUnit * kBytesPerRowUnit;
  const std::size_t rows = height < 0 ? 0 - static_cast<std::size_t>(height)
                                      : static_cast<std::size_t>(height);
  std::size_t total = 0;
  if (__builtin_mul_overflow(rowBytes, rows, &total)) return kTooMany;
  return total;
}

}  // namespace

std::optional<PackedLayout> CheckPackedBitmap(std::span<const std::byte> bytes) {
  const std::size_t size = bytes.size();
  if (size < kInfoHeaderSize) return std::nullopt;
  const std::size_t headerSize = Unsigned(bytes, 0, sizeof(std::uint32_t));
  const std::int32_t width = Signed(bytes, kWidthAt);
  const std::int32_t height = Signed(bytes, kHeightAt);
  const unsigned bitCount = Unsigned(bytes, kBitCountAt, sizeof(std::uint16_t));
  const std::uint32_t compression = Unsigned(bytes, kCompressionAt, sizeof(std::uint32_t));
  if (headerSize < kInfoHeaderSize || headerSize > size || width <= 0 || height == 0 ||
      bitCount == 0 || bitCount > kMaxBitsPerPixel)
    return std::nullopt;

  PackedLayout layout;
  layout.tableOffset = headerSize;
  if (headerSize == kInfoHeaderSize && compression == kBitFields)
    layout.tableOffset += kBitMasksSize;
  const std::uint32_t coloursUsed = Unsigned(bytes, kColoursUsedAt, sizeof(std::uint32_t));
  layout.tableEntries = coloursUsed                    ? coloursUsed
                        : bitCount <= kMaxPalettedBits ? std::size_t{1} << bitCount
                                                       : 0;
  if (layout.tableOffset > size ||
      layout.tableEntries > (size - layout.tableOffset) / kTableEntrySize)
    return std::nullopt;
  layout.pixelsOffset = layout.tableOffset + layout.tableEntries * kTableEntrySize;
  const std::uint32_t sizeImage = Unsigned(bytes, kSizeImageAt, sizeof(std::uint32_t));
  if (PixelBytes(compression, sizeImage, width, height, bitCount) > size - layout.pixelsOffset)
    return std::nullopt;
  return layout;
}

}  // namespace dib
