// Case folding of Windows-1251 text: the Latin letters, the Russian alphabet with Ё and ё,
// and the other Cyrillic letters of the code page.
#pragma once

#include <array>
#include <cstdint>

namespace editor::search {

// Byte -> its lower-case letter; every byte that is not an upper-case letter maps to itself.
const std::array<unsigned char, 256>& FoldTable();
// Byte -> the same letter in the other case; bytes without a case map to themselves.
const std::array<unsigned char, 256>& OtherCaseTable();

inline unsigned char FoldCase(unsigned char c) { return FoldTable()[c]; }
inline unsigned char OtherCase(unsigned char c) { return OtherCaseTable()[c]; }
inline bool IsLetter(unsigned char c) { return OtherCase(c) != c; }

// Character tables for PCRE2 that know the code page's letters: which bytes are letters
// (for \w and the POSIX classes) and how they pair up for caseless matching. Null when the
// library's tables are not laid out as these are built, so that its own ASCII tables serve.
const std::uint8_t* Cp1251RegexTables();

}  // namespace editor::search
