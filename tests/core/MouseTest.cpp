// Mouse gestures on the fake host: clicks, Shift+click, drags with the edge-scroll timer,
// Alt+drag column blocks, double clicks, the wheel and the undo brackets of a gesture.
#include <gtest/gtest.h>

#include "core/ViewTestEditor.h"

using namespace editor;
using namespace platform;
using testing_support::ViewEditor;

namespace {

// Pixel position inside cell (column, row) of the view, left half.
int X(int column) { return 3 + column * 8 + 2; }
int Y(int row) { return row * 16 + 5; }

}  // namespace

TEST(Mouse, ClickPlacesTheCaretBeyondTheLineEndAndRightHalvesRoundUp) {
  ViewEditor v({"abc", "defghij"});
  auto& e = v.Editor;
  e.MouseDown(mbLeft, ssNone, X(10), Y(0));
  e.MouseUp(mbLeft, ssNone, X(10), Y(0));
  EXPECT_EQ(e.CaretX, 10);
  EXPECT_EQ(e.CaretY, 0);
  e.MouseDown(mbLeft, ssNone, 3 + 3 * 8 + 5, Y(1));
  EXPECT_EQ(e.CaretX, 4);
  EXPECT_EQ(e.CaretY, 1);
}

TEST(Mouse, RightPressOnlyFocusesAndLeavesNoUndoRecord) {
  ViewEditor v({"abc"});
  auto& e = v.Editor;
  v.Host.Focus = false;
  e.SelectRange(0, 0, 2, 0);
  const int records = e.UndoBuffer().Count();
  e.MouseDown(mbRight, ssNone, X(2), Y(0));
  EXPECT_TRUE(v.Host.Focus);
  EXPECT_EQ(e.CaretX, 0);
  EXPECT_TRUE(e.Sel.Selected);
  e.MouseUp(mbRight, ssNone, X(2), Y(0));
  // An end marker without its beginning would make the next undo take back everything.
  EXPECT_EQ(e.UndoBuffer().Count(), records);
}

TEST(Mouse, AMiddleClickChangesNothingOnlyAMiddleDragSelectsAColumnBlock) {
  ViewEditor v({"0123456789", "0123456789", "0123456789"});
  auto& e = v.Editor;
  v.Caret(1, 0);
  for (int i = 0; i < 3; ++i) e.Command(ecSelRight);
  const TSelection selection = e.Sel;
  const int caretX = e.CaretX;
  const int records = e.UndoBuffer().Count();
  v.Host.Focus = false;
  e.MouseDown(mbMiddle, ssNone, X(6), Y(2));
  e.MouseMove(ssNone, true, X(6) + 2, Y(2) + 1);  // a trembling hand is no drag
  e.MouseUp(mbMiddle, ssNone, X(6) + 2, Y(2) + 1);
  EXPECT_TRUE(v.Host.Focus);
  EXPECT_EQ(e.Sel, selection);
  EXPECT_EQ(e.CaretX, caretX);
  EXPECT_EQ(e.CaretY, 0);
  EXPECT_EQ(e.UndoBuffer().Count(), records);
  e.Command(ecSelRight);  // the Shift gesture goes on
  EXPECT_EQ(e.Sel.Beg, (TPosition{1, 0}));
  EXPECT_EQ(e.Sel.End, (TPosition{5, 0}));

  // The block starts at the pressed cell, wherever the first move lands.
  e.MouseDown(mbMiddle, ssNone, X(6), Y(0));
  e.MouseMove(ssNone, true, X(3), Y(2));
  e.MouseUp(mbMiddle, ssNone, X(3), Y(2));
  EXPECT_EQ(e.Sel.BlockFormat, bfColumn);
  EXPECT_EQ(e.Sel.Beg, (TPosition{3, 0}));
  EXPECT_EQ(e.Sel.End, (TPosition{6, 2}));
  EXPECT_EQ(e.CaretX, 3);
  EXPECT_EQ(e.CaretY, 2);

  // With Shift the middle button drags nothing.
  const TSelection block = e.Sel;
  e.MouseDown(mbMiddle, ssShift, X(1), Y(1));
  e.MouseMove(ssShift, true, X(8), Y(0));
  e.MouseUp(mbMiddle, ssShift, X(8), Y(0));
  EXPECT_EQ(e.Sel, block);
}

TEST(Mouse, ShiftClickSelectsFromTheCaretThenFromTheFirstAnchor) {
  ViewEditor v({"0123456789", "0123456789"});
  auto& e = v.Editor;
  v.Caret(2, 0);
  e.MouseDown(mbLeft, ssShift, X(6), Y(0));
  e.MouseUp(mbLeft, ssShift, X(6), Y(0));
  EXPECT_EQ(e.Sel.Beg.X, 2);
  EXPECT_EQ(e.Sel.End.X, 6);
  e.MouseDown(mbLeft, ssShift, X(4), Y(1));
  e.MouseUp(mbLeft, ssShift, X(4), Y(1));
  EXPECT_EQ(e.Sel.Beg.X, 2);
  EXPECT_EQ(e.Sel.Beg.Y, 0);
  EXPECT_EQ(e.Sel.End.X, 4);
  EXPECT_EQ(e.Sel.End.Y, 1);
  EXPECT_EQ(e.CaretY, 1);
}

TEST(Mouse, OneGestureIsBracketedForOneUndoStep) {
  ViewEditor v({"0123456789", "0123456789"});
  auto& e = v.Editor;
  e.MouseDown(mbLeft, ssNone, X(1), Y(0));
  e.MouseMove(ssNone, true, X(1), Y(0));
  e.MouseMove(ssNone, true, X(5), Y(1));
  e.MouseUp(mbLeft, ssNone, X(5), Y(1));
  const TUndoBuffer& undo = e.UndoBuffer();
  EXPECT_EQ(undo.Record(0).Kind(), TUndoKind::BeginCompound);
  EXPECT_EQ(undo.Record(undo.Count() - 1).Kind(), TUndoKind::EndCompound);
  EXPECT_TRUE(e.Sel.Selected);
  e.Command(ecUndo);
  EXPECT_EQ(e.CaretX, 0);
  EXPECT_EQ(e.CaretY, 0);
  EXPECT_FALSE(e.Sel.Selected);
}

TEST(Mouse, AltDragMakesAColumnBlockAndAPlainClickResetsTheFormat) {
  ViewEditor v({"0123456789", "0123456789", "0123456789"});
  auto& e = v.Editor;
  e.MouseDown(mbLeft, ssAlt, X(6), Y(0));
  e.MouseMove(ssAlt, true, X(6), Y(0));
  e.MouseMove(ssAlt, true, X(3), Y(2));
  e.MouseUp(mbLeft, ssAlt, X(3), Y(2));
  EXPECT_EQ(e.Sel.BlockFormat, bfColumn);
  EXPECT_EQ(e.Sel.Beg.X, 3);
  EXPECT_EQ(e.Sel.End.X, 6);
  e.MouseDown(mbLeft, ssNone, X(1), Y(1));
  EXPECT_EQ(e.Sel.BlockFormat, bfNonInclusive);
  EXPECT_FALSE(e.Sel.Selected);
}

TEST(Mouse, DragBeyondTheEdgesScrollsByTimer) {
  ViewEditor v;
  v.AddNumberedLines(200);
  auto& e = v.Editor;
  e.View().SetLeftTop(0, 100);
  e.MouseDown(mbLeft, ssNone, X(2), Y(5));
  e.MouseMove(ssNone, true, X(2), Y(5));
  e.MouseMove(ssNone, true, X(2), -10);  // just above the window
  ASSERT_EQ(v.Host.Timers.count(TCustomEditorBase::DragScrollTimerId), 1u);
  EXPECT_EQ(v.Host.Timers[TCustomEditorBase::DragScrollTimerId], 100);
  e.Timer(TCustomEditorBase::DragScrollTimerId);
  EXPECT_EQ(e.View().TopRow, 99);
  e.Timer(TCustomEditorBase::DragScrollTimerId);
  EXPECT_EQ(e.View().TopRow, 98);
  EXPECT_EQ(e.CaretY, 98);
  EXPECT_EQ(e.Sel.Beg.Y, 98);
  EXPECT_EQ(e.Sel.End.Y, 105);
  e.MouseMove(ssNone, true, X(2), -30);  // far above: a page per tick
  e.Timer(TCustomEditorBase::DragScrollTimerId);
  EXPECT_EQ(e.CaretY, 98 - 30);
  e.MouseMove(ssNone, true, X(2), Y(3));  // back inside: the timer stops
  EXPECT_EQ(v.Host.Timers.count(TCustomEditorBase::DragScrollTimerId), 0u);
  e.MouseMove(ssNone, true, X(2), 480 + 5);
  e.MouseUp(mbLeft, ssNone, X(2), 480 + 5);
  EXPECT_EQ(v.Host.Timers.count(TCustomEditorBase::DragScrollTimerId), 0u);
  EXPECT_FALSE(e.Mouse().MouseIsDown);
}

TEST(Mouse, TheDragTimerKeepsItsBeatWhileThePointerMovesOutside) {
  ViewEditor v;
  v.AddNumberedLines(200);
  auto& e = v.Editor;
  e.View().SetLeftTop(0, 100);
  e.MouseDown(mbLeft, ssNone, X(2), Y(5));
  for (int step = 0; step < 5; ++step) e.MouseMove(ssNone, true, X(2 + step), -10 - step);
  EXPECT_EQ(v.Host.TimerStarts[TCustomEditorBase::DragScrollTimerId], 1);
  e.MouseMove(ssNone, true, X(2), Y(3));
  e.MouseMove(ssNone, true, X(2), -10);
  EXPECT_EQ(v.Host.TimerStarts[TCustomEditorBase::DragScrollTimerId], 2);
  e.MouseUp(mbLeft, ssNone, X(2), -10);
}

TEST(Mouse, DoubleClickSelectsTheWordAndSkipsItsPress) {
  ViewEditor v({"<b>bold</b>", "   ", "a = b"});
  auto& e = v.Editor;
  const auto doubleClick = [&](int column, int row) {
    e.MouseDown(mbLeft, ssNone, X(column), Y(row));
    e.MouseUp(mbLeft, ssNone, X(column), Y(row));
    e.DblClick(X(column), Y(row));
    e.MouseDown(mbLeft, ssNone, X(column), Y(row));  // reported with the double click
    e.MouseUp(mbLeft, ssNone, X(column), Y(row));
  };
  doubleClick(5, 0);
  EXPECT_EQ(e.Sel.Beg.X, 3);
  EXPECT_EQ(e.Sel.End.X, 7);
  EXPECT_EQ(e.CaretX, 7);
  EXPECT_FALSE(e.Mouse().IgnoreNextPress);
  doubleClick(0, 0);  // the less-than sign alone, caret before it
  EXPECT_EQ(e.Sel.Beg.X, 0);
  EXPECT_EQ(e.Sel.End.X, 1);
  EXPECT_EQ(e.CaretX, 0);
  doubleClick(2, 0);  // the greater-than sign after b selects the b
  EXPECT_EQ(e.Sel.Beg.X, 1);
  EXPECT_EQ(e.Sel.End.X, 2);
  doubleClick(1, 1);  // a blank line: nothing
  EXPECT_FALSE(e.Sel.Selected);
  doubleClick(9, 2);  // past the text: the caret comes back onto the last word
  EXPECT_EQ(e.Sel.Beg.X, 4);
  EXPECT_EQ(e.Sel.End.X, 5);
}

TEST(Mouse, DoubleClickLineSelectsTheWholeRow) {
  ViewEditor v({"first", "second"});
  auto& e = v.Editor;
  e.DoubleClickLine = true;
  e.MouseDown(mbLeft, ssNone, X(2), Y(0));
  e.MouseUp(mbLeft, ssNone, X(2), Y(0));
  e.DblClick(X(2), Y(0));
  EXPECT_EQ(e.Sel.Beg.Y, 0);
  EXPECT_EQ(e.Sel.End.Y, 1);
  EXPECT_EQ(e.Sel.End.X, 0);
  EXPECT_EQ(e.CaretY, 1);
}

TEST(Mouse, GutterClicksReportTheRow) {
  ViewEditor v({"a", "b", "c"});
  auto& e = v.Editor;
  e.View().SetGutterWidth(25);
  int clicked = -1;
  int doubled = -1;
  e.OnGutterClick = [&](int row) { clicked = row; };
  e.OnGutterDblClick = [&](int row) { doubled = row; };
  e.MouseDown(mbLeft, ssNone, 10, Y(2));
  e.MouseUp(mbLeft, ssNone, 10, Y(2));
  EXPECT_EQ(clicked, 2);
  e.DblClick(10, Y(1));
  EXPECT_EQ(doubled, 1);
  EXPECT_FALSE(e.Sel.Selected);
}

TEST(Mouse, WheelScrollsOrMovesByModifier) {
  ViewEditor v;
  v.AddNumberedLines(200);
  auto& e = v.Editor;
  e.MouseWheel(ssNone, -120);
  EXPECT_EQ(e.View().TopRow, 3);
  EXPECT_EQ(e.CaretY, 0);
  e.MouseWheel(ssNone, 120);
  EXPECT_EQ(e.View().TopRow, 0);
  e.MouseWheel(ssCtrl, -120);
  EXPECT_EQ(e.View().TopRow, 30);
  e.MouseWheel(ssShift, -120);
  EXPECT_EQ(e.CaretY, 1);
  e.MouseWheel(ssShift, 120);
  EXPECT_EQ(e.CaretY, 0);
  e.MouseWheel(ssCtrl | ssShift, -120);
  EXPECT_EQ(e.CaretY, 0);
  EXPECT_EQ(e.View().TopRow, 0);  // Shift+wheel brought the caret row back into view
}

TEST(Mouse, SmallWheelTurnsAddUpToTheStepsOfANotch) {
  ViewEditor v;
  v.AddNumberedLines(200);
  auto& e = v.Editor;
  e.MouseWheel(ssNone, -15);
  e.MouseWheel(ssNone, -15);
  EXPECT_EQ(e.View().TopRow, 0);
  e.MouseWheel(ssNone, -15);
  EXPECT_EQ(e.View().TopRow, 1);
  for (int i = 0; i < 5; ++i) e.MouseWheel(ssNone, -15);
  EXPECT_EQ(e.View().TopRow, 3);
  EXPECT_EQ(e.View().VertScrollBar.Position(), 3);
  // A turn the other way starts afresh: what was left of the last one is not owed.
  e.MouseWheel(ssNone, -30);
  e.MouseWheel(ssNone, 30);
  EXPECT_EQ(e.View().TopRow, 3);
  e.MouseWheel(ssNone, 10);
  EXPECT_EQ(e.View().TopRow, 2);
  for (int i = 0; i < 8; ++i) e.MouseWheel(ssShift, -15);
  EXPECT_EQ(e.CaretY, 1);
}

TEST(Mouse, ASidewaysWheelScrollsSideways) {
  ViewEditor v;
  v.AddNumberedLines(200);
  auto& e = v.Editor;
  e.MouseHWheel(ssNone, -120);
  EXPECT_EQ(e.View().LeftCol, 3);
  EXPECT_EQ(e.View().HorzScrollBar.Position(), 3);
  EXPECT_EQ(e.View().TopRow, 0);
  EXPECT_EQ(e.CaretX, 0);
  e.MouseHWheel(ssNone, 120);
  EXPECT_EQ(e.View().LeftCol, 0);
  // Shift with the wheel, turned sideways by the platform, still moves the caret.
  e.MouseHWheel(ssShift, -120);
  EXPECT_EQ(e.CaretY, 1);
}
