// TSearchPattern: what the user looks for — plain text or a regular expression, with or
// without case, whole words or not — and how it finds matches in one row and builds the
// text that replaces one.
#pragma once

#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "editor/search/LiteralFinder.h"
#include "editor/search/RegexMatcher.h"

namespace editor::search {

struct TSearchOptions {
  bool MatchCase = false;
  bool WholeWords = false;
  bool Regex = false;
};

// One match in a row: its first column and length, with the groups of an expression.
struct TRowMatch {
  int Column = 0;
  int Length = 0;
  TGroups Groups;
  int End() const { return Column + Length; }
};

class TSearchPattern {
 public:
  // text is in Windows-1251. An empty text finds nothing; a bad expression finds nothing
  // and tells why in RegexError().
  TSearchPattern(std::string text, const TSearchOptions& options);

  const std::string& Text() const { return text_; }
  const TSearchOptions& Options() const { return options_; }
  bool Empty() const { return text_.empty(); }
  // True when the pattern can find anything: not empty and, for an expression, valid.
  bool Usable() const;
  // The compile error of an invalid expression; null for a usable or plain pattern.
  const TRegexError* RegexError() const;

  // False when the row holds no match anywhere: it lacks a byte every match needs. It
  // costs a byte scan, far less than FindIn; the scans ask it first.
  bool MayMatch(std::string_view row) const {
    if (!usable_) return false;
    if (!hasKey_) return true;
    if (key_ == keyOther_) return std::memchr(row.data(), key_, row.size()) != nullptr;
    return FindEitherByte(row.data(), row.data() + row.size(), key_, keyOther_) != row.data() + row.size();
  }
  // The first match in row[from, limit) that starts at or after `from`; with
  // notEmptyAtFrom an empty match right at `from` is passed over (the one found last
  // time). Whole words are judged against the whole row. Raises ERegexLimit.
  bool FindIn(std::string_view row, int from, int limit, bool notEmptyAtFrom, TRowMatch& match) const;
  // The next match after `previous` in the same span, continuing as a replace-all does:
  // after an empty match the search goes on one column further.
  bool FindAfter(std::string_view row, const TRowMatch& previous, int limit, TRowMatch& match) const;

  // The text that replaces a match: the replacement as it stands for plain text; for an
  // expression, \0..\9, $0..$9 and ${0}..${9} give the groups, "\\", "\$" and "$$" give
  // "\" and "$", and everything else stands as written.
  std::string Expand(std::string_view row, const TRowMatch& match, std::string_view replacement) const;

 private:
  bool IsWholeWord(std::string_view row, int start, int end) const;

  std::string text_;
  TSearchOptions options_;
  std::unique_ptr<TLiteralFinder> literal_;
  std::unique_ptr<TRegexMatcher> regex_;
  bool usable_ = false;
  bool hasKey_ = false;
  unsigned char key_ = 0, keyOther_ = 0;
};

}  // namespace editor::search
