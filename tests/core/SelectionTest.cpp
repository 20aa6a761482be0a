// Selections: extending by keys in every block format, explicit ranges, block-format
// changes, word selection, offsets and the selection messages, and the undo records.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "core/ViewTestEditor.h"
#include "platform/Messages.h"
#include "platform/VirtualKeys.h"

using namespace editor;
using testing_support::ViewEditor;

TEST(Selection, ShiftRightThriceSelectsThreeCharactersAndLeftDropsIt) {
  ViewEditor v({"abcdef"});
  auto& e = v.Editor;
  v.Caret(2, 0);
  for (int i = 0; i < 3; ++i) e.Command(ecSelRight);
  EXPECT_TRUE(e.Sel.Selected);
  EXPECT_EQ(e.Sel.Beg.X, 2);
  EXPECT_EQ(e.Sel.End.X, 5);
  EXPECT_EQ(e.Sel.BlockFormat, bfNonInclusive);
  EXPECT_EQ(e.CaretX, 5);
  e.Command(ecLeft);
  EXPECT_FALSE(e.Sel.Selected);
  EXPECT_EQ(e.CaretX, 4);
}

TEST(Selection, ExtendingBackPastTheAnchorFlipsTheEnds) {
  ViewEditor v({"abcdef", "ghijkl"});
  auto& e = v.Editor;
  v.Caret(3, 1);
  e.Command(ecSelUp);
  EXPECT_EQ(e.Sel.Beg.Y, 0);
  EXPECT_EQ(e.Sel.Beg.X, 3);
  EXPECT_EQ(e.Sel.End.Y, 1);
  EXPECT_EQ(e.Sel.End.X, 3);
  e.Command(ecSelDown);  // back on the anchor: empty again
  EXPECT_FALSE(e.Sel.Selected);
  e.Command(ecSelLineEnd);
  EXPECT_EQ(e.Sel.Beg.X, 3);
  EXPECT_EQ(e.Sel.End.X, 6);
  v.Caret(20, 1);  // beyond the line end the stream end is the line end
  e.Command(ecSelRight);
  EXPECT_EQ(e.Sel.End.X, 6);
  EXPECT_EQ(e.CaretX, 21);
}

TEST(Selection, AKeyWithoutShiftEndsTheGestureSoTheNextStartsAfresh) {
  ViewEditor v({"abcdef"});
  auto& e = v.Editor;
  std::uint16_t key = platform::VK_RIGHT;
  e.KeyDown(key, platform::ssShift);
  key = platform::VK_RIGHT;
  e.KeyDown(key, platform::ssShift);
  EXPECT_TRUE(e.Sel.Selecting);
  key = platform::VK_CONTROL;
  e.KeyDown(key, platform::ssCtrl);
  EXPECT_FALSE(e.Sel.Selecting);
  EXPECT_TRUE(e.Sel.Selected);  // a finished selection stays shown
}

TEST(Selection, ColumnSelectionOrdersColumnsIndependentlyOfRows) {
  ViewEditor v({"abcdef", "ghijkl", "mnopqr"});
  auto& e = v.Editor;
  v.Caret(4, 0);
  e.Command(ecColumnSelDown);
  e.Command(ecColumnSelLeft);
  e.Command(ecColumnSelLeft);
  EXPECT_EQ(e.Sel.BlockFormat, bfColumn);
  EXPECT_EQ(e.Sel.Beg.X, 2);
  EXPECT_EQ(e.Sel.End.X, 4);
  EXPECT_EQ(e.Sel.Beg.Y, 0);
  EXPECT_EQ(e.Sel.End.Y, 1);
  EXPECT_EQ(e.SelLength(), 3 + 2 + 3);
}

TEST(Selection, LineFormatCoversWholeRowsAndRestoresColumnsWhenLeft) {
  ViewEditor v({"abcdef", "ghijkl"});
  auto& e = v.Editor;
  v.Caret(2, 0);
  e.Command(ecSelDown);
  e.Command(ecBlockLine);
  EXPECT_EQ(e.Sel.Beg.X, 0);
  EXPECT_EQ(e.Sel.End.X, MaxColumn);
  e.SetSelBlockFormat(bfInclusive);
  EXPECT_EQ(e.Sel.Beg.X, 2);
  EXPECT_EQ(e.Sel.End.X, 2);
  EXPECT_EQ(e.SelLength(), 4 + 2 + 3);
  int statusChanges = 0;
  e.OnChangeStatus = [&] { ++statusChanges; };
  e.SetSelBlockFormat(bfInclusive);  // unchanged: no notification
  EXPECT_EQ(statusChanges, 0);
}

TEST(Selection, SelectRangeClampsAndSelectsNothingOnAnEmptyText) {
  ViewEditor v({"abc", "defg"});
  auto& e = v.Editor;
  e.SelectRange(-3, -1, 2000, 40);
  EXPECT_TRUE(e.Sel.Selected);
  EXPECT_FALSE(e.Sel.Selecting);
  EXPECT_EQ(e.Sel.Beg.X, 0);
  EXPECT_EQ(e.Sel.End.X, MaxColumn);
  EXPECT_EQ(e.Sel.End.Y, 1);
  e.SelectRange(0, 1, 2, 0);  // end above the start
  EXPECT_FALSE(e.Sel.Selected);
  ViewEditor empty;
  empty.Editor.Command(ecSelectAll);
  EXPECT_FALSE(empty.Editor.Sel.Selected);
}

TEST(Selection, SelectionRecordsAndCancelRecord) {
  ViewEditor v({"abcdef"});
  auto& e = v.Editor;
  e.Command(ecSelRight);
  e.Command(ecLeft);
  const TUndoBuffer& undo = e.UndoBuffer();
  ASSERT_GE(undo.Count(), 3);
  EXPECT_EQ(undo.Record(0).Kind(), TUndoKind::Select);
  EXPECT_EQ(undo.Record(1).Kind(), TUndoKind::Select);
  EXPECT_EQ(undo.Record(2).Kind(), TUndoKind::Unselect);
  EXPECT_EQ(undo.Record(undo.Count() - 1).Kind(), TUndoKind::Caret);
  // The cancel record's saved selection has the flags already cleared.
  ASSERT_TRUE(undo.Record(2).Selection);
  EXPECT_FALSE(undo.Record(2).Selection->Selected);
  EXPECT_EQ(undo.Record(2).Selection->End.X, 1);
}

TEST(Selection, SelectWordTakesTheWordAtTheCaret) {
  ViewEditor v({"<b>bold</b>"});
  auto& e = v.Editor;
  v.Caret(5, 0);
  e.Command(ecSelectWord);
  EXPECT_EQ(e.Sel.Beg.X, 3);
  EXPECT_EQ(e.Sel.End.X, 7);
  EXPECT_EQ(e.CaretX, 7);
  e.CancelSelection();
  v.Caret(0, 0);  // on the first separator: that character alone
  e.Command(ecSelectWord);
  EXPECT_EQ(e.Sel.Beg.X, 0);
  EXPECT_EQ(e.Sel.End.X, 1);
  EXPECT_EQ(e.CaretX, 0);
}

TEST(Selection, SelectingWordMovesExtendFromTheCaret) {
  ViewEditor v({"one two three"});
  auto& e = v.Editor;
  e.Command(ecSelWordRight);
  e.Command(ecSelWordRight);
  EXPECT_EQ(e.Sel.Beg.X, 0);
  EXPECT_EQ(e.Sel.End.X, 8);
  EXPECT_EQ(e.CaretX, 8);
  e.Command(ecSelWordLeft);
  EXPECT_EQ(e.Sel.End.X, 4);
}

TEST(Selection, OffsetsCountEveryLineBreakAsTwo) {
  ViewEditor v({"ab", "cde", ""});
  auto& e = v.Editor;
  EXPECT_EQ(e.PosToOffset(1, 1), 5);
  EXPECT_EQ(e.PosToOffset(9, 1), 7);
  EXPECT_EQ(e.PosToOffset(0, 3), -1);
  EXPECT_EQ(e.OffsetToPos(5), (platform::TPoint{1, 1}));
  EXPECT_EQ(e.OffsetToPos(2), (platform::TPoint{2, 0}));
  EXPECT_EQ(e.OffsetToPos(9), (platform::TPoint{0, 2}));
  EXPECT_EQ(e.OffsetToPos(-1), (platform::TPoint{-1, -1}));
  EXPECT_EQ(e.OffsetToPos(10), (platform::TPoint{-1, -1}));
}

TEST(Selection, SelLengthInEachFormat) {
  ViewEditor v({"abcdef", "gh", "ijklmn"});
  auto& e = v.Editor;
  e.SelectRange(2, 0, 3, 2);
  EXPECT_EQ(e.SelLength(), 4 + (2 + 2) + 3 + 2);
  e.Sel.BlockFormat = bfInclusive;
  EXPECT_EQ(e.SelLength(), 4 + (2 + 2) + 4 + 2);
  e.Sel.BlockFormat = bfColumn;
  EXPECT_EQ(e.SelLength(), 2 + 2 + 0 + 2 + 2);
  e.Sel.BlockFormat = bfNonInclusive;
  e.SelectRange(1, 1, 9, 1);
  EXPECT_EQ(e.SelLength(), 1);
  v.Host.Beeps = 0;
  e.Sel.End.Y = 7;  // an end outside the text
  EXPECT_EQ(e.SelLength(), 0);
  EXPECT_EQ(v.Host.Beeps, 1);
}

TEST(Selection, EditSelectionMessagesUseOffsets) {
  ViewEditor v({"ab", "cde"});
  auto& e = v.Editor;
  e.PerformSelectionMessage(platform::EM_SETSEL, 1, 6);
  EXPECT_TRUE(e.Sel.Selected);
  EXPECT_EQ(e.Sel.Beg.X, 1);
  EXPECT_EQ(e.Sel.Beg.Y, 0);
  EXPECT_EQ(e.Sel.End.X, 2);
  EXPECT_EQ(e.Sel.End.Y, 1);
  EXPECT_EQ(e.CaretX, 2);
  std::uint32_t start = 0;
  std::uint32_t end = 0;
  const auto result = e.PerformSelectionMessage(platform::EM_GETSEL, reinterpret_cast<platform::WPARAM>(&start),
                                                reinterpret_cast<platform::LPARAM>(&end));
  EXPECT_EQ(start, 1u);
  EXPECT_EQ(end, 6u);
  EXPECT_EQ(result, (6 << 16) | 1);
  e.PerformSelectionMessage(platform::EM_SETSEL, 0, -1);
  EXPECT_EQ(e.Sel.End.Y, 1);
  EXPECT_EQ(e.Sel.End.X, MaxColumn);
  e.PerformSelectionMessage(platform::EM_SETSEL, 2, 100);  // past the end: up to the end
  EXPECT_EQ(e.Sel.End.X, 3);
  EXPECT_EQ(e.Sel.End.Y, 1);
  e.PerformSelectionMessage(platform::EM_SETSEL, 3, 3);
  EXPECT_FALSE(e.Sel.Selected);
}

TEST(Selection, SelectionPageMovesExtendByAPage) {
  ViewEditor v;
  v.AddNumberedLines(100);
  auto& e = v.Editor;
  v.Caret(2, 3);
  e.Command(ecSelPageDown);
  EXPECT_EQ(e.Sel.Beg.Y, 3);
  EXPECT_EQ(e.Sel.End.Y, 33);
  EXPECT_EQ(e.CaretY, 33);
  EXPECT_EQ(e.UpdateLock, 0);
  for (int i = 0; i < 4; ++i) e.Command(ecSelPageDown);
  EXPECT_EQ(e.Sel.End.Y, 99);
  EXPECT_EQ(e.CaretY, 99);
}
