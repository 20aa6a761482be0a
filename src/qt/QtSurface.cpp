// The painter-backed canvas: fills, glyph runs at a fixed advance, lines and frames on
// the backing image, and the palette that resolves system colours.
#include "qt/QtSurface.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QVector>

#include "platform/Cp1251.h"

namespace {

QRect ToQRect(const platform::TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

}  // namespace

platform::TColor QtColorPalette::SystemRGB(int index) const {
  const auto role = [&](QPalette::ColorGroup group, QPalette::ColorRole r) {
    const QColor c = palette_.color(group, r);
    return platform::RGB(c.red(), c.green(), c.blue());
  };
  switch (index) {
    case 5: return role(QPalette::Active, QPalette::Base);
    case 6: return role(QPalette::Active, QPalette::Shadow);
    case 8: return role(QPalette::Active, QPalette::Text);
    case 13: return role(QPalette::Active, QPalette::Highlight);
    case 14: return role(QPalette::Active, QPalette::HighlightedText);
    case 15: return role(QPalette::Active, QPalette::Button);
    case 16: return role(QPalette::Active, QPalette::Dark);
    case 17: return role(QPalette::Disabled, QPalette::Text);
    case 18: return role(QPalette::Active, QPalette::ButtonText);
    case 20: return role(QPalette::Active, QPalette::Light);
    case 23: return role(QPalette::Active, QPalette::ToolTipText);
    case 24: return role(QPalette::Active, QPalette::ToolTipBase);
    default: return platform::DefaultSystemRGB(index);
  }
}

QColor QtSurface::Resolve(platform::TColor color) const {
  const platform::TColor rgb = platform::ResolveColor(color, palette_);
  return QColor(platform::RedOf(rgb), platform::GreenOf(rgb), platform::BlueOf(rgb));
}

QPainter& QtSurface::Painter() {
  if (!painter_.isActive()) {
    painter_.begin(&image_);
    if (clip_) painter_.setClipRect(*clip_);
  }
  return painter_;
}

void QtSurface::SetClip(std::optional<QRect> clip) {
  clip_ = clip;
  if (!painter_.isActive()) return;
  if (clip_) {
    painter_.setClipRect(*clip_);
  } else {
    painter_.setClipping(false);
  }
}

void QtSurface::Flush() {
  if (painter_.isActive()) painter_.end();
}

void QtSurface::Drawn(const QRect& rect) {
  if (!clip_ && OnDrawn) OnDrawn(rect);
}

// ---- Fonts ----

void QtSurface::SetFont(const platform::TFontSpec& font) {
  baseFont_ = QFont(QString::fromStdString(font.Name));
  // A negative height is the character height in pixels; a positive one includes the
  // leading, which the pixel size here approximates.
  baseFont_.setPixelSize(std::max(font.Height < 0 ? -font.Height : font.Height, 1));
  baseFont_.setStyleHint(QFont::TypeWriter);
  baseFont_.setKerning(false);
  // Measurements take the font's own style; each run still sets the style it draws in.
  baseFont_.setBold((font.Style & platform::fsBold) != 0);
  baseFont_.setItalic((font.Style & platform::fsItalic) != 0);
  for (StyledFont& f : fonts_) f.Made = false;
}

QtSurface::StyledFont& QtSurface::FontFor(platform::TFontStyles style) {
  StyledFont& f = fonts_[style & 0x0F];
  if (!f.Made) {
    f.Font = baseFont_;
    f.Font.setBold((style & platform::fsBold) != 0);
    f.Font.setItalic((style & platform::fsItalic) != 0);
    f.Font.setUnderline((style & platform::fsUnderline) != 0);
    f.Font.setStrikeOut((style & platform::fsStrikeOut) != 0);
    f.Raw = QRawFont::fromFont(f.Font);
    f.Made = true;
  }
  return f;
}

int QtSurface::TextWidth(std::string_view text) {
  const QString s = QString::fromStdU16String(platform::Cp1251ToUtf16(text));
  return QFontMetrics(baseFont_).horizontalAdvance(s);
}

int QtSurface::TextHeight(std::string_view) { return QFontMetrics(baseFont_).height(); }

// ---- Drawing ----

void QtSurface::FillRect(const platform::TRect& rect, platform::TColor color) {
  if (rect.IsEmpty()) return;
  Painter().fillRect(ToQRect(rect), Resolve(color));
  Drawn(ToQRect(rect));
}

QRect QtSurface::BeginClippedRun(QPainter& p, const platform::TRect& clip) {
  p.save();
  QRect clipRect = ToQRect(clip);
  if (clip_) clipRect &= *clip_;
  p.setClipRect(clipRect);
  return clipRect;
}

void QtSurface::TextRun(int x, int y, std::string_view bytes, int advance, platform::TFontStyles style,
                        platform::TColor foreground, platform::TColor background, const platform::TRect& clip) {
  if (bytes.empty()) return;
  if (advance <= 0) {
    ProportionalRun(x, y, bytes, style, foreground, background, clip);
    return;
  }
  StyledFont& font = FontFor(style);
  QPainter& p = Painter();
  const QRect clipRect = BeginClippedRun(p, clip);
  const QString text = QString::fromStdU16String(platform::Cp1251ToUtf16(bytes));
  const int height = QFontMetrics(font.Font).height();
  const QRect cells(x, y, static_cast<int>(text.size()) * advance, height);
  p.fillRect(cells, Resolve(background));
  p.setPen(Resolve(foreground));
  const QVector<quint32> glyphs = font.Raw.glyphIndexesForString(text);
  QVector<QPointF> positions;
  positions.reserve(glyphs.size());
  const qreal baseline = font.Raw.ascent();
  for (int i = 0; i < glyphs.size(); ++i) positions.append(QPointF(i * advance, 0));
  QGlyphRun run;
  run.setRawFont(font.Raw);
  run.setGlyphIndexes(glyphs);
  run.setPositions(positions);
  run.setUnderline(font.Font.underline());
  run.setStrikeOut(font.Font.strikeOut());
  p.drawGlyphRun(QPointF(x, y + baseline), run);
  // A character the font has no glyph for goes through the font fallback, in its cell.
  p.setFont(font.Font);
  for (int i = 0; i < glyphs.size() && i < text.size(); ++i) {
    if (glyphs[i] == 0 && !text.at(i).isSpace()) p.drawText(QPointF(x + i * advance, y + baseline), QString(text.at(i)));
  }
  p.restore();
  Drawn(cells & clipRect);
}

// Text at the font's own advances, as list items are drawn.
void QtSurface::ProportionalRun(int x, int y, std::string_view bytes, platform::TFontStyles style,
                                platform::TColor foreground, platform::TColor background,
                                const platform::TRect& clip) {
  const StyledFont& font = FontFor(style);
  QPainter& p = Painter();
  const QRect clipRect = BeginClippedRun(p, clip);
  const QString text = QString::fromStdU16String(platform::Cp1251ToUtf16(bytes));
  const QFontMetrics metrics(font.Font);
  const QRect cells(x, y, metrics.horizontalAdvance(text), metrics.height());
  p.fillRect(cells, Resolve(background));
  p.setPen(Resolve(foreground));
  p.setFont(font.Font);
  p.drawText(QPointF(x, y + metrics.ascent()), text);
  p.restore();
  Drawn(cells & clipRect);
}

void QtSurface::VerticalLine(int x, int top, int bottom, int width, platform::TColor color) {
  const QRect r(x, top, width, bottom - top);
  if (r.isEmpty()) return;
  Painter().fillRect(r, Resolve(color));
  Drawn(r);
}

void QtSurface::FrameRect(const platform::TRect& rect, platform::TColor color) {
  if (rect.IsEmpty()) return;
  QPainter& p = Painter();
  const QColor c = Resolve(color);
  const QRect r = ToQRect(rect);
  p.fillRect(QRect(r.left(), r.top(), r.width(), 1), c);
  p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), c);
  p.fillRect(QRect(r.left(), r.top(), 1, r.height()), c);
  p.fillRect(QRect(r.right(), r.top(), 1, r.height()), c);
  Drawn(r);
}
