// Pixels of the real editor window painted through the painter-backed surface: gutter
// lines, the right margin, selection colours of each block format, rows below the text
// and the caret overlay parked while its cell is scrolled out of view.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QTest>

#include "MetricFont.h"
#include "qt/EditorWidget.h"
#include "qt/QtSurface.h"

namespace {

class EditorWidgetPaint : public ::testing::Test {
 protected:
  void SetUp() override {
    ConfigureLikeMemo1(w);
    w.resize(1000, 300);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  }
  // Paints what is pending and answers the colour at (x, y) of the editor's image.
  QColor Pixel(int x, int y) {
    w.viewport()->repaint();
    return w.CanvasImage().pixelColor(x, y);
  }
  const QtColorPalette& palette() {
    if (!palette_) palette_ = std::make_unique<QtColorPalette>(w.palette());
    return *palette_;
  }
  static QColor ToQColor(platform::TColor rgb) {
    return QColor(platform::RedOf(rgb), platform::GreenOf(rgb), platform::BlueOf(rgb));
  }
  // A point inside text cell (column, row) of the view, clear of the glyph strokes
  // (the bottom pixel row of the cell carries only the background).
  QPoint InCell(int column, int row) {
    const editor::TEditorView& v = w.Editor().View();
    return QPoint(v.GutterWidth + 3 + column * v.CellWidth + v.CellWidth / 2, row * v.CellHeight + v.CellHeight - 1);
  }

  EditorWidget w;
  std::unique_ptr<QtColorPalette> palette_;
};

const QColor kNavy(0, 0, 128);

}  // namespace

TEST_F(EditorWidgetPaint, GutterHasItsThreeLines) {
  const QColor face = ToQColor(platform::ResolveColor(platform::clBtnFace, &palette()));
  EXPECT_EQ(Pixel(10, 50), face);
  EXPECT_EQ(Pixel(22, 50), face);
  EXPECT_EQ(Pixel(23, 50), kNavy);
  EXPECT_EQ(Pixel(24, 50), QColor(128, 128, 128));
  EXPECT_EQ(Pixel(26, 50), kNavy);
  EXPECT_EQ(Pixel(27, 50), kNavy);
}

TEST_F(EditorWidgetPaint, RightMarginStandsLeftOfColumnOneHundred) {
  w.Editor().Lines().Add("text");
  w.Editor().View().InvalidateControl();
  const editor::THLEditor& e = w.Editor();
  ASSERT_GE(e.View().VisibleColCount, 99);
  const int x = 25 + 3 + (100 - e.View().LeftCol) * e.View().CellWidth;
  EXPECT_EQ(Pixel(x, 5), QColor(192, 192, 192));
  EXPECT_EQ(Pixel(x, 200), QColor(192, 192, 192));  // below the text too
  EXPECT_EQ(Pixel(x - 1, 200), kNavy);
  EXPECT_EQ(Pixel(x + 1, 200), kNavy);
}

TEST_F(EditorWidgetPaint, RowsBelowTheTextShowTheBackground) {
  w.Editor().Lines().Add("one line");
  w.Editor().View().InvalidateControl();
  EXPECT_EQ(Pixel(InCell(3, 5).x(), InCell(3, 5).y()), kNavy);
  EXPECT_EQ(Pixel(InCell(60, 1).x(), InCell(60, 1).y()), kNavy);
}

TEST_F(EditorWidgetPaint, StreamSelectionColoursTheSpaceAfterAllButTheLastRow) {
  editor::THLEditor& e = w.Editor();
  for (const char* line : {"row zero", "row one", "row two", "row three"}) e.Lines().Add(line);
  e.SelectRange(4, 0, 3, 2);
  const QColor highlight = ToQColor(platform::ResolveColor(platform::clHighlight, &palette()));
  EXPECT_EQ(Pixel(InCell(1, 0).x(), InCell(1, 0).y()), kNavy);       // before the start
  EXPECT_EQ(Pixel(InCell(5, 0).x(), InCell(5, 0).y()), highlight);   // selected text
  EXPECT_EQ(Pixel(InCell(40, 0).x(), InCell(40, 0).y()), highlight);  // space after row 0
  EXPECT_EQ(Pixel(InCell(40, 1).x(), InCell(40, 1).y()), highlight);  // space after row 1
  EXPECT_EQ(Pixel(InCell(2, 2).x(), InCell(2, 2).y()), highlight);
  EXPECT_EQ(Pixel(InCell(3, 2).x(), InCell(3, 2).y()), kNavy);        // the end is exclusive
  EXPECT_EQ(Pixel(InCell(40, 2).x(), InCell(40, 2).y()), kNavy);      // not after the last row
}

TEST_F(EditorWidgetPaint, InclusiveLineAndColumnFormats) {
  editor::THLEditor& e = w.Editor();
  for (const char* line : {"abcdefgh", "ijklmnop", "qrstuvwx"}) e.Lines().Add(line);
  const QColor highlight = ToQColor(platform::ResolveColor(platform::clHighlight, &palette()));
  e.Sel.BlockFormat = editor::bfInclusive;
  e.SelectRange(2, 0, 3, 0);
  EXPECT_EQ(Pixel(InCell(3, 0).x(), InCell(3, 0).y()), highlight);
  EXPECT_EQ(Pixel(InCell(4, 0).x(), InCell(4, 0).y()), kNavy);

  e.CancelSelection();
  e.Sel.BlockFormat = editor::bfLine;
  e.SelectRange(5, 1, 5, 1);
  EXPECT_EQ(Pixel(InCell(0, 1).x(), InCell(0, 1).y()), highlight);
  EXPECT_EQ(Pixel(InCell(70, 1).x(), InCell(70, 1).y()), highlight);
  EXPECT_EQ(Pixel(InCell(0, 2).x(), InCell(0, 2).y()), kNavy);

  e.CancelSelection();
  e.Sel.BlockFormat = editor::bfColumn;
  e.SelectRange(2, 0, 4, 2);
  EXPECT_EQ(Pixel(InCell(2, 1).x(), InCell(2, 1).y()), highlight);
  EXPECT_EQ(Pixel(InCell(4, 1).x(), InCell(4, 1).y()), highlight);
  EXPECT_EQ(Pixel(InCell(5, 1).x(), InCell(5, 1).y()), kNavy);
  EXPECT_EQ(Pixel(InCell(40, 0).x(), InCell(40, 0).y()), kNavy);  // nothing after a column block
}

TEST_F(EditorWidgetPaint, TextIsDrawnInItsCells) {
  editor::THLEditor& e = w.Editor();
  e.Lines().Add("WWWW");
  e.View().InvalidateControl();
  w.viewport()->repaint();
  const QImage& image = w.CanvasImage();
  int yellowInFirstCell = 0;
  int yellowAfterText = 0;
  for (int y = 0; y < e.View().CellHeight; ++y) {
    for (int x = 0; x < e.View().CellWidth; ++x) {
      if (image.pixelColor(28 + x, y).red() > 200 && image.pixelColor(28 + x, y).blue() < 100) ++yellowInFirstCell;
      if (image.pixelColor(28 + 4 * e.View().CellWidth + x, y).red() > 200) ++yellowAfterText;
    }
  }
  EXPECT_GT(yellowInFirstCell, 5);
  EXPECT_EQ(yellowAfterText, 0);
}

TEST_F(EditorWidgetPaint, AnUpdateFromOutsideRepaintsFromTheText) {
  editor::THLEditor& e = w.Editor();
  w.viewport()->repaint();
  e.Lines().Add("WWWW");  // the line store alone asks for no repaint
  w.viewport()->update();
  w.viewport()->repaint();
  const QImage& image = w.CanvasImage();
  int yellow = 0;
  for (int y = 0; y < e.View().CellHeight; ++y) {
    for (int x = 28; x < 28 + 4 * e.View().CellWidth; ++x) yellow += image.pixelColor(x, y).red() > 200 ? 1 : 0;
  }
  EXPECT_GT(yellow, 20);
}

TEST_F(EditorWidgetPaint, ScrollingShiftsTheImageAndRepaintsTheRest) {
  editor::THLEditor& e = w.Editor();
  for (int i = 0; i < 100; ++i) e.Lines().Add(i % 2 == 0 ? "" : "xxxxxxxxxxxxxxxxxxxx");
  e.SelectRange(0, 1, 20, 1);  // row 1 highlighted: a mark that travels with the pixels
  e.View().UpdateLayout();
  const QColor highlight = ToQColor(platform::ResolveColor(platform::clHighlight, &palette()));
  EXPECT_EQ(Pixel(InCell(10, 1).x(), InCell(10, 1).y()), highlight);
  w.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(e.View().TopRow, 1);
  EXPECT_EQ(w.verticalScrollBar()->value(), 1);
  EXPECT_EQ(Pixel(InCell(10, 0).x(), InCell(10, 0).y()), highlight);
  EXPECT_EQ(Pixel(InCell(10, 1).x(), InCell(10, 1).y()), kNavy);
  w.verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(e.View().TopRow, 1 + e.View().VisibleRowCount);
}

TEST_F(EditorWidgetPaint, CaretIsParkedWhileScrolledOutOfViewAndComesBack) {
  editor::THLEditor& e = w.Editor();
  e.Lines().Add("caret line");
  w.activateWindow();
  w.setFocus();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  ASSERT_TRUE(w.hasFocus());
  e.Command(editor::ecRight);
  e.Command(editor::ecRight);
  const QRect shown = w.CaretRect();
  EXPECT_EQ(shown.topLeft(), QPoint(25 + 3 + 2 * e.View().CellWidth - 1, 1));
  EXPECT_EQ(shown.size(), QSize(2, e.View().CellHeight - 2));
  EXPECT_TRUE(w.CaretShowing());
  e.View().SetLeftTop(5, 0);
  EXPECT_EQ(w.CaretRect().topLeft(), QPoint(-32767, -32767));
  e.View().SetLeftTop(0, 0);
  EXPECT_EQ(w.CaretRect(), shown);
}

// Enter, a joining Backspace and Delete line move the rows below on the image instead of
// repainting them: the picture must be the one a full repaint gives, also where the text
// ends above the window's bottom.
TEST_F(EditorWidgetPaint, RowsShiftedByEditsMatchAFullRepaint) {
  editor::THLEditor& e = w.Editor();
  e.Lines().Assign({"<p>one</p>", "two", "<b>three</b>", "four", "five"});
  e.ShowFromTop();
  const auto expectFullRepaintPicture = [&](const char* after) {
    // Only what the edit marked dirty is painted here; the rest is the shifted image.
    QCoreApplication::processEvents();
    const QImage shifted = w.CanvasImage().copy();
    e.View().InvalidateControl();
    w.viewport()->repaint();
    EXPECT_TRUE(shifted == w.CanvasImage()) << "after " << after;
  };
  e.MoveCaretTo(2, 1);
  e.Command(editor::ecNewLine);
  expectFullRepaintPicture("Enter");
  e.MoveCaretTo(0, 2);
  e.Command(editor::ecBackspace);
  expectFullRepaintPicture("Backspace at the line start");
  e.MoveCaretTo(0, 3);
  e.Command(editor::ecDeleteLine);
  expectFullRepaintPicture("Delete line");
}
