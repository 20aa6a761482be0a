// Layout and scrolling: cell metrics, visible counts, scroll-bar ranges and codes, pixel
// scrolling, the update lock and pixel/cell conversion.
#include <gtest/gtest.h>

#include "core/ViewTestEditor.h"
#include "platform/Errors.h"
#include "platform/Messages.h"

using platform::TRect;
using platform::TScrollBarKind;
using testing_support::ViewEditor;

TEST(Layout, CellsAndVisibleCountsFollowFontClientAndGutter) {
  ViewEditor v;
  EXPECT_EQ(v.Editor.View().CellWidth, 8);
  EXPECT_EQ(v.Editor.View().CellHeight, 16);
  EXPECT_EQ(v.Editor.View().VisibleColCount, 79);
  EXPECT_EQ(v.Editor.View().VisibleRowCount, 30);
  EXPECT_EQ(v.Editor.View().LastVisibleRow, 29);
  v.Editor.View().SetGutterWidth(25);
  EXPECT_EQ(v.Editor.View().VisibleColCount, (640 - 27) / 8);
  v.Resize(10, 8);  // narrower than the gutter, lower than a row
  EXPECT_EQ(v.Editor.View().VisibleColCount, 0);
  EXPECT_EQ(v.Editor.View().VisibleRowCount, 0);
}

TEST(Layout, ScrollBarRangesLetTheLastLineReachTheTop) {
  ViewEditor v;
  v.AddNumberedLines(100);
  v.Resize(640, 20 * 16);
  const platform::TScrollInfo vert = v.Host.ScrollInfo[TScrollBarKind::sbVertical];
  EXPECT_EQ(vert.Max, 118);
  EXPECT_EQ(vert.Page, 20);
  EXPECT_EQ(v.Editor.View().VertScrollBar.LargeChange, 20);
  const platform::TScrollInfo horz = v.Host.ScrollInfo[TScrollBarKind::sbHorizontal];
  EXPECT_EQ(horz.Max, 1023);
  EXPECT_EQ(horz.Page, 79);
  // The furthest line step puts the last line on the top row, no further.
  for (int i = 0; i < 200; ++i) v.Editor.ScrollMessage(TScrollBarKind::sbVertical, platform::SB_LINEDOWN);
  EXPECT_EQ(v.Editor.View().TopRow, 99);
  EXPECT_EQ(v.Editor.View().VertScrollBar.Position(), 99);
}

TEST(Layout, EmptyTextStillHasARowAndAScrollRange) {
  ViewEditor v;
  EXPECT_EQ(v.Editor.View().RowCount, 1);
  EXPECT_EQ(v.Host.ScrollInfo[TScrollBarKind::sbVertical].Max, 29);
}

TEST(Layout, ScrollBarRejectsAnInvertedRangeAndClampsPosition) {
  testing_support::FakeHost host;
  editor::TControlScrollBar95 bar(host, TScrollBarKind::sbVertical);
  bar.SetParams(0, 50, 10);
  try {
    bar.SetParams(10, 5, 1);
    FAIL() << "no error";
  } catch (const platform::EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), "Scrollbar property out of range");
  }
  EXPECT_EQ(bar.Max(), 50);
  bar.SetPosition(-4);
  EXPECT_EQ(bar.Position(), 0);
  bar.SetPosition(500);
  EXPECT_EQ(bar.Position(), 41);
  bar.SetMax(20);
  EXPECT_EQ(bar.Position(), 11);
}

TEST(Layout, ScrollCodesMoveTheBarAndOnlySomeMoveTheView) {
  ViewEditor v;
  v.AddNumberedLines(200);
  auto& e = v.Editor;
  e.ScrollMessage(TScrollBarKind::sbVertical, platform::SB_LINEDOWN);
  EXPECT_EQ(e.View().TopRow, 1);
  e.ScrollMessage(TScrollBarKind::sbVertical, platform::SB_PAGEDOWN);
  EXPECT_EQ(e.View().TopRow, 31);
  e.ScrollMessage(TScrollBarKind::sbVertical, platform::SB_LINEUP);
  EXPECT_EQ(e.View().TopRow, 30);
  v.Host.TrackPos[TScrollBarKind::sbVertical] = 77;
  e.ScrollMessage(TScrollBarKind::sbVertical, platform::SB_THUMBTRACK);
  EXPECT_EQ(e.View().TopRow, 77);
  v.Host.TrackPos[TScrollBarKind::sbVertical] = 5;
  e.ScrollMessage(TScrollBarKind::sbVertical, platform::SB_THUMBPOSITION);
  EXPECT_EQ(e.View().TopRow, 77);  // the final thumb position moves only the bar
  EXPECT_EQ(e.View().VertScrollBar.Position(), 5);
  e.ScrollMessage(TScrollBarKind::sbVertical, platform::SB_BOTTOM);
  EXPECT_EQ(e.View().TopRow, 77);
  e.ScrollMessage(TScrollBarKind::sbHorizontal, platform::SB_LINEDOWN);
  EXPECT_EQ(e.View().LeftCol, 1);
  EXPECT_EQ(e.View().LastVisibleCol, 79);
}

TEST(Layout, ShortScrollShiftsPixelsAndRepaintsOnlyTheStrip) {
  ViewEditor v;
  v.AddNumberedLines(100);
  v.Host.Invalidated.clear();
  v.Host.InvalidateAllCount = 0;
  v.Editor.View().ScrollView(true, 2);
  ASSERT_EQ(v.Host.Scrolls.size(), 1u);
  EXPECT_EQ(v.Host.Scrolls[0], (platform::TPoint{0, -32}));
  ASSERT_EQ(v.Host.Invalidated.size(), 1u);
  // Rows 28 and 29 came into view; one more row above them and the part row below.
  EXPECT_EQ(v.Host.Invalidated[0], (TRect{0, 27 * 16, 640, 480}));
  EXPECT_EQ(v.Host.InvalidateAllCount, 0);
  EXPECT_EQ(v.Host.UpdateWindowCount, 1);

  v.Host.Invalidated.clear();
  v.Editor.View().ScrollView(true, 1);
  EXPECT_EQ(v.Host.Invalidated.back(), (TRect{0, 0, 640, 32}));

  v.Host.Invalidated.clear();
  v.Editor.View().ScrollView(false, 3);
  EXPECT_EQ(v.Host.Scrolls.back(), (platform::TPoint{-24, 0}));
  EXPECT_EQ(v.Host.Invalidated.back(), (TRect{3 + 79 * 8 - 24 - 8, 0, 640, 480}));
}

TEST(Layout, ScrollOfAWholeViewRepaintsEverything) {
  ViewEditor v;
  v.AddNumberedLines(100);
  v.Host.InvalidateAllCount = 0;
  v.Editor.View().ScrollView(true, 30);
  EXPECT_TRUE(v.Host.Scrolls.empty());
  EXPECT_EQ(v.Host.InvalidateAllCount, 1);
}

TEST(Layout, UpdateLockDefersScrollingToTheEnd) {
  ViewEditor v;
  v.AddNumberedLines(100);
  v.Host.InvalidateAllCount = 0;
  v.Editor.OpenUpdate();
  v.Editor.View().ScrollView(true, 3);
  EXPECT_EQ(v.Editor.View().TopRow, 3);
  EXPECT_TRUE(v.Host.Scrolls.empty());
  EXPECT_EQ(v.Host.UpdateWindowCount, 0);
  v.Host.Surface.Reset();
  v.Editor.Paint(TRect{0, 0, 640, 480});
  EXPECT_TRUE(v.Host.Surface.Runs.empty());  // nothing paints while locked
  v.Editor.CloseUpdate();
  EXPECT_EQ(v.Host.InvalidateAllCount, 1);
}

TEST(Layout, UnbalancedCloseUpdateFailsTheAssertion) {
  ViewEditor v;
  try {
    v.Editor.CloseUpdate();
    FAIL() << "no error";
  } catch (const platform::EAssertionFailed& e) {
    EXPECT_EQ(e.Message(), "Assertion failure");
  }
  EXPECT_EQ(v.Editor.UpdateLock, 0);
}

TEST(Layout, PositionFromPointRoundsHalfToEvenAndClamps) {
  ViewEditor v({"abcdefgh", "ijkl"});
  auto& e = v.Editor;
  // Cell of column 3 spans x = 27..34; its right half means column 4.
  EXPECT_EQ(e.View().PositionFromPoint(27 + 5, 0), (platform::TPoint{4, 0}));
  EXPECT_EQ(e.View().PositionFromPoint(27 + 2, 0), (platform::TPoint{3, 0}));
  EXPECT_EQ(e.View().PositionFromPoint(2 + 20, 0).X, 2);  // 2.5 rounds to 2
  EXPECT_EQ(e.View().PositionFromPoint(2 + 28, 0).X, 4);  // 3.5 rounds to 4
  EXPECT_EQ(e.View().PositionFromPoint(-50, -50), (platform::TPoint{0, 0}));
  EXPECT_EQ(e.View().PositionFromPoint(5000, 479), (platform::TPoint{78, 1}));
  EXPECT_EQ(e.View().PositionFromPoint(10, 31).Y, 1);
  EXPECT_EQ(e.View().CellRect(2, 1), (TRect{3 + 16, 16, 3 + 24, 32}));
  e.View().SetGutterWidth(25);
  EXPECT_EQ(e.View().CellRect(0, 0).Left, 28);
}

TEST(Layout, ScrollToRowCentresARowOutOfView) {
  ViewEditor v;
  v.AddNumberedLines(200);
  v.Editor.View().ScrollToRow(10);
  EXPECT_EQ(v.Editor.View().TopRow, 0);
  v.Editor.View().ScrollToRow(100);
  EXPECT_EQ(v.Editor.View().TopRow, 85);
  v.Editor.View().SetLeftTop(-3, -7);
  EXPECT_EQ(v.Editor.View().TopRow, 0);
  EXPECT_EQ(v.Editor.View().LeftCol, 0);
}

TEST(Layout, AWindowWithoutWholeRowsStillScrollsToTheCaretRow) {
  ViewEditor v({"a", "b", "c", "d"});
  v.Resize(100, 10);  // lower than one row
  v.Editor.MoveCaretTo(0, 3);
  EXPECT_EQ(v.Editor.View().TopRow, 3);
  v.Resize(640, 480);
  EXPECT_EQ(v.Editor.View().LastVisibleRow, 32);
}
