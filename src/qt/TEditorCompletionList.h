// TEditorCompletionList: the completion popup's list box, a tool-tip style window of its
// own that never takes the activation or the focus from the editor's window.
#pragma once

#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "platform/PopupList.h"

class QtColorPalette;
class QtSurface;

// Rows of one height drawn by the client inside a one-pixel border. Keys reach it only
// from the editor (KeyDown); the mouse selects: a press selects the row under the
// pointer, dragging follows the pointer and, above or below the list, scrolls one row
// per tick of a 200 ms timer (50 ms more than a row away); the release reports whether
// it happened over the list.
class TEditorCompletionList : public QWidget, public platform::PopupList {
  Q_OBJECT

 public:
  static constexpr int SlowScrollInterval = 200;
  static constexpr int FastScrollInterval = 50;

  // owner: the editor's client area, whose points ClientToScreen maps.
  TEditorCompletionList(QWidget& owner, platform::PopupListClient& client);
  ~TEditorCompletionList() override;

  void SetItemCount(int count) override;
  int ItemCount() const override { return count_; }
  void SetItemHeight(int height) override;
  int ItemIndex() const override { return index_; }
  void SetItemIndex(int index) override;
  int TopIndex() const override { return top_; }
  void KeyDown(std::uint16_t key) override;
  platform::TPoint ClientToScreen(platform::TPoint point) const override;
  platform::TRect ScreenRect() const override;
  void Popup(const platform::TRect& bounds) override;
  void Hide() override { hide(); }
  bool Shown() const override { return isVisible(); }
  void Repaint() override { update(); }

  bool Scrolling() const { return scrollTimer_.isActive(); }
  int ScrollInterval() const { return scrollTimer_.interval(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  int VisibleCount() const;
  // The row under a point of the window, clamped to the rows in view; -1 when empty.
  int RowAt(int y) const;
  void EnsureVisible(int index);
  void FollowPointer(int y);
  void ScrollTick();

  QPointer<QWidget> owner_;
  platform::PopupListClient& client_;
  int count_ = 0;
  int itemHeight_ = 13;
  int index_ = -1;
  int top_ = 0;
  int scrollDirection_ = 0;
  QTimer scrollTimer_;
  QImage image_;
  std::unique_ptr<QtColorPalette> palette_;
  std::unique_ptr<QtSurface> surface_;
};
