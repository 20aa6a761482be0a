// Ordinary key sequences that once lost text: each ends with the text the user typed,
// or with the loaded text back after the undos.
#include "core/EditingFixture.h"
#include "editor/Commands.h"

using testing_support::EditingTest;
using Lines = std::vector<std::string>;

namespace {

using TextLoss = EditingTest;

TEST_F(TextLoss, OverwriteEnterOnTheLastLineUndoesOnlyTheNewLine) {
  SetText({"first", "abcdef"}, 3, 1);
  editor.InsertMode = false;
  Run(editor::ecNewLine);
  EXPECT_EQ(Text(), (Lines{"first", "abcdef", ""}));
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), (Lines{"first", "abcdef"}));
}

TEST_F(TextLoss, DeleteLineUnderAColumnBlockThenBackspaceUndoesCleanly) {
  for (int row = 0; row < 3; ++row) {
    SCOPED_TRACE(row);
    SetText({"abcd", "efgh", "ijkl"}, 1, row);
    editor.Command(editor::ecBlockColumn);
    Run(editor::ecSelDown);
    Run(editor::ecSelRight);
    Run(editor::ecSelDown);
    Run(editor::ecDeleteLine);
    Run(editor::ecBackspace);
    for (int i = 0; i < 6; ++i) EXPECT_NO_THROW(Run(editor::ecUndo));
    EXPECT_EQ(Text(), (Lines{"abcd", "efgh", "ijkl"}));
  }
}

TEST_F(TextLoss, EnterAfterTypingAtTheLastColumnUndoesToTheLongLine) {
  SetText({std::string(1100, 'w')}, editor::MaxColumn, 0);
  Send("abc");
  Run(editor::ecNewLine);
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), (Lines{std::string(1100, 'w')}));
}

}  // namespace

namespace {

TEST_F(TextLoss, EnterBelowTheTextThenBackspaceUndoesToTheText) {
  SetText({"one", "two"}, 1, 1);
  Run(editor::ecDeleteLine);  // the caret stays one row below the text
  Run(editor::ecNewLine);
  Run(editor::ecBackspace);
  for (int i = 0; i < 4; ++i) Run(editor::ecUndo);
  EXPECT_EQ(Text(), (Lines{"one", "two"}));
}

TEST_F(TextLoss, BackspacesInTwoPlacesGoBackEachToItsOwnPlace) {
  SetText({"ab", "cd"}, 2, 0);
  Run(editor::ecBackspace);
  editor.InsertMode = false;
  Run(editor::ecNewLine);  // moves the caret to the next row without a record
  Run(editor::ecBackspace);
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), (Lines{"ab", "cd"}));
}

}  // namespace
