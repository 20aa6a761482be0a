// The scrolling text box and its caption panel.
#include "widgets/ScrollText.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <algorithm>

#include "widgets/ImageDrawThread.h"

namespace {

constexpr std::uint32_t DefaultDelay = 50;
constexpr Qt::Alignment HorizontalMask = Qt::AlignLeft | Qt::AlignRight | Qt::AlignHCenter;

// Tabs expand, "&" marks an accelerator; no word wrap, laid out from the top.
int CaptionFlags(Qt::Alignment alignment) {
  return Qt::TextExpandTabs | Qt::TextShowMnemonic | Qt::AlignTop | static_cast<int>(alignment & HorizontalMask);
}

}  // namespace

// ---- TStaticText ----

TStaticText::TStaticText(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("TextPanel"));
  setFocusPolicy(Qt::NoFocus);
  color_ = QApplication::palette().color(QPalette::Base);  // clWindow
}

void TStaticText::SetCaption(const QString& caption) {
  caption_ = caption;
  update();
}

void TStaticText::SetAlignment(Qt::Alignment alignment) {
  alignment_ = alignment & HorizontalMask;
  update();
}

void TStaticText::SetColor(const QColor& color) {
  color_ = color;
  update();
}

QColor TStaticText::FontColor() const { return palette().color(QPalette::WindowText); }

void TStaticText::SetFontColor(const QColor& color) {
  QPalette colours = palette();
  colours.setColor(QPalette::WindowText, color);
  setPalette(colours);
}

void TStaticText::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), color_);
  const int flags = CaptionFlags(alignment_);
  const QSize text = fontMetrics().size(flags, caption_);
  int left = 0;
  if (alignment_ & Qt::AlignRight) {
    left = width() - text.width();
  } else if (alignment_ & Qt::AlignHCenter) {
    left = (width() - text.width()) / 2;
  }
  painter.setPen(FontColor());
  painter.drawText(QRect(QPoint(left, 0), text), flags, caption_);
}

// ---- TScrollText ----

TScrollText::TScrollText(QWidget* parent)
    : QWidget(parent), panel_(new TStaticText(this)), thread_(std::make_unique<TImageDrawThread>(DefaultDelay)) {
  resize(200, 150);
  setAutoFillBackground(true);
  SetBackgroundColor(panel_->Color());
  panel_->setGeometry(0, 0, width(), height());
  panel_->installEventFilter(this);
  // Ticks go on but move nothing while the text is held.
  thread_->OnTick = [this] {
    if (!dragging_) Tick();
  };
}

TScrollText::~TScrollText() = default;

// ---- Properties ----

Qt::Alignment TScrollText::Alignment() const { return panel_->Alignment(); }

void TScrollText::SetAlignment(Qt::Alignment alignment) { panel_->SetAlignment(alignment); }

void TScrollText::SetItems(const QStringList& items) {
  items_ = items;
  panel_->SetCaption(items_.join(QLatin1Char('\n')));
  MeasureText();
}

void TScrollText::SetActive(bool active) {
  SetItems(items_);
  if (active) {
    thread_->Resume();
  } else {
    thread_->Suspend();
  }
}

bool TScrollText::Active() const { return !thread_->Suspended(); }

std::uint32_t TScrollText::Delay() const { return thread_->Delay(); }

void TScrollText::SetDelay(std::uint32_t milliseconds) { thread_->SetDelay(milliseconds); }

void TScrollText::SetScrollDirection(TScrollTextDirection direction) {
  direction_ = direction;
  panel_->move(0, 0);
  Reset();
}

QColor TScrollText::BackgroundColor() const { return panel_->Color(); }

void TScrollText::SetBackgroundColor(const QColor& color) {
  panel_->SetColor(color);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, color);
  setPalette(colours);
  update();
}

QColor TScrollText::FontColor() const { return panel_->FontColor(); }

void TScrollText::SetFontColor(const QColor& color) { panel_->SetFontColor(color); }

// ---- Measuring and resetting ----

void TScrollText::MeasureText() {
  const QFontMetrics metrics(panel_->font());
  int total = 0;
  for (const QString& line : panel_->Caption().split(QLatin1Char('\n'))) {
    if (line.isEmpty()) {
      total += metrics.height();
    } else if (width() > 0) {  // a box without width cannot say how often a line wraps
      total += metrics.height() * (metrics.horizontalAdvance(line) / width() + 1);
    }
  }
  if (total <= 0) total = height();
  panel_->resize(width(), std::max(total, height()));
  Reset();
}

void TScrollText::Reset() {
  switch (direction_) {
    case drFromLeft: position_ = -width(); break;
    case drFromRight: position_ = width(); break;
    case drFromTop: position_ = height(); break;
    case drFromBottom: position_ = -panel_->height(); break;
  }
}

void TScrollText::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  panel_->resize(width(), std::max(panel_->height(), height()));
}

void TScrollText::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::FontChange) return;
  panel_->setFont(font());
  MeasureText();
  panel_->update();
}

// ---- Pausing ----

void TScrollText::Pause() {
  if (!Active()) return;
  rampSpeed_ = scrollPixels_;
  pauseState_ = TPauseState::Slowing;
}

void TScrollText::Unpause() {
  if (Active()) return;
  rampSpeed_ = 0;
  pauseState_ = TPauseState::Speeding;
  SetActive(true);
}

// ---- Ticks ----

int TScrollText::StepSize() {
  const int speed = rampSpeed_;
  switch (pauseState_) {
    case TPauseState::Steady:
      return scrollPixels_;
    case TPauseState::Slowing:
      if (speed <= 0) {
        SetActive(false);
        pauseState_ = TPauseState::Steady;
        return -1;
      }
      rampSpeed_ = speed - 1;
      return speed;
    case TPauseState::Speeding:
      if (speed < scrollPixels_) {
        rampSpeed_ = speed + 1;
        return speed;
      }
      pauseState_ = TPauseState::Steady;
      return scrollPixels_;
  }
  return scrollPixels_;
}

void TScrollText::Tick() {
  const int step = StepSize();
  if (step < 0) return;
  const int w = width();
  const int h = height();
  switch (direction_) {
    case drFromLeft:
      position_ = -position_ > panel_->width() ? w : position_ - step;
      break;
    case drFromRight:
      position_ = position_ > w ? -w : position_ + step;
      break;
    case drFromTop:
      position_ = position_ > h ? -panel_->height() : position_ + step;
      break;
    case drFromBottom:
      position_ = -position_ > panel_->height() ? h : position_ - step;
      break;
  }
  MovePanel();
}

void TScrollText::MovePanel() {
  if (Horizontal()) {
    panel_->move(position_, panel_->y());
  } else {
    panel_->move(panel_->x(), position_);
  }
}

// ---- Dragging ----

bool TScrollText::eventFilter(QObject* watched, QEvent* event) {
  if (watched != panel_) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      DragStart(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
      return true;
    case QEvent::MouseMove:
      if (dragging_) DragMove(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
      return dragging_;
    case QEvent::MouseButtonRelease:
      dragging_ = false;
      return true;
    default:
      return QWidget::eventFilter(watched, event);
  }
}

void TScrollText::DragStart(const QPoint& globalPos) {
  dragOrigin_ = Horizontal() ? globalPos.x() : globalPos.y();
  dragging_ = true;
}

void TScrollText::DragMove(const QPoint& globalPos) {
  const int coordinate = Horizontal() ? globalPos.x() : globalPos.y();
  position_ += coordinate - dragOrigin_;
  dragOrigin_ = coordinate;
  const int extent = Horizontal() ? panel_->width() : panel_->height();
  const int box = Horizontal() ? width() : height();
  if (position_ < -extent) {
    position_ = box;
  } else if (position_ > box) {
    position_ = -extent;
  }
  MovePanel();
}
