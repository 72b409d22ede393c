// The resources linked into this program, loaded the way the program loads
// them: bitmap sizes and formats, the key grey the windows show through, the
// glyph frames and symbols, the icon and the version block.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "ZemResConst.h"

namespace {

constexpr COLORREF kKeyGrey = RGB(204, 204, 204);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr UINT kMaxPaletteColours = 256;
constexpr int kPaletteBitsPerPixel = 8;
constexpr WORD kRussianCodePage = 1251;
// Icon masks hold eight pixels a byte, the leftmost in the top bit.
constexpr int kPixelsPerMaskByte = 8;
constexpr BYTE kLeftmostMaskBit = 0x80;

// Luminance (0..255, in thousandths) below which a pixel counts as ink; the
// help plate's shadow (about 126) is not ink.
constexpr int kInkLuminance = 96 * 1000;

// The link label's part of the logo, inclusive logo pixels.
constexpr int kLinkAreaLeft = 73;
constexpr int kLinkAreaRight = 248;
constexpr int kLinkAreaTop = 4;
constexpr int kLinkAreaBottom = 17;

constexpr int kIconSize = 32;
constexpr BYTE kIconColours = 16;
constexpr WORD kIconBitsPerPixel = 4;
constexpr WORD kIconDirectoryType = 1;  // 1 = icon, 2 = cursor

HMODULE ThisProgram() { return GetModuleHandleA(nullptr); }

// Luminance with the usual video weights (thousandths), as the eye sees ink.
bool IsInk(COLORREF c) {
  return GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114 < kInkLuminance;
}

// The bytes of a resource as linked; nullptr when it is missing.
const BYTE* ResourceBytes(LPCSTR name, LPCSTR type, DWORD* size) {
  HRSRC found = FindResourceA(ThisProgram(), name, type);
  if (!found) return nullptr;
  HGLOBAL loaded = LoadResource(ThisProgram(), found);
  if (!loaded) return nullptr;
  *size = SizeofResource(ThisProgram(), found);
  return static_cast<const BYTE*>(LockResource(loaded));
}

// DIB rows are padded to whole 32-bit words.
DWORD RowStride(LONG width, int bits) { return (width * bits + 31) / 32 * 4; }

// ---------------------------------------------------------------- bitmap reader

// A bitmap resource loaded as a DIB section, so that its stored palette
// indices can be read pixel by pixel through its own colour table.
class PaletteBitmap {
 public:
  explicit PaletteBitmap(int id)
      : handle_(static_cast<HBITMAP>(LoadImageA(ThisProgram(), MAKEINTRESOURCEA(id), IMAGE_BITMAP,
                                                0, 0, LR_CREATEDIBSECTION))) {
    if (!handle_ || GetObjectA(handle_, sizeof dib_, &dib_) != sizeof dib_) return;
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return;
    HGDIOBJ previous = SelectObject(dc, handle_);
    if (previous) {
      colours_ = GetDIBColorTable(dc, 0, kMaxPaletteColours, table_.data());
      SelectObject(dc, previous);
    }
    DeleteDC(dc);
  }
  ~PaletteBitmap() {
    if (handle_) DeleteObject(handle_);
  }
  PaletteBitmap(const PaletteBitmap&) = delete;
  PaletteBitmap& operator=(const PaletteBitmap&) = delete;

  bool Loaded() const { return handle_ && colours_ > 0 && dib_.dsBm.bmBits; }
  int Width() const { return dib_.dsBm.bmWidth; }
  int Height() const { return dib_.dsBm.bmHeight; }
  int BitsPerPixel() const { return dib_.dsBm.bmBitsPixel; }

  // Pixel at column x, row y counted from the top; CLR_INVALID for an index
  // outside the colour table.
  COLORREF At(int x, int y) const {
    const auto* bits = static_cast<const BYTE*>(dib_.dsBm.bmBits);
    int row = dib_.dsBmih.biHeight > 0 ? Height() - 1 - y : y;
    BYTE index = bits[row * dib_.dsBm.bmWidthBytes + x];
    if (index >= colours_) return CLR_INVALID;
    const RGBQUAD& c = table_[index];
    return RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
  }

 private:
  HBITMAP handle_;
  DIBSECTION dib_{};
  std::array<RGBQUAD, kMaxPaletteColours> table_{};
  UINT colours_ = 0;
};

// Runs of ink inside a glyph's frame along one column (or row), as
// first/last pixel pairs, top to bottom (left to right).
std::vector<std::pair<int, int>> InkRuns(const PaletteBitmap& b, int line, bool column) {
  std::vector<std::pair<int, int>> runs;
  int size = column ? b.Height() : b.Width();
  for (int i = 1; i < size - 1; ++i) {
    bool ink = IsInk(column ? b.At(line, i) : b.At(i, line));
    if (!ink) continue;
    if (!runs.empty() && runs.back().second == i - 1) {
      runs.back().second = i;
    } else {
      runs.emplace_back(i, i);
    }
  }
  return runs;
}

// ---------------------------------------------------------------- every bitmap

// A glyph with a black sign on key grey, one with a coloured picture, or the logo.
enum class Kind { Sign, Picture, Logo };

struct BitmapCase {
  const char* name;
  int constant;  // from ZemResConst.h
  int number;    // the identifier the program file must carry
  int width;
  int height;
  Kind kind;
};

const BitmapCase kBitmaps[] = {
    {"About", kAboutGlyph, 8898, 12, 12, Kind::Sign},
    {"Minimise", kMinimiseGlyph, 8899, 12, 12, Kind::Sign},
    {"Close", kCloseGlyph, 8900, 12, 12, Kind::Sign},
    {"Calculate", kCalculateGlyph, 8901, 24, 24, Kind::Sign},
    {"ClearAll", kClearAllGlyph, 8902, 24, 24, Kind::Sign},
    {"Paste", kPasteGlyph, 8903, 24, 24, Kind::Picture},
    {"Help", kHelpGlyph, 8904, 24, 24, Kind::Picture},
    {"Logo", kLogoBitmap, 8950, 250, 40, Kind::Logo},
};

TEST(BitmapResource, HeaderConstantsCarryTheProgramFilesNumbers) {
  for (const BitmapCase& c : kBitmaps) EXPECT_EQ(c.constant, c.number) << c.name;
}

TEST(BitmapResource, EachIsStoredAsBottomUpUncompressedEightBitDib) {
  for (const BitmapCase& c : kBitmaps) {
    SCOPED_TRACE(c.name);
    DWORD size = 0;
    const BYTE* bytes = ResourceBytes(MAKEINTRESOURCEA(c.number), RT_BITMAP, &size);
    ASSERT_NE(bytes, nullptr);
    ASSERT_GE(size, sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER header;
    std::memcpy(&header, bytes, sizeof header);
    EXPECT_EQ(header.biSize, sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(header.biWidth, c.width);
    EXPECT_EQ(header.biHeight, c.height);  // positive: bottom-up
    EXPECT_EQ(header.biBitCount, kPaletteBitsPerPixel);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_GE(header.biClrUsed, 1u);
    EXPECT_LE(header.biClrUsed, kMaxPaletteColours);
    EXPECT_GE(size, header.biSize + header.biClrUsed * sizeof(RGBQUAD) +
                        RowStride(c.width, kPaletteBitsPerPixel) * c.height);
  }
}

TEST(BitmapResource, EachLoadsAsEightBitDibSectionOfItsSize) {
  for (const BitmapCase& c : kBitmaps) {
    SCOPED_TRACE(c.name);
    PaletteBitmap bitmap(c.number);
    ASSERT_TRUE(bitmap.Loaded());
    EXPECT_EQ(bitmap.Width(), c.width);
    EXPECT_EQ(bitmap.Height(), c.height);
    EXPECT_EQ(bitmap.BitsPerPixel(), kPaletteBitsPerPixel);
  }
}

// ---------------------------------------------------------------- glyph frames

TEST(GlyphFrame, EachHasKeyGreyCutOffCorners) {
  for (const BitmapCase& c : kBitmaps) {
    if (c.kind == Kind::Logo) continue;
    SCOPED_TRACE(c.name);
    PaletteBitmap glyph(c.number);
    ASSERT_TRUE(glyph.Loaded());
    int last = glyph.Width() - 1;
    EXPECT_EQ(glyph.At(0, 0), kKeyGrey);
    EXPECT_EQ(glyph.At(last, 0), kKeyGrey);
    EXPECT_EQ(glyph.At(0, last), kKeyGrey);
    EXPECT_EQ(glyph.At(last, last), kKeyGrey);
  }
}

TEST(GlyphFrame, EachHasBlackEdgesBetweenTheCorners) {
  for (const BitmapCase& c : kBitmaps) {
    if (c.kind == Kind::Logo) continue;
    SCOPED_TRACE(c.name);
    PaletteBitmap glyph(c.number);
    ASSERT_TRUE(glyph.Loaded());
    int last = glyph.Width() - 1;
    int wrong = 0;
    for (int i = 1; i < last; ++i) {
      wrong += glyph.At(i, 0) != kBlack;
      wrong += glyph.At(i, last) != kBlack;
      wrong += glyph.At(0, i) != kBlack;
      wrong += glyph.At(last, i) != kBlack;
    }
    EXPECT_EQ(wrong, 0);
  }
}

// The five sign glyphs are black ink on key grey, so the button's surface
// shows all round the sign.
TEST(GlyphFrame, SignGlyphsHoldOnlyKeyGreyAndBlackInside) {
  for (const BitmapCase& c : kBitmaps) {
    if (c.kind != Kind::Sign) continue;
    SCOPED_TRACE(c.name);
    PaletteBitmap glyph(c.number);
    ASSERT_TRUE(glyph.Loaded());
    int grey = 0;
    int other = 0;
    for (int y = 1; y < glyph.Height() - 1; ++y) {
      for (int x = 1; x < glyph.Width() - 1; ++x) {
        COLORREF colour = glyph.At(x, y);
        grey += colour == kKeyGrey;
        other += colour != kKeyGrey && colour != kBlack;
      }
    }
    EXPECT_EQ(other, 0);
    int inside = (glyph.Width() - 2) * (glyph.Height() - 2);
    EXPECT_GT(grey, inside / 2) << "the sign should not fill the glyph";
  }
}

// ---------------------------------------------------------------- glyph symbols

TEST(GlyphSymbol, AboutShowsARing) {
  PaletteBitmap glyph(kAboutGlyph);
  ASSERT_TRUE(glyph.Loaded());
  int middle = glyph.Width() / 2 - 1;
  EXPECT_EQ(glyph.At(middle, middle), kKeyGrey) << "a ring is open in the middle";
  EXPECT_EQ(InkRuns(glyph, middle, true).size(), 2u);
  EXPECT_EQ(InkRuns(glyph, middle, false).size(), 2u);
}

TEST(GlyphSymbol, MinimiseShowsAnUnderscore) {
  PaletteBitmap glyph(kMinimiseGlyph);
  ASSERT_TRUE(glyph.Loaded());
  int middle = glyph.Width() / 2 - 1;
  auto runs = InkRuns(glyph, middle, true);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_GT(runs[0].first, glyph.Height() / 2) << "the bar lies in the lower half";
  EXPECT_TRUE(InkRuns(glyph, middle, false).empty());
}

TEST(GlyphSymbol, CloseShowsACross) {
  PaletteBitmap glyph(kCloseGlyph);
  ASSERT_TRUE(glyph.Loaded());
  int last = glyph.Width() - 1;
  for (int i = 3; i <= last - 3; ++i) {
    EXPECT_TRUE(IsInk(glyph.At(i, i))) << "falling diagonal at " << i;
    EXPECT_TRUE(IsInk(glyph.At(last - i, i))) << "rising diagonal at " << i;
  }
  int middle = glyph.Width() / 2 - 1;
  EXPECT_EQ(glyph.At(middle, 2), kKeyGrey) << "open between the arms";
  EXPECT_EQ(glyph.At(2, middle), kKeyGrey) << "open between the arms";
}

// A bar is a horizontal ink run across at least half the glyph.
void ExpectBars(int id, size_t count) {
  PaletteBitmap glyph(id);
  ASSERT_TRUE(glyph.Loaded());
  int middle = glyph.Width() / 2;
  auto runs = InkRuns(glyph, middle, true);
  ASSERT_EQ(runs.size(), count);
  for (const auto& run : runs) {
    auto across = InkRuns(glyph, run.first, false);
    ASSERT_EQ(across.size(), 1u) << "row " << run.first;
    EXPECT_GE(across[0].second - across[0].first + 1, glyph.Width() / 2);
  }
  // The sign sits in the middle: its bars are as far from the top as from the bottom.
  EXPECT_EQ(runs.front().first - 1, glyph.Height() - 2 - runs.back().second);
}

TEST(GlyphSymbol, CalculateShowsAnEqualsSign) { ExpectBars(kCalculateGlyph, 2); }

TEST(GlyphSymbol, ClearAllShowsAMinusSign) { ExpectBars(kClearAllGlyph, 1); }

TEST(GlyphSymbol, PasteShowsAGreenSheet) {
  PaletteBitmap glyph(kPasteGlyph);
  ASSERT_TRUE(glyph.Loaded());
  int green = 0;
  int grey = 0;
  for (int y = 1; y < glyph.Height() - 1; ++y) {
    for (int x = 1; x < glyph.Width() - 1; ++x) {
      COLORREF c = glyph.At(x, y);
      green += GetGValue(c) > GetRValue(c) + 16 && GetGValue(c) > GetBValue(c) + 16;
      grey += c == kKeyGrey;
    }
  }
  int inside = (glyph.Width() - 2) * (glyph.Height() - 2);
  EXPECT_GE(green, inside / 4);
  EXPECT_EQ(grey, 0) << "the sheet fills the frame";
}

TEST(GlyphSymbol, HelpShowsAQuestionMarkOnGold) {
  PaletteBitmap glyph(kHelpGlyph);
  ASSERT_TRUE(glyph.Loaded());
  int gold = 0;
  for (int y = 1; y < glyph.Height() - 1; ++y) {
    for (int x = 1; x < glyph.Width() - 1; ++x) {
      COLORREF c = glyph.At(x, y);
      gold += GetRValue(c) >= 160 && GetGValue(c) >= 110 && GetRValue(c) > GetBValue(c) + 100;
    }
  }
  int inside = (glyph.Width() - 2) * (glyph.Height() - 2);
  EXPECT_GE(gold, inside * 3 / 4);
  // Down the middle: the hook, the stem and, apart from them, the dot.
  int middle = glyph.Width() / 2 - 1;
  auto runs = InkRuns(glyph, middle, true);
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_GE(runs[2].first - runs[1].second, 2) << "the dot stands apart";
}

// ---------------------------------------------------------------- logo

class Logo : public testing::Test {
 protected:
  PaletteBitmap logo_{kLogoBitmap};
};

TEST_F(Logo, LinkLabelAreaIsAllKeyGrey) {
  ASSERT_TRUE(logo_.Loaded());
  int wrong = 0;
  for (int y = kLinkAreaTop; y <= kLinkAreaBottom; ++y) {
    for (int x = kLinkAreaLeft; x <= kLinkAreaRight; ++x) {
      wrong += logo_.At(x, y) != kKeyGrey;
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST_F(Logo, BackgroundIsKeyGrey) {
  ASSERT_TRUE(logo_.Loaded());
  int right = logo_.Width() - 1;
  int bottom = logo_.Height() - 1;
  EXPECT_EQ(logo_.At(0, 0), kKeyGrey);
  EXPECT_EQ(logo_.At(right, 0), kKeyGrey);
  EXPECT_EQ(logo_.At(0, bottom), kKeyGrey);
  EXPECT_EQ(logo_.At(right, bottom), kKeyGrey);
}

TEST_F(Logo, PictureFillsThePartLeftOfTheLink) {
  ASSERT_TRUE(logo_.Loaded());
  int drawn = 0;
  for (int y = 0; y < logo_.Height(); ++y) {
    for (int x = 0; x < kLinkAreaLeft; ++x) drawn += logo_.At(x, y) != kKeyGrey;
  }
  EXPECT_GE(drawn, kLinkAreaLeft * logo_.Height() / 3);
}

TEST_F(Logo, KeepsToTheWindowsWarmColours) {
  ASSERT_TRUE(logo_.Loaded());
  for (int y = 0; y < logo_.Height(); ++y) {
    for (int x = 0; x < logo_.Width(); ++x) {
      COLORREF c = logo_.At(x, y);
      if (c == kKeyGrey) continue;
      ASSERT_TRUE(GetRValue(c) >= GetGValue(c) && GetGValue(c) >= GetBValue(c))
          << "pixel " << x << "," << y;
    }
  }
}

// ---------------------------------------------------------------- icon

#pragma pack(push, 2)
struct IconGroupHeader {
  WORD reserved;
  WORD type;
  WORD count;
};
struct IconGroupEntry {
  BYTE width;
  BYTE height;
  BYTE colourCount;
  BYTE reserved;
  WORD planes;
  WORD bitCount;
  DWORD bytesInRes;
  WORD id;
};
#pragma pack(pop)

// Every size Windows asks for at the common display scales, 256 as a PNG.
constexpr int kIconSizes[] = {16, 20, 24, 32, 40, 48, 64, 256};
constexpr int kPngIconSize = 256;
constexpr BYTE kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

TEST(MainIcon, LoadsByNameAtEverySize) {
  for (int iconSize : kIconSizes) {
    HICON icon = static_cast<HICON>(
        LoadImageA(ThisProgram(), kMainIcon, IMAGE_ICON, iconSize, iconSize, 0));
    ASSERT_NE(icon, nullptr) << iconSize;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    BITMAP mask{};
    bool haveColour = info.hbmColor && GetObjectA(info.hbmColor, sizeof colour, &colour);
    bool haveMask = info.hbmMask && GetObjectA(info.hbmMask, sizeof mask, &mask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    DestroyIcon(icon);
    ASSERT_TRUE(haveColour) << iconSize;
    ASSERT_TRUE(haveMask) << iconSize;
    EXPECT_EQ(colour.bmWidth, iconSize);
    EXPECT_EQ(colour.bmHeight, iconSize);
    EXPECT_EQ(mask.bmWidth, iconSize);
  }
}

TEST(MainIcon, LoadsWithTheSystemDefaultSize) {
  HICON icon = LoadIconA(ThisProgram(), kMainIcon);
  EXPECT_NE(icon, nullptr);  // shared icon: not destroyed
}

// The group's image of a size, checked for its colour depth; its bytes are
// handed back.
const BYTE* IconImage(int iconSize, DWORD* size) {
  DWORD groupSize = 0;
  const BYTE* group = ResourceBytes(kMainIcon, RT_GROUP_ICON, &groupSize);
  EXPECT_NE(group, nullptr);
  if (!group || groupSize < sizeof(IconGroupHeader)) return nullptr;
  IconGroupHeader header;
  std::memcpy(&header, group, sizeof header);
  EXPECT_EQ(header.type, kIconDirectoryType);
  EXPECT_EQ(header.count, std::size(kIconSizes));
  for (WORD i = 0; i < header.count; ++i) {
    IconGroupEntry entry;
    if (groupSize < sizeof header + (i + 1) * sizeof entry) return nullptr;
    std::memcpy(&entry, group + sizeof header + i * sizeof entry, sizeof entry);
    if (entry.width != iconSize % 256 || entry.height != iconSize % 256) continue;
    if (iconSize != kPngIconSize) {
      EXPECT_EQ(entry.colourCount, kIconColours);
      EXPECT_EQ(entry.bitCount, kIconBitsPerPixel);
    }
    return ResourceBytes(MAKEINTRESOURCEA(entry.id), RT_ICON, size);
  }
  ADD_FAILURE() << "no image of " << iconSize << " pixels";
  return nullptr;
}

TEST(MainIcon, SixteenColourBitmapsUpTo64AndAPngAt256) {
  for (int iconSize : kIconSizes) {
    DWORD size = 0;
    const BYTE* image = IconImage(iconSize, &size);
    ASSERT_NE(image, nullptr) << iconSize;
    if (iconSize == kPngIconSize) {
      ASSERT_GE(size, sizeof kPngSignature);
      EXPECT_EQ(0, std::memcmp(image, kPngSignature, sizeof kPngSignature));
      continue;
    }
    BITMAPINFOHEADER header;
    ASSERT_GE(size, sizeof header);
    std::memcpy(&header, image, sizeof header);
    EXPECT_EQ(header.biWidth, iconSize);
    EXPECT_EQ(header.biHeight, 2 * iconSize);  // colour image and mask
    EXPECT_EQ(header.biBitCount, kIconBitsPerPixel);
  }
}

TEST(MainIcon, CornersAreTransparentAndTheMiddleIsNot) {
  DWORD size = 0;
  const BYTE* image = IconImage(kIconSize, &size);
  ASSERT_NE(image, nullptr);
  DWORD colourBytes = RowStride(kIconSize, kIconBitsPerPixel) * kIconSize;
  DWORD maskOffset = sizeof(BITMAPINFOHEADER) + kIconColours * sizeof(RGBQUAD) + colourBytes;
  DWORD maskStride = RowStride(kIconSize, 1);
  ASSERT_GE(size, maskOffset + maskStride * kIconSize);
  // The mask runs bottom-up; a set bit lets the screen through.
  auto transparent = [&](int x, int y) {
    BYTE bits = image[maskOffset + (kIconSize - 1 - y) * maskStride + x / kPixelsPerMaskByte];
    return (bits & (kLeftmostMaskBit >> (x % kPixelsPerMaskByte))) != 0;
  };
  int last = kIconSize - 1;
  EXPECT_TRUE(transparent(0, 0));
  EXPECT_TRUE(transparent(last, 0));
  EXPECT_TRUE(transparent(0, last));
  EXPECT_TRUE(transparent(last, last));
  EXPECT_FALSE(transparent(kIconSize / 2, kIconSize / 2));
}

// ---------------------------------------------------------------- version block

// This program's version block, read as the About window reads the program's.
class VersionBlock : public testing::Test {
 protected:
  void SetUp() override {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    ASSERT_GT(length, 0u);
    ASSERT_LT(length, static_cast<DWORD>(MAX_PATH));
    DWORD unused = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &unused);
    ASSERT_GT(size, 0u);
    block_.resize(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block_.data()));
  }

  // As Explorer reads it: in UTF-16, through the wide call.
  std::wstring Text(const char* name) {
    const std::wstring query = L"\\StringFileInfo\\041904E3\\" +
                               std::wstring(name, name + std::strlen(name));
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block_.data(), query.c_str(), &value, &length) || !value) return L"(none)";
    return static_cast<const wchar_t*>(value);
  }

  std::vector<BYTE> block_;
};

TEST_F(VersionBlock, FileAndProductVersionAre1_0_1_3) {
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block_.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_NE(fixed, nullptr);
  ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), 1);
  EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), 0);
  EXPECT_EQ(HIWORD(fixed->dwFileVersionLS), 1);
  EXPECT_EQ(LOWORD(fixed->dwFileVersionLS), 3);
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
}

TEST_F(VersionBlock, TranslationIsRussianInCodePage1251) {
  WORD* pair = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block_.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&pair), &length));
  ASSERT_GE(length, 2 * sizeof(WORD));
  EXPECT_EQ(pair[0], MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT));
  EXPECT_EQ(pair[1], kRussianCodePage);
}

// Every field that Explorer's Details tab and Task Manager show.
TEST_F(VersionBlock, StringsNameTheProductItsMakerAndItsVersion) {
  const struct {
    const char* name;
    const wchar_t* text;
  } fields[] = {
      {"FileDescription", L"Земко — калькулятор системных ставок"},
      {"ProductName", L"Zemko"},
      {"CompanyName", L"Vadrex"},
      {"LegalCopyright", L"\u00A9 Vadrex"},
      {"OriginalFilename", L"Zemko.exe"},
      {"InternalName", L"Zemko"},
      {"FileVersion", L"1.0.1.3"},
      {"ProductVersion", L"1.0.1.3"},
  };
  for (const auto& field : fields) {
    EXPECT_EQ(Text(field.name), field.text) << field.name;
  }
}

}  // namespace
