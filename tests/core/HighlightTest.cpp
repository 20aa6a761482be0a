// HTML colouring of whole rows: token classes over real HTML lines, the columns past the
// text, tags spanning rows, the start-state cache and its refresh after edits.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/FakeHost.h"
#include "editor/html/HLEditor.h"

namespace {

using namespace editor;
using platform::TColor;
using platform::TRect;

// Every entry gets its own colours, so a column's attributes name its class.
const std::pair<const char*, TSymbolColor TColors::*> Entries[] = {
    {"Comment", &TColors::Comment},         {"Number", &TColors::Number},
    {"Strings", &TColors::Strings},         {"Symbol", &TColors::Symbol},
    {"Reserved", &TColors::Reserved},       {"Identifier", &TColors::Identifier},
    {"Preproc", &TColors::Preproc},         {"FunctionCall", &TColors::FunctionCall},
    {"Declaration", &TColors::Declaration}, {"Statement", &TColors::Statement},
    {"PlainText", &TColors::PlainText}};

TColors DistinctColors() {
  TColors colors;
  TColor n = 1;
  for (const auto& [name, entry] : Entries)
    (colors.*entry) = TSymbolColor{0, 0x100 + n, 0x200 + n++};
  return colors;
}

TLineAttr AttrOf(const TSymbolColor& c) {
  return TLineAttr{c.ForeColor, c.BackColor, c.Style, platform::clNone};
}

class HighlightTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ApplyMemo1Highlighting(memo);
    memo.SetColors(DistinctColors());
    memo.Color = platform::clNavy;
  }

  // Replaces the text the way a file load reports it.
  void Load(const std::vector<std::string>& lines) {
    memo.Lines().Clear();
    for (const auto& line : lines) memo.Lines().Add(line);
    memo.TextEdited(0, 0, taWholeText, "");
  }

  // Inserts or deletes text in one row and reports it as the editing operations do;
  // answers whether the report repainted the control.
  bool Insert(int x, int y, const std::string& text) {
    memo.Lines().InsertBlock(x, y, text);
    return Report(x, y, taInsert, text);
  }
  bool Delete(int x, int y, int count) {
    const std::string removed = memo.Lines().Get(y).substr(x, count);
    memo.Lines().DeleteBlock({x, y}, {x + count - 1, y});
    return Report(x, y, taDelete, removed);
  }
  bool Report(int x, int y, int action, const std::string& text) {
    const int before = host.InvalidateAllCount;
    const std::size_t rectsBefore = host.Invalidated.size();
    memo.TextEdited(x, y, action, text);
    return host.InvalidateAllCount > before || host.Invalidated.size() > rectsBefore;
  }

  std::string ClassAt(int column) const {
    const TLineAttr& attr = memo.View().Attrs[column];
    for (const auto& [name, entry] : Entries)
      if (attr == AttrOf(memo.Colors().*entry)) return name;
    if (attr == TLineAttr{memo.Font.Color, memo.Color, memo.Font.Style, platform::clNone})
      return "PastEnd";
    return "unknown";
  }

  std::string ClassOfSpan(int first, int length) const {
    const std::string cls = ClassAt(first);
    for (int c = first + 1; c < first + length; ++c)
      if (ClassAt(c) != cls) return "mixed";
    return cls;
  }

  // Colours `row`, then finds each token left to right and checks its class; text
  // between the listed tokens must keep the base colour.
  void ExpectTokens(int row, const std::vector<std::pair<std::string, std::string>>& expected) {
    memo.ComputeLineAttrs(row, 0, 80);
    const std::string& line = memo.Lines().Get(row);
    std::size_t pos = 0;
    for (const auto& [token, cls] : expected) {
      const std::size_t at = line.find(token, pos);
      ASSERT_NE(at, std::string::npos) << token;
      if (at > pos) {
        EXPECT_EQ(ClassOfSpan(static_cast<int>(pos) + 1, static_cast<int>(at - pos)), "PlainText")
            << "before " << token;
      }
      EXPECT_EQ(ClassOfSpan(static_cast<int>(at) + 1, static_cast<int>(token.size())), cls)
          << token;
      pos = at + token.size();
    }
    if (pos < line.size()) {
      EXPECT_EQ(ClassOfSpan(static_cast<int>(pos) + 1, static_cast<int>(line.size() - pos)),
                "PlainText");
    }
  }

  void ExpectLine(const std::string& line,
                  const std::vector<std::pair<std::string, std::string>>& expected) {
    Load({line});
    ExpectTokens(0, expected);
  }

  testing_support::FakeHost host;
  THLEditor memo{host};
};

TEST(HighlightColorsTest, ClassDefaultsAndMemo1Set) {
  const TColors defaults;
  EXPECT_EQ(defaults.Comment,
            (TSymbolColor{platform::fsItalic, platform::clOlive, platform::clWindow}));
  EXPECT_EQ(defaults.Reserved,
            (TSymbolColor{platform::fsBold, platform::clWindowText, platform::clWindow}));
  EXPECT_EQ(defaults.Preproc, (TSymbolColor{0, platform::clGreen, platform::clWindow}));

  const TColors memo1 = Memo1Colors();
  EXPECT_EQ(memo1.Reserved, (TSymbolColor{platform::fsBold, 0x0080FF, platform::clNavy}));
  EXPECT_EQ(memo1.Statement,
            (TSymbolColor{platform::fsBold, platform::clYellow, platform::clNavy}));
  EXPECT_EQ(memo1.Strings, (TSymbolColor{0, platform::clAqua, platform::clNavy}));
  EXPECT_EQ(memo1.PlainText, (TSymbolColor{0, platform::clYellow, platform::clNavy}));
  EXPECT_EQ(memo1.FunctionCall, (TSymbolColor{0, platform::clTeal, platform::clNavy}));
}

TEST_F(HighlightTest, WritesEntryLooksAndFillsPastTheText) {
  memo.SetColors(Memo1Colors());
  Load({"<b>x"});
  memo.View().Attrs[0].Fore = 12345;
  memo.ComputeLineAttrs(0, 0, 80);
  EXPECT_EQ(memo.View().Attrs[1],
            (TLineAttr{0x0080FF, platform::clNavy, platform::fsBold, platform::clNone}));
  EXPECT_EQ(memo.View().Attrs[4], (TLineAttr{platform::clYellow, platform::clNavy, 0, platform::clNone}));
  for (int c : {5, 80, 1024})
    EXPECT_EQ(memo.View().Attrs[c],
              (TLineAttr{platform::clWindowText, platform::clNavy, 0, platform::clNone}));
  EXPECT_EQ(memo.View().Attrs[0].Fore, 12345);  // entry 0 is no column of the line
}

TEST_F(HighlightTest, PainterDrawsTheColouredRuns) {
  memo.SetColors(Memo1Colors());
  Load({"<b>x"});
  memo.WindowCreated();
  host.Size = {2 + 10 * 8, 480};  // ten columns
  memo.Resized();
  host.Surface.Reset();
  memo.View().RepaintRow(0);
  const auto& runs = host.Surface.Runs;
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].Text, "<b>");
  EXPECT_EQ(runs[0].Fore, 0x0080FF);
  EXPECT_EQ(runs[0].Style, platform::fsBold);
  EXPECT_EQ(runs[1].Text, "x");
  EXPECT_EQ(runs[1].Fore, platform::clYellow);
  EXPECT_EQ(runs[2].Text, std::string(6, ' '));
  EXPECT_EQ(runs[2].Fore, platform::clWindowText);
  EXPECT_EQ(runs[2].Back, platform::clNavy);
}

TEST_F(HighlightTest, TagsTextAndEntities) {
  ExpectLine("<b>bold</b> 5 &amp; x", {{"<", "Reserved"},
                                       {"b", "Reserved"},
                                       {">", "Reserved"},
                                       {"bold", "PlainText"},
                                       {"<", "Reserved"},
                                       {"/", "Reserved"},
                                       {"b", "Reserved"},
                                       {">", "Reserved"},
                                       {"5", "PlainText"},
                                       {"&amp;", "Preproc"},
                                       {"x", "PlainText"}});
  ExpectLine("a > b <br>",
             {{">", "PlainText"}, {"<", "Reserved"}, {"br", "Reserved"}, {">", "Reserved"}});
}

TEST_F(HighlightTest, AttributesAndValues) {
  ExpectLine("<a href = \"x\" title='a b'>", {{"<", "Reserved"},
                                              {"a", "Reserved"},
                                              {"href", "Identifier"},
                                              {"=", "Symbol"},
                                              {"\"x\"", "Strings"},
                                              {"title", "Identifier"},
                                              {"=", "Symbol"},
                                              {"'a", "Strings"},
                                              {"b'", "PlainText"},
                                              {">", "Reserved"}});
  ExpectLine("<td width=100><font 3>", {{"<", "Reserved"},
                                        {"td", "Reserved"},
                                        {"width", "Identifier"},
                                        {"=", "Symbol"},
                                        {"100", "Strings"},
                                        {">", "Reserved"},
                                        {"<", "Reserved"},
                                        {"font", "Reserved"},
                                        {"3", "Number"},
                                        {">", "Reserved"}});
  ExpectLine("<form accept-charset=\"x\">", {{"<", "Reserved"},
                                             {"form", "Reserved"},
                                             {"accept-charset", "PlainText"},
                                             {"=", "Symbol"},
                                             {"\"x\"", "Strings"},
                                             {">", "Reserved"}});
  // Entities inside values; a numeric reference, and a name running into the next "&",
  // are not coloured.
  ExpectLine("<img src=a&amp;b alt=\"&lt;&#160;&x&amp;\">", {{"<", "Reserved"},
                                                             {"img", "Reserved"},
                                                             {"src", "Identifier"},
                                                             {"=", "Symbol"},
                                                             {"a", "Strings"},
                                                             {"&amp;", "Preproc"},
                                                             {"b", "Strings"},
                                                             {"alt", "Identifier"},
                                                             {"=", "Symbol"},
                                                             {"\"", "Strings"},
                                                             {"&lt;", "Preproc"},
                                                             {"&#160;&x&amp;\"", "Strings"},
                                                             {">", "Reserved"}});
}

TEST_F(HighlightTest, TagNamesDoctypeAndComments) {
  ExpectLine("<MyTag></MyTag><TABLE>", {{"<", "Reserved"},
                                        {"MyTag", "Statement"},
                                        {">", "Reserved"},
                                        {"<", "Reserved"},
                                        {"/", "Reserved"},
                                        {"MyTag", "Statement"},
                                        {">", "Reserved"},
                                        {"<", "Reserved"},
                                        {"TABLE", "Reserved"},
                                        {">", "Reserved"}});
  ExpectLine(
      "<!DOCTYPE html>",
      {{"<", "Reserved"}, {"!DOCTYPE", "Statement"}, {"html", "Reserved"}, {">", "Reserved"}});
  ExpectLine("<!-- note -->", {{"<", "Reserved"},
                               {"!--", "Statement"},
                               {"note", "PlainText"},
                               {"--", "PlainText"},
                               {">", "Reserved"}});
  ExpectLine("<p ; -1.5 # <>", {{"<", "Reserved"},
                                {"p", "Reserved"},
                                {";", "Symbol"},
                                {"-1.5", "Number"},
                                {"#", "Symbol"},
                                {"<", "Symbol"},
                                {">", "Reserved"}});
}

// Tokens are classified up to the last column shown (1024 at most); text further right
// keeps the plain colour, not the look of the space past the line's end.
TEST_F(HighlightTest, LongLineIsColouredUpToTheLastColumnShown) {
  std::string line(1020, 'x');
  line += " <table>" + std::string(972, 'y');
  Load({line});
  memo.ComputeLineAttrs(0, 0, MaxColumn);
  EXPECT_EQ(ClassAt(1022), "Reserved");         // "<"
  EXPECT_EQ(ClassOfSpan(1023, 2), "Reserved");  // "ta", cut at the last column
  EXPECT_EQ(ClassOfSpan(1, 1020), "PlainText");
  memo.ComputeLineAttrs(0, 0, 80);
  EXPECT_EQ(ClassOfSpan(1, 1024), "PlainText");
}

TEST_F(HighlightTest, TagSpanningRowsColoursItsInnerRowsAsAttributes) {
  Load({"<a", "href=\"x\"", "", "title=y>", "a=1"});
  ExpectTokens(1, {{"href", "Identifier"}, {"=", "Symbol"}, {"\"x\"", "Strings"}});
  ExpectTokens(3, {{"title", "Identifier"}, {"=", "Symbol"}, {"y", "Strings"}, {">", "Reserved"}});
  ExpectTokens(4, {{"a=1", "PlainText"}});
  EXPECT_EQ(memo.LineStartState(3), THLEditor::StateInTag);  // the empty row keeps the tag open
}

TEST_F(HighlightTest, SwitchesThatStopColouring) {
  Load({"<b>"});
  memo.SetHighlighter(hlNone);
  ExpectTokens(0, {{"<b>", "PlainText"}});

  memo.SetHighlighter(hlHtml);
  memo.SetSyntaxHighlighting(false);
  memo.View().Attrs[1].Fore = 777;
  memo.ComputeLineAttrs(0, 0, 80);
  EXPECT_EQ(memo.View().Attrs[1].Fore, 777);
}

TEST_F(HighlightTest, ReservedWordHandlerReplacesTheTagRules) {
  memo.OnReservedWord = [](THLEditor&, std::string_view token, bool& reserved) {
    reserved = token == "href";
  };
  ExpectLine("<a href=1 x>", {{"<", "Symbol"},
                              {"a", "PlainText"},
                              {"href", "Reserved"},
                              {"=", "Symbol"},
                              {"1", "Number"},
                              {">", "Symbol"}});

  // A failing handler ends the row silently; what was written stays.
  memo.OnReservedWord = [](THLEditor&, std::string_view token, bool& reserved) {
    if (token == "x") throw std::runtime_error("stop");
    reserved = true;
  };
  ExpectTokens(0, {{"<", "Reserved"},
                   {"a", "Reserved"},
                   {"href", "Reserved"},
                   {"=", "Reserved"},
                   {"1", "Reserved"},
                   {"x>", "PlainText"}});
}

TEST_F(HighlightTest, EditsThatOpenAndCloseTags) {
  Load(std::vector<std::string>(30, "text href=x"));

  EXPECT_TRUE(Insert(4, 10, "<"));  // "text<" with no ">" on the row
  EXPECT_EQ(memo.LineStartState(10), THLEditor::StateOutside);
  EXPECT_EQ(memo.LineStartState(11), THLEditor::StateInTag);
  EXPECT_EQ(memo.LineStartState(29), THLEditor::StateInTag);
  ExpectTokens(11,
               {{"text", "PlainText"}, {"href", "Identifier"}, {"=", "Symbol"}, {"x", "Strings"}});

  EXPECT_FALSE(Insert(0, 12, "abc"));  // letters rescan nothing and repaint nothing
  EXPECT_FALSE(Insert(0, 2, "<b>"));   // a closed tag changes no start state

  EXPECT_TRUE(Insert(0, 20, ">"));
  EXPECT_EQ(memo.LineStartState(20), THLEditor::StateInTag);
  EXPECT_EQ(memo.LineStartState(21), THLEditor::StateOutside);

  EXPECT_TRUE(Delete(4, 10, 1));
  EXPECT_EQ(memo.LineStartState(11), THLEditor::StateOutside);
  EXPECT_EQ(memo.LineStartState(21), THLEditor::StateOutside);
}

TEST_F(HighlightTest, TypingThroughTheEditorRefreshesStates) {
  Load({"<p>", "one", "two"});
  memo.MoveCaretTo(3, 0);
  char ch = '<';
  memo.KeyPress(ch);
  ASSERT_EQ(memo.Lines().Get(0), "<p><");
  EXPECT_EQ(memo.LineStartState(2), THLEditor::StateInTag);
  for (char typed : {'a', '>'}) memo.KeyPress(typed);
  EXPECT_EQ(memo.LineStartState(1), THLEditor::StateOutside);
}

// A line break at the end of the text gives only the new row a start state: that row is
// repainted, not the whole control (a whole paint for every Enter at the end of a page).
TEST_F(HighlightTest, ARowAddedAtTheEndRepaintsOnlyItself) {
  memo.WindowCreated();
  Load({"<p>", "text"});
  memo.View().Paint(TRect{0, 0, 640, 480});
  host.InvalidateAllCount = 0;
  host.Invalidated.clear();
  EXPECT_TRUE(Insert(4, 1, "\r\n"));
  EXPECT_EQ(host.InvalidateAllCount, 0);
  ASSERT_EQ(host.Invalidated.size(), 1u);
  EXPECT_EQ(host.Invalidated[0], (TRect{0, 2 * 16, 640, 3 * 16}));
}

// Rows whose state changed are repainted where they stand at the next paint, also when
// a line inserted above them has shifted them down the window before it.
TEST_F(HighlightTest, RowsWaitingForTheirRepaintMoveWithTheirLines) {
  memo.WindowCreated();
  Load(std::vector<std::string>(10, "x"));
  memo.View().Paint(TRect{0, 0, 640, 480});
  host.Invalidated.clear();
  EXPECT_TRUE(Insert(1, 3, "<"));  // rows 4..9 now start inside a tag
  EXPECT_EQ(host.Invalidated.back(), (TRect{0, 4 * 16, 640, 10 * 16}));
  memo.Lines().Insert(0, "new");
  memo.View().ShowRowsShifted(0, 1);
  EXPECT_EQ(host.Invalidated.back(), (TRect{0, 5 * 16, 640, 11 * 16}));
}

TEST_F(HighlightTest, ReplacementsRescanWhateverTheirText) {
  Load({"x", "href=x"});
  memo.Lines().ReplaceLine(0, "<x");
  EXPECT_TRUE(Report(0, 0, taReplace, "x"));
  EXPECT_EQ(memo.LineStartState(1), THLEditor::StateInTag);
}

TEST_F(HighlightTest, LineBreaksRescanFromTheEditedRow) {
  Load({"<a", "b>", "c"});
  Insert(1, 0, "\n");  // "<", "a", "b>", "c": a bare LF breaks the row too
  ASSERT_EQ(memo.Lines().Count(), 4);
  EXPECT_EQ(memo.LineStartState(2), THLEditor::StateInTag);
  EXPECT_EQ(memo.LineStartState(3), THLEditor::StateOutside);
}

TEST_F(HighlightTest, RescanCoversAWindowAndLeavesTheRestForLater) {
  Load(std::vector<std::string>(12000, "x"));
  Insert(0, 100, "<");
  EXPECT_EQ(memo.LineStartState(5100), THLEditor::StateInTag);
  EXPECT_EQ(memo.LineStartState(5101), THLEditor::StateUnknown);
  EXPECT_EQ(memo.LineStartState(11999), THLEditor::StateUnknown);

  // Painting the first unknown row continues from the known row above it...
  memo.ComputeLineAttrs(5101, 0, 80);
  EXPECT_EQ(memo.LineStartState(10100), THLEditor::StateInTag);
  EXPECT_EQ(memo.LineStartState(10101), THLEditor::StateUnknown);
  // ...while a row with nothing known above it rebuilds everything from row 0.
  memo.ComputeLineAttrs(11000, 0, 80);
  EXPECT_EQ(memo.LineStartState(11000), THLEditor::StateInTag);
  EXPECT_EQ(memo.LineStartState(11999), THLEditor::StateInTag);
}

TEST_F(HighlightTest, RowsPastTheCacheStartOutsideATag) {
  std::vector<std::string> lines(65540, "a=b");
  lines[65530] = "<p";
  Load(lines);
  EXPECT_EQ(memo.LineStartState(65536), THLEditor::StateInTag);
  ExpectTokens(65536, {{"a", "Identifier"}, {"=", "Symbol"}, {"b", "Strings"}});
  ExpectTokens(65537, {{"a=b", "PlainText"}});
}

TEST_F(HighlightTest, WithoutLongTokensEveryRowStartsOutside) {
  Load({"<a", "href=x"});
  memo.SetLongTokens(false);
  ExpectTokens(1, {{"href=x", "PlainText"}});

  // Edits go unnoticed while it is off; switched on again, the states are rebuilt
  // rather than trusted.
  Delete(0, 0, 1);
  memo.SetLongTokens(true);
  ExpectTokens(1, {{"href=x", "PlainText"}});
}

TEST_F(HighlightTest, EditsWhileSwitchedOffAreCaughtUpWhenSwitchedOn) {
  Load({"x", "href=x"});
  memo.SetSyntaxHighlighting(false);
  Insert(0, 0, "<");
  memo.SetSyntaxHighlighting(true);
  ExpectTokens(1, {{"href", "Identifier"}, {"=", "Symbol"}, {"x", "Strings"}});
}

TEST_F(HighlightTest, ChangingTheModeRebuildsAndRepaints) {
  const int repaints = host.InvalidateAllCount;
  memo.SetHighlighter(hlHtml);
  EXPECT_EQ(host.InvalidateAllCount, repaints);
  memo.SetHighlighter(hlNone);
  EXPECT_GT(host.InvalidateAllCount, repaints);
}

}  // namespace

namespace {

// A row far longer than can be shown is coloured only up to what can be shown, yet a
// token that crosses the last column keeps the class the whole row gives it.
TEST_F(HighlightTest, LongRowsColourTheShownColumnsAsTheWholeRowWould) {
  const std::string head = "<p " + std::string(1017, 'x') + " ";  // col 1021 starts a word
  const std::string tail = "<b>" + std::string(200000, 'y');
  // An attribute name crossing the last column, its "=" past it.
  Load({head + "name   = 1" + tail, head + "1234567 < " + tail, head + "\"a b c d\" " + tail});
  memo.ComputeLineAttrs(0, 0, MaxColumn);
  EXPECT_EQ(memo.View().Attrs[1024], AttrOf(DistinctColors().Identifier));
  memo.ComputeLineAttrs(1, 0, MaxColumn);
  EXPECT_EQ(memo.View().Attrs[1024], AttrOf(DistinctColors().Number));
  memo.ComputeLineAttrs(2, 0, MaxColumn);
  EXPECT_EQ(memo.View().Attrs[1024], AttrOf(DistinctColors().PlainText));
}

}  // namespace
