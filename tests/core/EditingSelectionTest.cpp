// The selection's text and its deletion in each block format.
#include "core/EditingFixture.h"
#include "editor/Commands.h"

using platform::TPoint;
using testing_support::EditingTest;
using testing_support::TEditReport;
using Lines = std::vector<std::string>;

namespace {

class SelectionEditing : public EditingTest {
 protected:
  SelectionEditing() { SetText({"abcdef", "ghijkl", "mnopqr"}); }

  // Selects in the given block format; the format is switched with no selection present,
  // so the coordinates are stored as given.
  void Select(editor::TCommand format, int begX, int begY, int endX, int endY) {
    Run(format);
    editor.SelectRange(begX, begY, endX, endY);
    ASSERT_TRUE(editor.Sel.Selected);
  }
};

TEST_F(SelectionEditing, NonInclusiveStreamOverSeveralRows) {
  Select(editor::ecBlockNonInclusive, 2, 0, 3, 2);
  const std::string text = "cdef\r\nghijkl\r\nmno";
  EXPECT_EQ(editor.SelectionText(), text);
  editor.RemoveSelection();
  EXPECT_EQ(Text(), Lines{"abpqr"});
  EXPECT_EQ(Caret(), (TPoint{2, 0}));
  EXPECT_FALSE(editor.Sel.Selected);
  EXPECT_EQ(editor.Edits, std::vector<TEditReport>{(TEditReport{2, 0, 2, text})});
  EXPECT_EQ(changes, 1);

  Run(editor::ecUndo);
  EXPECT_EQ(Text(), (Lines{"abcdef", "ghijkl", "mnopqr"}));
  EXPECT_TRUE(editor.Sel.Selected);
}

TEST_F(SelectionEditing, InclusiveStreamTakesTheEndCharacter) {
  Select(editor::ecBlockInclusive, 2, 0, 3, 2);
  EXPECT_EQ(editor.SelectionText(), "cdef\r\nghijkl\r\nmnop");
  editor.RemoveSelection();
  EXPECT_EQ(Text(), Lines{"abqr"});
}

TEST_F(SelectionEditing, SingleRowStreams) {
  Select(editor::ecBlockNonInclusive, 1, 1, 4, 1);
  EXPECT_EQ(editor.SelectionText(), "hij");
  Select(editor::ecBlockInclusive, 1, 1, 4, 1);
  EXPECT_EQ(editor.SelectionText(), "hijk");
  // Ends beyond the line stop at its end; a start beyond it gives nothing on that row.
  Select(editor::ecBlockNonInclusive, 4, 1, 1024, 1);
  EXPECT_EQ(editor.SelectionText(), "kl");
  Select(editor::ecBlockNonInclusive, 9, 0, 2, 1);
  EXPECT_EQ(editor.SelectionText(), "\r\ngh");
}

TEST_F(SelectionEditing, LineFormatDeletesWholeRowsLeavingOneEmptyLine) {
  Run(editor::ecBlockNonInclusive);
  editor.SelectRange(2, 0, 3, 1);
  // Switching to the line format with a selection spans whole rows.
  Run(editor::ecBlockLine);
  EXPECT_EQ(editor.Sel.Beg.X, 0);
  EXPECT_EQ(editor.Sel.End.X, 1024);
  EXPECT_EQ(editor.SelectionText(), "abcdef\r\nghijkl");
  editor.RemoveSelection();
  EXPECT_EQ(Text(), (Lines{"", "mnopqr"}));
  EXPECT_EQ(Caret(), (TPoint{0, 0}));
}

TEST_F(SelectionEditing, ColumnFormatTakesTheSameColumnsOfEveryRow) {
  editor.MoveCaretTo(3, 2);
  Select(editor::ecBlockColumn, 1, 0, 3, 2);
  const std::string text = "bcd\r\nhij\r\nnop";
  EXPECT_EQ(editor.SelectionText(), text);
  editor.RemoveSelection();
  EXPECT_EQ(Text(), (Lines{"aef", "gkl", "mqr"}));
  // The caret keeps its row and goes to the block's left edge.
  EXPECT_EQ(Caret(), (TPoint{1, 2}));
  EXPECT_EQ(editor.Edits, std::vector<TEditReport>{(TEditReport{1, 0, 4, text})});

  Run(editor::ecUndo);
  EXPECT_EQ(Text(), (Lines{"abcdef", "ghijkl", "mnopqr"}));
}

TEST_F(SelectionEditing, ColumnFormatWithAShortRowGivesAnEmptyPiece) {
  SetText({"abcdef", "a", "mnopqr"});
  Select(editor::ecBlockColumn, 1, 0, 3, 2);
  EXPECT_EQ(editor.SelectionText(), "bcd\r\n\r\nnop");
}

TEST_F(SelectionEditing, NothingSelectedGivesNoTextAndRemovesNothing) {
  EXPECT_EQ(editor.SelectionText(), "");
  editor.RemoveSelection();
  EXPECT_EQ(Text(), (Lines{"abcdef", "ghijkl", "mnopqr"}));
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(History().empty());
}

TEST_F(SelectionEditing, RowsOutsideTheTextGiveNoTextAndBeep) {
  Select(editor::ecBlockNonInclusive, 1, 0, 2, 2);
  editor.Lines().Delete(2);
  EXPECT_EQ(editor.SelectionText(), "");
  EXPECT_EQ(host.Beeps, 1);
  editor.BeepOnError = false;
  EXPECT_EQ(editor.SelectionText(), "");
  EXPECT_EQ(host.Beeps, 1);
}

TEST_F(SelectionEditing, ASelectionEndingBelowTheTextIsDeletedToTheEndAndComesBack) {
  Select(editor::ecBlockNonInclusive, 1, 0, 2, 2);
  editor.Lines().Delete(2);
  editor.RemoveSelection();
  EXPECT_EQ(Text(), Lines{"a"});
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), (Lines{"abcdef", "ghijkl"}));
}

}  // namespace
