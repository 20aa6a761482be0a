// Caret commands through the dispatcher: character, word, line, page and document moves,
// view and scroll commands, bookmarks, insert mode and the read-only line break.
#include <gtest/gtest.h>

#include "core/ViewTestEditor.h"

using namespace editor;
using testing_support::ViewEditor;

namespace {

platform::TPoint CaretOf(const TCustomEditorBase& e) { return {e.CaretX, e.CaretY}; }

}  // namespace

TEST(Caret, EmptyDocumentKeepsTheCaretAtTheOrigin) {
  ViewEditor v;
  auto& e = v.Editor;
  e.Command(ecDown);
  EXPECT_EQ(CaretOf(e), (platform::TPoint{0, 0}));
  e.Command(ecDocEnd);
  EXPECT_EQ(CaretOf(e), (platform::TPoint{0, 0}));
  e.Command(ecLineEnd);
  EXPECT_EQ(e.CaretX, 0);
  e.SelectWholeText();
  EXPECT_FALSE(e.Sel.Selected);
}

TEST(Caret, CharacterMovesStopAtTheEdgesButPassTheLineEnd) {
  ViewEditor v({"abcde", "x"});
  auto& e = v.Editor;
  e.Command(ecLeft);
  e.Command(ecUp);
  EXPECT_EQ(CaretOf(e), (platform::TPoint{0, 0}));
  for (int i = 0; i < 7; ++i) e.Command(ecRight);
  EXPECT_EQ(e.CaretX, 7);
  e.Command(ecDown);  // the column stays on the shorter line
  EXPECT_EQ(CaretOf(e), (platform::TPoint{7, 1}));
  e.Command(ecDown);  // last line
  EXPECT_EQ(e.CaretY, 1);
  for (int i = 0; i < 1100; ++i) e.Command(ecRight);
  EXPECT_EQ(e.CaretX, MaxColumn);
  EXPECT_EQ(e.View().LeftCol, MaxColumn - e.View().VisibleColCount + 1);  // kept in view
}

TEST(Caret, LinesAddedWithoutALayoutCanBeReachedAtOnce) {
  ViewEditor v;
  v.Editor.Lines().Add("first");
  v.Editor.Lines().Add("second");
  v.Editor.Command(ecDown);
  EXPECT_EQ(v.Editor.CaretY, 1);
}

TEST(Caret, DownBelowTheTextOnlyWithCursorBeyondEOF) {
  ViewEditor v({"a", "b"});
  v.Editor.CursorBeyondEOF = true;
  v.Caret(0, 1);
  v.Editor.Command(ecDown);
  v.Editor.Command(ecDown);
  EXPECT_EQ(v.Editor.CaretY, 3);
}

TEST(Caret, WordMovesStopAtWordStarts) {
  ViewEditor v({"ab.cd", "next line", "  "});
  auto& e = v.Editor;
  e.Command(ecWordRight);
  EXPECT_EQ(e.CaretX, 3);
  v.Caret(5, 0);
  e.Command(ecWordLeft);
  EXPECT_EQ(e.CaretX, 3);
  v.Caret(2, 0);
  e.Command(ecWordLeft);
  EXPECT_EQ(e.CaretX, 0);
  e.Command(ecWordLeft);
  EXPECT_EQ(CaretOf(e), (platform::TPoint{0, 0}));
  v.Caret(5, 0);
  e.Command(ecWordRight);  // at the line end: start of the next line
  EXPECT_EQ(CaretOf(e), (platform::TPoint{0, 1}));
  e.Command(ecWordRight);
  EXPECT_EQ(e.CaretX, 5);
  e.Command(ecWordRight);  // no further word: the line end
  EXPECT_EQ(e.CaretX, 9);
}

TEST(Caret, WordLeftBeyondTheLineEndGoesToTheEndAndStartsAGesture) {
  ViewEditor v({"ab cd"});
  auto& e = v.Editor;
  v.Caret(12, 0);
  e.Command(ecWordLeft);
  EXPECT_EQ(e.CaretX, 5);
  EXPECT_TRUE(e.Sel.Selecting);
  EXPECT_FALSE(e.Sel.Selected);
  EXPECT_EQ(e.Sel.Anchor.X, 5);
}

TEST(Caret, WordSeparatorsAreTheFixedSet) {
  const std::string separators = std::string(1, '\0') + "\n\r \"#%'()*+,-./:;<=>[\\]{}";
  int count = 0;
  for (int c = 0; c < 256; ++c) {
    const bool expected = separators.find(static_cast<char>(c)) != std::string::npos;
    EXPECT_EQ(IsWordSeparator(static_cast<unsigned char>(c)), expected) << c;
    count += IsWordSeparator(static_cast<unsigned char>(c)) ? 1 : 0;
  }
  EXPECT_EQ(count, 26);
}

TEST(Caret, DocumentEndShowsTheLastLine) {
  ViewEditor v({"first", "second", "xy"});
  v.Editor.Command(ecDocEnd);
  EXPECT_EQ(CaretOf(v.Editor), (platform::TPoint{2, 2}));
  v.AddNumberedLines(100);
  v.Editor.Command(ecDocEnd);
  EXPECT_EQ(v.Editor.CaretY, 102);
  EXPECT_EQ(v.Editor.View().TopRow, 102 - 15);
  v.Editor.Command(ecDocStart);
  EXPECT_EQ(CaretOf(v.Editor), (platform::TPoint{0, 0}));
  EXPECT_EQ(v.Editor.View().TopRow, 0);
}

TEST(Caret, ALineLongerThanTheColumnRangeKeepsTheViewOnIt) {
  ViewEditor v({"short", std::string(1400, 'x')});
  auto& e = v.Editor;
  e.Command(ecDocEnd);
  EXPECT_EQ(e.CaretX, MaxColumn);
  EXPECT_EQ(e.View().LeftCol, MaxColumn - e.View().VisibleColCount + 1);
  v.Host.Surface.Reset();
  e.View().RepaintRow(1);
  ASSERT_FALSE(v.Host.Surface.Runs.empty());
  EXPECT_EQ(v.Host.Surface.Runs[0].Text, std::string(1023 - 946, 'x'));  // columns 946..1022
}

TEST(Caret, SetCaretRecordsTheOldCaretAndMoveCaretToDoesNot) {
  ViewEditor v({"abc", "def"});
  auto& e = v.Editor;
  int statusChanges = 0;
  e.OnChangeStatus = [&] { ++statusChanges; };
  e.SetCaret(2, 1);
  ASSERT_EQ(e.UndoBuffer().Count(), 1);
  const auto& record = static_cast<TCaretUndo&>(e.UndoBuffer().Record(0));
  EXPECT_EQ(record.Kind(), TUndoKind::Caret);
  EXPECT_EQ(record.CaretX, 0);
  EXPECT_EQ(record.CaretY, 0);
  EXPECT_EQ(statusChanges, 2);
  e.SetCaret(2, 1);  // no move, no record
  e.MoveCaretTo(1, 0);
  EXPECT_EQ(e.UndoBuffer().Count(), 1);
  e.MoveCaretTo(3, 50);  // below the text: the last line
  EXPECT_EQ(CaretOf(e), (platform::TPoint{3, 1}));
}

TEST(Caret, SystemCaretFollowsTheCellAndIsParkedLeftOfTheText) {
  ViewEditor v({"abc"});
  auto& e = v.Editor;
  e.View().SetGutterWidth(25);
  e.FocusEnter();
  EXPECT_EQ(v.Host.CaretSize, (platform::TPoint{2, 14}));
  EXPECT_EQ(v.Host.CaretShown, 1);
  e.Command(ecRight);
  EXPECT_EQ(v.Host.CaretPos, (platform::TPoint{25 + 3 + 8 - 1, 1}));
  EXPECT_EQ(v.Host.CaretShown, 1);  // shown again after the command
  e.View().SetLeftTop(5, 0);
  EXPECT_EQ(v.Host.CaretPos, (platform::TPoint{-32767, -32767}));
  e.View().SetLeftTop(0, 0);
  EXPECT_EQ(v.Host.CaretPos, (platform::TPoint{25 + 3 + 8 - 1, 1}));
  e.FocusLeave();
  EXPECT_FALSE(v.Host.CaretSize.has_value());
}

TEST(Caret, PageMovesScrollAPageAndMoveTheCaretAlong) {
  ViewEditor v;
  v.AddNumberedLines(100);
  auto& e = v.Editor;
  v.Caret(3, 5);
  e.Command(ecPageDown);
  EXPECT_EQ(e.View().TopRow, 30);
  EXPECT_EQ(CaretOf(e), (platform::TPoint{3, 35}));
  e.Command(ecPageUp);
  EXPECT_EQ(e.View().TopRow, 0);
  EXPECT_EQ(e.CaretY, 5);
  for (int i = 0; i < 5; ++i) e.Command(ecPageDown);
  EXPECT_EQ(e.CaretY, 99);
  EXPECT_EQ(e.View().TopRow, 99);
}

TEST(Caret, ViewAndScrollCommandsKeepTheSelection) {
  ViewEditor v;
  v.AddNumberedLines(100);
  auto& e = v.Editor;
  e.SelectRange(0, 0, 3, 0);
  v.Caret(2, 10);
  e.Command(ecViewBottom);
  EXPECT_EQ(e.CaretY, 29);
  e.Command(ecViewTop);
  EXPECT_EQ(e.CaretY, 0);
  e.Command(ecScrollDown);
  EXPECT_EQ(e.View().TopRow, 1);
  EXPECT_EQ(e.CaretY, 1);  // pulled into the view
  e.Command(ecScrollUp);
  EXPECT_EQ(e.View().TopRow, 0);
  EXPECT_TRUE(e.Sel.Selected);
  v.Caret(0, 99);
  e.View().SetLeftTop(0, 99);
  e.Command(ecScrollDown);  // the last line is already the top row
  EXPECT_EQ(e.View().TopRow, 99);
}

TEST(Caret, BookmarksToggleOnTheSameRowAndMoveOnAnother) {
  ViewEditor v;
  v.AddNumberedLines(100);
  auto& e = v.Editor;
  v.Caret(2, 3);
  e.Command(ecSetBookmark0 + 4);
  EXPECT_TRUE(e.Bookmarks[4].Valid);
  v.Caret(5, 3);
  e.Command(ecSetBookmark0 + 4);  // same row: cleared
  EXPECT_FALSE(e.Bookmarks[4].Valid);
  e.Command(ecSetBookmark0 + 4);
  v.Caret(1, 80);
  e.Command(ecSetBookmark0 + 4);  // another row: moved
  EXPECT_EQ(e.Bookmarks[4].Y, 80);
  e.Command(ecDocStart);
  e.Command(ecGotoBookmark0 + 4);
  EXPECT_EQ(CaretOf(e), (platform::TPoint{1, 80}));
  EXPECT_EQ(e.View().TopRow, 65);  // centred
  e.Command(ecGotoBookmark0 + 7);  // never set
  EXPECT_EQ(CaretOf(e), (platform::TPoint{1, 80}));
}

TEST(Caret, ToggleInsertAndReadOnlyNewLine) {
  ViewEditor v({"abcdef", "    xy", "", "end"});
  auto& e = v.Editor;
  int statusChanges = 0;
  e.OnChangeStatus = [&] { ++statusChanges; };
  e.Command(ecToggleInsert);
  EXPECT_FALSE(e.InsertMode);
  EXPECT_EQ(statusChanges, 1);
  e.ReadOnly = true;
  v.Caret(6, 0);
  e.Command(ecNewLine);  // to the first visible character of the next row
  EXPECT_EQ(CaretOf(e), (platform::TPoint{4, 1}));
  e.Command(ecNewLine);  // an empty row keeps the column
  EXPECT_EQ(CaretOf(e), (platform::TPoint{4, 2}));
  e.Command(ecNewLine);
  e.Command(ecNewLine);  // the last row: nothing
  EXPECT_EQ(CaretOf(e), (platform::TPoint{0, 3}));
  EXPECT_EQ(e.Lines().Count(), 4);
}

TEST(Caret, UnknownCommandChangesNothing) {
  ViewEditor v({"abc"});
  v.Caret(1, 0);
  v.Editor.Command(5000);
  EXPECT_EQ(v.Editor.CaretX, 1);
  EXPECT_EQ(v.Line(0), "abc");
  EXPECT_EQ(v.Editor.UndoBuffer().Count(), 0);
}
