// The editing commands: Tab and Back-Tab with smart stops, Backspace with unindent and
// line joins, Backspace over a word, Delete and deleting a line.
#include <optional>

#include "core/EditingFixture.h"
#include "editor/Commands.h"
#include "platform/Errors.h"

using editor::TUndoKind;
using platform::TPoint;
using testing_support::EditingTest;
using testing_support::TEditReport;
using Lines = std::vector<std::string>;

namespace {

// One command on a small text: the text and caret before and after.
struct CommandCase {
  const char* name;
  Lines before;
  TPoint caret;
  editor::TCommand command;
  Lines after;
  TPoint caretAfter;
  std::optional<platform::TRect> selection = std::nullopt;  // begin (Left, Top), end (Right, Bottom)
  enum { Plain = 0, Overwrite = 1, NoSmartTab = 2, NoUnindent = 4 } options = Plain;
};

const CommandCase kCommandCases[] = {
    {"tab in overwrite mode only moves", {"if (a) then", "xyz"}, {0, 1}, editor::ecTab,
     {"if (a) then", "xyz"}, {4, 1}, std::nullopt, CommandCase::Overwrite},
    // The stop is found from the caret before the selection goes: 6 from column 5.
    {"tab over a selection fills up to the stop", {"abcdef"}, {5, 0}, editor::ecTab, {"a     f"},
     {6, 0}, platform::TRect{1, 0, 5, 0}},
    {"tab over a selection starting right of the stop fills nothing", {"abcdefghij", "xy"}, {2, 1},
     editor::ecTab, {"abcdefgh"}, {4, 0}, platform::TRect{8, 0, 2, 1}, CommandCase::NoSmartTab},
    {"backspace in text", {"abc"}, {2, 0}, editor::ecBackspace, {"ac"}, {1, 0}},
    {"backspace in leading blanks goes to the outer indent", {"  foo", "    x"}, {4, 1},
     editor::ecBackspace, {"  foo", "  x"}, {2, 1}},
    {"backspace without an outer indent deletes all blanks", {"foo", "    x"}, {4, 1},
     editor::ecBackspace, {"foo", "x"}, {0, 1}},
    {"backspace ignores deeper indents above", {"  a", "      b", "    x"}, {4, 2},
     editor::ecBackspace, {"  a", "      b", "  x"}, {2, 2}},
    {"backspace after visible text deletes one", {"  foo", "  ab"}, {4, 1}, editor::ecBackspace,
     {"  foo", "  a"}, {3, 1}},
    {"backspace with blanks right of the caret deletes one", {"  foo", "      x"}, {4, 1},
     editor::ecBackspace, {"  foo", "     x"}, {3, 1}},
    {"backspace without unindent deletes one", {"  foo", "    x"}, {4, 1}, editor::ecBackspace,
     {"  foo", "   x"}, {3, 1}, std::nullopt, CommandCase::NoUnindent},
    {"backspace at column 0 joins", {"ab", "cd"}, {0, 1}, editor::ecBackspace, {"abcd"}, {2, 0}},
    {"backspace at the text start", {"ab"}, {0, 0}, editor::ecBackspace, {"ab"}, {0, 0}},
    {"backspace with a selection deletes only it", {"abcdef"}, {4, 0}, editor::ecBackspace,
     {"aef"}, {1, 0}, platform::TRect{1, 0, 4, 0}},
    // After the deletion the caret row is joined: the row the caret then stands on.
    {"backspace at column 0 with a selection", {"abc", "def", "ghi"}, {0, 2}, editor::ecBackspace,
     {"abcdghi"}, {3, 0}, platform::TRect{1, 1, 0, 2}},
    {"backspace with a selection ending on row 0", {"abc", "def"}, {0, 1}, editor::ecBackspace,
     {"def"}, {0, 0}, platform::TRect{0, 0, 0, 1}},
    // The word's blank stays: the line is padded back to the caret.
    {"backspace word", {"foo bar"}, {7, 0}, editor::ecBackspaceWord, {"foo "}, {4, 0}},
    {"backspace word beyond the line end only moves", {"foo"}, {6, 0}, editor::ecBackspaceWord,
     {"foo"}, {3, 0}},
    {"delete", {"abc"}, {1, 0}, editor::ecDelete, {"ac"}, {1, 0}},
    {"delete at the end of the last line", {"ab", "cd"}, {2, 1}, editor::ecDelete, {"ab", "cd"}, {2, 1}},
    {"delete beyond the line end pads and joins", {"ab", "cd"}, {4, 0}, editor::ecDelete,
     {"ab  cd"}, {4, 0}},
    {"delete with a selection deletes only it", {"abcdef"}, {1, 0}, editor::ecDelete, {"adef"},
     {1, 0}, platform::TRect{1, 0, 3, 0}},
    {"delete line keeps the caret", {"a", "b", "c"}, {1, 1}, editor::ecDeleteLine, {"a", "c"}, {1, 1}},
    {"delete last line leaves the caret below", {"a", "b"}, {0, 1}, editor::ecDeleteLine, {"a"}, {0, 1}},
};

class EditingCommand : public EditingTest {};

TEST_F(EditingCommand, ChangesTextAndCaret) {
  for (const CommandCase& c : kCommandCases) {
    SCOPED_TRACE(c.name);
    editor.InsertMode = (c.options & CommandCase::Overwrite) == 0;
    editor.SmartTab = (c.options & CommandCase::NoSmartTab) == 0;
    editor.BackSpaceUnindents = (c.options & CommandCase::NoUnindent) == 0;
    SetText(c.before, c.caret.X, c.caret.Y);
    if (c.selection) editor.SelectRange(c.selection->Left, c.selection->Top, c.selection->Right, c.selection->Bottom);
    Run(c.command);
    EXPECT_EQ(Text(), c.after);
    EXPECT_EQ(Caret(), c.caretAfter);
    EXPECT_FALSE(editor.Sel.Selected);
    // A change event for every change, and none without one.
    EXPECT_EQ(changes > 0, c.after != c.before);
  }
}

TEST_F(EditingCommand, TabStopsFollowTheWordStartsAbove) {
  const auto stops = [this](int count, editor::TCommand command = editor::ecTab) {
    std::vector<int> columns;
    for (int i = 0; i < count; ++i) {
      Run(command);
      columns.push_back(editor.CaretX);
    }
    return columns;
  };
  // Word starts a and then, the end of that line, then the tab stops "3 5".
  SetText({"if (a) then", ""}, 0, 1);
  EXPECT_EQ(stops(5), (std::vector<int>{4, 7, 11, 12, 14}));
  // The blanks are trailing blanks: nothing is stored.
  EXPECT_EQ(Text(), (Lines{"if (a) then", ""}));

  // The scan position is shared by the lines: the second line up is read from column 5
  // on, so the middle of its word counts and its start adds nothing.
  SetText({"aaaaaaaaaaaa b", "x  y", ""}, 0, 2);
  EXPECT_EQ(stops(6), (std::vector<int>{3, 4, 5, 13, 14, 16}));

  editor.SmartTab = false;
  SetText({"if (a) then", ""}, 0, 1);
  EXPECT_EQ(stops(3), (std::vector<int>{2, 4, 6}));

  SetText({"abcdefgh"}, 5, 0);
  EXPECT_EQ(stops(3, editor::ecBackTab), (std::vector<int>{4, 2, 0}));
}

TEST_F(EditingCommand, TabRecordsItsBlanks) {
  SetText({"if (a) then", "x"}, 0, 1);
  Run(editor::ecTab);
  EXPECT_EQ(Text(), (Lines{"if (a) then", "    x"}));
  EXPECT_EQ(History(), std::vector<TUndoKind>{TUndoKind::InsertTab});
  EXPECT_EQ(editor.Edits, std::vector<TEditReport>{(TEditReport{0, 1, 1, "    "})});
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), (Lines{"if (a) then", "x"}));
  EXPECT_EQ(Caret(), (TPoint{0, 1}));
}

TEST_F(EditingCommand, BackspaceRecordsAndReports) {
  SetText({"abcd"}, 4, 0);
  Run(editor::ecBackspace, 3);
  EXPECT_EQ(History(), std::vector<TUndoKind>(3, TUndoKind::Backspace));
  EXPECT_EQ(editor.Edits.front(), (TEditReport{4, 0, 2, "d"}));
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), Lines{"abcd"});
  EXPECT_EQ(Caret(), (TPoint{4, 0}));

  SetText({"  foo", "    x"}, 4, 1);
  Run(editor::ecBackspace);
  EXPECT_EQ(History(), std::vector<TUndoKind>{TUndoKind::BackspaceUnindent});
  EXPECT_EQ(editor.Edits, std::vector<TEditReport>{(TEditReport{4, 1, 2, "  "})});

  SetText({"ab", "cd"}, 0, 1);
  Run(editor::ecBackspace);
  EXPECT_EQ(History(), std::vector<TUndoKind>{TUndoKind::Backspace});
  EXPECT_EQ(editor.Edits, std::vector<TEditReport>{(TEditReport{2, 0, 2, "\r\n"})});
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), (Lines{"ab", "cd"}));
  EXPECT_EQ(Caret(), (TPoint{0, 1}));
}

TEST_F(EditingCommand, BackspaceAtColumnZeroWithASelectionComesBackInTwoSteps) {
  SetText({"abc", "def", "ghi"}, 0, 2);
  editor.SelectRange(1, 1, 0, 2);
  Run(editor::ecBackspace);
  ASSERT_EQ(Text(), Lines{"abcdghi"});
  // The join's record names the row that was joined, so undo splits it there again.
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), (Lines{"abc", "dghi"}));
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), (Lines{"abc", "def", "ghi"}));
}

TEST_F(EditingCommand, BackspaceWordIsOneUndoStepAndNeverTakesTheCharacterAtTheCaret) {
  SetText({"foo bar"}, 7, 0);
  Run(editor::ecBackspaceWord);
  EXPECT_EQ(editor.GroupDepth, 0);
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), Lines{"foo bar"});

  for (const editor::TCommand format : {editor::ecBlockInclusive, editor::ecBlockColumn}) {
    Run(format);
    SetText({"foo barX"}, 7, 0);
    Run(editor::ecBackspaceWord);
    EXPECT_EQ(Text(), Lines{"foo X"}) << "block format command " << format;
    EXPECT_EQ(editor.Sel.BlockFormat, format - editor::ecBlockInclusive);
  }
}

TEST_F(EditingCommand, DeleteRecordsAndReports) {
  SetText({"abc"}, 1, 0);
  Run(editor::ecDelete);
  EXPECT_EQ(History(), std::vector<TUndoKind>{TUndoKind::Delete});
  EXPECT_EQ(editor.Edits, std::vector<TEditReport>{(TEditReport{1, 0, 2, "b"})});

  SetText({"ab", "cd"}, 4, 0);
  Run(editor::ecDelete);
  EXPECT_EQ(editor.Edits, std::vector<TEditReport>{(TEditReport{4, 0, 2, "\r\n"})});
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), (Lines{"ab", "cd"}));

  SetText({"ab", "cd"}, 2, 1);
  Run(editor::ecDelete);
  EXPECT_TRUE(History().empty());
}

TEST_F(EditingCommand, DeleteOnAnEmptyTextLeavesOneEmptyLine) {
  Run(editor::ecDelete);
  EXPECT_EQ(Text(), Lines{""});
}

TEST_F(EditingCommand, DeleteLineRecordsAndReports) {
  SetText({"a", "b", "c"}, 1, 1);
  Run(editor::ecDeleteLine);
  // The report names the line break too, so that the highlighter rescans the rows below.
  EXPECT_EQ(editor.Edits, std::vector<TEditReport>{(TEditReport{0, 1, 2, "b\r\n"})});
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), (Lines{"a", "b", "c"}));
  EXPECT_EQ(editor.Edits.back(), (TEditReport{1, 1, 1, "b\r\n"}));
}

// An error inside an operation still closes what the operation opened. A TAB stored
// directly into a line and an unreadable tab-stop list make the line store raise its
// conversion error in the middle of an edit, when it stores the changed line.
class ErrorInsideAnOperation : public EditingTest {
 protected:
  void Prepare(const std::string& line, int x) {
    SetText({"", "def"}, x, 0);
    editor.Lines().Put(0, line);
    editor.TabStops = "x";
    caretShown_ = host.CaretShown;
  }
  void ExpectEverythingClosed() {
    EXPECT_EQ(editor.UpdateLock, 0);
    EXPECT_EQ(editor.GroupDepth, 0);
    EXPECT_EQ(host.CaretShown, caretShown_);
  }
  int caretShown_ = 0;
};

TEST_F(ErrorInsideAnOperation, LineBreakOverASelectionClosesItsGroupAndLock) {
  Prepare("ab\tc", 4);
  editor.SelectRange(3, 0, 4, 0);
  EXPECT_THROW(Run(editor::ecNewLine), platform::EConvertError);
  ExpectEverythingClosed();
  const std::vector<TUndoKind> history = History();
  ASSERT_FALSE(history.empty());
  EXPECT_EQ(history.back(), TUndoKind::EndCompound);
}

TEST_F(ErrorInsideAnOperation, RemovingASelectionClosesTheUpdateBracket) {
  Prepare("ab\tc", 0);
  editor.SelectRange(0, 0, 1, 0);
  EXPECT_THROW(editor.RemoveSelection(), platform::EConvertError);
  ExpectEverythingClosed();
}

TEST_F(ErrorInsideAnOperation, BackspaceWordRestoresTheBlockFormat) {
  Run(editor::ecBlockInclusive);
  Prepare("ab\tc de", 7);
  EXPECT_THROW(Run(editor::ecBackspaceWord), platform::EConvertError);
  ExpectEverythingClosed();
  EXPECT_EQ(editor.Sel.BlockFormat, editor::bfInclusive);
}

}  // namespace
