// TPageControl: pages under a row of tabs that wraps into several rows when the control is
// too narrow for them all, like a multi-line tab control; it never scrolls its tabs.
#pragma once

#include <QAbstractButton>
#include <QList>
#include <vector>
#include <QString>
#include <QWidget>

class QStackedWidget;

// One tab: a button that takes no focus, so choosing a page with the mouse leaves the
// keyboard where it was. Assistive technology sees a page tab named by its caption,
// selected while its page is shown (PageControlAccessible.h).
class TPageTab : public QAbstractButton {
  Q_OBJECT

 public:
  TPageTab(const QString& caption, QWidget* parent);
  void SetSelected(bool selected);
  bool Selected() const { return selected_; }
  // Width and height the caption needs, without the selected tab's extra.
  QSize NaturalSize() const;

 signals:
  void chosen();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool selected_ = false;
};

class TPageControl : public QWidget {
  Q_OBJECT

 public:
  explicit TPageControl(QWidget* parent = nullptr);

  int addTab(QWidget* page, const QString& caption);
  int count() const;
  QString tabText(int index) const;
  TPageTab* tab(int index) const { return tabs_.value(index); }
  QWidget* widget(int index) const;
  int indexOf(const QWidget* page) const;
  int currentIndex() const { return current_; }
  QWidget* currentWidget() const;
  void setCurrentIndex(int index);
  void setCurrentWidget(QWidget* page);

  // The number of tab rows at the present width, and the height of one.
  int RowCount() const { return static_cast<int>(rows_.size()); }
  int RowHeight() const;
  // The rows as tab indices, in order of placement (before the chosen row moves down).
  const std::vector<std::vector<int>>& Rows() const { return rows_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  void currentChanged(int index);
  // The tabs wrapped into a different number of rows.
  void rowCountChanged(int rows);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void Relayout();
  void SplitIntoRows();
  void PlaceTabs();
  QRect PageArea() const;

  QList<TPageTab*> tabs_;
  QStackedWidget* stack_;
  int current_ = -1;
  std::vector<std::vector<int>> rows_;
};
