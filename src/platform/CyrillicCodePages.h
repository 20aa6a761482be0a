// The KOI8-R and CP866 code pages, the other 8-bit Russian character sets pages come in.
#pragma once

namespace platform {

// Both keep ASCII in their lower half; the upper half holds the Russian letters and
// pseudo-graphics, each byte its own code point.
char16_t Koi8rToUnicode(unsigned char byte);
char16_t Cp866ToUnicode(unsigned char byte);

// The byte for a code point, or -1 when the code page has none.
int UnicodeToKoi8r(char16_t ch);
int UnicodeToCp866(char16_t ch);

}  // namespace platform
