// The palette page's drawing.
#include "app/PalettePage.h"

#include <QPainter>

TPalettePage::TPalettePage(QWidget* parent)
    : QWidget(parent),
      edge_(QStringLiteral(":/page-edge.png")),
      background_(QStringLiteral(":/page-background.png")) {}

void TPalettePage::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect edgeRect(0, 0, kEdgeWidth, height());
  const QRect backRect(kEdgeWidth, 0, width() - kEdgeWidth, height());
  painter.drawPixmap(edgeRect, edge_);
  painter.drawPixmap(backRect, background_);
}
