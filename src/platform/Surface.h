// What the editor needs of a place to draw: fills, runs of fixed-advance text with an
// opaque background, lines, outlines and text measurement.
#pragma once

#include <string>
#include <string_view>

#include "platform/Colors.h"
#include "platform/Types.h"

namespace platform {

// A font as the editor's properties describe it; a negative height is the character
// height in pixels.
struct TFontSpec {
  std::string Name = "Courier New";
  int Height = -13;
  TFontStyles Style = 0;
  TColor Color = clWindowText;
  bool operator==(const TFontSpec&) const = default;
};

class Surface {
 public:
  virtual ~Surface() = default;

  // The font later measurements and text runs are based on (style and colour aside).
  virtual void SetFont(const TFontSpec& font) = 0;
  virtual int TextWidth(std::string_view text) = 0;
  virtual int TextHeight(std::string_view text) = 0;

  virtual void FillRect(const TRect& rect, TColor color) = 0;
  // Draws bytes (Windows-1251) at (x, y), one character every `advance` pixels, over an
  // opaque background of the run's cells, clipped to `clip`. An advance of 0 draws at the
  // font's own (proportional) advances.
  virtual void TextRun(int x, int y, std::string_view bytes, int advance, TFontStyles style,
                       TColor foreground, TColor background, const TRect& clip) = 0;
  // A vertical line `width` pixels wide from (x, top) down to bottom (exclusive).
  virtual void VerticalLine(int x, int top, int bottom, int width, TColor color) = 0;
  // A one-pixel outline of rect.
  virtual void FrameRect(const TRect& rect, TColor color) = 0;
};

}  // namespace platform
