// Undo through the editor's commands: the groups that Enter and typing over a selection
// and padding below the text make, and when undo runs at all.
#include <functional>

#include "core/EditingFixture.h"
#include "editor/Commands.h"

using testing_support::EditingTest;
using Lines = std::vector<std::string>;

namespace {

class UndoCommands : public EditingTest {
 protected:
  // A loaded document: history empty, nothing modified.
  void Load(const Lines& lines, int x, int y) {
    SetText(lines, x, y);
    editor.Modified = false;
  }
};

TEST_F(UndoCommands, EnterOverASelectionIsOneStepTypingIsTwo) {
  Load({"abcdef"}, 1, 0);
  editor.SelectRange(1, 0, 4, 0);
  Run(editor::ecNewLine);
  EXPECT_EQ(Text(), (Lines{"a", "ef"}));
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), Lines{"abcdef"});
  EXPECT_TRUE(editor.Sel.Selected);
  EXPECT_EQ(editor.Sel.Beg.X, 1);
  EXPECT_EQ(editor.Sel.End.X, 4);

  Send("X");
  EXPECT_EQ(Text(), Lines{"aXef"});
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), Lines{"aef"});
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), Lines{"abcdef"});
}

TEST_F(UndoCommands, TypingBelowAShorterLoadedTextGoesBackToIt) {
  Load({"one", "two", "six"}, 0, 0);
  // A load keeps the caret where it was, here far below the new text.
  editor.CaretX = 2;
  editor.CaretY = 40;
  Send("x");
  EXPECT_EQ(editor.Lines().Count(), 41);
  EXPECT_EQ(editor.Lines().Get(40), "  x");
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), (Lines{"one", "two", "six"}));
  EXPECT_FALSE(editor.Modified);
}

TEST_F(UndoCommands, NothingToUndoAfterALoadAndRedoNeverChangesText) {
  editor.Lines().SetText("a\r\nb");
  editor.Modified = false;
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), (Lines{"a", "b"}));
  EXPECT_EQ(changes, 0);

  Send("x");
  Run(editor::ecUndo);
  Run(editor::ecRedo);
  EXPECT_EQ(Text(), (Lines{"a", "b"}));
  EXPECT_FALSE(editor.UndoBuffer().HasUndo());
}

TEST_F(UndoCommands, ReadOnlyBlocksTheCommandButNotTheMessage) {
  Load({""}, 0, 0);
  Send("ab");
  editor.ReadOnly = true;
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), Lines{"ab"});
  EXPECT_EQ(editor.Perform(platform::WM_UNDO, 0, 0), 1);
  EXPECT_EQ(Text(), Lines{""});
}

// A control byte left at the end of a line by an edit is dropped with the line's end;
// undo puts that byte back, not a blank in its place.
TEST_F(UndoCommands, UndoPutsBackTheControlBytesALineEndDropped) {
  struct Case {
    const char* name;
    Lines text;
    platform::TPoint caret;
    std::function<void()> edit;
  };
  const std::vector<Case> cases{
      {"backspace", {"a\x05" "b"}, {3, 0}, [&] { Run(editor::ecBackspace); }},
      {"enter", {"ab\x05\x01" "cd"}, {4, 0}, [&] { Run(editor::ecNewLine); }},
      {"typing over a selection", {"a\x05" "bc"}, {2, 0},
       [&] {
         editor.SelectRange(2, 0, 4, 0);
         Send("x");
         // The insert alone: the byte the deletion dropped goes back with the deletion.
         Run(editor::ecUndo);
         EXPECT_EQ(Text(), Lines{"a"});
       }},
      {"delete", {"a\x1f" "b", "c"}, {2, 0}, [&] { Run(editor::ecDelete); }},
      {"column delete", {"a\x05" "bc", "d\x06" "ef"}, {2, 0},
       [&] {
         editor.Sel.BlockFormat = editor::bfColumn;
         editor.SelectRange(2, 0, 3, 1);
         Run(editor::ecDeleteSelection);
       }},
  };
  for (const Case& c : cases) {
    Load(c.text, c.caret.X, c.caret.Y);
    c.edit();
    Run(editor::ecUndo);
    EXPECT_EQ(Text(), c.text) << c.name;
  }
}

}  // namespace
