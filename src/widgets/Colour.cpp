// The colour values' one translation to what GDI takes.
#include "widgets/Colour.h"

namespace widgets {

COLORREF ResolveColour(Colour colour) {
  if (colour & kSystemColour) return GetSysColor(static_cast<int>(colour & ~kSystemColour));
  return colour;
}

}  // namespace widgets
