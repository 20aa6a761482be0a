// Decoding page bytes into Windows-1251 codes and encoding them back, malformed input
// included.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/Cp1251.h"
#include "platform/TextCodec.h"
#include "platform/Utf8.h"

using namespace platform;

namespace {

std::string Utf16Bytes(std::u16string_view text, bool bigEndian) {
  std::string bytes;
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

std::string Decode(std::string_view bytes, TEncoding encoding, TDecodeStep* step = nullptr) {
  std::string out;
  const TDecodeStep result = DecodeText(bytes, encoding, true, out);
  if (step) *step = result;
  return out;
}

const TEncoding kUnicode[] = {TEncoding::Utf8, TEncoding::Utf16Le, TEncoding::Utf16Be};

// UTF-8 decoded one character at a time by the rules alone, without the decoder's fast
// paths.
TDecodeStep DecodeUtf8Slowly(std::string_view bytes, bool last, std::string& out) {
  const auto* const begin = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* const end = begin + bytes.size();
  TDecodeStep step;
  const unsigned char* p = begin;
  while (p < end) {
    utf8::TSequence sequence{utf8::TSequenceState::Whole, 1, *p};
    if (*p >= 0x80) sequence = utf8::ReadSequence(p, end);
    if (sequence.state == utf8::TSequenceState::Unfinished && !last) break;
    const bool whole = sequence.state == utf8::TSequenceState::Whole;
    const int code =
        whole && sequence.codePoint < 0x10000 ? UnicodeToCp1251(static_cast<char16_t>(sequence.codePoint)) : -1;
    if (code < 0 && step.unmappedAt == std::string::npos) {
      step.unmappedAt = out.size();
      step.unmappedCode = whole ? sequence.codePoint : kMalformedCharacter;
    }
    step.malformed = step.malformed || !whole;
    out.push_back(code < 0 ? '?' : static_cast<char>(code));
    p += sequence.length;
  }
  step.consumed = static_cast<std::size_t>(p - begin);
  return step;
}

}  // namespace

TEST(TextCodec, DecodesEachEncodingIntoWindows1251Codes) {
  const std::string privet = Utf16ToCp1251(u"Привет, Ёж №1");
  EXPECT_EQ(Decode("Привет, Ёж №1", TEncoding::Utf8), privet);
  EXPECT_EQ(Decode(Utf16Bytes(u"Привет, Ёж №1", false), TEncoding::Utf16Le), privet);
  EXPECT_EQ(Decode(Utf16Bytes(u"Привет, Ёж №1", true), TEncoding::Utf16Be), privet);
  EXPECT_EQ(Decode("\xF0\xD2\xC9\xD7\xC5\xD4, \xB3\xD6 1", TEncoding::Koi8R), Utf16ToCp1251(u"Привет, Ёж 1"));
  EXPECT_EQ(Decode("\x8F\xE0\xA8\xA2\xA5\xE2, \xF0\xA6 \xFC\x31", TEncoding::Cp866), privet);
}

TEST(TextCodec, ReportsTheFirstCharacterWithoutAWindows1251Code) {
  TDecodeStep step;
  EXPECT_EQ(Decode("a€b中c😀", TEncoding::Utf8, &step), Utf16ToCp1251(u"a€b?c?"));
  EXPECT_EQ(step.unmappedAt, 3u);
  EXPECT_EQ(step.unmappedCode, U'中');
  EXPECT_EQ(Decode(Utf16Bytes(u"x😀", true), TEncoding::Utf16Be, &step), "x?");
  EXPECT_EQ(step.unmappedCode, U'😀');
  EXPECT_EQ(Decode("\xC1\x80", TEncoding::Koi8R, &step), "\xE0?");
  EXPECT_EQ(step.unmappedCode, U'\u2500');
  Decode("plain", TEncoding::Utf8, &step);
  EXPECT_EQ(step.unmappedAt, std::string::npos);
}

TEST(TextCodec, TurnsMalformedBytesIntoOneQuestionMarkPerBrokenCharacter) {
  const struct {
    TEncoding encoding;
    std::string bytes;
    std::string text;
  } cases[] = {
      {TEncoding::Utf8, "\xC0\xAFx", "??x"},              // overlong
      {TEncoding::Utf8, "\xE0\x80\xAF", "???"},           // overlong
      {TEncoding::Utf8, "\xED\xA0\x80", "???"},           // a surrogate
      {TEncoding::Utf8, "\xF4\x90\x80\x80", "????"},      // beyond U+10FFFF
      {TEncoding::Utf8, "\xE2\x82x\xF0\x9F\x98", "?x?"},  // cut, inside and at the end
      {TEncoding::Utf16Le, Utf16Bytes(u"a", false) + std::string("\x00\xDC\x62", 3), "a??"},  // lone low, odd byte
      {TEncoding::Utf16Le, Utf16Bytes(u"a", false) + std::string("\x3D\xD8\x61\x00", 4), "a?a"},
      {TEncoding::Utf16Be, std::string("\xD8\x3D", 2), "?"},  // a high surrogate cut at the end
  };
  for (const auto& c : cases) {
    TDecodeStep step;
    EXPECT_EQ(Decode(c.bytes, c.encoding, &step), c.text) << c.bytes;
    EXPECT_EQ(step.unmappedCode, kMalformedCharacter) << c.bytes;
    EXPECT_EQ(step.consumed, c.bytes.size());
  }
}

TEST(TextCodec, DecodesTheSameWhereverTheInputIsCut) {
  // Characters of every length at every place of an eight-byte word, malformed ones too.
  std::string text;
  for (int shift = 0; shift < 9; ++shift) text += std::string(shift, 'a') + "Ж€😀\xE2\x82\x62\xFF";
  const std::u16string wide = u"ab😀cЖ" + std::u16string(1, u'\xD800') + u"€";
  const struct {
    TEncoding encoding;
    std::string bytes;
  } inputs[] = {{TEncoding::Utf8, text},
                {TEncoding::Utf16Le, Utf16Bytes(wide, false) + "z"},
                {TEncoding::Utf16Be, Utf16Bytes(wide, true)},
                {TEncoding::Koi8R, "\xC1\x80z"}};
  for (const auto& input : inputs) {
    const std::string whole = Decode(input.bytes, input.encoding);
    for (std::size_t cut = 0; cut <= input.bytes.size(); ++cut) {
      std::string pieces;
      const std::size_t taken =
          DecodeText(std::string_view(input.bytes).substr(0, cut), input.encoding, false, pieces).consumed;
      EXPECT_GE(taken + 3, cut);
      DecodeText(std::string_view(input.bytes).substr(taken), input.encoding, true, pieces);
      EXPECT_EQ(pieces, whole) << "cut at " << cut;
      // The bytes behind a character are found again from its index.
      const std::size_t chars = Decode(std::string_view(input.bytes).substr(0, taken), input.encoding).size();
      EXPECT_EQ(EncodedLength(input.bytes, input.encoding, chars), taken);
    }
  }
}

TEST(TextCodec, DecodesRussianUtf8LikeTheRulesWhateverSurroundsTheLetters) {
  // Long runs of Russian letters and ASCII, which the decoder takes many bytes at a time,
  // broken at any place by characters it must read one by one: other two- and three-byte
  // characters with and without a Windows-1251 code, and malformed bytes.
  const std::string others[] = {
      "\u00A9", "\u0402", "\u0457", "\u2116", "\u20AC",                        // ©, Ђ, ї, №, € have a code
      "\u0400", "\u0450", "\u4E2D", "\U0001F600",                             // these have none
      "\x80", "\xBF", "\xC0\xAF", "\xD0", "\xD1\xC0", "\xE2\x84", "\xFF"};  // malformed
  for (unsigned seed = 0; seed < 3000; ++seed) {
    std::mt19937 random(seed);
    const unsigned otherPercent = seed % 4 == 0 ? 0 : 1u << (seed % 4);
    std::string bytes;
    const std::size_t size = random() % 300;
    while (bytes.size() < size) {
      const unsigned pick = random() % 100;
      if (pick < otherPercent) {
        bytes += others[random() % std::size(others)];
      } else if (pick < 75) {
        const char16_t letter =
            pick % 16 == 0 ? (pick % 32 == 0 ? u'Ё' : u'ё') : static_cast<char16_t>(u'А' + random() % 64);
        const std::string code = Utf16ToCp1251(std::u16string(1, letter));
        EncodeText(code, TEncoding::Utf8, bytes);
      } else {
        bytes += static_cast<char>(' ' + random() % 95);
      }
    }
    for (const bool last : {true, false}) {
      std::string expected;
      std::string decoded;
      const TDecodeStep slow = DecodeUtf8Slowly(bytes, last, expected);
      const TDecodeStep fast = DecodeText(bytes, TEncoding::Utf8, last, decoded);
      ASSERT_EQ(decoded, expected) << "seed " << seed;
      ASSERT_EQ(fast.consumed, slow.consumed) << "seed " << seed;
      ASSERT_EQ(fast.malformed, slow.malformed) << "seed " << seed;
      ASSERT_EQ(fast.unmappedAt, slow.unmappedAt) << "seed " << seed;
      ASSERT_EQ(fast.unmappedCode, slow.unmappedCode) << "seed " << seed;
    }
  }
}

TEST(TextCodec, EncodesEveryCodeBackToTheBytesItCameFrom) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  for (const TEncoding encoding : kUnicode) {
    std::string bytes;
    EncodeText(all, encoding, bytes);
    TDecodeStep step;
    EXPECT_EQ(Decode(bytes, encoding, &step), all);
    EXPECT_EQ(step.unmappedAt, std::string::npos);
    EXPECT_EQ(FirstUnencodable(all, encoding), std::string::npos);
  }
  const std::string withEllipsis = Utf16ToCp1251(u"Ёж \u2026");  // no KOI8-R character
  std::string koi8;
  EncodeText(withEllipsis, TEncoding::Koi8R, koi8);
  EXPECT_EQ(koi8, "\xB3\xD6 ?");
  EXPECT_EQ(FirstUnencodable(withEllipsis, TEncoding::Koi8R), 3u);
  for (const TEncoding encoding : {TEncoding::Koi8R, TEncoding::Cp866}) {
    std::string bytes;
    EncodeText(all, encoding, bytes);
    const std::string back = Decode(bytes, encoding);
    for (int b = 0; b < 256; ++b) {
      const bool kept = back[b] == all[b];
      EXPECT_TRUE(kept || back[b] == '?') << b;
      EXPECT_EQ(kept, FirstUnencodable(all.substr(b, 1), encoding) == std::string::npos) << b;
    }
    EXPECT_EQ(Decode(bytes, encoding).substr(0xC0), all.substr(0xC0)) << "a Russian letter was lost";
  }
}
