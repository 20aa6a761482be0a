// The undo walk over hand-made histories: which records one step takes back, how each
// kind restores the text and caret, Modified and the change notifications, Locked and
// errors.
#include <memory>
#include <string>
#include <utility>

#include "core/EditingFixture.h"
#include "platform/Errors.h"

using namespace editor;
using testing_support::EditingTest;
using testing_support::TEditReport;
using Lines = std::vector<std::string>;

namespace {

class UndoWalk : public EditingTest {
 protected:
  UndoWalk() { editor.OnChangeStatus = [this] { ++statusChanges; }; }

  template <class Kind, class... Args>
  void Record(Args&&... args) {
    editor.UndoBuffer().Add(std::make_unique<Kind>(editor, std::forward<Args>(args)...));
  }

  // Types at the caret as the typing path records it: one insert record per character.
  void Type(std::string_view chars) {
    for (const char c : chars) {
      Record<TInsertUndo>(editor.CaretX, editor.CaretY, std::string(1, c));
      editor.Lines().InsertBlock(editor.CaretX, editor.CaretY, std::string(1, c));
      editor.MoveCaretTo(editor.CaretX + 1, editor.CaretY);
    }
  }

  // Deletes the character left of the caret as Backspace does, with a backspace or an
  // unindent record.
  template <class Kind>
  void DeleteLeft(int count) {
    const int from = editor.CaretX - count;
    Record<Kind>(editor.CaretX, editor.CaretY, editor.Lines().Get(editor.CaretY).substr(from, count));
    editor.Lines().DeleteBlock({from, editor.CaretY}, {editor.CaretX - 1, editor.CaretY});
    editor.MoveCaretTo(from, editor.CaretY);
  }

  // A fresh text whose state counts as saved.
  void Start(const Lines& lines, int x, int y) {
    SetText(lines, x, y);
    editor.Modified = false;
    statusChanges = 0;
  }

  void Undo() { editor.UndoBuffer().Undo(); }

  int statusChanges = 0;
};

TEST_F(UndoWalk, TypedRunGoesBackAtOnceToTheSavedState) {
  Start({"hello"}, 5, 0);
  Type("abc");
  EXPECT_EQ(Text(), Lines{"helloabc"});
  editor.Edits.clear();

  Undo();
  EXPECT_EQ(Text(), Lines{"hello"});
  EXPECT_EQ(Caret(), (platform::TPoint{5, 0}));
  EXPECT_FALSE(editor.Modified);
  EXPECT_EQ(changes, 0) << "back at the saved state: no OnChange";
  EXPECT_GE(statusChanges, 1);
  EXPECT_FALSE(editor.UndoBuffer().HasUndo());
  EXPECT_EQ(editor.Edits, (std::vector<TEditReport>{{5, 0, 2, "abc"}}));
  EXPECT_FALSE(editor.UndoBuffer().Locked);
}

TEST_F(UndoWalk, CaretMoveSeparatesTypedRuns) {
  Start({""}, 0, 0);
  Type("ab");
  editor.SetCaret(0, 0);
  Type("c");
  EXPECT_EQ(Text(), Lines{"cab"});

  Undo();
  EXPECT_EQ(Text(), Lines{"ab"});
  EXPECT_EQ(Caret(), (platform::TPoint{0, 0}));
  EXPECT_EQ(changes, 1) << "the text is still modified";
  EXPECT_TRUE(editor.Modified);

  Undo();
  EXPECT_EQ(Text(), Lines{"ab"});
  EXPECT_EQ(Caret(), (platform::TPoint{2, 0}));

  Undo();
  EXPECT_EQ(Text(), Lines{""});
  EXPECT_FALSE(editor.Modified);
}

TEST_F(UndoWalk, BackspacesContinueIntoUnindentButNotTheOtherWay) {
  Start({"    x"}, 4, 0);
  DeleteLeft<TBackspaceUnindentUndo>(2);
  DeleteLeft<TBackspaceUndo>(1);
  EXPECT_EQ(Text(), Lines{" x"});
  Undo();
  EXPECT_EQ(Text(), Lines{"    x"});
  EXPECT_EQ(Caret(), (platform::TPoint{4, 0}));
  EXPECT_FALSE(editor.UndoBuffer().HasUndo());

  Start({"    x"}, 4, 0);
  DeleteLeft<TBackspaceUndo>(1);
  DeleteLeft<TBackspaceUnindentUndo>(3);
  EXPECT_EQ(Text(), Lines{"x"});
  Undo();
  EXPECT_EQ(Text(), Lines{"   x"});
  EXPECT_EQ(Caret(), (platform::TPoint{3, 0}));
  Undo();
  EXPECT_EQ(Text(), Lines{"    x"});
  EXPECT_EQ(Caret(), (platform::TPoint{4, 0}));
}

TEST_F(UndoWalk, BackspaceRunAcrossALineJoin) {
  Start({"ab", "cd"}, 1, 1);
  DeleteLeft<TBackspaceUndo>(1);
  // The join at column 0: the record stands one past the end of the line above.
  Record<TBackspaceUndo>(3, 0, std::string("\n"));
  editor.Lines().DeleteBlock({2, 0}, {-1, 1});
  editor.MoveCaretTo(2, 0);
  DeleteLeft<TBackspaceUndo>(1);
  EXPECT_EQ(Text(), Lines{"ad"});

  Undo();
  EXPECT_EQ(Text(), (Lines{"ab", "cd"}));
  EXPECT_EQ(Caret(), (platform::TPoint{1, 1}));

  // A run that ends with the join puts the caret at the start of the restored line.
  Start({"ab", "cd"}, 0, 1);
  Record<TBackspaceUndo>(3, 0, std::string("\n"));
  editor.Lines().DeleteBlock({2, 0}, {-1, 1});
  editor.MoveCaretTo(2, 0);
  Undo();
  EXPECT_EQ(Text(), (Lines{"ab", "cd"}));
  EXPECT_EQ(Caret(), (platform::TPoint{0, 1}));
}

TEST_F(UndoWalk, AbsorbedRecordsGoBackWithTheirNeighbours) {
  // Padding lines below the inserts, as typing into an empty editor makes them.
  SetText({}, 0, 0);
  editor.Modified = false;
  editor.Lines().PadToCaret();
  Type(" <b>");
  Undo();
  EXPECT_EQ(Text(), Lines{""});
  EXPECT_FALSE(editor.UndoBuffer().HasUndo());

  // Dropped trailing blanks on top of the inserts: the group takes its kind from below.
  Start({""}, 0, 0);
  Type("ab");
  editor.Lines().Put(0, "ab  ");
  EXPECT_EQ(History().back(), TUndoKind::DeleteTrail);
  Undo();
  EXPECT_EQ(Text(), Lines{""});
  EXPECT_FALSE(editor.UndoBuffer().HasUndo());
}

TEST_F(UndoWalk, LonePaddingRecordEndsTheWalkQuietly) {
  SetText({}, 0, 0);
  editor.Lines().PadToCaret();
  ASSERT_EQ(History(), std::vector<TUndoKind>{TUndoKind::ReLine});
  EXPECT_NO_THROW(Undo());
  EXPECT_EQ(Text(), Lines{""});
  EXPECT_FALSE(editor.UndoBuffer().HasUndo());
}

TEST_F(UndoWalk, CompoundGroupGoesBackInOneStep) {
  Start({"abcdef"}, 4, 0);
  editor.SetCaret(3, 0);
  editor.SetCaret(4, 0);
  editor.Sel.Selected = true;
  editor.Sel.Beg.X = 1;
  editor.Sel.End.X = 4;
  const std::size_t before = History().size();

  Record<TBeginCompoundUndo>();
  Record<TDeleteSelectedUndo>(4, 0, std::string("bcd"));
  editor.Sel.Selected = false;
  editor.Lines().DeleteBlock({1, 0}, {3, 0});
  editor.MoveCaretTo(1, 0);
  Type("XY");
  Record<TEndCompoundUndo>();
  EXPECT_EQ(Text(), Lines{"aXYef"});

  Undo();
  EXPECT_EQ(Text(), Lines{"abcdef"});
  EXPECT_TRUE(editor.Sel.Selected);
  EXPECT_EQ(editor.Sel.Beg.X, 1);
  EXPECT_EQ(editor.Sel.End.X, 4);
  EXPECT_EQ(Caret(), (platform::TPoint{4, 0}));
  EXPECT_EQ(History().size(), before) << "the caret moves before the group stay";
}

TEST_F(UndoWalk, UnmatchedEndMarkerRunsToTheBottom) {
  Start({""}, 0, 0);
  Type("a");
  editor.SetCaret(0, 0);
  Type("b");
  Record<TEndCompoundUndo>();
  Undo();
  EXPECT_EQ(Text(), Lines{""});
  EXPECT_FALSE(editor.UndoBuffer().HasUndo());
}

TEST_F(UndoWalk, SelectionRunTakesItsCaretMovesAlong) {
  Start({"abcdef"}, 0, 0);
  Type("x");
  Record<TCaretUndo>(1, 0);
  Record<TSelectUndo>(2, 0);
  editor.Sel.Selected = true;
  editor.Sel.End.X = 3;
  Record<TCaretUndo>(3, 0);
  Record<TSelectUndo>(4, 0);
  editor.Sel.End.X = 5;
  editor.MoveCaretTo(5, 0);
  changes = 0;

  Undo();
  EXPECT_FALSE(editor.Sel.Selected) << "the oldest selection record's state comes back";
  EXPECT_EQ(Caret(), (platform::TPoint{1, 0}));
  EXPECT_EQ(History(), std::vector<TUndoKind>{TUndoKind::Insert});
  EXPECT_EQ(changes, 0) << "caret and selection moves raise no OnChange";
}

TEST_F(UndoWalk, OverwriteRunPutsTheOldCharactersBack) {
  // x, y, z typed over b, c, d, then w appended past the end.
  Start({"abcd"}, 1, 0);
  Record<TOverwriteUndo>(1, 0, std::string("b"), std::string("x"));
  Record<TOverwriteUndo>(2, 0, std::string("c"), std::string("y"));
  Record<TOverwriteUndo>(3, 0, std::string("d"), std::string("z"));
  Record<TOverwriteUndo>(4, 0, std::string(), std::string("w"));
  editor.Lines().ReplaceLine(0, "axyzw");
  editor.MoveCaretTo(5, 0);
  Undo();
  EXPECT_EQ(Text(), Lines{"abcd"});
  EXPECT_EQ(Caret(), (platform::TPoint{1, 0}));
  EXPECT_EQ(editor.Edits.back(), (TEditReport{1, 0, 5, "bcd"}));
}

TEST_F(UndoWalk, DeleteRunInsertsTheTextBack) {
  Start({"abcdef", "gh"}, 2, 0);
  for (const char* c : {"c", "d"}) {
    Record<TDeleteUndo>(2, 0, std::string(c));
    editor.Lines().DeleteBlock({2, 0}, {2, 0});
  }
  Record<TDeleteUndo>(2, 0, std::string("ef\r\n"));
  editor.Lines().DeleteBlock({2, 0}, {-1, 1});
  EXPECT_EQ(Text(), Lines{"abgh"});
  Undo();
  EXPECT_EQ(Text(), (Lines{"abcdef", "gh"}));
  EXPECT_EQ(Caret(), (platform::TPoint{2, 0}));
}

TEST_F(UndoWalk, SingleRecordKinds) {
  // A deleted line comes back at its row.
  Start({"one", "three"}, 2, 1);
  Record<TDeleteLineUndo>(2, 1, std::string("two"));
  Undo();
  EXPECT_EQ(Text(), (Lines{"one", "two", "three"}));
  EXPECT_EQ(Caret(), (platform::TPoint{2, 1}));

  // A completion's replacement goes back to the word it replaced.
  Start({"<tab"}, 4, 0);
  Record<TReplaceUndo>(4, 0, 1, 0, std::string("tab"), std::string("table"));
  editor.Lines().ReplaceLine(0, "<table");
  editor.MoveCaretTo(6, 0);
  Undo();
  EXPECT_EQ(Text(), Lines{"<tab"});
  EXPECT_EQ(Caret(), (platform::TPoint{4, 0}));

  // A column insert is taken out of each row again.
  Start({"abc", "def"}, 1, 0);
  Record<TInsertColumnUndo>(1, 0, std::string("XY\r\nZW\r\n"));
  editor.Lines().InsertColumnBlock(1, 0, "XY\r\nZW\r\n");
  EXPECT_EQ(Text(), (Lines{"aXYbc", "dZWef"}));
  Undo();
  EXPECT_EQ(Text(), (Lines{"abc", "def"}));
  EXPECT_EQ(editor.Edits.back(), (TEditReport{1, 0, 2, "XY\r\nZW\r\n"}));
}

TEST_F(UndoWalk, DeletedColumnSelectionComesBackIntoEachRow) {
  Start({"abcd", "e", "fghi"}, 3, 2);
  editor.Sel.Selected = true;
  editor.Sel.BlockFormat = bfColumn;
  editor.Sel.Beg.X = 1;
  editor.Sel.Beg.Y = 0;
  editor.Sel.End.X = 2;
  editor.Sel.End.Y = 2;
  Record<TDeleteSelectedUndo>(3, 2, std::string("bc\r\n\r\ngh"));
  editor.Sel.Selected = false;
  editor.Lines().DeleteColumnBlock({1, 0}, {2, 2});
  EXPECT_EQ(Text(), (Lines{"ad", "e", "fi"}));
  Undo();
  EXPECT_EQ(Text(), (Lines{"abcd", "e", "fghi"}));
  EXPECT_TRUE(editor.Sel.Selected);
  EXPECT_EQ(editor.Sel.BlockFormat, bfColumn);
  EXPECT_EQ(editor.Edits.back(), (TEditReport{1, 0, 3, "bc\r\n\r\ngh"}));
}

TEST_F(UndoWalk, UnindentedColumnsGetTheirBlanksBack) {
  Start({"  a", " b", "c"}, 0, 0);
  Record<TUnindentColumnUndo>(0, 0, std::string("  \r\n "), 0, 0);
  editor.Lines().ReplaceLine(0, "a");
  editor.Lines().ReplaceLine(1, "b");
  Undo();
  EXPECT_EQ(Text(), (Lines{"  a", " b", "c"}));
  EXPECT_EQ(editor.Edits.back(), (TEditReport{0, 0, 1, "  a"}));
}

TEST_F(UndoWalk, RecordsAreDiscardedWhileLocked) {
  Start({"a"}, 0, 0);
  editor.UndoBuffer().Locked = true;
  Type("x");
  EXPECT_TRUE(History().empty());
  Record<TInsertUndo>(0, 0, std::string("y"));
  Undo();
  EXPECT_EQ(editor.UndoBuffer().Count(), 0) << "a locked history neither grows nor walks";
  editor.UndoBuffer().Locked = false;
}

TEST_F(UndoWalk, RedoOnlyDiscardsUndoneRecords) {
  Start({""}, 0, 0);
  Type("ab");
  editor.SetCaret(0, 0);
  Undo();
  EXPECT_EQ(editor.UndoBuffer().Count(), 3);
  editor.UndoBuffer().Redo();
  EXPECT_EQ(editor.UndoBuffer().Count(), 2);
  EXPECT_EQ(Text(), Lines{"ab"});
  EXPECT_EQ(Caret(), (platform::TPoint{2, 0}));

  // A new record after an undo drops what was undone.
  Undo();
  Type("c");
  EXPECT_EQ(History(), std::vector<TUndoKind>{TUndoKind::Insert});
}

TEST_F(UndoWalk, RecordBeyondTheTextRaisesAndUnlocks) {
  Start({"one", "two"}, 0, 0);
  Record<TDeleteLineUndo>(0, 1, std::string("gone"));
  editor.Lines().Clear();
  EXPECT_THROW(Undo(), platform::EListError);
  EXPECT_FALSE(editor.UndoBuffer().Locked);
  EXPECT_EQ(editor.UndoBuffer().UndoPointer, 0);
  EXPECT_EQ(editor.Lines().Count(), 0);
}

}  // namespace
