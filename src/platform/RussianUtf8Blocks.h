// Decoding UTF-8 runs of ASCII and Russian letters 32 bytes at a time (AVX2): the UTF-8
// decoder's fast path for Russian pages, on x86 processors that have it.
#pragma once

#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

#include <array>
#include <cstdint>

#define QUORVEL_RUSSIAN_UTF8_BLOCKS 1

namespace platform::utf8 {

// Whether this processor can run DecodeRussianBlocks; asked once.
inline bool HasRussianBlocks() {
  static const bool has = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
  return has;
}

// For each mask of eight bits, the indices of its set bits from the lowest, one a byte:
// the shuffle that packs the bytes the mask keeps to the front, for the lower eight bytes
// of sixteen and (plus 8) for the upper eight.
struct alignas(16) TPackOrder {
  std::array<std::uint8_t, 16> index;
};
inline constexpr std::array<TPackOrder, 256> kPackOrders = [] {
  std::array<TPackOrder, 256> table{};
  for (unsigned mask = 0; mask < 256; ++mask) {
    int filled = 0;
    for (unsigned bit = 0; bit < 8; ++bit) {
      if (mask >> bit & 1) {
        table[mask].index[filled] = static_cast<std::uint8_t>(bit);
        table[mask].index[8 + filled] = static_cast<std::uint8_t>(8 + bit);
        ++filled;
      }
    }
  }
  return table;
}();

// Every byte `byte`. The compiler is kept from building the constant anew in every step
// of a loop, which costs more there than a register holding it.
[[gnu::target("avx2")]] inline __m256i Splat(int byte) {
  __m256i bytes = _mm256_set1_epi8(static_cast<char>(byte));
  asm("" : "+x"(bytes));
  return bytes;
}

// The top bit of each byte.
[[gnu::target("avx2")]] inline std::uint32_t BitsOf(__m256i bytes) {
  return static_cast<std::uint32_t>(_mm256_movemask_epi8(bytes));
}

// Writes the bytes of `chars` whose bits `keep` sets, in order, at `at` and answers the
// position after them. Stores up to 16 bytes from `at`.
[[gnu::target("avx2,popcnt")]] inline char* PackKept(__m128i chars, unsigned keep, char* at) {
  const unsigned low = keep & 0xFF;
  const unsigned high = keep >> 8 & 0xFF;
  const __m128i order =
      _mm_blend_epi32(_mm_load_si128(reinterpret_cast<const __m128i*>(kPackOrders[low].index.data())),
                      _mm_load_si128(reinterpret_cast<const __m128i*>(kPackOrders[high].index.data())), 0b1100);
  const __m128i packed = _mm_shuffle_epi8(chars, order);
  _mm_storel_epi64(reinterpret_cast<__m128i*>(at), packed);
  at += __builtin_popcount(low);
  _mm_storeh_pi(reinterpret_cast<__m64*>(at), _mm_castsi128_ps(packed));
  return at + __builtin_popcount(high);
}

// The same for 32 bytes, storing up to 32 from `at`.
[[gnu::target("avx2,popcnt")]] inline char* PackKept(__m256i chars, std::uint32_t keep, char* at) {
  at = PackKept(_mm256_castsi256_si128(chars), keep & 0xFFFF, at);
  return PackKept(_mm256_extracti128_si256(chars, 1), keep >> 16, at);
}

// Decodes the characters from `from`, which starts one, to about 32 bytes before `end`,
// writing their Windows-1251 codes at `to`; both are left after them. ASCII and the
// Russian letters А..я, Ё and ё (D0 90..D0 BF and D1 80..D1 8F give C0..FF, their second
// byte plus 30 or 70; D0 81 gives A8, D1 91 gives B8) go over 32 bytes a step, without a
// branch per character: the position moves by 32 whatever the block holds, and a letter
// the block's end cuts is written with the block and its second byte skipped in the next
// one. Any other character (other letters and signs, longer sequences, malformed bytes)
// goes to `other(p, at)`, the exact decoder, which writes the one character at p and moves
// both past it (or leaves them where the end cuts the character: the blocks end there, as
// fewer than 33 bytes are left). `to` needs room for one code per byte from `from` to `end`.
template <typename TOther>
[[gnu::target("avx2,popcnt")]] inline void DecodeRussianBlocks(const unsigned char*& from, const unsigned char* end,
                                                               char*& to, TOther&& other) {
  // Kept in locals: a store of codes could alias the positions held by reference.
  const unsigned char* p = from;
  char* at = to;
  const __m256i leadPattern = Splat(0xD0);
  const __m256i notLowBit = Splat(0xFE);
  const __m256i lowBit = Splat(0x01);
  const __m256i firstLead = Splat(0xC0);
  const __m256i offsetAfterD0 = Splat(0x30);
  const __m256i bigYoCode = Splat(0xB1);
  const __m256i smallYoCode = Splat(0x01);
  const __m256i bigYoFix = Splat(0xB1 ^ 0xA8);
  const __m256i smallYoFix = Splat(0x01 ^ 0xB8);
  // Whether the block's first byte ends the letter the previous block's last byte began.
  std::uint32_t carried = 0;
  while (end - p >= 33) {
    const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const std::uint32_t nonAscii = BitsOf(bytes);
    if (nonAscii == 0) {
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(at), bytes);
      at += 32;
      p += 32;
      continue;
    }
    const __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 1));
    const __m256i leads = _mm256_cmpeq_epi8(_mm256_and_si256(bytes, notLowBit), leadPattern);
    const std::uint32_t leadBits = BitsOf(leads);
    // Continuation bytes 80..BF are the signed bytes below C0.
    const std::uint32_t continuations = BitsOf(_mm256_cmpgt_epi8(firstLead, bytes));
    const std::uint32_t followed = BitsOf(_mm256_cmpgt_epi8(firstLead, next));
    // At each lead byte, its letter's code: the second byte plus 30 after D0, plus 70 after
    // D1, modulo 256. Letters of А..я land in C0..FF (the two top bits set); Ё and ё land on
    // B1 and 01, which no other continuation byte reaches.
    const __m256i offset = _mm256_or_si256(offsetAfterD0, _mm256_slli_epi16(_mm256_and_si256(bytes, lowBit), 6));
    __m256i codes = _mm256_add_epi8(next, offset);
    const __m256i bigYo = _mm256_cmpeq_epi8(codes, bigYoCode);
    const __m256i smallYo = _mm256_cmpeq_epi8(codes, smallYoCode);
    const std::uint32_t letterBits = BitsOf(
        _mm256_or_si256(_mm256_and_si256(codes, _mm256_add_epi8(codes, codes)), _mm256_or_si256(bigYo, smallYo)));
    codes = _mm256_xor_si256(codes,
                             _mm256_or_si256(_mm256_and_si256(bigYo, bigYoFix), _mm256_and_si256(smallYo, smallYoFix)));
    // Where the exact decoder takes over: any other non-ASCII byte, a continuation byte
    // no lead byte before it begins, a lead byte not followed by one of a letter.
    const std::uint32_t stops = (nonAscii & ~leadBits & ~continuations) | (continuations & ~(leadBits << 1 | carried)) |
                                (leadBits & ~(followed & letterBits));
    const __m256i chars = _mm256_blendv_epi8(bytes, codes, leads);
    if (stops == 0) {
      at = PackKept(chars, ~continuations, at);
      carried = leadBits >> 31;
      p += 32;
      continue;
    }
    const int clean = __builtin_ctz(stops);
    const std::uint32_t before = clean == 0 ? 0 : ~std::uint32_t{0} >> (32 - clean);
    at = PackKept(chars, ~continuations & before, at);
    p += clean;
    carried = 0;
    other(p, at);
  }
  from = p + carried;
  to = at;
}

}  // namespace platform::utf8

#endif
