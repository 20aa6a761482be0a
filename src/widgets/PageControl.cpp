// The multi-row page control and its tabs.
#include "widgets/PageControl.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>
#include <QStackedWidget>
#include <algorithm>
#include <numeric>

#include "widgets/PageControlAccessible.h"

namespace {

// The chosen tab stands this much above and beside its row.
constexpr int kLift = 2;
// Blank space on each side of a caption.
constexpr int kPadding = 6;
// The page frame's width.
constexpr int kFrame = 2;

}  // namespace

// ---- TPageTab ----

TPageTab::TPageTab(const QString& caption, QWidget* parent) : QAbstractButton(parent) {
  setText(caption);
  setAccessibleName(caption);
  setFocusPolicy(Qt::NoFocus);
  // Accessibility's press action clicks.
  connect(this, &QAbstractButton::clicked, this, &TPageTab::chosen);
}

void TPageTab::SetSelected(bool selected) {
  if (selected == selected_) return;
  selected_ = selected;
  update();
  // A screen reader hears which page tab became the chosen one.
  QAccessible::State changed;
  changed.selected = true;
  QAccessibleStateChangeEvent event(this, changed);
  QAccessible::updateAccessibility(&event);
}

QSize TPageTab::NaturalSize() const {
  return {fontMetrics().horizontalAdvance(text()) + 2 * kPadding, fontMetrics().height() + 6};
}

void TPageTab::mousePressEvent(QMouseEvent* event) {
  // Like the platform's tabs, the page changes as the button goes down.
  if (event->button() == Qt::LeftButton) emit chosen();
}

void TPageTab::mouseReleaseEvent(QMouseEvent*) {}

void TPageTab::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int w = width();
  const int h = height();
  painter.fillRect(rect(), palette().color(QPalette::Button));
  // Rounded top corners: light on the left and top, shadow on the right.
  painter.setPen(palette().color(QPalette::Light));
  painter.drawLine(0, 2, 0, h - 1);
  painter.drawPoint(1, 1);
  painter.drawLine(2, 0, w - 3, 0);
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawLine(w - 2, 2, w - 2, h - 1);
  painter.setPen(palette().color(QPalette::Shadow));
  painter.drawPoint(w - 2, 1);
  painter.drawLine(w - 1, 2, w - 1, h - 1);
  painter.setPen(palette().color(QPalette::ButtonText));
  painter.setFont(font());
  // The chosen tab's extra height is above its caption and its overlap below it.
  const QRect textRect = selected_ ? rect().adjusted(kLift, kLift, -kLift, -1) : rect();
  painter.drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine, text());
}

// ---- TPageControl ----

TPageControl::TPageControl(QWidget* parent) : QWidget(parent), stack_(new QStackedWidget(this)) {
  InstallPageControlAccessible();
  setFocusPolicy(Qt::NoFocus);
}

int TPageControl::addTab(QWidget* page, const QString& caption) {
  const int index = stack_->addWidget(page);
  auto* tab = new TPageTab(caption, this);
  tabs_.append(tab);
  connect(tab, &TPageTab::chosen, this, [this, tab] { setCurrentIndex(static_cast<int>(tabs_.indexOf(tab))); });
  tab->show();
  if (current_ < 0) {
    current_ = index;
    tab->SetSelected(true);
  }
  Relayout();
  return index;
}

int TPageControl::count() const { return static_cast<int>(tabs_.size()); }

QString TPageControl::tabText(int index) const {
  const TPageTab* t = tab(index);
  return t != nullptr ? t->text() : QString();
}

QWidget* TPageControl::widget(int index) const { return stack_->widget(index); }

int TPageControl::indexOf(const QWidget* page) const { return stack_->indexOf(page); }

QWidget* TPageControl::currentWidget() const { return stack_->currentWidget(); }

void TPageControl::setCurrentIndex(int index) {
  if (index < 0 || index >= count() || index == current_) return;
  current_ = index;
  stack_->setCurrentIndex(index);
  for (int i = 0; i < count(); ++i) tabs_[i]->SetSelected(i == index);
  Relayout();
  emit currentChanged(index);
}

void TPageControl::setCurrentWidget(QWidget* page) { setCurrentIndex(indexOf(page)); }

int TPageControl::RowHeight() const { return fontMetrics().height() + 6; }

QSize TPageControl::sizeHint() const {
  int width = 2 * kLift;
  for (const TPageTab* t : tabs_) width += t->NaturalSize().width();
  return {width, kLift + RowHeight() + 40};
}

QSize TPageControl::minimumSizeHint() const {
  int widest = 0;
  for (const TPageTab* t : tabs_) widest = std::max(widest, t->NaturalSize().width());
  return {widest + 2 * kLift, kLift + RowHeight() * std::max(RowCount(), 1) + 2 * kFrame};
}

void TPageControl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Relayout();
}

void TPageControl::Relayout() {
  const int rowsBefore = RowCount();
  SplitIntoRows();
  PlaceTabs();
  stack_->setGeometry(PageArea().adjusted(kFrame, kFrame, -kFrame, -kFrame));
  update();
  if (RowCount() != rowsBefore) {
    updateGeometry();
    emit rowCountChanged(RowCount());
  }
}

void TPageControl::SplitIntoRows() {
  rows_.clear();
  const int available = width() - 2 * kLift;
  int used = 0;
  for (int i = 0; i < count(); ++i) {
    const int tabWidth = tabs_[i]->NaturalSize().width();
    if (rows_.empty() || (used + tabWidth > available && !rows_.back().empty())) {
      rows_.emplace_back();
      used = 0;
    }
    rows_.back().push_back(i);
    used += tabWidth;
  }
}

void TPageControl::PlaceTabs() {
  const int rowCount = RowCount();
  if (rowCount == 0) return;
  const int rowHeight = RowHeight();
  const int available = width() - 2 * kLift;
  int chosenRow = 0;
  for (int r = 0; r < rowCount; ++r) {
    if (std::find(rows_[r].begin(), rows_[r].end(), current_) != rows_[r].end()) chosenRow = r;
  }
  for (int r = 0; r < rowCount; ++r) {
    // The chosen tab's row lies next to the page; the others follow it upwards in turn.
    const int fromBottom = (r - chosenRow + rowCount) % rowCount;
    const int top = kLift + (rowCount - 1 - fromBottom) * rowHeight;
    const std::vector<int>& row = rows_[r];
    const int natural = std::accumulate(row.begin(), row.end(), 0,
                                        [this](int sum, int i) { return sum + tabs_[i]->NaturalSize().width(); });
    // Several rows each fill the width; a single row keeps its tabs' own widths.
    const int extra = rowCount > 1 ? std::max(available - natural, 0) : 0;
    int left = kLift;
    for (std::size_t k = 0; k < row.size(); ++k) {
      const int share = extra / static_cast<int>(row.size()) +
                        (k + 1 == row.size() ? extra % static_cast<int>(row.size()) : 0);
      TPageTab* t = tabs_[row[k]];
      QRect bounds(left, top, t->NaturalSize().width() + share, rowHeight);
      left += bounds.width();
      if (t->Selected()) bounds.adjust(-kLift, -kLift, kLift, 1);
      t->setGeometry(bounds);
    }
  }
  if (current_ >= 0) tabs_[current_]->raise();
}

QRect TPageControl::PageArea() const {
  const int top = kLift + RowCount() * RowHeight();
  return {0, top, width(), std::max(height() - top, 0)};
}

void TPageControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect page = PageArea();
  if (page.isEmpty()) return;
  painter.fillRect(page, palette().color(QPalette::Button));
  // A raised frame around the pages.
  painter.setPen(palette().color(QPalette::Light));
  painter.drawLine(page.left(), page.top(), page.right() - 1, page.top());
  painter.drawLine(page.left(), page.top(), page.left(), page.bottom() - 1);
  painter.setPen(palette().color(QPalette::Shadow));
  painter.drawLine(page.left(), page.bottom(), page.right(), page.bottom());
  painter.drawLine(page.right(), page.top(), page.right(), page.bottom());
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawLine(page.left() + 1, page.bottom() - 1, page.right() - 1, page.bottom() - 1);
  painter.drawLine(page.right() - 1, page.top() + 1, page.right() - 1, page.bottom() - 1);
}
