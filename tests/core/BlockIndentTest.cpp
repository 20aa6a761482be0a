// Block indent and unindent of selected lines and of column blocks: the text, the moved
// selection and caret, and the undo of each.
#include "core/EditingFixture.h"

namespace {

using editor::bfColumn;
using editor::bfNonInclusive;
using testing_support::EditingTest;

class BlockIndentTest : public EditingTest {
 protected:
  void Select(editor::TSelBlockFormat format, int begX, int begY, int endX, int endY) {
    editor.Sel.BlockFormat = format;
    editor.SelectRange(begX, begY, endX, endY);
  }
};

TEST_F(BlockIndentTest, IndentShiftsTheSelectedLinesButNotARowEndedAtColumnZero) {
  SetText({"top", "x", "  abc", "def", "", "ghi", "end"});
  Select(bfNonInclusive, 3, 2, 0, 5);
  Run(editor::ecIndentBlock);
  EXPECT_EQ(Text(), (std::vector<std::string>{"top", "x", "    abc", "  def", "", "ghi", "end"}));
  EXPECT_EQ(editor.Sel.Beg.X, 5);
  EXPECT_EQ(editor.Sel.End.X, 0);
  EXPECT_EQ(changes, 1);
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), (std::vector<std::string>{"top", "x", "  abc", "def", "", "ghi", "end"}));
}

TEST_F(BlockIndentTest, UnindentTakesAtMostTwoBlanksAndMovesTheCaretWithTheText) {
  SetText({" a", "b", "   c"});
  Select(bfNonInclusive, 1, 0, 4, 2);
  editor.MoveCaretTo(4, 2);
  Run(editor::ecUnindentBlock);
  EXPECT_EQ(Text(), (std::vector<std::string>{"a", "b", " c"}));
  EXPECT_EQ(editor.Sel.Beg.X, 0);
  EXPECT_EQ(editor.Sel.End.X, 2);
  EXPECT_EQ(Caret(), (platform::TPoint{2, 2}));
  EXPECT_EQ(History().back(), editor::TUndoKind::UnindentColumn);
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), (std::vector<std::string>{" a", "b", "   c"}));
}

TEST_F(BlockIndentTest, UnindentWithoutBlanksChangesOnlyOverSeveralRows) {
  SetText({"a", "b"});
  Select(bfNonInclusive, 0, 0, 1, 0);
  const std::size_t records = History().size();
  Run(editor::ecUnindentBlock);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(History().size(), records);

  // Over two rows the (empty) record is still made and OnChange still raised.
  Select(bfNonInclusive, 0, 0, 1, 1);
  Run(editor::ecUnindentBlock);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(Text(), (std::vector<std::string>{"a", "b"}));
}

TEST_F(BlockIndentTest, ColumnBlockIndentsAndUnindentsAtItsColumn) {
  SetText({"ab cd", "ef", "gh ij"});
  Select(bfColumn, 2, 0, 3, 2);
  Run(editor::ecIndentBlock);
  // The short row only gets trailing blanks, which the store drops.
  EXPECT_EQ(Text(), (std::vector<std::string>{"ab   cd", "ef", "gh   ij"}));
  Run(editor::ecUnindentBlock);
  Run(editor::ecUnindentBlock);
  EXPECT_EQ(Text(), (std::vector<std::string>{"abcd", "ef", "ghij"}));
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), (std::vector<std::string>{"ab   cd", "ef", "gh   ij"}));
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), (std::vector<std::string>{"ab cd", "ef", "gh ij"}));
}

}  // namespace
