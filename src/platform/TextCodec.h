// Page bytes in any of the encodings <-> the editor's text, one Windows-1251 code per
// character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/Encodings.h"

namespace platform {

// The code point reported for bytes that are no character of the encoding (malformed
// UTF-8 or UTF-16, a lone surrogate, a character cut by the end of the file).
inline constexpr char32_t kMalformedCharacter = 0xFFFD;

struct TDecodeStep {
  // How many of the bytes were decoded.
  std::size_t consumed = 0;
  // The first character this step wrote as '?' because the editor's text has no code
  // for it: its index in the output, npos when there was none, and its code point.
  std::size_t unmappedAt = std::string::npos;
  char32_t unmappedCode = 0;
  // Whether any bytes were no character of the encoding (each became a '?').
  bool malformed = false;
};

// Appends the Windows-1251 codes of the characters in `bytes` to `out`. Unless `last`, a
// character that the end of `bytes` cuts is left for the next call (`consumed` stops
// before it); with `last` it becomes one '?' like any malformed bytes. Byte-order marks
// are text here: the file reader skips them.
TDecodeStep DecodeText(std::string_view bytes, TEncoding encoding, bool last, std::string& out);

// How many of `bytes` make the first `count` characters that DecodeText reads from them.
std::size_t EncodedLength(std::string_view bytes, TEncoding encoding, std::size_t count);

// Appends `text` (Windows-1251 codes) encoded, without a byte-order mark. A character the
// encoding has no byte for (only KOI8-R and CP866 lack some) is written as '?'.
void EncodeText(std::string_view text, TEncoding encoding, std::string& out);

// The index of the first character of `text` the encoding cannot hold; npos when it holds
// them all. Lets the program warn before a save would write '?'.
std::size_t FirstUnencodable(std::string_view text, TEncoding encoding);

}  // namespace platform
