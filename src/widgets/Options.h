// The named option sets of the controls, alignments and the keys that move
// the focus away from a control.
#pragma once

#include <cstdint>
#include <type_traits>

// Offered but unused by the program, kept for the widget layer's own use:
// the bitmap button's ImageList and Toggle options and glyph layouts other
// than Centre, the edit options other than None, Number and ReadOnly, and
// the Hint fields the program leaves at their defaults (Hints.h).

namespace widgets {

// Where a control sits: left, top, width and height in pixels of its
// parent's client area (the screen's for a form).
struct Place {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// ---------------------------------------------------------------- options

// A set of named option bits: combined with |, asked with Has.
template <typename Option>
inline constexpr bool kIsOptionSet = false;

template <typename Option>
  requires kIsOptionSet<Option>
constexpr Option operator|(Option a, Option b) {
  using Bits = std::underlying_type_t<Option>;
  return static_cast<Option>(static_cast<Bits>(a) | static_cast<Bits>(b));
}

template <typename Option>
  requires kIsOptionSet<Option>
constexpr bool Has(Option set, Option option) {
  using Bits = std::underlying_type_t<Option>;
  return (static_cast<Bits>(set) & static_cast<Bits>(option)) != 0;
}

// Edit options (CreateEditBox). The two scroll options work the other way
// round: a box gets automatic scrolling unless they are given.
enum class EditOption : std::uint16_t {
  None = 0,
  NoHorizontalScroll = 0x0001,
  NoVerticalScroll = 0x0002,
  LowerCase = 0x0004,
  Multiline = 0x0008,  // also 200 x 200, and only Tab leaves the box
  NoHideSelection = 0x0010,
  OemConvert = 0x0020,
  Password = 0x0040,
  ReadOnly = 0x0080,
  UpperCase = 0x0100,
  WantReturn = 0x0200,
  WantTab = 0x0400,  // Tab stays in the box
  Number = 0x0800,   // digits only
};
template <>
inline constexpr bool kIsOptionSet<EditOption> = true;

// Bitmap button options.
enum class ButtonOption : std::uint8_t {
  None = 0,
  ImageList = 1,  // the glyph is an HIMAGELIST, not a bitmap
  Flat = 2,       // no frame and no 3D edge
  NoCaption = 4,  // the caption is kept as the text but not drawn
  Toggle = 8,     // each press flips the button between up and down
};
template <>
inline constexpr bool kIsOptionSet<ButtonOption> = true;

// Where a bitmap button's glyph sits against its caption.
enum class GlyphLayout { Left, Top, Right, Bottom, Centre };

// Text alignment and vertical alignment.
constexpr int kAlignLeft = 0;
constexpr int kAlignRight = 1;
constexpr int kAlignCentre = 2;
constexpr int kVAlignCentre = 0;
constexpr int kVAlignTop = 1;
constexpr int kVAlignBottom = 2;

// Key navigation flags: which keys move the focus away from a control.
constexpr unsigned kNavigateTab = 1;
constexpr unsigned kNavigateLeftRight = 2;
constexpr unsigned kNavigateUpDown = 4;
constexpr unsigned kNavigatePage = 8;

}  // namespace widgets
