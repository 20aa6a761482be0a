// The highlighter's word lists and its number, identifier and punctuation tests.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "editor/html/HtmlWords.h"

namespace {

using namespace editor;

TEST(HighlightWordsTest, ListsHoldEveryWord) {
  EXPECT_EQ(HtmlTagList().Count(), 96);
  EXPECT_EQ(HtmlEntityList().Count(), 258);
  EXPECT_EQ(std::strlen(SymbolChars), 26u);
}

TEST(HighlightWordsTest, TagWordsMatchWholeWordsIgnoringCase) {
  for (const char* word : {"doctype", "xmp", "h", "align", "H1", "TABLE", "BlockQuote"})
    EXPECT_TRUE(HtmlTagList().Contains(word)) << word;
  // "h align" is two words; parts and extensions of words do not match.
  for (const char* word : {"h align", "tabl", "tables", "h7", "!doctype", "br/", ""})
    EXPECT_FALSE(HtmlTagList().Contains(word)) << word;
}

TEST(HighlightWordsTest, EntityWordsMatchIgnoringCase) {
  for (const char* word : {"Aacute", "zwnj", "nbsp", "NBSP", "Amp", "frac12", "there4"})
    EXPECT_TRUE(HtmlEntityList().Contains(word)) << word;
  for (const char* word : {"#160", "nbs", "apos", "ampx"})
    EXPECT_FALSE(HtmlEntityList().Contains(word)) << word;
  // Only ASCII letters fold: a Cyrillic "а" (0xE0) is not an "a".
  EXPECT_FALSE(HtmlEntityList().Contains("\xE0mp"));
}

TEST(HighlightWordsTest, Identifiers) {
  for (const char* word : {"href", "_x", "a1_b", "Z"}) EXPECT_TRUE(IsIdentifier(word)) << word;
  for (const char* word : {"", "1a", "accept-charset", "a.b", "\xE0"})
    EXPECT_FALSE(IsIdentifier(word)) << word;
}

TEST(HighlightWordsTest, Numbers) {
  for (const char* word : {"0", "100", "-2", "$1F", "$ff"})
    EXPECT_TRUE(IsIntegerNumber(word)) << word;
  for (const char* word : {"", "$", "-", "-$1", "$g", "1a", "1.5"})
    EXPECT_FALSE(IsIntegerNumber(word)) << word;
  for (const char* word : {"5.", ".5", "-2", "-2.5", "12"}) EXPECT_TRUE(IsRealNumber(word)) << word;
  for (const char* word : {"", ".", "-", "1.2.3", "1e5", "$1"})
    EXPECT_FALSE(IsRealNumber(word)) << word;
}

TEST(HighlightWordsTest, SymbolChars) {
  for (const char ch : std::string("#%&'()*+,-./:;<=>@[\\]^{|}~"))
    EXPECT_TRUE(IsSymbolChar(ch)) << ch;
  for (const char ch : std::string("!\"$?_`aZ0\t ")) EXPECT_FALSE(IsSymbolChar(ch)) << ch;
  EXPECT_FALSE(IsSymbolChar('\0'));
}

}  // namespace
