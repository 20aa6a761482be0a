// The default system palette and colour resolution.
#include "platform/Colors.h"

namespace platform {

TColor DefaultSystemRGB(int index) {
  switch (index) {
    case 0: return RGB(0xC8, 0xC8, 0xC8);
    case 1: return RGB(0x00, 0x80, 0x80);
    case 2: return RGB(0x00, 0x00, 0x80);
    case 5: return clWhite;
    case 6: return clBlack;
    case 8: return clBlack;
    case 13: return RGB(0x00, 0x00, 0x80);
    case 14: return clWhite;
    case 15: return clSilver;
    case 16: return clGray;
    case 17: return clGray;
    case 18: return clBlack;
    case 20: return clWhite;
    case 23: return clBlack;
    case 24: return RGB(0xFF, 0xFF, 0xE1);
    default: return clSilver;
  }
}

TColor ResolveColor(TColor c, const ColorPalette* palette) {
  if (!IsSystemColor(c)) return c & 0xFFFFFF;
  const int index = SystemColorIndex(c);
  return palette ? palette->SystemRGB(index) : DefaultSystemRGB(index);
}

}  // namespace platform
