// The Windows-1251 code page, the 8-bit character set of documents, snippets and
// captions.
#pragma once

#include <string>
#include <string_view>

namespace platform {

char16_t Cp1251ToUnicode(unsigned char byte);
// The byte for a code point, or -1 when the code page has none.
int UnicodeToCp1251(char16_t ch);

std::u16string Cp1251ToUtf16(std::string_view bytes);
// Code points without a byte become the replacement character.
std::string Utf16ToCp1251(std::u16string_view text, char replacement = '?');

}  // namespace platform
