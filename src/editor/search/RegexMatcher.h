// TRegexMatcher: a PCRE2 expression compiled for Windows-1251 rows, with its JIT code,
// its match limits and the row filter its required bytes allow.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace editor::search {

// What one match found: its span and the spans of groups 1..9 (-1 where a group took no
// part).
struct TGroups {
  static constexpr int Count = 10;
  std::array<int, Count * 2> Spans{};
};

// Why an expression cannot be used: PCRE2's own message and the 0-based byte offset it
// names in the pattern.
struct TRegexError {
  std::string Message;
  int Offset = 0;
};

// Raised when a match runs into PCRE2's match limit (a pattern that backtracks without
// end) or its memory limits: the search stops there instead of freezing the window.
class ERegexLimit : public std::exception {
 public:
  const char* what() const noexcept override { return "regular expression match limit reached"; }
};

class TRegexMatcher {
 public:
  // Compiles the pattern; a bad one leaves Error() set and matches nothing.
  TRegexMatcher(std::string_view pattern, bool matchCase);
  ~TRegexMatcher();
  TRegexMatcher(const TRegexMatcher&) = delete;
  TRegexMatcher& operator=(const TRegexMatcher&) = delete;

  bool Ok() const { return error_.Message.empty(); }
  const TRegexError& Error() const { return error_; }

  // The first match in subject that starts at or after `from`; with notEmptyAtFrom an
  // empty match at `from` itself does not count. The subject ends where the searched part
  // of the row ends; `row` is the whole row, for the look behind and word bounds.
  bool Match(std::string_view subject, std::size_t from, bool notEmptyAtFrom, TGroups& groups) const;
  // A byte every match must contain, in both its cases; false when the pattern has none.
  bool RequiredByte(unsigned char& byte, unsigned char& otherCase) const {
    byte = required_;
    otherCase = requiredOther_;
    return hasRequired_;
  }

  // The match limit: enough for any sensible pattern on a long row, and reached within a
  // fraction of a second by one that backtracks without end.
  static constexpr unsigned MatchLimit = 5'000'000;

 private:
  struct TCode;
  std::unique_ptr<TCode> code_;
  TRegexError error_;
  // A byte every match holds (in either case), when the pattern has one.
  bool hasRequired_ = false;
  unsigned char required_ = 0, requiredOther_ = 0;
};

}  // namespace editor::search
