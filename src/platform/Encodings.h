// The encodings a page can be opened and saved in, their menu names and their byte-order
// marks.
#pragma once

#include <array>
#include <string_view>

namespace platform {

// Whether a UTF-8 file starts with a byte-order mark is part of its encoding, so that an
// unchanged document is written back byte for byte. UTF-16 is only ever told by its mark,
// so both UTF-16 forms carry one.
enum class TEncoding { Windows1251, Utf8, Utf8Bom, Utf16Le, Utf16Be, Koi8R, Cp866 };

// Every encoding, in the order a menu lists them.
inline constexpr std::array<TEncoding, 7> kEncodings = {TEncoding::Windows1251, TEncoding::Utf8,    TEncoding::Utf8Bom,
                                                        TEncoding::Utf16Le,     TEncoding::Utf16Be, TEncoding::Koi8R,
                                                        TEncoding::Cp866};

// The name a menu or the status bar shows (UTF-8 text, e.g. "UTF-8 с BOM").
std::string_view EncodingName(TEncoding encoding);

// The bytes a file in this encoding starts with; empty when it has none.
std::string_view ByteOrderMark(TEncoding encoding);

}  // namespace platform
