// The push button: its state machine, dialog keys and painting.
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "widgets/XPButtons.h"
#include "widgets/XPPaint.h"

namespace {

constexpr int kFaceSteps = 255;
constexpr int kFrameSteps = 16;

void DrawGradient(QPainter& painter, const QRect& bounds, const TXPGradient& colours, int steps) {
  painter.drawImage(bounds.topLeft(), MakeGradientBitmap(bounds.width(), bounds.height(), XPColor(colours.Start),
                                                         XPColor(colours.End), steps, gdVertical, true));
}

bool IsEnter(const QKeyEvent& key) { return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter; }

Qt::KeyboardModifiers ShiftCtrlAlt(const QKeyEvent& key) {
  return key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

}  // namespace

TXPButton::TXPButton(const QString& caption, QWidget* parent) : QAbstractButton(parent) {
  setText(caption);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(75, 25);
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now != nullptr && now->window() == window()) FocusMoved(now);
  });
  // Runs before the handlers connected later; the dialog's loop ends after them.
  connect(this, &QAbstractButton::clicked, this, [this] {
    auto* dialog = qobject_cast<QDialog*>(window());
    if (modalResult_ == 0 || dialog == nullptr) return;
    if (modalResult_ == QDialog::Accepted) {
      dialog->accept();
    } else if (modalResult_ == 2) {
      dialog->reject();
    } else {
      dialog->done(modalResult_);
    }
  });
}

void TXPButton::SetHint(const QString& hint) {
  setToolTip(hint);
  setAccessibleName(hint);
}

void TXPButton::SetXPScheme(TXPScheme scheme) {
  scheme_ = scheme;
  const TXPPalette palette = PaletteForScheme(scheme);
  if (palette == palette_) return;
  palette_ = palette;
  update();
}

void TXPButton::SetDefault(bool isDefault) {
  default_ = isDefault;
  if (!testAttribute(Qt::WA_WState_Created)) {
    activeDefault_ = isDefault;
    update();
    return;
  }
  // Every push button of the form re-reads who has the focus.
  QWidget* focus = window()->focusWidget();
  for (TXPButton* button : window()->findChildren<TXPButton*>()) button->FocusMoved(focus);
  FocusMoved(focus);
}

void TXPButton::SetShowAccelChar(bool show) {
  showAccelChar_ = show;
  setShortcut(show ? QKeySequence::mnemonic(text()) : QKeySequence());
  update();
}

void TXPButton::SetWordWrap(bool wrap) {
  wordWrap_ = wrap;
  update();
}

void TXPButton::SetDrawFocusRect(bool draw) {
  drawFocusRect_ = draw;
  update();
}

void TXPButton::Click() { click(); }

void TXPButton::FocusMoved(QWidget* now) {
  bool active = default_;
  if (now == this) {
    active = true;
  } else if (qobject_cast<TXPButton*>(now) != nullptr) {
    active = false;
  }
  if (active == activeDefault_) return;
  activeDefault_ = active;
  update();
}

bool TXPButton::CanFocus() const {
  return focusPolicy() != Qt::NoFocus && isEnabled() && isVisible() && window()->isVisible();
}

// ---- Dialog keys ----

void TXPButton::showEvent(QShowEvent* event) {
  QAbstractButton::showEvent(event);
  WatchWindowKeys();
}

void TXPButton::WatchWindowKeys() {
  QWidget* form = window();
  if (form == watchedWindow_ || form == this) return;
  if (watchedWindow_ != nullptr) watchedWindow_->removeEventFilter(this);
  form->installEventFilter(this);
  watchedWindow_ = form;
  FocusMoved(form->focusWidget());
}

bool TXPButton::eventFilter(QObject* watched, QEvent* event) {
  // The form sees the keys its focused control left alone.
  if (watched == watchedWindow_ && event->type() == QEvent::KeyPress) {
    if (DialogKey(static_cast<const QKeyEvent&>(*event))) {
      event->accept();
      return true;
    }
  }
  return QAbstractButton::eventFilter(watched, event);
}

bool TXPButton::DialogKey(const QKeyEvent& key) {
  const Qt::KeyboardModifiers modifiers = ShiftCtrlAlt(key);
  const bool enter = IsEnter(key) && modifiers == Qt::NoModifier && activeDefault_;
  const bool escape = key.key() == Qt::Key_Escape && modifiers == Qt::NoModifier && cancel_;
  if (!(enter || escape) || !CanFocus()) return false;
  Click();
  return true;
}

bool TXPButton::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::Shortcut:
      // The caption's accelerator focuses and clicks the button.
      if (isEnabled()) {
        if (CanFocus()) setFocus(Qt::ShortcutFocusReason);
        Click();
      }
      return true;
    case QEvent::ThemeChange:
    case QEvent::StyleChange:
      if (scheme_ == TXPScheme::xpAutomatic) SetXPScheme(scheme_);
      break;
    default:
      break;
  }
  return QAbstractButton::event(event);
}

// ---- Mouse and keys ----

bool TXPButton::Inside(const QPoint& pos) const {
  return pos.x() >= 0 && pos.x() < width() && pos.y() >= 0 && pos.y() <= height();
}

void TXPButton::Press() {
  down_ = true;
  pressing_ = true;
  if (focusPolicy() != Qt::NoFocus) setFocus(Qt::OtherFocusReason);
  update();
}

void TXPButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) {
    event->ignore();
    return;
  }
  Press();
}

void TXPButton::mouseMoveEvent(QMouseEvent* event) {
  if (!pressing_) return;
  const bool inside = Inside(event->position().toPoint());
  if (inside == down_) return;
  down_ = inside;
  update();
}

void TXPButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled() || !pressing_) return;
  down_ = false;
  pressing_ = false;
  update();
  if (Inside(event->position().toPoint())) Click();
}

void TXPButton::mouseDoubleClickEvent(QMouseEvent* event) {
  // The double click clicks once itself, and its press clicks again on release.
  const QPointer<TXPButton> alive(this);
  if (event->button() == Qt::LeftButton) Click();
  if (alive != nullptr) mousePressEvent(event);
}

void TXPButton::keyPressEvent(QKeyEvent* event) {
  const bool plain = ShiftCtrlAlt(*event) == Qt::NoModifier;
  if (event->key() == Qt::Key_Space && plain && isEnabled()) {
    spaceHeld_ = true;
    if (!down_) Press();
    return;
  }
  if (IsEnter(*event) && plain && hasFocus()) {
    Click();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TXPButton::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && ShiftCtrlAlt(*event) == Qt::NoModifier && !event->isAutoRepeat() &&
      spaceHeld_) {
    spaceHeld_ = false;
    down_ = false;
    pressing_ = false;
    update();
    Click();
    return;
  }
  QWidget::keyReleaseEvent(event);
}

void TXPButton::enterEvent(QEnterEvent* event) {
  QAbstractButton::enterEvent(event);
  if (!isEnabled() || hot_) return;
  hot_ = true;
  repaint();
}

void TXPButton::leaveEvent(QEvent* event) {
  QAbstractButton::leaveEvent(event);
  if (!hot_ || !isEnabled()) return;
  hot_ = false;
  repaint();
}

void TXPButton::focusInEvent(QFocusEvent* event) {
  QAbstractButton::focusInEvent(event);
  update();
}

void TXPButton::focusOutEvent(QFocusEvent* event) {
  QAbstractButton::focusOutEvent(event);
  if (spaceHeld_) {
    spaceHeld_ = false;
    down_ = false;
    pressing_ = false;
  }
  update();
}

void TXPButton::changeEvent(QEvent* event) {
  QAbstractButton::changeEvent(event);
  if (event->type() == QEvent::EnabledChange && !isEnabled()) {
    down_ = false;
    hot_ = false;
    pressing_ = false;
    spaceHeld_ = false;
  }
  update();
}

// ---- Painting ----

void TXPButton::paintEvent(QPaintEvent*) {
  const TXPPushColors& colours = PushColors(palette_);
  const bool enabled = isEnabled();
  const bool focused = hasFocus();
  const QRect full = rect();
  const QColor outside = ParentBrushColor(*this);
  QImage canvas(size(), QImage::Format_RGB32);
  canvas.fill(outside);
  {
    QPainter painter(&canvas);
    // The frames first: a 3-pixel ring of them shows around an inset face.
    if (enabled && (hot_ || pressing_)) DrawGradient(painter, full, colours.HotFrame, kFrameSteps);
    if (focused && !pressing_ && !hot_) DrawGradient(painter, full, colours.FocusFrame, kFrameSteps);
    if (activeDefault_ && !focused) DrawGradient(painter, full, colours.FocusFrame, kFrameSteps);

    bool inset = false;
    TXPGradient face = colours.Normal;
    if (!enabled) {
      face = colours.Disabled;
    } else if (down_) {
      face = colours.Pressed;
    } else if (hot_ && !pressing_) {
      inset = true;
      face = colours.Hot;
    } else if (pressing_) {
      inset = true;
      face = colours.Pressing;
    } else if (focused || (activeDefault_ && default_)) {
      inset = true;
    }
    DrawGradient(painter, inset ? full.adjusted(3, 3, -3, -3) : full, face, kFaceSteps);
  }
  DrawXPBorder(canvas, {XPColor(enabled ? colours.Border : kXPDisabledBorder),
                        XPColor(enabled ? kXPCorner : kXPDisabledCorner), outside});
  {
    QPainter painter(&canvas);
    PaintCaption(painter);
    if (focused && drawFocusRect_) {
      painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
      painter.drawRect(full.adjusted(2, 2, -3, -3));
    }
  }
  QPainter(this).drawImage(0, 0, canvas);
}

void TXPButton::PaintCaption(QPainter& painter) {
  const QRect bounds = rect().adjusted(2, 1, -2, -1);
  int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextExpandTabs;
  flags |= wordWrap_ ? Qt::TextWordWrap : Qt::TextSingleLine;
  if (showAccelChar_) flags |= Qt::TextShowMnemonic;
  painter.setFont(font());
  const QRect measured = painter.boundingRect(bounds, flags, text());
  const QRect textRect = bounds.translated(0, (height() - (measured.bottom() + 1)) / 2);
  painter.setPen(isEnabled() ? palette().color(QPalette::ButtonText) : XPColor(kXPDisabledBorder));
  painter.drawText(textRect, flags, text());
}
