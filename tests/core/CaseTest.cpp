// The case commands over a selection (Latin and Cyrillic letters of the code page), in
// the stream and column formats, and at a caret without a selection.
#include "core/EditingFixture.h"

namespace {

using editor::bfColumn;
using editor::bfInclusive;
using editor::bfNonInclusive;
using testing_support::EditingTest;

class CaseTest : public EditingTest {
 protected:
  void Select(editor::TSelBlockFormat format, int begX, int begY, int endX, int endY) {
    editor.Sel.BlockFormat = format;
    editor.SelectRange(begX, begY, endX, endY);
  }
};

// "Привет Ёж" and its cases in Windows-1251.
const std::string Mixed = "Mix \xCF\xF0\xE8\xE2\xE5\xF2 \xA8\xE6 1";
const std::string Upper = "MIX \xCF\xD0\xC8\xC2\xC5\xD2 \xA8\xC6 1";
const std::string Lower = "mix \xEF\xF0\xE8\xE2\xE5\xF2 \xB8\xE6 1";
const std::string Toggled = "mIX \xEF\xD0\xC8\xC2\xC5\xD2 \xB8\xC6 1";

TEST_F(CaseTest, EachCommandConvertsTheSelectionAndKeepsItSelected) {
  const std::vector<std::pair<editor::TCommand, std::string>> cases{
      {editor::ecUpperCase, Upper}, {editor::ecLowerCase, Lower}, {editor::ecToggleCase, Toggled}};
  for (const auto& [command, expected] : cases) {
    SetText({"<" + Mixed + ">"});
    Select(bfNonInclusive, 1, 0, 1 + static_cast<int>(Mixed.size()), 0);
    Run(command);
    EXPECT_EQ(Text(), (std::vector<std::string>{"<" + expected + ">"})) << command;
    EXPECT_TRUE(editor.Sel.Selected);
    EXPECT_EQ(editor.SelectionText(), expected);
    Run(editor::ecUndo, 2);  // the caret's return, then the conversion
    EXPECT_EQ(Text(), (std::vector<std::string>{"<" + Mixed + ">"})) << command;
  }
}

TEST_F(CaseTest, TheCaretStaysWhereItStoodAndItsReturnIsTheFirstUndo) {
  SetText({""});
  Send("abc def");
  Run(editor::ecLineEnd);
  Run(editor::ecSelLeft, 3);
  Run(editor::ecUpperCase);
  EXPECT_EQ(Text(), (std::vector<std::string>{"abc DEF"}));
  EXPECT_EQ(Caret(), (platform::TPoint{4, 0}));
  EXPECT_EQ(editor.SelectionText(), "DEF");
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), (std::vector<std::string>{"abc DEF"}));
  EXPECT_EQ(Caret(), (platform::TPoint{7, 0}));
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), (std::vector<std::string>{"abc def"}));
}

TEST_F(CaseTest, MultiRowInclusiveAndColumnSelections) {
  SetText({"abc", "def"});
  Select(bfInclusive, 1, 0, 0, 1);
  Run(editor::ecUpperCase);
  EXPECT_EQ(Text(), (std::vector<std::string>{"aBC", "Def"}));
  EXPECT_EQ(editor.SelectionText(), "BC\r\nD");

  SetText({"abcd", "efgh"});
  Select(bfColumn, 1, 0, 2, 1);
  Run(editor::ecUpperCase);
  EXPECT_EQ(Text(), (std::vector<std::string>{"aBCd", "eFGh"}));
  EXPECT_EQ(editor.SelectionText(), "BC\r\nFG");
  Run(editor::ecUndo, 2);
  EXPECT_EQ(Text(), (std::vector<std::string>{"abcd", "efgh"}));
}

TEST_F(CaseTest, ASelectionEndingBelowTheTextConvertsWhatIsLeft) {
  SetText({"abc", "def", "ghi"});
  Select(bfNonInclusive, 1, 1, 2, 2);
  editor.SetLines({"abc", "def"});
  editor.Sel.Selected = true;
  Run(editor::ecUpperCase);
  EXPECT_EQ(Text(), (std::vector<std::string>{"abc", "dEF"}));
}

TEST_F(CaseTest, WithoutASelectionOnlyAnEmptyInsertIsRecorded) {
  SetText({"abc"}, 1, 0);
  Run(editor::ecUpperCase);
  EXPECT_EQ(Text(), (std::vector<std::string>{"abc"}));
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(editor.Sel.Selected);
  EXPECT_EQ(History(), (std::vector<editor::TUndoKind>{editor::TUndoKind::BeginCompound,
                                                       editor::TUndoKind::Insert,
                                                       editor::TUndoKind::EndCompound}));
}

}  // namespace
