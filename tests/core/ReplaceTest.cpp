// Replace and Replace All: what they write, one undo step each that gives back every byte,
// one highlighting report per replace, regions, and what they refuse.
#include <gtest/gtest.h>

#include "core/EditingFixture.h"
#include "editor/search/Replace.h"

using namespace editor;
using namespace editor::search;
using testing_support::EditingTest;

namespace {

TSearchPattern Plain(std::string text) { return TSearchPattern(std::move(text), TSearchOptions{}); }
TSearchPattern Regex(std::string text) { return TSearchPattern(std::move(text), TSearchOptions{true, false, true}); }

}  // namespace

class ReplaceTest : public EditingTest {
 protected:
  TSearchRegion Whole() const { return TSearchRegion::WholeText(); }
};

TEST_F(ReplaceTest, ReplaceAllIsOneUndoStepThatGivesBackEveryByte) {
  // Trailing blanks stay: a replace changes only what matched.
  const std::vector<std::string> page{"<h1>One</h1>   ", "text <h2>Two</h2>", "  ", "<h3>x</h4> <h6></h6>"};
  SetText(page, 2, 1);
  editor.SelectRange(0, 2, 1, 2);
  const TSelection selection = editor.Sel;
  editor.Modified = false;
  TSearchRegion region = Whole();
  const TReplaceResult result = ReplaceAll(editor, Regex("<(h[1-6])>(.*?)</\\1>"), region, "<\\1 class=\"t\">\\2</$1>");
  EXPECT_EQ(result.Count, 3);
  EXPECT_EQ(Text(), (std::vector<std::string>{"<h1 class=\"t\">One</h1>   ", "text <h2 class=\"t\">Two</h2>", "  ",
                                               "<h3>x</h4> <h6 class=\"t\"></h6>"}));
  // The highlighting hears of the change once, from the first row rewritten.
  ASSERT_EQ(editor.Edits.size(), 1u);
  EXPECT_EQ(editor.Edits[0].Row, 0);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(editor.Modified);
  EXPECT_FALSE(editor.Sel.Selected);

  editor.Command(ecUndo);
  EXPECT_EQ(Text(), page);
  EXPECT_EQ(editor.Sel, selection);
  EXPECT_EQ(Caret(), (platform::TPoint{2, 1}));
  EXPECT_FALSE(editor.Modified);
  // Only the selection made before is left to take back.
  EXPECT_EQ(History(), std::vector<TUndoKind>{TUndoKind::Select});
}

TEST_F(ReplaceTest, EmptyMatchesAdvanceAndEachRowIsWrittenOnce) {
  SetText({"ab", "", "c"});
  TSearchRegion region = Whole();
  EXPECT_EQ(ReplaceAll(editor, Regex("^|x*"), region, "-").Count, 6);
  EXPECT_EQ(Text(), (std::vector<std::string>{"-a-b-", "-", "-c-"}));
}

TEST_F(ReplaceTest, InTheSelectionOnlyItsRowsAndColumnsChange) {
  SetText({"aa", "aa", "aa", "aa"});
  editor.SelectRange(1, 1, 1, 2);
  TSearchRegion stream = TSearchRegion::FromSelection(editor.Sel, 4);
  EXPECT_EQ(ReplaceAll(editor, Plain("a"), stream, "bb").Count, 2);
  EXPECT_EQ(Text(), (std::vector<std::string>{"aa", "abb", "bba", "aa"}));
  // The selection still ends after the same text.
  EXPECT_EQ(editor.Sel.End, (TPosition{2, 2}));

  SetText({"aaaa", "aaaa", "aaaa"});
  editor.Sel.BlockFormat = bfColumn;
  editor.SelectRange(1, 0, 2, 1);
  TSearchRegion block = TSearchRegion::FromSelection(editor.Sel, 3);
  EXPECT_EQ(ReplaceAll(editor, Plain("a"), block, "-").Count, 4);
  EXPECT_EQ(Text(), (std::vector<std::string>{"a--a", "a--a", "aaaa"}));
}

TEST_F(ReplaceTest, ReplaceTakesTheCurrentMatchAndShowsTheNextInOneUndoStep) {
  SetText({"cat cat", "cat"});
  const TSearchPattern cat = Plain("cat");
  TSearchRegion region = Whole();
  ASSERT_TRUE(ShowMatch(editor, {0, 4, 3}));
  const TReplaceResult result = ReplaceMatch(editor, cat, region, {0, 4, 3}, "dog", false);
  ASSERT_TRUE(result.Replaced);
  EXPECT_EQ(Text(), (std::vector<std::string>{"cat dog", "cat"}));
  ASSERT_TRUE(result.NextFound);
  EXPECT_EQ(result.Next, (TTextMatch{1, 0, 3}));
  EXPECT_TRUE(IsShownMatch(editor, result.Next));
  editor.Command(ecUndo);
  EXPECT_EQ(Text(), (std::vector<std::string>{"cat cat", "cat"}));
  EXPECT_TRUE(IsShownMatch(editor, {0, 4, 3}));
  // A match the text no longer holds there is left alone.
  EXPECT_FALSE(ReplaceMatch(editor, cat, region, {0, 3, 3}, "dog", false).Replaced);
  EXPECT_EQ(Text()[0], "cat cat");
}

TEST_F(ReplaceTest, ReadOnlyBeepsAndARunawayExpressionChangesNothing) {
  SetText({"aaa"});
  editor.ReadOnly = true;
  TSearchRegion region = Whole();
  EXPECT_FALSE(ReplaceAll(editor, Plain("a"), region, "b").Replaced);
  EXPECT_FALSE(ReplaceMatch(editor, Plain("a"), region, {0, 0, 1}, "b", false).Replaced);
  EXPECT_EQ(host.Beeps, 2);
  editor.ReadOnly = false;

  SetText({"aaaa", std::string(40, 'a') + "!"});
  region = Whole();
  EXPECT_THROW(ReplaceAll(editor, Regex("(a+)+$"), region, "b"), ESearchStopped);
  EXPECT_EQ(Text()[0], "aaaa");
  EXPECT_FALSE(editor.UndoBuffer().HasUndo());
  EXPECT_EQ(ReplaceAll(editor, Plain(""), region, "b").Count, 0);
}

TEST_F(ReplaceTest, ARowMayGrowPastTheLastColumnWithoutLosingText) {
  SetText({std::string(1000, 'x')});
  TSearchRegion region = Whole();
  EXPECT_EQ(ReplaceAll(editor, Plain("x"), region, "yy").Count, 1000);
  EXPECT_EQ(Text()[0], std::string(2000, 'y'));
}
