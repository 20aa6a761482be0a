// The Windows-1251 case pairs and the PCRE2 character tables built from them.
#include "editor/search/CaseFold.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <cstring>
#include <vector>

namespace editor::search {

namespace {

// Upper case -> lower case for every letter pair of the code page.
std::array<unsigned char, 256> MakeFoldTable() {
  std::array<unsigned char, 256> table{};
  for (int c = 0; c < 256; ++c) table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c);
  for (int c = 'A'; c <= 'Z'; ++c) table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c + 32);
  // А..Я -> а..я.
  for (int c = 0xC0; c <= 0xDF; ++c) table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c + 32);
  // Ђ Ѓ Љ Њ Ќ Ћ Џ Ў Ј Ґ Ё Є Ї І Ѕ, each with its small letter.
  constexpr unsigned char pairs[][2] = {
      {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D},
      {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4},
      {0xA8, 0xB8}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE},
  };
  for (const auto& pair : pairs) table[pair[0]] = pair[1];
  return table;
}

std::array<unsigned char, 256> MakeOtherCaseTable() {
  const std::array<unsigned char, 256>& fold = FoldTable();
  std::array<unsigned char, 256> table{};
  for (int c = 0; c < 256; ++c) table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c);
  for (int c = 0; c < 256; ++c) {
    const unsigned char lower = fold[static_cast<std::size_t>(c)];
    if (lower == c) continue;
    table[static_cast<std::size_t>(c)] = lower;
    table[lower] = static_cast<unsigned char>(c);
  }
  return table;
}

// The classes of a byte as the C library of a Windows-1251 locale would answer them.
struct TByteClass {
  bool Space, Digit, XDigit, Upper, Lower, Word, Graph, Print, Punct, Cntrl;
};

TByteClass ClassOf(int c) {
  const auto byte = static_cast<unsigned char>(c);
  const bool letter = IsLetter(byte);
  const bool upper = letter && FoldCase(byte) != byte;
  const bool digit = c >= '0' && c <= '9';
  // 0x98 has no character; 0xA0 is the no-break space, printed but not visible.
  const bool graph = (c > 32 && c < 127) || (c >= 128 && c != 0x98 && c != 0xA0);
  const bool print = graph || c == 32 || c == 0xA0;
  return TByteClass{
      .Space = c == ' ' || (c >= 9 && c <= 13),
      .Digit = digit,
      .XDigit = digit || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'),
      .Upper = upper,
      .Lower = letter && !upper,
      .Word = letter || digit || c == '_',
      .Graph = graph,
      .Print = print,
      .Punct = graph && !letter && !digit,
      .Cntrl = c < 32 || c == 127,
  };
}

// The binary layout PCRE2 reads (the one its table builder writes): lower-case map,
// case-flip map, ten 32-byte class bitmaps, then one type byte per character.
constexpr std::size_t LowerOffset = 0, FlipOffset = 256, BitsOffset = 512, TypesOffset = 832, TablesLength = 1088;
enum TClassBitmap { cbSpace = 0, cbXDigit = 32, cbDigit = 64, cbUpper = 96, cbLower = 128, cbWord = 160,
                    cbGraph = 192, cbPrint = 224, cbPunct = 256, cbCntrl = 288 };
enum TTypeBit { ctSpace = 0x01, ctLetter = 0x02, ctLowerLetter = 0x04, ctDigit = 0x08, ctWord = 0x10 };

std::vector<std::uint8_t> BuildTables() {
  std::vector<std::uint8_t> t(TablesLength, 0);
  for (int c = 0; c < 256; ++c) {
    const auto byte = static_cast<unsigned char>(c);
    const TByteClass k = ClassOf(c);
    t[LowerOffset + byte] = FoldCase(byte);
    t[FlipOffset + byte] = OtherCase(byte);
    const auto set = [&](bool on, TClassBitmap map) {
      if (on) t[BitsOffset + map + byte / 8] |= static_cast<std::uint8_t>(1u << (byte % 8));
    };
    set(k.Space, cbSpace);
    set(k.XDigit, cbXDigit);
    set(k.Digit, cbDigit);
    set(k.Upper, cbUpper);
    set(k.Lower, cbLower);
    set(k.Word, cbWord);
    set(k.Graph, cbGraph);
    set(k.Print, cbPrint);
    set(k.Punct, cbPunct);
    set(k.Cntrl, cbCntrl);
    int type = 0;
    if (k.Space) type |= ctSpace;
    if (k.Upper || k.Lower) type |= ctLetter;
    if (k.Lower) type |= ctLowerLetter;
    if (k.Digit) type |= ctDigit;
    if (k.Word) type |= ctWord;
    t[TypesOffset + byte] = static_cast<std::uint8_t>(type);
  }
  return t;
}

// Our tables agree with the library's own for every ASCII entry of every part: the layout
// is the one they were built for.
bool SameAsciiEntries(const std::vector<std::uint8_t>& ours, const std::uint8_t* library) {
  const auto same = [&](std::size_t from, std::size_t count) {
    return std::memcmp(ours.data() + from, library + from, count) == 0;
  };
  if (!same(LowerOffset, 128) || !same(FlipOffset, 128) || !same(TypesOffset, 128)) return false;
  for (std::size_t map = 0; map < 10; ++map) {
    if (!same(BitsOffset + map * 32, 16)) return false;
  }
  return true;
}

const std::uint8_t* MakeRegexTables() {
  std::uint32_t length = 0;
  if (pcre2_config(PCRE2_CONFIG_TABLES_LENGTH, &length) < 0 || length != TablesLength) return nullptr;
  static const std::vector<std::uint8_t> tables = BuildTables();
  const std::uint8_t* library = pcre2_maketables(nullptr);
  if (library == nullptr) return nullptr;
  const bool usable = SameAsciiEntries(tables, library);
  pcre2_maketables_free(nullptr, library);
  return usable ? tables.data() : nullptr;
}

}  // namespace

const std::array<unsigned char, 256>& FoldTable() {
  static const std::array<unsigned char, 256> table = MakeFoldTable();
  return table;
}

const std::array<unsigned char, 256>& OtherCaseTable() {
  static const std::array<unsigned char, 256> table = MakeOtherCaseTable();
  return table;
}

const std::uint8_t* Cp1251RegexTables() {
  static const std::uint8_t* const tables = MakeRegexTables();
  return tables;
}

}  // namespace editor::search
