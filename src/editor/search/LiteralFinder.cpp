// The plain-text row search: choosing the byte to scan for, the scan for one or two bytes,
// and the comparison around each hit.
#include "editor/search/LiteralFinder.h"

#include <cstring>

#include "editor/search/CaseFold.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace editor::search {

// Blanks, markup and the most frequent letters of both languages come first; capitals,
// digits and the rest are rare.
int Commonness(unsigned char c) {
  static constexpr std::string_view veryCommon = " <>/=\"etaoinsrhl\xEE\xE5\xE0\xE8\xED\xF2\xF1\xF0";  // о е а и н т с р
  static constexpr std::string_view common = "dcumpfgwybv.,-:;'\xE2\xEB\xEA\xEC\xE4\xEF\xF3\xFF\xFB\xE7\xFC\xE1\xE3\xF7\xE9";
  if (veryCommon.find(static_cast<char>(c)) != std::string_view::npos) return 3;
  if (common.find(static_cast<char>(c)) != std::string_view::npos) return 2;
  if ((c >= 'a' && c <= 'z') || c >= 0xE0) return 1;
  return 0;
}

const char* FindEitherByte(const char* from, const char* end, unsigned char a, unsigned char b) {
#if defined(__SSE2__)
  if (end - from >= 16) {
    const __m128i va = _mm_set1_epi8(static_cast<char>(a));
    const __m128i vb = _mm_set1_epi8(static_cast<char>(b));
    const auto hits = [&](const char* at) {
      const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
      return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, va), _mm_cmpeq_epi8(block, vb))));
    };
    for (; end - from >= 16; from += 16) {
      if (const unsigned mask = hits(from)) return from + __builtin_ctz(mask);
    }
    // The last bytes in one more block that ends at `end`, without the ones already seen.
    if (from == end) return end;
    const char* last = end - 16;
    const unsigned mask = hits(last) >> (from - last);
    return mask != 0 ? from + __builtin_ctz(mask) : end;
  }
#endif
  for (; from < end; ++from) {
    const auto c = static_cast<unsigned char>(*from);
    if (c == a || c == b) return from;
  }
  return end;
}

TLiteralFinder::TLiteralFinder(std::string needle, bool matchCase)
    : needle_(std::move(needle)), matchCase_(matchCase) {
  if (!matchCase_) {
    for (char& c : needle_) c = static_cast<char>(FoldCase(static_cast<unsigned char>(c)));
  }
  int best = 4;
  for (std::size_t i = 0; i < needle_.size(); ++i) {
    const int commonness = Commonness(static_cast<unsigned char>(needle_[i]));
    if (commonness < best) {
      best = commonness;
      keyOffset_ = i;
    }
  }
  if (needle_.empty()) return;
  key_ = static_cast<unsigned char>(needle_[keyOffset_]);
  keyOther_ = matchCase_ ? key_ : OtherCase(key_);
}

bool TLiteralFinder::MatchesAt(const char* at) const {
  if (matchCase_) return std::memcmp(at, needle_.data(), needle_.size()) == 0;
  const std::array<unsigned char, 256>& fold = FoldTable();
  for (std::size_t i = 0; i < needle_.size(); ++i) {
    if (fold[static_cast<unsigned char>(at[i])] != static_cast<unsigned char>(needle_[i])) return false;
  }
  return true;
}

std::size_t TLiteralFinder::Find(std::string_view text, std::size_t from, std::size_t limit) const {
  const std::size_t size = needle_.size();
  if (size == 0 || limit > text.size() || from > limit || limit - from < size) return std::string_view::npos;
  const char* const base = text.data();
  // Hits of the key byte that could belong to an occurrence inside [from, limit).
  const char* scan = base + from + keyOffset_;
  const char* const scanEnd = base + limit - (size - keyOffset_) + 1;
  while (scan < scanEnd) {
    const char* hit = key_ == keyOther_
                          ? static_cast<const char*>(std::memchr(scan, key_, static_cast<std::size_t>(scanEnd - scan)))
                          : FindEitherByte(scan, scanEnd, key_, keyOther_);
    if (hit == nullptr || hit >= scanEnd) return std::string_view::npos;
    const char* start = hit - keyOffset_;
    if (MatchesAt(start)) return static_cast<std::size_t>(start - base);
    scan = hit + 1;
  }
  return std::string_view::npos;
}

}  // namespace editor::search
