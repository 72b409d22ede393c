// Packed bitmaps, as a bitmap resource holds them: a header, bit masks for
// some, a colour table, then the pixels. Whatever the bytes say is checked
// here against how many there are, before the system reads any of them: a
// pure function, tested and fuzzed on the host.
#pragma once

#include <cstddef>
#include <optional>
#include <span>

namespace dib {

// Where the parts lie, in bytes from the start.
struct PackedLayout {
  std::size_t tableOffset = 0;   // the colour table's first entry
  std::size_t tableEntries = 0;  // four bytes each: blue, green, red, unused
  std::size_t pixelsOffset = 0;  // the pixels follow the header and the table
  bool operator==(const PackedLayout&) const = default;
};

// The layout of a packed bitmap, or nothing when its header is no bitmap
// header (too short, not wider than 0, of no height, of no or more than 32
// bits a pixel) or asks for more bytes than there are.
std::optional<PackedLayout> CheckPackedBitmap(std::span<const std::byte> bytes);

}  // namespace dib
