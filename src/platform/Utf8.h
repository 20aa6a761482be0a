// Well-formed UTF-8: the sequence rules and the eight-byte ASCII test that the encoding
// check and the decoder share, so they can never disagree on what is valid.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace platform::utf8 {

// Whether the eight bytes at p are all ASCII: pages are mostly markup, and whole words of
// it pass with one test.
inline bool IsAsciiWord(const unsigned char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return (word & 0x8080808080808080u) == 0;
}

// How many of the eight bytes at p, from the first, are ASCII.
inline int AsciiPrefix(const unsigned char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  const std::uint64_t high = word & 0x8080808080808080u;
  if (high == 0) return 8;
  if constexpr (std::endian::native == std::endian::little) return std::countr_zero(high) / 8;
  return std::countl_zero(high) / 8;
}

// Whether the eight bytes at p hold only ASCII and whole two-byte sequences (Russian text
// among markup), told with a few word operations: the bytes to step over then (8, or 7
// when the last one starts a sequence the next word ends), else 0 (longer sequences,
// faults, a word that starts inside a sequence: the caller goes byte by byte).
inline int AsciiOrTwoByteRun(const unsigned char* p) {
  constexpr std::uint64_t kHigh = 0x8080808080808080u;
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  const std::uint64_t high = word & kHigh;
  if (high == 0) return 8;
  // Each byte's bit 7 tells its kind: 10xxxxxx continues, 110xxxxx leads two bytes.
  const std::uint64_t bit6 = (word << 1) & kHigh;
  const std::uint64_t bit5 = (word << 2) & kHigh;
  const std::uint64_t continuation = high & ~bit6;
  const std::uint64_t lead = high & bit6 & ~bit5;
  const std::uint64_t longer = high & bit6 & bit5;
  // C0 and C1 lead overlong forms: their bits 4..1 are all clear.
  const std::uint64_t overlong = lead & ~(((word & 0x1E1E1E1E1E1E1E1Eu) + 0x7F7F7F7F7F7F7F7Fu) & kHigh);
  // The byte after every lead continues it, and no other byte does.
  constexpr bool little = std::endian::native == std::endian::little;
  const std::uint64_t followers = little ? lead << 8 : lead >> 8;
  if ((longer | overlong | (continuation ^ followers)) != 0) return 0;
  const std::uint64_t lastLead = little ? lead >> 63 : lead & 0x80;
  return lastLead != 0 ? 7 : 8;
}

enum class TSequenceState { Whole, Broken, Unfinished };

struct TSequence {
  TSequenceState state;
  // Whole: the sequence's bytes. Broken: the bytes that make one malformed character (the
  // longest start that could still have been well formed, at least the first byte).
  // Unfinished: the bytes up to `end`.
  int length;
  char32_t codePoint;  // of a whole sequence
};

// Reads the sequence at the non-ASCII byte *p. Overlong forms, surrogates and code points
// above U+10FFFF are broken at the byte that makes them so.
inline TSequence ReadSequence(const unsigned char* p, const unsigned char* end) {
  const unsigned char lead = *p;
  int continuations = 0;
  char32_t codePoint = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    continuations = 1;
    codePoint = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    continuations = 2;
    codePoint = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;   // below: overlong
    if (lead == 0xED) high = 0x9F;  // above: surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    continuations = 3;
    codePoint = lead & 0x07;
    if (lead == 0xF0) low = 0x90;   // below: overlong
    if (lead == 0xF4) high = 0x8F;  // above: beyond U+10FFFF
  } else {
    return {TSequenceState::Broken, 1, 0};
  }
  for (int i = 1; i <= continuations; ++i) {
    if (p + i == end) return {TSequenceState::Unfinished, i, 0};
    const unsigned char c = p[i];
    if (c < low || c > high) return {TSequenceState::Broken, i, 0};
    low = 0x80;
    high = 0xBF;
    codePoint = (codePoint << 6) | (c & 0x3F);
  }
  return {TSequenceState::Whole, continuations + 1, codePoint};
}

}  // namespace platform::utf8
