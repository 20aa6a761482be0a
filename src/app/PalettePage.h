// TPalettePage: one page of the snippet palette, drawn with its edge and background.
#pragma once

#include <QPixmap>
#include <QWidget>

// A palette page: a 4-pixel edge bitmap down its left side and a background bitmap
// stretched over the rest. The snippet buttons are placed on it by absolute position.
class TPalettePage : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kEdgeWidth = 4;

  explicit TPalettePage(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap edge_;
  QPixmap background_;
};
