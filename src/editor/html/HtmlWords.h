// The HTML highlighter's word lists and the character-class tests of its token rules.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace editor {

// The tag names the highlighter knows, as one blank-separated string in stored order.
extern const char* const HtmlTagWords;
// The character entity names (without "&" and ";"), as one blank-separated string.
extern const char* const HtmlEntityWords;
// The single characters that count as punctuation inside a tag.
extern const char* const SymbolChars;

// A word list held as one string of words separated by one or more blanks. A token
// matches when it has the length of one of the words and equals it ignoring ASCII
// letter case; other bytes (Cyrillic included) must be equal as they are.
class TWordList {
 public:
  explicit TWordList(std::string_view words);

  bool Contains(std::string_view token) const;
  int Count() const { return static_cast<int>(words_.size()); }

 private:
  // The words in ASCII lower case, sorted, for a binary search.
  std::vector<std::string> words_;
  std::size_t longest_ = 0;
};

// The shared, read-only lists built from the strings above.
const TWordList& HtmlTagList();
const TWordList& HtmlEntityList();

// Not empty; an ASCII letter or "_" first, then ASCII letters, digits and "_" only.
bool IsIdentifier(std::string_view token);
// Decimal digits after an optional "-", or hexadecimal digits after "$".
bool IsIntegerNumber(std::string_view token);
// Decimal digits with at most one "." after an optional "-"; "." alone is not one.
bool IsRealNumber(std::string_view token);
bool IsSymbolChar(char ch);

}  // namespace editor
