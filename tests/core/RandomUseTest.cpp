// Faults the long random run of the core found, one case each: the highlighting cache,
// the selection and the undo history stay true to the text.
#include <gtest/gtest.h>

#include "core/EditingFixture.h"
#include "core/FakeHost.h"
#include "editor/Commands.h"
#include "editor/html/HLEditor.h"
#include "platform/Messages.h"

namespace {

using editor::THLEditor;
using testing_support::EditingTest;
using Lines = std::vector<std::string>;

class RandomUseHighlighting : public ::testing::Test {
 protected:
  RandomUseHighlighting() {
    memo.WindowCreated();
    editor::ApplyMemo1Highlighting(memo);
  }
  void Type(char c) { memo.Perform(platform::WM_CHAR, static_cast<unsigned char>(c), 0); }
  std::uint8_t StateOf(int row) {
    memo.ComputeLineAttrs(row, 0, 80);  // computes the state when it is not known
    return memo.LineStartState(row);
  }
  testing_support::FakeHost host;
  THLEditor memo{host};
};

// Ctrl+Y of a row without brackets moves every row below up; undo moves them back.
TEST_F(RandomUseHighlighting, DeletedLineRescansTheRowsBelow) {
  memo.SetLines({"<a", "x", "b>", "y"});
  memo.MoveCaretTo(0, 1);
  memo.Command(editor::ecDeleteLine);
  EXPECT_EQ(StateOf(2), THLEditor::StateOutside);
  memo.Command(editor::ecUndo);
  EXPECT_EQ(StateOf(2), THLEditor::StateInTag);
  EXPECT_EQ(StateOf(3), THLEditor::StateOutside);
}

TEST_F(RandomUseHighlighting, TypingOverABracketRescans) {
  memo.SetLines({"<", "x"});
  memo.InsertMode = false;
  Type('a');
  EXPECT_EQ(StateOf(1), THLEditor::StateOutside);
}

// A row appended without a report (padding up to the caret adds rows so) does not take
// the state of a row deleted before.
TEST_F(RandomUseHighlighting, AppendedRowDoesNotInheritADeletedRowsState) {
  memo.SetLines({"<a", "b", "c"});
  memo.Lines().DeleteBlock({0, 0}, {2147483646, 2});
  memo.TextEdited(0, 0, editor::taDelete, "<a\r\nb\r\nc");
  memo.Lines().Add("q");
  EXPECT_EQ(StateOf(1), THLEditor::StateOutside);
}

// Deleting a NUL byte (a file may hold one) lets the scanner see the rest of the row.
TEST_F(RandomUseHighlighting, DeletingANulRescans) {
  memo.SetLines({std::string("a\0<", 3), "b"});
  memo.MoveCaretTo(1, 0);
  memo.Command(editor::ecDelete);
  EXPECT_EQ(StateOf(1), THLEditor::StateInTag);
}

class RandomUse : public EditingTest {};

TEST_F(RandomUse, SelectionNeverNamesRowsBelowTheText) {
  SetText({"a", "b", "c"});
  editor.SelectRange(0, 1, 1, 2);
  editor.MoveCaretTo(0, 2);
  Run(editor::ecDeleteLine);
  EXPECT_FALSE(editor.Sel.Selected);

  // Shift+Backspace joins the row of the gesture's anchor to the row above.
  SetText({"ab", "cd"}, 0, 1);
  Run(editor::ecSelRight);
  Run(editor::ecSelLeft);
  Run(editor::ecBackspace);
  Run(editor::ecSelLeft);
  EXPECT_LT(editor.Sel.End.Y, editor.Lines().Count());
}

// Deleting a column block trims the blanks left before it; undo brings them back too.
TEST_F(RandomUse, ColumnBlockUndoRestoresTheBlanksBeforeIt) {
  SetText({"ab  cd"}, 4, 0);
  Run(editor::ecBlockColumn);
  Run(editor::ecSelRight, 2);
  Send("\r");
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), Lines{"ab  cd"});
}

// Records of one kind that do not follow each other in the text go back each at its place.
TEST_F(RandomUse, UndoTakesBackSeparateEditsOfOneKindAtTheirPlaces) {
  SetText({"hello"}, 3, 0);
  editor.InsertMode = false;
  Send("\r");  // appends a row at the end of the text; the caret keeps its column
  editor.InsertMode = true;
  Send("x");
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), Lines{"hello"});

  SetText({"ab", ""}, 0, 0);
  editor.InsertMode = false;
  Send("X\rr");
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), (Lines{"ab", ""}));

  // Delete joins the rows, overwrite-mode Enter moves on to the next row without a record,
  // Delete there: the two deletions go back each at its own place.
  SetText({"ab", "cd", "ef"}, 2, 0);
  Run(editor::ecDelete);
  editor.InsertMode = false;
  Run(editor::ecNewLine);
  Run(editor::ecDelete);
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), (Lines{"ab", "cd", "ef"}));
}

// A double click on a row of blanks longer than the caret's range, the view scrolled
// right, once moved the caret past the last column.
TEST_F(RandomUse, DoubleClickOnALongRowKeepsTheCaretInRange) {
  SetText({std::string(1100, ' ') + "<<"});
  editor.View().SetLeftTop(1000, 0);
  const int x = editor.View().GutterWidth + 3 + 10 * editor.View().CellWidth;
  editor.MouseDown(editor::mbLeft, 0, x, 2);
  editor.MouseUp(editor::mbLeft, 0, x, 2);
  editor.DblClick(x, 2);
  EXPECT_LE(editor.CaretX, editor::MaxColumn);
}

TEST_F(RandomUse, OffsetInsideALineBreakIsAPosition) {
  SetText({"ab", "cd"});
  EXPECT_EQ(editor.OffsetToPos(3), (platform::TPoint{0, 1}));
}

}  // namespace
