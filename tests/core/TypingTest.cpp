// Typed and sent characters: insert and overwrite, blanks at the line end, the column
// limit, control codes, and the line break with auto-indent in both modes.
#include "core/EditingFixture.h"
#include "editor/Commands.h"

using editor::TUndoKind;
using testing_support::EditingTest;
using testing_support::TEditReport;
using Lines = std::vector<std::string>;

namespace {

class Typing : public EditingTest {};

TEST_F(Typing, BoldSnippetIntoAnEmptyEditor) {
  Send(" <b></b>");

  EXPECT_EQ(Text(), Lines{" <b></b>"});
  EXPECT_EQ(Caret(), (platform::TPoint{8, 0}));
  // The blank typed first stands at the line's end and is dropped, with a record.
  std::vector<TUndoKind> expected{TUndoKind::ReLine, TUndoKind::Insert, TUndoKind::DeleteTrail};
  expected.insert(expected.end(), 7, TUndoKind::Insert);
  EXPECT_EQ(History(), expected);
  EXPECT_EQ(changes, 8);
  ASSERT_EQ(editor.Edits.size(), 8u);
  // Each report comes with the caret already past the character.
  EXPECT_EQ(editor.Edits.front(), (TEditReport{1, 0, 1, " "}));
  EXPECT_EQ(editor.Edits.back(), (TEditReport{8, 0, 1, ">"}));

  Run(editor::ecUndo);
  EXPECT_EQ(Text(), Lines{""});
  EXPECT_EQ(Caret(), (platform::TPoint{0, 0}));
}

TEST_F(Typing, PadsTheLineAndTheTextUpToTheCaret) {
  SetText({"ab"}, 4, 0);
  Send("x");
  EXPECT_EQ(Text(), Lines{"ab  x"});
  EXPECT_EQ(Caret(), (platform::TPoint{5, 0}));

  editor.CursorBeyondEOF = true;
  SetText({"ab"}, 2, 3);
  Send("x");
  EXPECT_EQ(Text(), (Lines{"ab", "", "", "  x"}));
  EXPECT_EQ(History(), (std::vector<TUndoKind>{TUndoKind::ReLine, TUndoKind::ReLine,
                                               TUndoKind::ReLine, TUndoKind::Insert}));
}

TEST_F(Typing, OverwriteReplacesThenAppends) {
  SetText({"abc"}, 1, 0);
  editor.InsertMode = false;
  Send("x");
  EXPECT_EQ(Text(), Lines{"axc"});
  EXPECT_EQ(Caret(), (platform::TPoint{2, 0}));
  EXPECT_EQ(History(), std::vector<TUndoKind>{TUndoKind::Overwrite});
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), Lines{"abc"});

  editor.MoveCaretTo(3, 0);
  Send("y");
  EXPECT_EQ(Text(), Lines{"abcy"});
  EXPECT_EQ(Caret(), (platform::TPoint{4, 0}));
}

TEST_F(Typing, ControlCodesChangeNothing) {
  SetText({"ab"}, 1, 0);
  Send("\x08\x09\x0a\x1b");
  EXPECT_EQ(Text(), Lines{"ab"});
  EXPECT_EQ(Caret(), (platform::TPoint{1, 0}));
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(History().empty());
  EXPECT_TRUE(editor.Edits.empty());
}

TEST_F(Typing, BlankAtTheLineEndIsRestoredByTheNextCharacter) {
  SetText({"ab"}, 2, 0);
  Send(" ");
  EXPECT_EQ(Text(), Lines{"ab"});
  EXPECT_EQ(Caret(), (platform::TPoint{3, 0}));
  EXPECT_EQ(changes, 1);
  Send("c");
  EXPECT_EQ(Text(), Lines{"ab c"});
}

TEST_F(Typing, AtColumn1024NothingIsTypedSoNoWordComesOutReversed) {
  SetText({"x"}, 1024, 0);
  ASSERT_EQ(editor.CaretX, 1024);
  Send("ab");
  EXPECT_EQ(editor.CaretX, 1024);
  EXPECT_EQ(Text(), Lines{"x"});
  EXPECT_EQ(changes, 0);
}

TEST_F(Typing, ReadOnlyDropsCharactersAndEditingCommands) {
  SetText({"abc", "def"}, 1, 0);
  editor.ReadOnly = true;
  Send("xy\r");
  Run(editor::ecNewLine);
  Run(editor::ecBackspace);
  Run(editor::ecDelete);
  Run(editor::ecTab);
  Run(editor::ecDeleteLine);
  Run(editor::ecBackspaceWord);
  EXPECT_EQ(Text(), (Lines{"abc", "def"}));
  EXPECT_EQ(changes, 0);
}

TEST_F(Typing, TypingOverASelectionIsUndoneInTwoSteps) {
  SetText({"abcdef"}, 4, 0);
  editor.SelectRange(1, 0, 4, 0);
  Send("x");
  EXPECT_EQ(Text(), Lines{"axef"});
  EXPECT_EQ(Caret(), (platform::TPoint{2, 0}));
  EXPECT_FALSE(editor.Sel.Selected);
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), Lines{"aef"});
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), Lines{"abcdef"});
}

class LineBreak : public EditingTest {};

TEST_F(LineBreak, AutoIndentFollowsTheLineAbove) {
  SetText({"a", "b", "    foo"}, 5, 2);
  Run(editor::ecNewLine);
  EXPECT_EQ(Text(), (Lines{"a", "b", "    f", "    oo"}));
  EXPECT_EQ(Caret(), (platform::TPoint{4, 3}));
  EXPECT_EQ(History(), (std::vector<TUndoKind>{TUndoKind::Insert, TUndoKind::Insert}));
  // Reported with the caret still where Enter was pressed.
  EXPECT_EQ(editor.Edits, std::vector<TEditReport>{(TEditReport{4, 2, 1, "\r\n"})});
  EXPECT_EQ(changes, 1);

  Run(editor::ecUndo);
  EXPECT_EQ(Text(), (Lines{"a", "b", "    foo"}));
  EXPECT_EQ(Caret(), (platform::TPoint{5, 2}));
}

TEST_F(LineBreak, IndentsOnlyFromVisibleTextBelowTheFirstRow) {
  const struct {
    const char* name;
    Lines before;
    platform::TPoint caret;
    Lines after;
    platform::TPoint caretAfter;
  } cases[] = {
      {"the first row never indents", {"    foo"}, {5, 0}, {"    f", "oo"}, {0, 1}},
      {"a break at column 0 gives no indent", {"a", "  b", "  c"}, {0, 2}, {"a", "  b", "", "  c"}, {0, 3}},
      {"the indent of an empty new line is not stored", {"a", "  x"}, {3, 1}, {"a", "  x", ""}, {2, 2}},
      {"a line starting with text gives no indent", {"a", "foo"}, {1, 1}, {"a", "f", "oo"}, {0, 2}},
      {"blank rows are passed over upwards", {"a", "  b", "", "   "}, {2, 3}, {"a", "  b", "", "", ""}, {2, 4}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetText(c.before, c.caret.X, c.caret.Y);
    Send("\r");
    EXPECT_EQ(Text(), c.after);
    EXPECT_EQ(Caret(), c.caretAfter);
  }
  editor.AutoIndent = false;
  SetText({"a", "    foo"}, 5, 1);
  Send("\r");
  EXPECT_EQ(Caret(), (platform::TPoint{0, 2}));
}

TEST_F(LineBreak, OverSelectionIsOneUndoStep) {
  SetText({"abcdef"}, 4, 0);
  editor.SelectRange(1, 0, 4, 0);
  Run(editor::ecNewLine);
  EXPECT_EQ(Text(), (Lines{"a", "ef"}));
  EXPECT_EQ(Caret(), (platform::TPoint{0, 1}));
  EXPECT_EQ(editor.GroupDepth, 0);
  EXPECT_EQ(editor.UpdateLock, 0);

  Run(editor::ecUndo);
  EXPECT_EQ(Text(), Lines{"abcdef"});
  EXPECT_TRUE(editor.Sel.Selected);
  EXPECT_EQ(editor.Sel.Beg.X, 1);
  EXPECT_EQ(editor.Sel.End.X, 4);
}

TEST_F(LineBreak, OverwriteModeMovesToTheNextRowWithoutSplitting) {
  SetText({"abcdef", "   xy"}, 5, 0);
  editor.InsertMode = false;
  Run(editor::ecNewLine);
  EXPECT_EQ(Text(), (Lines{"abcdef", "   xy"}));
  EXPECT_EQ(Caret(), (platform::TPoint{3, 1}));
  EXPECT_EQ(changes, 0);

  // On the last row a new empty row is appended.
  Run(editor::ecNewLine);
  EXPECT_EQ(Text(), (Lines{"abcdef", "   xy", ""}));
  EXPECT_EQ(Caret(), (platform::TPoint{3, 2}));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(editor.Edits, std::vector<TEditReport>{(TEditReport{0, 1, 1, "\r\n"})});
}

}  // namespace
