// The completion list window: geometry without activation, list-box keys, drawing the
// rows through the client, and mouse selection with its scroll timer.
#include "qt/TEditorCompletionList.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "platform/VirtualKeys.h"
#include "qt/QtSurface.h"

TEditorCompletionList::TEditorCompletionList(QWidget& owner, platform::PopupListClient& client)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      owner_(&owner),
      client_(client),
      palette_(std::make_unique<QtColorPalette>(palette())),
      surface_(std::make_unique<QtSurface>(image_)) {
  setObjectName(QStringLiteral("CompletionList"));
  // A list that took the activation would take the keys from the editor that feeds it.
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  surface_->SetPalette(palette_.get());
  move(-1000, 0);
  connect(&scrollTimer_, &QTimer::timeout, this, [this] { ScrollTick(); });
}

TEditorCompletionList::~TEditorCompletionList() { surface_.reset(); }

// ---- Items and selection ----

void TEditorCompletionList::SetItemCount(int count) {
  count_ = std::max(count, 0);
  index_ = -1;
  top_ = 0;
  update();
}

void TEditorCompletionList::SetItemHeight(int height) {
  itemHeight_ = std::max(height, 1);
  update();
}

int TEditorCompletionList::VisibleCount() const { return std::max(1, (height() - 2) / itemHeight_); }

void TEditorCompletionList::SetItemIndex(int index) {
  index_ = std::clamp(index, -1, count_ - 1);
  EnsureVisible(index_);
  update();
}

void TEditorCompletionList::EnsureVisible(int index) {
  if (index >= 0) {
    if (index < top_) top_ = index;
    if (index >= top_ + VisibleCount()) top_ = index - VisibleCount() + 1;
  }
  top_ = std::clamp(top_, 0, std::max(0, count_ - VisibleCount()));
}

// Up and Down step one row; Page Down goes to the last row in view, or a page further
// when it is already there (Page Up likewise upward); Home and End go to the ends.
void TEditorCompletionList::KeyDown(std::uint16_t key) {
  if (count_ == 0) return;
  const int page = std::max(VisibleCount() - 1, 1);
  const int bottom = top_ + VisibleCount() - 1;
  int index = index_;
  switch (key) {
    case platform::VK_UP: index = index < 0 ? 0 : index - 1; break;
    case platform::VK_DOWN: index = index + 1; break;
    case platform::VK_PRIOR: index = index > top_ ? top_ : index - page; break;
    case platform::VK_NEXT: index = index < bottom ? bottom : index + page; break;
    case platform::VK_HOME: index = 0; break;
    case platform::VK_END: index = count_ - 1; break;
    default: return;
  }
  SetItemIndex(std::clamp(index, 0, count_ - 1));
}

// ---- Window ----

platform::TPoint TEditorCompletionList::ClientToScreen(platform::TPoint point) const {
  const QPoint p = owner_ ? owner_->mapToGlobal(QPoint(point.X, point.Y)) : QPoint(point.X, point.Y);
  return {p.x(), p.y()};
}

platform::TRect TEditorCompletionList::ScreenRect() const {
  const QScreen* screen = owner_ ? owner_->screen() : QGuiApplication::primaryScreen();
  const QRect r = screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
  return {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
}

void TEditorCompletionList::Popup(const platform::TRect& bounds) {
  setGeometry(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  EnsureVisible(index_);
  show();
  raise();
  update();
}

void TEditorCompletionList::paintEvent(QPaintEvent*) {
  const QSize inner = (size() - QSize(2, 2)).expandedTo(QSize(1, 1));
  if (image_.size() != inner) {
    surface_->Flush();
    QImage fresh(inner, QImage::Format_RGB32);
    image_.swap(fresh);
  }
  const platform::TRect all{0, 0, inner.width(), inner.height()};
  surface_->FillRect(all, platform::clWindow);
  for (int row = 0; row < VisibleCount() && top_ + row < count_; ++row) {
    const platform::TRect rect = platform::Bounds(0, row * itemHeight_, inner.width(), itemHeight_);
    surface_->SetClip(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()));
    client_.DrawListItem(*surface_, top_ + row, rect, top_ + row == index_);
  }
  surface_->SetClip(std::nullopt);
  surface_->Flush();
  QPainter p(this);
  p.drawImage(1, 1, image_);
  p.setPen(surface_->Resolve(platform::clWindowFrame));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

// ---- Mouse ----

int TEditorCompletionList::RowAt(int y) const {
  if (count_ == 0) return -1;
  const int row = std::clamp((y - 1) / itemHeight_, 0, VisibleCount() - 1);
  return std::min(top_ + row, count_ - 1);
}

void TEditorCompletionList::mousePressEvent(QMouseEvent* event) {
  // The window system keeps sending the moves and the release here while the button is
  // down, even outside the window: the press captures the mouse.
  if (event->button() == Qt::LeftButton) SetItemIndex(RowAt(event->position().toPoint().y()));
}

void TEditorCompletionList::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() & Qt::LeftButton) FollowPointer(event->position().toPoint().y());
}

void TEditorCompletionList::FollowPointer(int y) {
  const int above = -y;
  const int below = y - (height() - 1);
  if (above <= 0 && below <= 0) {
    scrollTimer_.stop();
    SetItemIndex(RowAt(y));
    return;
  }
  scrollDirection_ = above > 0 ? -1 : 1;
  const int distance = std::max(above, below);
  const int interval = distance > itemHeight_ ? FastScrollInterval : SlowScrollInterval;
  if (!scrollTimer_.isActive() || scrollTimer_.interval() != interval) scrollTimer_.start(interval);
}

void TEditorCompletionList::ScrollTick() {
  if (count_ == 0) return;
  const int from = index_ < 0 ? top_ : index_;
  SetItemIndex(std::clamp(from + scrollDirection_, 0, count_ - 1));
}

void TEditorCompletionList::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  scrollTimer_.stop();
  client_.ListReleased(rect().contains(event->position().toPoint()));
}
