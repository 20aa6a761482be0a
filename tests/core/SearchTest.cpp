// The search engine: matching (case, Ё, whole words, expressions and their errors, the
// match limit), the next and previous match with wrap-around, regions, the column limit,
// counting in slices, going to a line, and the keys that ask the owner for the windows.
#include <gtest/gtest.h>

#include <climits>

#include "core/EditingFixture.h"
#include "editor/search/TextSearch.h"
#include "platform/Cp1251.h"
#include "platform/VirtualKeys.h"

using namespace editor;
using namespace editor::search;
using testing_support::EditingTest;

namespace {

// Windows-1251 bytes of a text written in UTF-16.
std::string W(std::u16string_view text) { return platform::Utf16ToCp1251(text); }

TSearchPattern Plain(std::string text, bool matchCase = false, bool wholeWords = false) {
  return TSearchPattern(std::move(text), TSearchOptions{matchCase, wholeWords, false});
}

TSearchPattern Regex(std::string text, bool matchCase = true) {
  return TSearchPattern(std::move(text), TSearchOptions{matchCase, false, true});
}

// The columns of every match in a row.
std::vector<int> Columns(const TSearchPattern& pattern, std::string_view row) {
  std::vector<int> columns;
  TRowMatch m;
  for (bool more = pattern.FindIn(row, 0, static_cast<int>(row.size()), false, m); more;
       more = pattern.FindAfter(row, m, static_cast<int>(row.size()), m)) {
    columns.push_back(m.Column);
  }
  return columns;
}

}  // namespace

TEST(SearchPattern, IgnoringCaseKnowsEveryCyrillicLetterOfTheCodePage) {
  const std::string row = W(u"Привет ПРИВЕТ привет ЁЛКА ёлка Ђак ђак");
  EXPECT_EQ(Columns(Plain(W(u"привет")), row), (std::vector<int>{0, 7, 14}));
  EXPECT_EQ(Columns(Plain(W(u"ёлка")), row), (std::vector<int>{21, 26}));
  EXPECT_EQ(Columns(Plain(W(u"ЂАК")), row), (std::vector<int>{31, 35}));
  EXPECT_EQ(Columns(Plain(W(u"Привет"), true), row), (std::vector<int>{0}));
  // Expressions fold the same letters and count them as word characters.
  EXPECT_EQ(Columns(Regex(W(u"ПР[И]ВЕТ|Ёлка"), false), row), (std::vector<int>{0, 7, 14, 21, 26}));
  EXPECT_EQ(Columns(Regex(W(u"\\b\\w+\\b")), W(u"Ёж ёж")), (std::vector<int>{0, 3}));
}

TEST(SearchPattern, WholeWordsEndAtTheEditorsOwnSeparators) {
  const TSearchPattern word = Plain(W(u"привет"), false, true);
  EXPECT_TRUE(Columns(word, W(u"приветствие приветик")).empty());
  // "-", "<" and "," separate words; "_" and "!" do not.
  EXPECT_EQ(Columns(word, W(u"<b>Привет</b>, a-привет")), (std::vector<int>{3, 17}));
  EXPECT_TRUE(Columns(word, W(u"a_привет привет!")).empty());
  // A needle that starts with a separator needs no bound before it.
  EXPECT_EQ(Columns(Plain("<p", false, true), "a<p><pre>"), (std::vector<int>{1}));
}

TEST(SearchPattern, AnInvalidExpressionTellsPcre2sMessageAndWhere) {
  const TSearchPattern bad = Regex("ab(c");
  ASSERT_NE(bad.RegexError(), nullptr);
  EXPECT_EQ(bad.RegexError()->Offset, 4);
  EXPECT_NE(bad.RegexError()->Message.find("missing closing parenthesis"), std::string::npos);
  EXPECT_FALSE(bad.Usable());
  EXPECT_TRUE(Columns(bad, "ab(c abc").empty());
  EXPECT_FALSE(Plain("").Usable());
}

TEST(SearchPattern, BackReferencesExpandInTheReplacement) {
  const TSearchPattern heading = Regex("<(h[1-6])>(.*?)</\\1>");
  const std::string row = "<h1>A</h1><h2>B</h3>";
  TRowMatch m;
  ASSERT_TRUE(heading.FindIn(row, 0, static_cast<int>(row.size()), false, m));
  EXPECT_EQ(heading.Expand(row, m, "<\\1 class=\"t\">\\2</$1>"), "<h1 class=\"t\">A</h1>");
  EXPECT_EQ(heading.Expand(row, m, "${2}\\\\ \\$1 $$ \\x $9"), "A\\ $1 $ \\x ");
  EXPECT_FALSE(heading.FindAfter(row, m, static_cast<int>(row.size()), m));
  EXPECT_EQ(Plain("a").Expand("a", m, "\\1$1"), "\\1$1");
}

class SearchTest : public EditingTest {
 protected:
  TFindScan::TStatus Find(const TSearchPattern& pattern, TPosition from, bool backward,
                          const TSearchRegion* region = nullptr) {
    const TSearchRegion whole = TSearchRegion::WholeText();
    scan_.emplace(editor.Lines(), pattern, region ? *region : whole, from, backward, true);
    return scan_->Run(NoDeadline());
  }
  std::optional<TFindScan> scan_;
};

TEST_F(SearchTest, NextAndPreviousWrapAroundTheText) {
  SetText({"one x", "two", "x three x"});
  const TSearchPattern x = Plain("x");
  ASSERT_EQ(Find(x, {5, 0}, false), TFindScan::fsFound);
  EXPECT_EQ(scan_->Match(), (TTextMatch{2, 0, 1}));
  EXPECT_FALSE(scan_->Wrapped());
  ASSERT_EQ(Find(x, {9, 2}, false), TFindScan::fsFound);
  EXPECT_EQ(scan_->Match(), (TTextMatch{0, 4, 1}));
  EXPECT_TRUE(scan_->Wrapped());
  ASSERT_EQ(Find(x, {8, 2}, true), TFindScan::fsFound);
  EXPECT_EQ(scan_->Match(), (TTextMatch{2, 0, 1}));
  ASSERT_EQ(Find(x, {4, 0}, true), TFindScan::fsFound);
  EXPECT_EQ(scan_->Match(), (TTextMatch{2, 8, 1}));
  EXPECT_TRUE(scan_->Wrapped());
  // The only match, searched from its own end, is found again after the wrap.
  SetText({"a", "b x"});
  ASSERT_EQ(Find(x, {3, 1}, false), TFindScan::fsFound);
  EXPECT_EQ(scan_->Match(), (TTextMatch{1, 2, 1}));
  EXPECT_EQ(Find(Plain("zz"), {0, 0}, false), TFindScan::fsNotFound);
}

TEST_F(SearchTest, AColumnBlockLimitsTheSearchToItsColumns) {
  SetText({"ab ab ab", "ab ab ab", "ab ab ab"});
  editor.Sel.BlockFormat = bfColumn;
  editor.SelectRange(3, 0, 4, 1);
  const TSearchRegion block = TSearchRegion::FromSelection(editor.Sel, editor.Lines().Count());
  const TSearchPattern ab = Plain("ab");
  TMatchCount count(editor.Lines(), ab, block);
  ASSERT_TRUE(count.Run(NoDeadline()));
  EXPECT_EQ(count.Count(), 2);
  ASSERT_EQ(Find(ab, {5, 0}, false, &block), TFindScan::fsFound);
  EXPECT_EQ(scan_->Match(), (TTextMatch{1, 3, 2}));
}

TEST_F(SearchTest, AMatchPastTheLastCaretColumnIsFoundButNotSelected) {
  SetText({"a", std::string(1030, ' ') + "needle"});
  ASSERT_EQ(Find(Plain("needle"), {0, 0}, false), TFindScan::fsFound);
  EXPECT_EQ(scan_->Match(), (TTextMatch{1, 1030, 6}));
  EXPECT_FALSE(ShowMatch(editor, scan_->Match()));
  EXPECT_FALSE(editor.Sel.Selected);
  EXPECT_EQ(Caret(), (platform::TPoint{MaxColumn, 1}));
  EXPECT_TRUE(IsShownMatch(editor, scan_->Match()));
  // One that ends on the last column is selected.
  SetText({std::string(1018, ' ') + "needle"});
  ASSERT_EQ(Find(Plain("needle"), {0, 0}, false), TFindScan::fsFound);
  EXPECT_TRUE(ShowMatch(editor, scan_->Match()));
  EXPECT_EQ(editor.Sel.End, (TPosition{1024, 0}));
}

TEST_F(SearchTest, ARunawayExpressionIsStoppedAtItsRow) {
  SetText({"fine", std::string(40, 'a') + "!"});
  EXPECT_THROW(
      {
        try {
          Find(Regex("(a+)+$"), {0, 0}, false);
        } catch (const ESearchStopped& stopped) {
          EXPECT_EQ(stopped.Row, 1);
          throw;
        }
      },
      ESearchStopped);
}

TEST_F(SearchTest, CountingGoesOnWhereTheLastSliceStopped) {
  std::vector<std::string> lines(2000, "x y x");
  SetText(lines);
  const TSearchPattern x = Plain("x");
  TMatchCount count(editor.Lines(), x, TSearchRegion::WholeText());
  // A deadline already past ends each slice at its first look at the clock.
  const TDeadline past = std::chrono::steady_clock::now();
  int slices = 1;
  while (!count.Run(past)) ++slices;
  EXPECT_GT(slices, 1);
  EXPECT_EQ(count.Count(), 4000);
}

TEST_F(SearchTest, GoToLineGoesToTheNearestRowThatExists) {
  SetText({"a", "b", "c"});
  EXPECT_EQ(NearestCaretPosition(editor, 99999, 1), (TPosition{0, 2}));
  EXPECT_EQ(NearestCaretPosition(editor, -4, 5000), (TPosition{MaxColumn, 0}));
  editor.SelectRange(0, 0, 1, 0);
  GoToPosition(editor, NearestCaretPosition(editor, 2, 3));
  EXPECT_EQ(Caret(), (platform::TPoint{2, 1}));
  EXPECT_FALSE(editor.Sel.Selected);
}

TEST_F(SearchTest, CtrlQFAndCtrlQAAskTheOwnerForFindAndReplace) {
  std::vector<TCommand> asked;
  editor.OnOwnerCommand = [&](TCommand code) { asked.push_back(code); };
  for (const std::uint8_t secondShift : {platform::ssNone, platform::ssCtrl}) {
    for (const char letter : {'F', 'A'}) {
      std::uint16_t key = platform::VkLetter('Q');
      editor.KeyDown(key, platform::ssCtrl);
      key = platform::VkLetter(letter);
      editor.KeyDown(key, secondShift);
    }
  }
  EXPECT_EQ(asked, (std::vector<TCommand>{ecFind, ecReplace, ecFind, ecReplace}));
  EXPECT_TRUE(Text().empty());
}
