// Identifiers of the program's resources, read by the code and by Zemko.rc.
// The resource compiler cannot read C++ constants, so each number is a macro
// here once and the code uses the constants below it.
#pragma once

#define ZEMRES_ABOUT_GLYPH 8898
#define ZEMRES_MINIMISE_GLYPH 8899
#define ZEMRES_CLOSE_GLYPH 8900
#define ZEMRES_CALCULATE_GLYPH 8901
#define ZEMRES_CLEAR_ALL_GLYPH 8902
#define ZEMRES_PASTE_GLYPH 8903
#define ZEMRES_HELP_GLYPH 8904
#define ZEMRES_LOGO_BITMAP 8950

#ifndef RC_INVOKED

// ---------------------------------------------------------------- bitmaps

// Caption strip buttons: 12 x 12 glyphs.
constexpr int kAboutGlyph = ZEMRES_ABOUT_GLYPH;
constexpr int kMinimiseGlyph = ZEMRES_MINIMISE_GLYPH;
constexpr int kCloseGlyph = ZEMRES_CLOSE_GLYPH;

// Bottom buttons: 24 x 24 glyphs.
constexpr int kCalculateGlyph = ZEMRES_CALCULATE_GLYPH;
constexpr int kClearAllGlyph = ZEMRES_CLEAR_ALL_GLYPH;
constexpr int kPasteGlyph = ZEMRES_PASTE_GLYPH;
constexpr int kHelpGlyph = ZEMRES_HELP_GLYPH;

// Logo under the caption strip, 250 x 40.
constexpr int kLogoBitmap = ZEMRES_LOGO_BITMAP;

constexpr int kCaptionGlyphSize = 12;
constexpr int kBottomGlyphSize = 24;
constexpr int kLogoWidth = 250;
constexpr int kLogoHeight = 40;

// ---------------------------------------------------------------- icon

// The program icon, a named resource; the window classes take it by this name.
constexpr char kMainIcon[] = "MAINICON";

#endif  // RC_INVOKED
