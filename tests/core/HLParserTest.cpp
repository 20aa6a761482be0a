// The HTML tokenizer: token boundaries, blanks, quotes, the "/" after "<", the look past
// a token and the ring of recent tokens.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "editor/html/HLParser.h"

namespace {

using editor::TIParser;

struct Tok {
  std::string Text;
  int Start;
  bool operator==(const Tok&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Tok& t) {
  return out << '"' << t.Text << "\"@" << t.Start;
}

std::vector<Tok> Tokenize(std::string_view line) {
  TIParser parser;
  parser.SetText(line);
  std::vector<Tok> tokens;
  for (auto t = parser.NextToken(); !t.empty(); t = parser.NextToken()) {
    EXPECT_EQ(parser.TokenEnd(0) - parser.TokenStart(0), static_cast<int>(t.size()));
    tokens.push_back({std::string(t), parser.TokenStart(0)});
  }
  return tokens;
}

TEST(HLParserTest, TagWithQuotedValue) {
  const auto t = Tokenize("<a href=\"x.htm\">");
  ASSERT_EQ(t.size(), 6u);
  EXPECT_EQ(t[0], (Tok{"<", 0}));
  EXPECT_EQ(t[1], (Tok{"a", 1}));
  EXPECT_EQ(t[2], (Tok{"href", 3}));
  EXPECT_EQ(t[3], (Tok{"=", 7}));
  EXPECT_EQ(t[4], (Tok{"\"x.htm\"", 8}));
  EXPECT_EQ(t[5], (Tok{">", 15}));
}

TEST(HLParserTest, SlashSplitsOnlyRightAfterOpeningBracket) {
  const auto closing = Tokenize("</p>");
  ASSERT_EQ(closing.size(), 4u);
  EXPECT_EQ(closing[0], (Tok{"<", 0}));
  EXPECT_EQ(closing[1], (Tok{"/", 1}));
  EXPECT_EQ(closing[2], (Tok{"p", 2}));
  EXPECT_EQ(closing[3], (Tok{">", 3}));

  const auto selfClosing = Tokenize("<br/>");
  ASSERT_EQ(selfClosing.size(), 3u);
  EXPECT_EQ(selfClosing[1], (Tok{"br/", 1}));

  const auto spaced = Tokenize("< /p>");
  ASSERT_EQ(spaced.size(), 3u);
  EXPECT_EQ(spaced[1], (Tok{"/p", 2}));

  const auto leading = Tokenize("/x");
  ASSERT_EQ(leading.size(), 1u);
  EXPECT_EQ(leading[0], (Tok{"/x", 0}));
}

TEST(HLParserTest, CommentIsCutLikeAnyTag) {
  // A word stops before ">", so the closing "-->" is two tokens and ends the tag.
  const auto t = Tokenize("<!-- note -->");
  ASSERT_EQ(t.size(), 5u);
  EXPECT_EQ(t[0], (Tok{"<", 0}));
  EXPECT_EQ(t[1], (Tok{"!--", 1}));
  EXPECT_EQ(t[2], (Tok{"note", 5}));
  EXPECT_EQ(t[3], (Tok{"--", 10}));
  EXPECT_EQ(t[4], (Tok{">", 12}));
}

TEST(HLParserTest, QuotesBlanksAndTabs) {
  // An unclosed quote runs to the line end; single quotes and a TAB join words;
  // CR and LF are skipped like blanks.
  const auto t = Tokenize(" \r\n'a\tb\" c\"d=\"open <x>");
  ASSERT_EQ(t.size(), 4u);
  EXPECT_EQ(t[0], (Tok{"'a\tb\"", 3}));
  EXPECT_EQ(t[1], (Tok{"c\"d", 9}));
  EXPECT_EQ(t[2], (Tok{"=", 12}));
  EXPECT_EQ(t[3], (Tok{"\"open <x>", 13}));
}

TEST(HLParserTest, EmptyBlankAndNulEndedLines) {
  EXPECT_TRUE(Tokenize("").empty());
  EXPECT_TRUE(Tokenize("   ").empty());
  const auto t = Tokenize(std::string_view("ab\0<cd>", 7));
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0], (Tok{"ab", 0}));
}

TEST(HLParserTest, NextNonBlankCharLooksPastBlanksAndTabs) {
  TIParser parser;
  parser.SetText("href \t = x");
  EXPECT_EQ(parser.NextToken(), "href");
  EXPECT_EQ(parser.NextNonBlankChar(), '=');
  EXPECT_EQ(parser.NextToken(), "\t");  // the tokenizer itself does not skip a TAB
  EXPECT_EQ(parser.NextToken(), "=");
  EXPECT_EQ(parser.NextToken(), "x");
  EXPECT_EQ(parser.NextNonBlankChar(), '\0');
}

TEST(HLParserTest, RecentTokensKeepTheLastTen) {
  TIParser parser;
  parser.SetText("t0 t1 t2 t3 t4 t5 t6 t7 t8 t9 t10 t11");
  for (int i = 0; i < 12; ++i) parser.NextToken();
  EXPECT_EQ(parser.Token(0), "t11");
  EXPECT_EQ(parser.TokenStart(0), 34);
  EXPECT_EQ(parser.TokenEnd(0), 37);
  EXPECT_EQ(parser.Token(1), "t10");
  EXPECT_EQ(parser.Token(9), "t2");
  EXPECT_EQ(parser.TokenStart(9), 6);
  // A new line forgets the old one's tokens.
  parser.SetText("x");
  EXPECT_EQ(parser.Token(1), "");
}

}  // namespace
