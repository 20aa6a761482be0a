// The drawing steps both XP-style buttons share: generated gradient bitmaps and the
// one-pixel border with its pixel-drawn rounded corners.
#pragma once

#include <QColor>
#include <QImage>
#include <cstdint>

class QWidget;

// A colour written as $00BBGGRR.
QColor XPColor(std::uint32_t bgr);

// round(a * b / c), halves away from zero.
int XPMulDiv(int a, int b, int c);

// Entry i of an N-step colour table from c1 to c2: each channel is
// start + round(i * (end - start) / (N - 1)).
QColor XPGradientEntry(const QColor& c1, const QColor& c2, int steps, int i);

// Direction: 1 and 3 run top to bottom, 0 and 2 left to right; 2 and 3 swap the colours.
enum TXPGradientDirection { gdHorizontal = 0, gdVertical = 1, gdHorizontalReversed = 2, gdVerticalReversed = 3 };

// A width x height bitmap shaded from c1 to c2 in `steps` bands. With dithering the band
// edges are made ragged (a random row or column per band and step), so two paints may
// differ where a band is taller than the number of steps.
QImage MakeGradientBitmap(int width, int height, const QColor& c1, const QColor& c2, int steps,
                          TXPGradientDirection direction, bool dither);

// The colours of a button outline: the edge B, the pixels next to the corners K, and
// what the four corner pixels show (the parent's background).
struct TXPBorderColors {
  QColor Edge;
  QColor Corner;
  QColor Outside;
};

// The edges of the image's rectangle in Edge; the corner pixels in Outside; the pixels
// diagonally inside them in Edge; the eight pixels beside them along the edges in Corner.
void DrawXPBorder(QImage& image, const TXPBorderColors& colors);

// The colour of the parent's background brush (the button face colour without a parent).
QColor ParentBrushColor(const QWidget& widget);
