// TLiteralFinder: the plain-text search of one row, with or without case, at the speed of
// a byte scan.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace editor::search {

// How common a byte is in Russian and English HTML, 0 (rare) to 3: the scans look for the
// rarest byte a match must hold.
int Commonness(unsigned char c);
// The first of the bytes a or b in [from, end), or end; a wide scan like memchr.
const char* FindEitherByte(const char* from, const char* end, unsigned char a, unsigned char b);

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
  // The byte scanned for in both its cases (the same byte twice when case matters or it
  // has none): every occurrence holds one of them.
  unsigned char Key() const { return key_; }
  unsigned char KeyOtherCase() const { return keyOther_; }

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
