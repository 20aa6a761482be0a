// QtSurface: the editor's canvas as a QPainter over a backing image, with the fonts of
// each style made once per font change and system colours resolved through a palette.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QRawFont>
#include <array>
#include <functional>
#include <optional>

#include "platform/Colors.h"
#include "platform/Surface.h"

// System colours from a widget palette.
class QtColorPalette : public platform::ColorPalette {
 public:
  explicit QtColorPalette(const QPalette& palette) : palette_(palette) {}
  platform::TColor SystemRGB(int index) const override;

 private:
  QPalette palette_;
};

// Draws on `image` whenever the editor paints. What is drawn outside a clip set by the
// owner is reported through OnDrawn, so the window can show it. Text is drawn glyph by
// glyph at the given advance, so every character takes exactly one cell; an advance of
// 0 draws at the font's own advances.
class QtSurface : public platform::Surface {
 public:
  explicit QtSurface(QImage& image) : image_(image) {}
  ~QtSurface() override { Flush(); }
  QtSurface(const QtSurface&) = delete;
  QtSurface& operator=(const QtSurface&) = delete;

  void SetPalette(const platform::ColorPalette* palette) { palette_ = palette; }
  QColor Resolve(platform::TColor color) const;
  // Restricts drawing to clip (a paint of an invalid area); nullopt draws anywhere.
  void SetClip(std::optional<QRect> clip);
  // Ends the painter so the image can be shown or replaced.
  void Flush();
  std::function<void(const QRect&)> OnDrawn;

  void SetFont(const platform::TFontSpec& font) override;
  int TextWidth(std::string_view text) override;
  int TextHeight(std::string_view text) override;
  void FillRect(const platform::TRect& rect, platform::TColor color) override;
  void TextRun(int x, int y, std::string_view bytes, int advance, platform::TFontStyles style,
               platform::TColor foreground, platform::TColor background, const platform::TRect& clip) override;
  void VerticalLine(int x, int top, int bottom, int width, platform::TColor color) override;
  void FrameRect(const platform::TRect& rect, platform::TColor color) override;

 private:
  struct StyledFont {
    QFont Font;
    QRawFont Raw;
    bool Made = false;
  };
  QPainter& Painter();
  StyledFont& FontFor(platform::TFontStyles style);
  void Drawn(const QRect& rect);
  // Saves the painter and clips it to the run's rectangle within the paint's own clip;
  // answers that rectangle. The caller restores the painter.
  QRect BeginClippedRun(QPainter& p, const platform::TRect& clip);
  void ProportionalRun(int x, int y, std::string_view bytes, platform::TFontStyles style,
                       platform::TColor foreground, platform::TColor background, const platform::TRect& clip);

  QImage& image_;
  QPainter painter_;
  std::optional<QRect> clip_;
  const platform::ColorPalette* palette_ = nullptr;
  QFont baseFont_;
  std::array<StyledFont, 16> fonts_;
};
