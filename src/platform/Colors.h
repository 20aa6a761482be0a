// Colours as $00BBGGRR values, clNone, and the named system colours that the host
// resolves at paint time through its own palette.
#pragma once

#include <cstdint>

namespace platform {

using TColor = std::int32_t;

inline constexpr TColor clNone = 0x1FFFFFFF;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;

// System colours carry the high byte $80 and the system colour index below it.
inline constexpr TColor clSystemColor = static_cast<TColor>(0x80000000u);
inline constexpr TColor SystemColor(int index) { return clSystemColor | index; }

inline constexpr TColor clScrollBar = SystemColor(0);
inline constexpr TColor clBackground = SystemColor(1);
inline constexpr TColor clActiveCaption = SystemColor(2);
inline constexpr TColor clWindow = SystemColor(5);
inline constexpr TColor clWindowFrame = SystemColor(6);
inline constexpr TColor clWindowText = SystemColor(8);
inline constexpr TColor clHighlight = SystemColor(13);
inline constexpr TColor clHighlightText = SystemColor(14);
inline constexpr TColor clBtnFace = SystemColor(15);
inline constexpr TColor clBtnShadow = SystemColor(16);
inline constexpr TColor clGrayText = SystemColor(17);
inline constexpr TColor clBtnText = SystemColor(18);
inline constexpr TColor clBtnHighlight = SystemColor(20);
inline constexpr TColor clInfoText = SystemColor(23);
inline constexpr TColor clInfoBk = SystemColor(24);

inline constexpr bool IsSystemColor(TColor c) { return (c & clSystemColor) != 0 && c != clNone; }
inline constexpr int SystemColorIndex(TColor c) { return c & 0xFF; }

// Plain RGB of a non-system colour.
inline constexpr int RedOf(TColor c) { return c & 0xFF; }
inline constexpr int GreenOf(TColor c) { return (c >> 8) & 0xFF; }
inline constexpr int BlueOf(TColor c) { return (c >> 16) & 0xFF; }
inline constexpr TColor RGB(int r, int g, int b) { return r | (g << 8) | (b << 16); }

// What the host's palette answers for a system colour.
class ColorPalette {
 public:
  virtual ~ColorPalette() = default;
  virtual TColor SystemRGB(int index) const = 0;
};

// The classic light palette, used when no host palette is given.
TColor DefaultSystemRGB(int index);

// Turns any colour into plain $00BBGGRR: system colours through the palette.
TColor ResolveColor(TColor c, const ColorPalette* palette);

}  // namespace platform
