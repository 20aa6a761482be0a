// The editor at a desktop scale of 2: drawn at the screen's real pixels, with the cell
// grid, clicks and pixel scrolls exact. Runs in the ctest that sets QT_SCALE_FACTOR=2.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QTest>

#include "MetricFont.h"

namespace {

class ScaleTwo : public ::testing::Test {
 protected:
  void SetUp() override {
    if (qApp->devicePixelRatio() != 2.0) GTEST_SKIP() << "runs with QT_SCALE_FACTOR=2";
    ConfigureLikeMemo1(w);
    editor::THLEditor& e = w.Editor();
    for (int i = 0; i < 60; ++i) e.Lines().Add("<b>WMW mwm " + std::to_string(i) + "</b>");
    e.View().UpdateLayout();
    w.resize(500, 300);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  }
  const QImage& Painted() {
    w.viewport()->repaint();
    return w.CanvasImage();
  }

  EditorWidget w;
};

}  // namespace

TEST_F(ScaleTwo, TextAndGutterAreDrawnAtDevicePixels) {
  const QImage& image = Painted();
  EXPECT_EQ(image.size(), w.viewport()->size() * 2);
  // The gray gutter line is one logical pixel: device columns 48 and 49, nothing more.
  const QColor gray(128, 128, 128);
  EXPECT_EQ(image.pixelColor(48, 100), gray);
  EXPECT_EQ(image.pixelColor(49, 100), gray);
  EXPECT_NE(image.pixelColor(47, 100), gray);
  EXPECT_NE(image.pixelColor(50, 100), gray);
  // A stretched image repeats every logical pixel as a uniform 2 x 2 block; text drawn
  // at the real pixels has edges inside the blocks.
  const editor::THLEditor& e = w.Editor();
  int blocks = 0, mixed = 0;
  for (int y = 0; y < 5 * e.View().CellHeight * 2; y += 2) {
    for (int x = (e.View().GutterWidth + 3) * 2; x < (e.View().GutterWidth + 3 + 15 * e.View().CellWidth) * 2; x += 2) {
      const QRgb p = image.pixel(x, y);
      const bool uniform = image.pixel(x + 1, y) == p && image.pixel(x, y + 1) == p && image.pixel(x + 1, y + 1) == p;
      ++blocks;
      if (!uniform) ++mixed;
    }
  }
  EXPECT_GT(mixed, blocks / 20);
}

TEST_F(ScaleTwo, ClicksAndScrollsKeepToTheCellGrid) {
  const editor::THLEditor& e = w.Editor();
  const QPoint cell(e.View().GutterWidth + 3 + 4 * e.View().CellWidth + 2, 2 * e.View().CellHeight + 3);
  QTest::mouseClick(w.viewport(), Qt::LeftButton, Qt::NoModifier, cell);
  EXPECT_EQ(e.CaretX, 4);
  EXPECT_EQ(e.CaretY, 2);
  Painted();
  // A one-row scroll shifts device pixels; it must leave what a full repaint draws.
  w.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  ASSERT_EQ(e.View().TopRow, 1);
  const QImage shifted = Painted().copy();
  w.InvalidateAll();
  EXPECT_TRUE(Painted() == shifted);
}
