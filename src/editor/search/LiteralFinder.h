// TLiteralFinder: the plain-text search of one row, with or without case, at the speed of
// a byte scan.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace editor::search {

// Looks for one needle (Windows-1251 bytes). It scans for the needle's least common byte
// (both of its cases when case is ignored) with a wide byte scan and compares the needle
// around each hit, so common first letters (such as "<" in HTML) cost nothing extra.
class TLiteralFinder {
 public:
  TLiteralFinder(std::string needle, bool matchCase);

  std::size_t Size() const { return needle_.size(); }
  // The start of the first occurrence that starts at or after `from` and ends at or
  // before `limit` (limit <= text.size()); npos when there is none.
  std::size_t Find(std::string_view text, std::size_t from, std::size_t limit) const;

 private:
  bool MatchesAt(const char* at) const;

  std::string needle_;
  bool matchCase_;
  // The byte scanned for, its offset in the needle and its other case (the same byte when
  // it has none or case matters).
  std::size_t keyOffset_ = 0;
  unsigned char key_ = 0;
  unsigned char keyOther_ = 0;
};

}  // namespace editor::search
