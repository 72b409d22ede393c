// Resource ids of the widget tests' bitmaps (made by WidgetsTestResources.py).
#pragma once

#define kGlyph12Resource 101      // 12 x 12: frame, red centre, near-grey pixel at (2, 2)
#define kGlyph24Resource 102      // 24 x 24, drawn the same way
#define kTwoGlyphsResource 103    // 24 x 12: a green-centred glyph, then a blue-centred one
#define kLogoResource 104         // 4 x 2: key grey at both ends of each row
#define kTruncatedResource 105    // glyph12 with its last 20 bytes of pixels cut off
#define kHugePaletteResource 106  // glyph12 claiming 0x40000001 colours
#define kWideRowResource 107   // glyph12 0x20000001 pixels wide: width times bits wraps in 32 bits
#define kHugeRowsResource 108  // 2^24 by 256 pixels: row bytes times rows wraps in 32 bits
