// Fuzz target for the layout checks of a packed bitmap: whatever the header
// says, an accepted layout lies inside the bytes (the sanitizers watch every
// read), and its pixels fit behind its table.
#include <span>

#include "FuzzTarget.h"
#include "dib/PackedBitmap.h"

ZEMKO_FUZZ_TARGET(PackedBitmapFuzz) {
  const auto layout = dib::CheckPackedBitmap(std::as_bytes(std::span(data, size)));
  if (!layout) return 0;
  ZEMKO_FUZZ_CHECK(layout->tableOffset >= 40);
  ZEMKO_FUZZ_CHECK(layout->tableOffset <= layout->pixelsOffset);
  ZEMKO_FUZZ_CHECK(layout->pixelsOffset - layout->tableOffset == layout->tableEntries * 4);
  ZEMKO_FUZZ_CHECK(layout->pixelsOffset <= size);
  return 0;
}
