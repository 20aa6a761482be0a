// Gradient bitmaps and button outlines.
#include "widgets/XPPaint.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QWidget>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// Dithering copies a strip this wide (or high) across the bitmap.
constexpr int kStrip = 16;

// A uniform integer in 0..k-1; 0 when k is 0.
int Random(int k) { return k <= 0 ? 0 : static_cast<int>(QRandomGenerator::global()->bounded(k)); }

int Channel(int start, int end, int steps, int i) {
  if (steps < 2) return start;
  // Halves go to the even neighbour, as the process's rounding does.
  return start + static_cast<int>(std::nearbyint(static_cast<double>(i) * (end - start) / (steps - 1)));
}

void FillRows(QImage& image, int from, int to, int columns, QRgb colour) {
  for (int y = std::max(from, 0); y < std::min(to, image.height()); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < columns; ++x) line[x] = colour;
  }
}

void FillColumns(QImage& image, int from, int to, int rows, QRgb colour) {
  for (int y = 0; y < rows; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = std::max(from, 0); x < std::min(to, image.width()); ++x) line[x] = colour;
  }
}

// Paints the bands of a top-to-bottom gradient into the leftmost strip, then tiles it.
void VerticalBands(QImage& image, const std::vector<QRgb>& table, bool dither) {
  const int steps = static_cast<int>(table.size());
  const int height = image.height();
  const int strip = std::min(kStrip, image.width());
  for (int i = 0; i < steps; ++i) {
    FillRows(image, XPMulDiv(i, height, steps), XPMulDiv(i + 1, height, steps), strip, table[i]);
  }
  if (dither && steps > 1) {
    for (int i = 1; i < steps; ++i) {
      const int start = XPMulDiv(i, height, steps);
      for (int j = 0; j <= height / (steps - 1); ++j) {
        const int row = Random(j) + start;
        FillRows(image, row, row + 1, strip, table[i]);
      }
    }
  }
  QPainter painter(&image);
  const QImage tile = image.copy(0, 0, strip, height);
  for (int x = strip; x < image.width(); x += strip) painter.drawImage(x, 0, tile);
}

// The same from left to right, in the top strip, tiled downwards.
void HorizontalBands(QImage& image, const std::vector<QRgb>& table, bool dither) {
  const int steps = static_cast<int>(table.size());
  const int width = image.width();
  const int strip = std::min(kStrip, image.height());
  for (int i = 0; i < steps; ++i) {
    FillColumns(image, XPMulDiv(i, width, steps), XPMulDiv(i + 1, width, steps), strip, table[i]);
  }
  if (dither && steps > 1) {
    for (int i = 1; i < steps; ++i) {
      const int start = XPMulDiv(i, width, steps);
      for (int j = 0; j <= width / (steps - 1); ++j) {
        const int column = Random(j) + start;
        FillColumns(image, column, column + 1, strip, table[i]);
      }
    }
  }
  QPainter painter(&image);
  const QImage tile = image.copy(0, 0, width, strip);
  for (int y = strip; y < image.height(); y += strip) painter.drawImage(0, y, tile);
}

void SetPixel(QImage& image, int x, int y, const QColor& colour) {
  if (x >= 0 && y >= 0 && x < image.width() && y < image.height()) image.setPixelColor(x, y, colour);
}

}  // namespace

QColor XPColor(std::uint32_t bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

int XPMulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  return static_cast<int>(std::llround(static_cast<double>(a) * b / c));
}

QColor XPGradientEntry(const QColor& c1, const QColor& c2, int steps, int i) {
  return QColor(Channel(c1.red(), c2.red(), steps, i), Channel(c1.green(), c2.green(), steps, i),
                Channel(c1.blue(), c2.blue(), steps, i));
}

QImage MakeGradientBitmap(int width, int height, const QColor& c1, const QColor& c2, int steps,
                          TXPGradientDirection direction, bool dither) {
  QImage image(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
  if (image.isNull()) return image;
  image.fill(c1);
  QColor from = c1;
  QColor to = c2;
  if (direction > gdVertical) std::swap(from, to);
  std::vector<QRgb> table(static_cast<std::size_t>(std::max(steps, 1)));
  for (int i = 0; i < static_cast<int>(table.size()); ++i) {
    table[static_cast<std::size_t>(i)] = XPGradientEntry(from, to, steps, i).rgb();
  }
  if (direction == gdVertical || direction == gdVerticalReversed) {
    VerticalBands(image, table, dither);
  } else {
    HorizontalBands(image, table, dither);
  }
  return image;
}

void DrawXPBorder(QImage& image, const TXPBorderColors& colors) {
  const int w = image.width();
  const int h = image.height();
  if (w < 2 || h < 2) return;
  {
    QPainter painter(&image);
    painter.setPen(colors.Edge);
    painter.drawLine(0, 0, 0, h - 1);
    painter.drawLine(0, h - 1, w - 1, h - 1);
    painter.drawLine(0, 0, w - 1, 0);
    painter.drawLine(w - 1, 0, w - 1, h - 1);
  }
  for (const auto& [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}}) {
    SetPixel(image, x, y, colors.Outside);
  }
  for (const auto& [x, y] : {std::pair{1, 1}, {w - 2, 1}, {1, h - 2}, {w - 2, h - 2}}) {
    SetPixel(image, x, y, colors.Edge);
  }
  for (const auto& [x, y] : {std::pair{1, 0}, {w - 2, 0}, {1, h - 1}, {w - 2, h - 1}, {0, 1}, {w - 1, 1},
                             {0, h - 2}, {w - 1, h - 2}}) {
    SetPixel(image, x, y, colors.Corner);
  }
}

QColor ParentBrushColor(const QWidget& widget) {
  const QWidget* parent = widget.parentWidget();
  if (parent == nullptr) return widget.palette().color(QPalette::Button);
  return parent->palette().color(parent->backgroundRole());
}
