// Decoding page bytes into Windows-1251 codes and encoding them back, through tables
// built once from the three code pages.
#include "platform/TextCodec.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "platform/Cp1251.h"
#include "platform/CyrillicCodePages.h"
#include "platform/RussianUtf8Blocks.h"
#include "platform/Utf8.h"

namespace platform {

namespace {

// A byte of one code page to a byte of another; -1 where the second has no such character.
using TByteMap = std::array<std::int16_t, 256>;

struct TTables {
  // Every code point of the Basic Multilingual Plane to its Windows-1251 code, or -1.
  std::array<std::int16_t, 0x10000> cp1251Of;
  TByteMap koi8rToCp1251;
  TByteMap cp866ToCp1251;
  TByteMap cp1251ToKoi8r;
  TByteMap cp1251ToCp866;
};

TByteMap ToCp1251(const TTables& tables, char16_t (*toUnicode)(unsigned char)) {
  TByteMap map;
  for (int b = 0; b < 256; ++b) map[b] = tables.cp1251Of[toUnicode(static_cast<unsigned char>(b))];
  return map;
}

TByteMap FromCp1251(int (*fromUnicode)(char16_t)) {
  TByteMap map;
  for (int b = 0; b < 256; ++b)
    map[b] = static_cast<std::int16_t>(fromUnicode(Cp1251ToUnicode(static_cast<unsigned char>(b))));
  return map;
}

const TTables& Tables() {
  static const TTables* const tables = [] {
    auto* t = new TTables;
    t->cp1251Of.fill(-1);
    for (int b = 0; b < 256; ++b)
      t->cp1251Of[Cp1251ToUnicode(static_cast<unsigned char>(b))] = static_cast<std::int16_t>(b);
    t->koi8rToCp1251 = ToCp1251(*t, Koi8rToUnicode);
    t->cp866ToCp1251 = ToCp1251(*t, Cp866ToUnicode);
    t->cp1251ToKoi8r = FromCp1251(UnicodeToKoi8r);
    t->cp1251ToCp866 = FromCp1251(UnicodeToCp866);
    return t;
  }();
  return *tables;
}

const unsigned char* Bytes(std::string_view text) { return reinterpret_cast<const unsigned char*>(text.data()); }

// Decoded characters go straight into room made at the end of the output, which is
// trimmed to what was written at the end. The decoders keep the write position in a local
// of their own: a character store could alias a position kept in memory.
class TDecodeSink {
 public:
  TDecodeSink(std::string& out, TDecodeStep& step) : out_(out), step_(step) {}

  char* Room(std::size_t most) {
    const std::size_t start = out_.size();
    out_.resize(start + most);
    return out_.data() + start;
  }
  void Trim(const char* end) { out_.resize(static_cast<std::size_t>(end - out_.data())); }

  char* Unmapped(char* at, char32_t codePoint) {
    if (step_.unmappedAt == std::string::npos) {
      step_.unmappedAt = static_cast<std::size_t>(at - out_.data());
      step_.unmappedCode = codePoint;
    }
    *at = '?';
    return at + 1;
  }
  char* Malformed(char* at) {
    step_.malformed = true;
    return Unmapped(at, kMalformedCharacter);
  }
  char* CodePoint(char* at, char32_t codePoint, const TTables& tables) {
    const int code = codePoint < 0x10000 ? tables.cp1251Of[codePoint] : -1;
    if (code < 0) return Unmapped(at, codePoint);
    *at = static_cast<char>(code);
    return at + 1;
  }
  // A whole UTF-8 sequence's character, or the mark of a malformed one.
  char* Sequence(char* at, const utf8::TSequence& sequence, const TTables& tables) {
    return sequence.state == utf8::TSequenceState::Whole ? CodePoint(at, sequence.codePoint, tables)
                                                         : Malformed(at);
  }

 private:
  std::string& out_;
  TDecodeStep& step_;
};

// Lanes of 16 bits, each holding `lane`.
template <typename TWord>
constexpr TWord EveryLane(std::uint16_t lane) {
  TWord word = 0;
  for (std::size_t i = 0; i < sizeof(TWord) / 2; ++i) word = static_cast<TWord>(word << 16 | lane);
  return word;
}

// Russian text is mostly the letters А..я, in UTF-8 D0 90..D0 BF and D1 80..D1 8F, whose
// Windows-1251 codes C0..FF are the second byte plus 30 (after D0) or 70 (after D1). A
// word of such pairs is decoded at once, without a branch per letter; nullptr when the
// word holds anything else (the caller goes character by character). The lanes are laid
// out for a little-endian machine.
template <typename TWord>
char* PutRussianLetters(const unsigned char* p, char* at) {
  constexpr std::size_t kLetters = sizeof(TWord) / 2;
  TWord word;
  std::memcpy(&word, p, sizeof word);
  const TWord leads = word & EveryLane<TWord>(0x00FF);
  if ((leads & EveryLane<TWord>(0x00FE)) != EveryLane<TWord>(0x00D0)) return nullptr;
  const TWord afterD1 = leads & EveryLane<TWord>(0x0001);
  const TWord codes =
      static_cast<TWord>((word >> 8 & EveryLane<TWord>(0x00FF)) + EveryLane<TWord>(0x0030) + (afterD1 << 6));
  // Every code in C0..FF, and F0..FF exactly after D1: second bytes outside the ranges
  // above (or no continuation bytes at all) land elsewhere.
  if ((codes & EveryLane<TWord>(0xFFC0)) != EveryLane<TWord>(0x00C0)) return nullptr;
  if ((codes >> 4 & codes >> 5 & EveryLane<TWord>(0x0001)) != afterD1) return nullptr;
  for (std::size_t i = 0; i < kLetters; ++i) at[i] = static_cast<char>(codes >> (16 * i));
  return at + kLetters;
}

TDecodeStep DecodeUtf8(std::string_view bytes, bool last, std::string& out) {
  const TTables& tables = Tables();
  const unsigned char* const begin = Bytes(bytes);
  const unsigned char* const end = begin + bytes.size();
  const unsigned char* p = begin;
  TDecodeStep step;
  TDecodeSink sink(out, step);
  char* at = sink.Room(bytes.size());
  while (p < end) {
    if (end - p >= 8) {
      // Markup: the ASCII bytes a word starts with go over together.
      if (const int ascii = utf8::AsciiPrefix(p)) {
        std::memcpy(at, p, 8);
        at += ascii;
        p += ascii;
        continue;
      }
      if constexpr (std::endian::native == std::endian::little) {
        if (char* const after = PutRussianLetters<std::uint64_t>(p, at)) {
          at = after;
          p += 8;
          continue;
        }
        if (char* const after = PutRussianLetters<std::uint32_t>(p, at)) {
          at = after;
          p += 4;
          continue;
        }
      }
    } else if (*p < 0x80) {
      *at++ = static_cast<char>(*p++);
      continue;
    }
    const utf8::TSequence sequence = utf8::ReadSequence(p, end);
    if (sequence.state == utf8::TSequenceState::Unfinished && !last) break;
    at = sink.Sequence(at, sequence, tables);
    p += sequence.length;
  }
  sink.Trim(at);
  step.consumed = static_cast<std::size_t>(p - begin);
  return step;
}

#ifdef QUORVEL_RUSSIAN_UTF8_BLOCKS
// The UTF-8 decoder on processors with AVX2: Russian text and markup in blocks of 32
// bytes, the characters the blocks do not take one by one, and the last bytes (fewer than
// a block's) by DecodeUtf8.
[[gnu::target("avx2,popcnt")]] TDecodeStep DecodeUtf8InBlocks(std::string_view bytes, bool last, std::string& out) {
  const TTables& tables = Tables();
  const unsigned char* const begin = Bytes(bytes);
  const unsigned char* const end = begin + bytes.size();
  const unsigned char* p = begin;
  TDecodeStep step;
  TDecodeSink sink(out, step);
  char* at = sink.Room(bytes.size());
  utf8::DecodeRussianBlocks(p, end, at, [&](const unsigned char*& q, char*& to) {
    const utf8::TSequence sequence = utf8::ReadSequence(q, end);
    // Whether more bytes come is DecodeUtf8's to weigh.
    if (sequence.state == utf8::TSequenceState::Unfinished) return;
    to = sink.Sequence(to, sequence, tables);
    q += sequence.length;
  });
  sink.Trim(at);
  const std::size_t done = static_cast<std::size_t>(p - begin);
  const TDecodeStep rest = DecodeUtf8(bytes.substr(done), last, out);
  step.consumed = done + rest.consumed;
  step.malformed = step.malformed || rest.malformed;
  if (step.unmappedAt == std::string::npos) {
    step.unmappedAt = rest.unmappedAt;
    step.unmappedCode = rest.unmappedCode;
  }
  return step;
}
#endif

struct TUtf16Character {
  int length;  // bytes
  char32_t codePoint;
  bool malformed;
  bool unfinished;  // cut by the end of the bytes
};

template <bool BigEndian>
char32_t Utf16Unit(const unsigned char* p) {
  return BigEndian ? (char32_t{p[0]} << 8) | p[1] : (char32_t{p[1]} << 8) | p[0];
}

// A lone surrogate is one malformed character of two bytes; so is a high surrogate that
// the end cuts from its partner, and an odd last byte is one of one byte.
template <bool BigEndian>
TUtf16Character ReadUtf16(const unsigned char* p, const unsigned char* end) {
  if (end - p < 2) return {1, 0, true, true};
  const char32_t unit = Utf16Unit<BigEndian>(p);
  if (unit < 0xD800 || unit > 0xDFFF) return {2, unit, false, false};
  if (unit >= 0xDC00) return {2, 0, true, false};
  if (end - p < 4) return {2, 0, true, true};
  const char32_t next = Utf16Unit<BigEndian>(p + 2);
  if (next < 0xDC00 || next > 0xDFFF) return {2, 0, true, false};
  return {4, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00), false, false};
}

template <bool BigEndian>
TDecodeStep DecodeUtf16(std::string_view bytes, bool last, std::string& out) {
  const TTables& tables = Tables();
  const unsigned char* const begin = Bytes(bytes);
  const unsigned char* const end = begin + bytes.size();
  const unsigned char* p = begin;
  TDecodeStep step;
  TDecodeSink sink(out, step);
  char* at = sink.Room(bytes.size() / 2 + 1);
  while (p < end) {
    const TUtf16Character character = ReadUtf16<BigEndian>(p, end);
    if (character.unfinished && !last) break;
    at = character.malformed ? sink.Malformed(at) : sink.CodePoint(at, character.codePoint, tables);
    p += character.length;
  }
  sink.Trim(at);
  step.consumed = static_cast<std::size_t>(p - begin);
  return step;
}

TDecodeStep DecodeSingleByte(std::string_view bytes, const TByteMap& map, char16_t (*toUnicode)(unsigned char),
                             std::string& out) {
  TDecodeStep step;
  TDecodeSink sink(out, step);
  char* at = sink.Room(bytes.size());
  for (const unsigned char byte : bytes) {
    const int code = map[byte];
    if (code < 0) {
      at = sink.Unmapped(at, toUnicode(byte));
    } else {
      *at++ = static_cast<char>(code);
    }
  }
  sink.Trim(at);
  step.consumed = bytes.size();
  return step;
}

template <bool BigEndian>
std::size_t Utf16Length(const unsigned char* begin, const unsigned char* end, std::size_t count) {
  const unsigned char* p = begin;
  for (; count > 0 && p < end; --count) p += ReadUtf16<BigEndian>(p, end).length;
  return static_cast<std::size_t>(p - begin);
}

void EncodeUtf8(std::string_view text, std::string& out) {
  const unsigned char* p = Bytes(text);
  const unsigned char* const end = p + text.size();
  while (p < end) {
    if (end - p >= 8 && utf8::IsAsciiWord(p)) {
      out.append(reinterpret_cast<const char*>(p), 8);
      p += 8;
      continue;
    }
    const char16_t ch = Cp1251ToUnicode(*p++);
    if (ch < 0x80) {
      out.push_back(static_cast<char>(ch));
    } else if (ch < 0x800) {
      const char sequence[] = {static_cast<char>(0xC0 | ch >> 6), static_cast<char>(0x80 | (ch & 0x3F))};
      out.append(sequence, 2);
    } else {
      const char sequence[] = {static_cast<char>(0xE0 | ch >> 12), static_cast<char>(0x80 | (ch >> 6 & 0x3F)),
                               static_cast<char>(0x80 | (ch & 0x3F))};
      out.append(sequence, 3);
    }
  }
}

template <bool BigEndian>
void EncodeUtf16(std::string_view text, std::string& out) {
  for (const unsigned char byte : text) {
    const char16_t ch = Cp1251ToUnicode(byte);
    const char high = static_cast<char>(ch >> 8);
    const char low = static_cast<char>(ch & 0xFF);
    out.push_back(BigEndian ? high : low);
    out.push_back(BigEndian ? low : high);
  }
}

void EncodeSingleByte(std::string_view text, const TByteMap& map, std::string& out) {
  for (const unsigned char byte : text) {
    const int code = map[byte];
    out.push_back(code < 0 ? '?' : static_cast<char>(code));
  }
}

}  // namespace

TDecodeStep DecodeText(std::string_view bytes, TEncoding encoding, bool last, std::string& out) {
  switch (encoding) {
    case TEncoding::Windows1251: out.append(bytes); return {bytes.size()};
    case TEncoding::Utf8:
    case TEncoding::Utf8Bom:
#ifdef QUORVEL_RUSSIAN_UTF8_BLOCKS
      if (utf8::HasRussianBlocks()) return DecodeUtf8InBlocks(bytes, last, out);
#endif
      return DecodeUtf8(bytes, last, out);
    case TEncoding::Utf16Le: return DecodeUtf16<false>(bytes, last, out);
    case TEncoding::Utf16Be: return DecodeUtf16<true>(bytes, last, out);
    case TEncoding::Koi8R: return DecodeSingleByte(bytes, Tables().koi8rToCp1251, Koi8rToUnicode, out);
    case TEncoding::Cp866: return DecodeSingleByte(bytes, Tables().cp866ToCp1251, Cp866ToUnicode, out);
  }
  return {};
}

std::size_t EncodedLength(std::string_view bytes, TEncoding encoding, std::size_t count) {
  const unsigned char* const begin = Bytes(bytes);
  const unsigned char* const end = begin + bytes.size();
  switch (encoding) {
    case TEncoding::Utf8:
    case TEncoding::Utf8Bom: {
      const unsigned char* p = begin;
      for (; count > 0 && p < end; --count) p += *p < 0x80 ? 1 : utf8::ReadSequence(p, end).length;
      return static_cast<std::size_t>(p - begin);
    }
    case TEncoding::Utf16Le: return Utf16Length<false>(begin, end, count);
    case TEncoding::Utf16Be: return Utf16Length<true>(begin, end, count);
    default: return std::min(count, bytes.size());
  }
}

void EncodeText(std::string_view text, TEncoding encoding, std::string& out) {
  switch (encoding) {
    case TEncoding::Windows1251: out.append(text); return;
    case TEncoding::Utf8:
    case TEncoding::Utf8Bom: EncodeUtf8(text, out); return;
    case TEncoding::Utf16Le: EncodeUtf16<false>(text, out); return;
    case TEncoding::Utf16Be: EncodeUtf16<true>(text, out); return;
    case TEncoding::Koi8R: EncodeSingleByte(text, Tables().cp1251ToKoi8r, out); return;
    case TEncoding::Cp866: EncodeSingleByte(text, Tables().cp1251ToCp866, out); return;
  }
}

std::size_t FirstUnencodable(std::string_view text, TEncoding encoding) {
  const TByteMap* map = encoding == TEncoding::Koi8R   ? &Tables().cp1251ToKoi8r
                        : encoding == TEncoding::Cp866 ? &Tables().cp1251ToCp866
                                                       : nullptr;
  if (map == nullptr) return std::string::npos;
  const auto it =
      std::find_if(text.begin(), text.end(), [map](char c) { return (*map)[static_cast<unsigned char>(c)] < 0; });
  return it == text.end() ? std::string::npos : static_cast<std::size_t>(it - text.begin());
}

}  // namespace platform
