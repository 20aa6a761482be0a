// The line store: list operations and their index errors, the trailing-blank rule of
// Put, whole-text loading, the change event and the block operations.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/FakeHost.h"
#include "editor/Editor.h"
#include "platform/Errors.h"

using editor::TUndoKind;
using Lines = std::vector<std::string>;

namespace {

class LineStore : public ::testing::Test {
 protected:
  LineStore() { editor.OnChange = [this] { ++editorChanges; }; }

  void Fill(const Lines& text) {
    lines.Clear();
    for (const std::string& line : text) lines.Add(line);
  }

  Lines All() const {
    Lines result;
    for (int i = 0; i < lines.Count(); ++i) result.push_back(lines.Get(i));
    return result;
  }

  // Expects f to raise the list's index error for index, leaving the text as it was.
  template <class F>
  void ExpectIndexError(long long index, F f) {
    const Lines before = All();
    try {
      f();
      ADD_FAILURE() << "no index error for " << index;
    } catch (const platform::EListError& e) {
      EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(index) + ")");
    }
    EXPECT_EQ(All(), before);
  }

  std::vector<TUndoKind> History() {
    std::vector<TUndoKind> kinds;
    for (int i = 0; i < editor.UndoBuffer().Count(); ++i) kinds.push_back(editor.UndoBuffer().Record(i).Kind());
    return kinds;
  }

  testing_support::FakeHost host;
  editor::TEditor editor{host};
  editor::TEditorStrings& lines = editor.Lines();
  int editorChanges = 0;
};

TEST_F(LineStore, AddAndInsertExpandTabsAndKeepTrailingBlanks) {
  lines.Add("a\tb");
  lines.Add("abcdefg\th");
  lines.Add("abc   ");
  lines.Insert(0, "first\t");
  lines.Insert(4, "last");
  EXPECT_EQ(All(), (Lines{"first  ", "a  b", "abcdefg  h", "abc   ", "last"}));
  EXPECT_TRUE(History().empty());
}

TEST_F(LineStore, BadIndexesRaiseAndChangeNothing) {
  Fill({"a", "b"});
  ExpectIndexError(2, [&] { lines.Get(2); });
  ExpectIndexError(-1, [&] { lines.Get(-1); });
  ExpectIndexError(2, [&] { lines.Put(2, "x   "); });
  ExpectIndexError(5, [&] { lines.Delete(5); });
  ExpectIndexError(-1, [&] { lines.Delete(-1); });
  ExpectIndexError(3, [&] { lines.Insert(3, "x"); });
  ExpectIndexError(-1, [&] { lines.Insert(-1, "x"); });
  ExpectIndexError(2, [&] { lines.ReplaceLine(2, "x"); });
  EXPECT_TRUE(History().empty()) << "a refused Put must not leave a record";
}

TEST_F(LineStore, PutDropsTrailingBlanksWithARecord) {
  Fill({"old", "keep"});
  lines.Put(0, "abc   ");
  EXPECT_EQ(lines.Get(0), "abc");
  ASSERT_EQ(History(), std::vector<TUndoKind>{TUndoKind::DeleteTrail});
  const auto& record = static_cast<const editor::TDeleteTrailUndo&>(editor.UndoBuffer().Record(0));
  EXPECT_EQ(record.CaretX, 3);
  EXPECT_EQ(record.CaretY, 0);
  EXPECT_EQ(record.Text, "   ");

  // Control characters count as blanks; the record holds the bytes themselves, for undo
  // to put back as they were. No tab expansion.
  lines.Put(1, "a\tb\t\x01");
  EXPECT_EQ(lines.Get(1), "a\tb");
  EXPECT_EQ(static_cast<const editor::TDeleteTrailUndo&>(editor.UndoBuffer().Record(1)).Text, "\t\x01");

  // Nothing to drop: no record.
  lines.Put(1, "plain");
  EXPECT_EQ(editor.UndoBuffer().Count(), 2);

  editor.KeepTrailingBlanks = true;
  lines.Put(0, "abc   ");
  EXPECT_EQ(lines.Get(0), "abc   ");
  EXPECT_EQ(editor.UndoBuffer().Count(), 2);
}

TEST_F(LineStore, TextJoinsEveryLineWithCrLf) {
  EXPECT_EQ(lines.Text(), "");
  Fill({"ab", "", "c"});
  EXPECT_EQ(lines.Text(), "ab\r\n\r\nc\r\n");
}

TEST_F(LineStore, SetTextCutsAtEveryKindOfBreak) {
  const std::vector<std::pair<std::string, Lines>> cases{
      {"x\r\ny\r\n", {"x", "y"}},
      {"x\ry", {"x", "y"}},
      {"x\ny", {"x", "y"}},
      {"x\r\n\r\n", {"x", ""}},
      {"\n\r", {"", ""}},
      {"", {}},
      {"a\tb", {"a  b"}},
      {std::string("ab\0cd\r\nx", 8), {"ab"}},
  };
  for (const auto& [text, expected] : cases) {
    lines.SetText(text);
    EXPECT_EQ(All(), expected) << "text " << ::testing::PrintToString(text);
  }
}

TEST_F(LineStore, WholeTextReplacementEmptiesHistoryAndDropsSelection) {
  Fill({"abc", "def"});
  lines.Put(0, "x ");
  editor.Sel.Selected = true;
  editor.Sel.Selecting = true;
  editor.CaretX = 2;
  editor.CaretY = 1;
  lines.SetText("new");
  EXPECT_FALSE(editor.UndoBuffer().HasUndo());
  EXPECT_FALSE(editor.Sel.Selected);
  EXPECT_FALSE(editor.Sel.Selecting);
  EXPECT_EQ(editor.CaretX, 2);
  EXPECT_EQ(editor.CaretY, 1);
  EXPECT_TRUE(editor.Modified);
  EXPECT_EQ(editorChanges, 0) << "loading text raises no OnChange";

  // Inside an editor update the history is kept.
  lines.Put(0, "y ");
  editor.UpdateLock = 1;
  lines.SetText("again");
  editor.UpdateLock = 0;
  EXPECT_TRUE(editor.UndoBuffer().HasUndo());
}

TEST_F(LineStore, AssignAndAppendLinesEmptyTheHistory) {
  Fill({"a"});
  lines.Put(0, "a ");
  lines.Assign({"x\ty", "z"});
  EXPECT_EQ(All(), (Lines{"x  y", "z"}));
  EXPECT_FALSE(editor.UndoBuffer().HasUndo());
  EXPECT_EQ(editor.UpdateLock, 0);

  lines.Put(0, "a ");
  lines.AppendLines({"more"});
  EXPECT_EQ(All(), (Lines{"a", "z", "more"}));
  EXPECT_FALSE(editor.UndoBuffer().HasUndo());

  lines.Put(0, "b ");
  editor.SetLines({"only"});
  EXPECT_EQ(All(), Lines{"only"});
  EXPECT_FALSE(editor.UndoBuffer().HasUndo());
}

TEST_F(LineStore, ChangeEventFiresOncePerBracket) {
  int fired = 0;
  lines.OnChange = [&] { ++fired; };
  lines.Add("a");
  lines.Insert(0, "b");
  lines.Delete(0);
  EXPECT_EQ(fired, 3);

  lines.BeginUpdate();
  lines.Add("c");
  lines.Add("d");
  lines.BeginUpdate();
  lines.Delete(0);
  lines.EndUpdate();
  EXPECT_EQ(fired, 3) << "nothing fires while the bracket is open";
  lines.EndUpdate();
  EXPECT_EQ(fired, 4);

  lines.BeginUpdate();
  lines.EndUpdate();
  EXPECT_EQ(fired, 4) << "an empty bracket changes nothing";
}

// ---- Loading files ----

class LoadWholeFile : public LineStore {
 protected:
  LoadWholeFile() {
    dir = std::filesystem::temp_directory_path() /
          ("quorvel-store-" + std::to_string(::getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
  }
  ~LoadWholeFile() override { std::filesystem::remove_all(dir); }

  std::string Write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir / name, std::ios::binary) << bytes;
    return (dir / name).string();
  }

  // Expects loading name to fail with the open error, leaving the text as it was.
  void ExpectOpenError(const std::string& name, const std::string& shownName, const std::string& reason) {
    const Lines before = All();
    try {
      lines.LoadWholeFile(name);
      ADD_FAILURE() << name << " loaded";
    } catch (const platform::EFOpenError& e) {
      EXPECT_EQ(e.Message(), "Cannot open file \"" + shownName + "\". " + reason);
    }
    EXPECT_EQ(All(), before);
  }

  std::filesystem::path dir;
};

TEST_F(LoadWholeFile, CutsTheFileIntoLines) {
  const std::vector<std::pair<std::string, Lines>> cases{
      {"x\r\ny\r\n", {"x", "y"}},
      {"x\ry", {"x", "y"}},
      {"x\r\n\r\n", {"x", ""}},
      {"", {}},
      {"<p>\tb\n", {"<p>  b"}},
      {std::string("a\r\nb\0hidden\r\n", 13), {"a", "b"}},
  };
  for (const auto& [bytes, expected] : cases) {
    lines.LoadWholeFile(Write("page.html", bytes));
    EXPECT_EQ(All(), expected) << "file " << ::testing::PrintToString(bytes);
  }
}

TEST_F(LoadWholeFile, LoadingEmptiesTheHistory) {
  Fill({"a"});
  lines.Put(0, "a ");
  lines.LoadWholeFile(Write("page.html", "x\r\n"));
  EXPECT_FALSE(editor.UndoBuffer().HasUndo());
  EXPECT_EQ(editorChanges, 0);
}

TEST_F(LoadWholeFile, MissingFileFailsWithItsAbsoluteName) {
  Fill({"kept"});
  const std::filesystem::path saved = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  ExpectOpenError("sub/../missing.html", (dir / "missing.html").string(),
                  "The system cannot find the file specified");
  std::filesystem::current_path(saved);
}

TEST_F(LoadWholeFile, DirectoryFailsLikeAFileThatCannotBeOpened) {
  Fill({"kept"});
  std::filesystem::create_directories(dir / "folder");
  ExpectOpenError((dir / "folder").string(), (dir / "folder").string(), "Access is denied");
}

// ---- Block operations ----

TEST_F(LineStore, ReplaceLineExpandsTabsAndTrimsUnlessKept) {
  Fill({"a", "b"});
  lines.ReplaceLine(0, "x\ty \x05\t");
  EXPECT_EQ(lines.Get(0), "x  y");
  // What the end dropped is recorded as Put records it, after the tabs were expanded.
  ASSERT_EQ(History(), std::vector<TUndoKind>{TUndoKind::DeleteTrail});
  const auto& record = static_cast<const editor::TDeleteTrailUndo&>(editor.UndoBuffer().Record(0));
  EXPECT_EQ(record.CaretX, 4);
  EXPECT_EQ(record.Text, " \x05  ");
  editor.KeepTrailingBlanks = true;
  lines.ReplaceLine(1, "z  ");
  EXPECT_EQ(lines.Get(1), "z  ");
  EXPECT_EQ(editor.UndoBuffer().Count(), 1);
  EXPECT_EQ(editor.UpdateLock, 0);
}

TEST_F(LineStore, PadToCaretAppendsRecordedLinesAndPadsTheRow) {
  editor.CaretX = 3;
  editor.CaretY = 0;
  lines.PadToCaret();
  EXPECT_EQ(All(), Lines{"   "});
  EXPECT_EQ(History(), std::vector<TUndoKind>{TUndoKind::ReLine});

  Fill({"abc", "de"});
  editor.UndoBuffer().Clear();
  editor.CaretX = 2;
  editor.CaretY = 4;
  lines.PadToCaret();
  EXPECT_EQ(All(), (Lines{"abc", "de", "", "", "  "}));
  ASSERT_EQ(History(), std::vector<TUndoKind>(3, TUndoKind::ReLine));
  // Each record stands where its line break went: the end of the line it follows.
  const auto& first = static_cast<const editor::TReLineUndo&>(editor.UndoBuffer().Record(0));
  EXPECT_EQ(first.CaretX, 2);
  EXPECT_EQ(first.CaretY, 1);
  EXPECT_EQ(first.Text, "\r\n");

  // On an existing, long enough row nothing happens.
  editor.CaretX = 1;
  editor.CaretY = 0;
  lines.PadToCaret();
  EXPECT_EQ(lines.Get(0), "abc");
  EXPECT_EQ(editor.UndoBuffer().Count(), 3);
}

TEST_F(LineStore, InsertBlockSplitsAndPads) {
  Fill({"ab"});
  lines.InsertBlock(5, 0, "x\r\ny");
  EXPECT_EQ(All(), (Lines{"ab   x", "y"}));

  Fill({"ab"});
  lines.InsertBlock(1, 0, "1\r\n");
  EXPECT_EQ(All(), (Lines{"a1", "b"}));

  Fill({"ab"});
  lines.InsertBlock(1, 0, "X");
  EXPECT_EQ(All(), Lines{"aXb"});

  // Rows up to Y are appended first; a lone CR and a lone LF break like CR LF; the middle
  // lines keep their trailing blanks while the joined ones are trimmed.
  Fill({"top"});
  lines.InsertBlock(0, 2, "p \rq \nr \t");
  EXPECT_EQ(All(), (Lines{"top", "", "p", "q ", "r"}));
  EXPECT_EQ(History(), std::vector<TUndoKind>(2, TUndoKind::DeleteTrail));
  EXPECT_EQ(editor.UpdateLock, 0);
}

TEST_F(LineStore, DeleteBlockJoinsAndClamps) {
  Fill({"abcd", "ef"});
  lines.DeleteBlock({2, 0}, {-1, 1});
  EXPECT_EQ(All(), Lines{"abef"});

  Fill({"abcd"});
  lines.DeleteBlock({1, 0}, {2, 0});
  EXPECT_EQ(All(), Lines{"ad"});

  // A start past the line end pads it before the next line is joined on.
  Fill({"ab", "cd"});
  lines.DeleteBlock({4, 0}, {-1, 1});
  EXPECT_EQ(All(), Lines{"ab  cd"});

  // An end row past the text deletes to the end; a start row above it starts at (0, 0).
  Fill({"abc", "def", "ghi"});
  lines.DeleteBlock({1, 1}, {0, 9});
  EXPECT_EQ(All(), (Lines{"abc", "d"}));
  Fill({"abc", "def"});
  lines.DeleteBlock({2, -3}, {0, 1});
  EXPECT_EQ(All(), Lines{"ef"});

  // A start row past the text does nothing.
  Fill({"abc"});
  lines.DeleteBlock({0, 1}, {0, 2});
  EXPECT_EQ(All(), Lines{"abc"});
}

TEST_F(LineStore, DeleteBlockNeverCopiesTextForAReversedRange) {
  Fill({"abcdefgh", "xyz"});
  lines.DeleteBlock({5, 0}, {1, 0});
  lines.DeleteBlock({3, 0}, {-1, 0});
  lines.DeleteBlock({0, 1}, {2, 0});
  EXPECT_EQ(All(), (Lines{"abcdefgh", "xyz"}));
}

TEST_F(LineStore, ColumnBlocks) {
  Fill({"abcd", "e"});
  lines.InsertColumnBlock(2, 1, "xy\r\nzw\r\n");
  EXPECT_EQ(All(), (Lines{"abcd", "e xy", "  zw"}));

  lines.DeleteColumnBlock({1, 0}, {2, 1});
  EXPECT_EQ(All(), (Lines{"ad", "ey", "  zw"}));

  // Rows shorter than the block lose what they have; an end row past the text runs to the
  // end of every line.
  lines.DeleteColumnBlock({1, 1}, {1, 7});
  EXPECT_EQ(All(), (Lines{"ad", "e", ""}));
  EXPECT_EQ(editor.UpdateLock, 0);
}

TEST_F(LineStore, BlockEndIsTheLastCharacterPlaced) {
  EXPECT_EQ(lines.BlockEnd(2, 1, "abc"), (platform::TPoint{4, 1}));
  EXPECT_EQ(lines.BlockEnd(2, 1, "ab\r\ncd"), (platform::TPoint{1, 2}));
  EXPECT_EQ(lines.BlockEnd(2, 1, "\r\n"), (platform::TPoint{-1, 2}));
  EXPECT_EQ(lines.BlockEnd(2, 1, "\n"), (platform::TPoint{-1, 2}));
  EXPECT_EQ(lines.BlockEnd(2, 1, ""), (platform::TPoint{1, 1}));
  // Measured as stored: a TAB takes its blanks and a lone CR breaks the line.
  EXPECT_EQ(lines.BlockEnd(0, 0, "a\tb"), (platform::TPoint{3, 0}));
  EXPECT_EQ(lines.BlockEnd(0, 0, "a\rbc"), (platform::TPoint{1, 1}));
}

}  // namespace

// ---- Line moves reported to the editor ----

class MoveRecordingEditor : public editor::TEditor {
 public:
  using TEditor::TEditor;
  void LinesMoved(int index, int delta) override { moves.emplace_back(index, delta); }
  std::vector<std::pair<int, int>> moves;
};

TEST(LineStoreMoves, EditorHearsWhereRowsMoved) {
  testing_support::FakeHost host;
  MoveRecordingEditor editor(host);
  editor::TEditorStrings& lines = editor.Lines();
  lines.SetText("a\r\nb\r\nc\r\nd\r\n");
  lines.Add("e");
  lines.Insert(1, "x");
  lines.Delete(2);
  lines.InsertBlock(1, 0, "1\r\n2\r\n3");
  lines.DeleteBlock({0, 1}, {0, 3});
  // The first removed row's successor goes; appended rows move nothing.
  const std::vector<std::pair<int, int>> expected{{1, 1}, {3, -1}, {1, 2}, {2, -2}};
  EXPECT_EQ(editor.moves, expected);
}
