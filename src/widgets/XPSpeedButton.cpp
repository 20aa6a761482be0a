// The speed button: states, groups, auto-repeat and painting.
#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <vector>

#include "widgets/XPButtons.h"
#include "widgets/XPPaint.h"

namespace {

constexpr int kRepeatDelay = 400;
constexpr int kRepeatInterval = 100;

// Face and frame colours, $00BBGGRR.
constexpr TXPGradient kFace{0xFFFFFF, 0xE7EBEF};
constexpr TXPGradient kDisabledFace{0xE7EBEF, 0xFFFFFF};
constexpr TXPGradient kDownFace{0xE0E0E0, 0xE4E4E4};
constexpr TXPGradient kHotFrame{0xAEE2FF, 0x51C2FF};
constexpr TXPGradient kFlatShade{0xEAEAEA, 0xD7D7D7};
constexpr TXPGradient kFlatHotFace{0xFFFFFF, 0xEEEEEE};
constexpr int kFaceSteps = 255;
constexpr int kFrameSteps = 16;

void DrawGradient(QPainter& painter, const QRect& bounds, const TXPGradient& colours, int steps) {
  painter.drawImage(bounds.topLeft(), MakeGradientBitmap(bounds.width(), bounds.height(), XPColor(colours.Start),
                                                         XPColor(colours.End), steps, gdVertical, true));
}

bool IsPressedState(TXPButtonState state) {
  return state == TXPButtonState::bsDown || state == TXPButtonState::bsExclusive;
}

}  // namespace

TXPSpeedButton::TXPSpeedButton(QWidget* parent) : QAbstractButton(parent), glyph_([this] { update(); }) {
  // Clicking a toolbar or palette button leaves the keyboard (and the caret) in the editor.
  setFocusPolicy(Qt::NoFocus);
  setIconSize(QSize(16, 16));
  resize(23, 22);
}

void TXPSpeedButton::SetHint(const QString& hint) {
  setToolTip(hint);
  setAccessibleName(hint);
}

void TXPSpeedButton::SetGlyph(const QIcon& glyph) {
  setIcon(glyph);
  glyphFromIcon_ = !glyph.isNull();
  glyphIconSize_ = QSize();
  if (glyphFromIcon_) {
    SyncIconGlyph();
  } else {
    glyph_.SetBitmap(QImage());
  }
}

void TXPSpeedButton::SetGlyphBitmap(const QImage& bitmap) {
  glyphFromIcon_ = false;
  glyph_.SetBitmap(bitmap);
}

void TXPSpeedButton::SyncIconGlyph() {
  if (!glyphFromIcon_ || glyphIconSize_ == iconSize()) return;
  glyphIconSize_ = iconSize();
  glyph_.SetBitmap(icon().pixmap(iconSize(), 1.0).toImage());
}

void TXPSpeedButton::SetFlat(bool flat) {
  flat_ = flat;
  update();
}

void TXPSpeedButton::SetTransparent(bool transparent) {
  transparent_ = transparent;
  update();
}

void TXPSpeedButton::SetLayout(TButtonLayout layout) {
  layout_ = layout;
  update();
}

void TXPSpeedButton::SetMargin(int margin) {
  margin_ = margin;
  update();
}

void TXPSpeedButton::SetSpacing(int spacing) {
  spacing_ = spacing;
  update();
}

// ---- Groups ----

void TXPSpeedButton::SetGroupIndex(int index) {
  groupIndex_ = index;
  NotifyGroup();
}

void TXPSpeedButton::SetAllowAllUp(bool allow) {
  allowAllUp_ = allow;
  NotifyGroup();
}

void TXPSpeedButton::SetDown(bool down) {
  if (groupIndex_ == 0) down = false;
  if (down == down_ || (down_ && !allowAllUp_)) return;
  down_ = down;
  state_ = down ? TXPButtonState::bsExclusive : TXPButtonState::bsUp;
  update();
  if (down) NotifyGroup();
}

void TXPSpeedButton::NotifyGroup() {
  if (parentWidget() == nullptr) return;
  const auto siblings = parentWidget()->findChildren<TXPSpeedButton*>(Qt::FindDirectChildrenOnly);
  for (TXPSpeedButton* sibling : siblings) {
    if (sibling != this) sibling->GroupChanged(*this);
  }
}

void TXPSpeedButton::GroupChanged(const TXPSpeedButton& sender) {
  if (sender.groupIndex_ == 0 || sender.groupIndex_ != groupIndex_) return;
  if (sender.down_ && down_) {
    down_ = false;
    state_ = TXPButtonState::bsUp;
    update();
  }
  allowAllUp_ = sender.allowAllUp_;
}

// ---- Mouse ----

bool TXPSpeedButton::Inside(const QPoint& pos) const {
  return pos.x() >= 0 && pos.x() < width() && pos.y() >= 0 && pos.y() <= height();
}

void TXPSpeedButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) {
    event->ignore();
    return;
  }
  if (!down_) {
    state_ = TXPButtonState::bsDown;
    update();
  }
  dragging_ = true;
  if (repeatAction_) {
    if (repeatTimer_ == nullptr) {
      repeatTimer_ = new QTimer(this);
      connect(repeatTimer_, &QTimer::timeout, this, &TXPSpeedButton::RepeatTick);
    }
    repeatTimer_->start(kRepeatDelay);
  }
}

void TXPSpeedButton::mouseMoveEvent(QMouseEvent* event) {
  if (flat_) RecheckMouseIn();
  if (!dragging_) return;
  TXPButtonState state = TXPButtonState::bsUp;
  if (down_) {
    state = TXPButtonState::bsExclusive;
  } else if (Inside(event->position().toPoint())) {
    state = TXPButtonState::bsDown;
  }
  if (state != state_) {
    state_ = state;
    update();
  }
}

void TXPSpeedButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !dragging_) return;
  dragging_ = false;
  const bool inside = Inside(event->position().toPoint());
  if (groupIndex_ == 0) {
    state_ = TXPButtonState::bsUp;
    mouseIn_ = false;
  } else if (inside) {
    SetDown(!down_);
  } else {
    state_ = down_ ? TXPButtonState::bsExclusive : TXPButtonState::bsUp;
  }
  update();
  const QPointer<TXPSpeedButton> alive(this);
  if (inside) click();
  if (alive.isNull()) return;
  if (repeatTimer_ != nullptr) repeatTimer_->stop();
  if (!repeatAction_ && dropDownMenu_ != nullptr) dropDownMenu_->popup(mapToGlobal(QPoint(-1, height())));
  if (flat_) RecheckMouseIn();
}

void TXPSpeedButton::mouseDoubleClickEvent(QMouseEvent* event) {
  mousePressEvent(event);
  if (down_) emit doubleClicked();
}

void TXPSpeedButton::RepeatTick() {
  repeatTimer_->setInterval(kRepeatInterval);
  if (state_ != TXPButtonState::bsDown || !dragging_) return;
  try {
    click();
  } catch (...) {
    repeatTimer_->stop();
    throw;
  }
}

void TXPSpeedButton::enterEvent(QEnterEvent* event) {
  QAbstractButton::enterEvent(event);
  // Not while some control holds the mouse.
  if (!isEnabled() || QWidget::mouseGrabber() != nullptr || QApplication::mouseButtons() != Qt::NoButton) return;
  mouseIn_ = true;
  update();
}

void TXPSpeedButton::leaveEvent(QEvent* event) {
  QAbstractButton::leaveEvent(event);
  if (!flat_ || !dragging_) mouseIn_ = false;
  update();
}

void TXPSpeedButton::RecheckMouseIn() {
  const bool in = isEnabled() && isVisible() && rect().contains(mapFromGlobal(QCursor::pos()));
  if (in == mouseIn_) return;
  mouseIn_ = in;
  update();
}

// ---- Keys, accelerators and changes ----

void TXPSpeedButton::keyPressEvent(QKeyEvent* event) { QWidget::keyPressEvent(event); }

void TXPSpeedButton::keyReleaseEvent(QKeyEvent* event) { QWidget::keyReleaseEvent(event); }

bool TXPSpeedButton::event(QEvent* event) {
  if (event->type() == QEvent::Shortcut) {
    // The caption's accelerator clicks the button without taking the focus.
    if (isEnabled() && isVisible() && parentWidget() != nullptr && parentWidget()->isVisible()) click();
    return true;
  }
  return QAbstractButton::event(event);
}

void TXPSpeedButton::changeEvent(QEvent* event) {
  QAbstractButton::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) {
    FixState();
    if (flat_) RecheckMouseIn();
    update();
  } else if (event->type() == QEvent::PaletteChange) {
    glyph_.ReleaseImages();
    update();
  }
}

void TXPSpeedButton::FixState() {
  if (!isEnabled()) {
    state_ = TXPButtonState::bsDisabled;
    dragging_ = false;
  } else if (state_ == TXPButtonState::bsDisabled) {
    state_ = down_ && groupIndex_ != 0 ? TXPButtonState::bsExclusive : TXPButtonState::bsUp;
  }
}

// ---- Painting ----

void TXPSpeedButton::paintEvent(QPaintEvent*) {
  FixState();
  SyncIconGlyph();
  QImage canvas(size(), QImage::Format_ARGB32_Premultiplied);
  canvas.fill(transparent_ ? QColor(Qt::transparent) : ParentBrushColor(*this));
  PaintFace(canvas);
  PaintBorder(canvas);
  {
    QPainter painter(&canvas);
    PaintGlyphAndCaption(painter);
  }
  QPainter(this).drawImage(0, 0, canvas);
}

void TXPSpeedButton::PaintFace(QImage& canvas) {
  QPainter painter(&canvas);
  const QRect full = rect();
  const bool pressed = IsPressedState(state_) || down_;
  if (!flat_) {
    if (state_ == TXPButtonState::bsDisabled) {
      DrawGradient(painter, full, kDisabledFace, kFaceSteps);
    } else if (pressed) {
      DrawGradient(painter, full, kDownFace, kFaceSteps);
    } else if (mouseIn_ && !dragging_) {
      DrawGradient(painter, full, kHotFrame, kFrameSteps);
      DrawGradient(painter, full.adjusted(3, 3, -3, -3), kFace, kFaceSteps);
    } else {
      DrawGradient(painter, full, kFace, kFaceSteps);
    }
    return;
  }
  if (state_ == TXPButtonState::bsDisabled) return;
  if (pressed) {
    DrawGradient(painter, full, kDownFace, kFaceSteps);
  } else if (mouseIn_) {
    // A shaded band stays at the right and the bottom.
    DrawGradient(painter, full, kFlatShade, kFaceSteps);
    DrawGradient(painter, QRect(0, 0, width() - 3, height() - 3), kFlatHotFace, kFaceSteps);
  }
}

void TXPSpeedButton::PaintBorder(QImage& canvas) {
  if (!isEnabled() || (flat_ && !mouseIn_ && !down_)) return;
  const bool pressed = IsPressedState(state_) || down_;
  const QColor edge = XPColor(!flat_ ? 0x934E24 : pressed ? 0x9AAAB8 : 0xC8C8C8);
  const QColor corner = XPColor(flat_ ? 0xE0E0E0 : 0xDC9898);
  const QColor inner = XPColor(flat_ ? 0xF2F2F2 : 0xEFCFCF);
  DrawXPBorder(canvas, {edge, corner, ParentBrushColor(*this)});
  const int w = width();
  const int h = height();
  std::vector<QPoint> innerPixels{{2, 1}, {w - 3, 1}, {2, h - 2}, {1, 2}, {w - 2, 2}, {1, h - 3}};
  if (!flat_) innerPixels.insert(innerPixels.end(), {{w - 3, h - 2}, {w - 2, h - 3}});
  for (const QPoint& pixel : innerPixels) {
    if (canvas.rect().contains(pixel)) canvas.setPixelColor(pixel, inner);
  }
}

TXPSpeedButton::TLayoutResult TXPSpeedButton::CalcLayout() {
  SyncIconGlyph();
  const QSize glyph = glyph_.GlyphSize();
  const QString caption = text();
  QSize textSize(0, 0);
  if (!caption.isEmpty()) {
    textSize = fontMetrics()
                   .boundingRect(QRect(0, 0, width(), 0), Qt::TextSingleLine | Qt::TextShowMnemonic, caption)
                   .size();
  }
  TButtonLayout layout = layout_;
  if (isRightToLeft()) {
    if (layout == TButtonLayout::blGlyphLeft) {
      layout = TButtonLayout::blGlyphRight;
    } else if (layout == TButtonLayout::blGlyphRight) {
      layout = TButtonLayout::blGlyphLeft;
    }
  }
  const bool horizontal = layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphRight;
  const int client = horizontal ? width() : height();
  const int glyphAlong = horizontal ? glyph.width() : glyph.height();
  const int textAlong = horizontal ? textSize.width() : textSize.height();

  int margin = margin_;
  int spacing = (caption.isEmpty() || glyph.isEmpty()) ? 0 : spacing_;
  if (margin == -1 && spacing == -1) {
    margin = spacing = (client - glyphAlong - textAlong) / 3;
  } else if (margin == -1) {
    margin = (client - (glyphAlong + spacing + textAlong) + 1) / 2;
  } else if (spacing == -1) {
    spacing = (client - margin - glyphAlong - textAlong) / 2;
  }
  int glyphAt = margin;
  int textAt = margin + glyphAlong + spacing;
  if (layout == TButtonLayout::blGlyphRight || layout == TButtonLayout::blGlyphBottom) {
    glyphAt = client - margin - glyphAlong;
    textAt = glyphAt - spacing - textAlong;
  }
  TLayoutResult result;
  if (horizontal) {
    result.GlyphPos = QPoint(glyphAt, (height() - glyph.height() + 1) / 2);
    result.TextRect = QRect(QPoint(textAt, (height() - textSize.height() + 1) / 2), textSize);
  } else {
    result.GlyphPos = QPoint((width() - glyph.width() + 1) / 2, glyphAt);
    result.TextRect = QRect(QPoint((width() - textSize.width() + 1) / 2, textAt), textSize);
  }
  if (IsPressedState(state_)) result.GlyphPos += QPoint(1, 1);
  return result;
}

void TXPSpeedButton::PaintGlyphAndCaption(QPainter& painter) {
  const TLayoutResult layout = CalcLayout();
  glyph_.Draw(painter, layout.GlyphPos.x(), layout.GlyphPos.y(), state_);
  if (text().isEmpty()) return;
  painter.setFont(font());
  constexpr int flags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
  if (state_ == TXPButtonState::bsDisabled) {
    painter.setPen(palette().color(QPalette::Light));
    painter.drawText(layout.TextRect.translated(1, 1), flags, text());
    painter.setPen(palette().color(QPalette::Dark));
  } else if (flat_ && IsPressedState(state_)) {
    painter.setPen(palette().color(QPalette::HighlightedText));
  } else {
    painter.setPen(palette().color(QPalette::ButtonText));
  }
  painter.drawText(layout.TextRect, flags, text());
}
