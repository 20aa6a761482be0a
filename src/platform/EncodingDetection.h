// Telling a page's encoding from its bytes: its byte-order mark, its own charset
// declaration, a strict UTF-8 check, and Windows-1251 for everything else.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "platform/Encodings.h"

namespace platform {

// How far into a page its charset declaration is looked for.
inline constexpr std::size_t kDeclarationWindow = 4096;

// What the file said of itself that its bytes contradicted.
enum class TEncodingConflict {
  None,
  ByteOrderMark,  // a UTF-8 byte-order mark before bytes that are not UTF-8
  Declaration,    // a declared utf-8 charset over bytes that are not UTF-8
};

struct TDocumentEncoding {
  TEncoding encoding = TEncoding::Windows1251;
  // A contradicted claim does not win: the file is taken as Windows-1251, byte for byte,
  // and the program can tell the user why.
  TEncodingConflict conflict = TEncodingConflict::None;
  bool operator==(const TDocumentEncoding&) const = default;
};

// The encoding a charset name in a page stands for: utf-8 (utf8), windows-1251 (cp1251),
// koi8-r, ibm866 (cp866), in any case and with blanks around; none for any other name.
std::optional<TEncoding> EncodingFromCharset(std::string_view name);

// The encoding of a file's bytes, decided in this order: a byte-order mark (UTF-8,
// UTF-16 LE or BE); a charset the page declares in its first 4 KB (a name this program
// does not know is ignored), UTF-8 only when all the bytes are UTF-8; UTF-8 when all the
// bytes are UTF-8 and hold at least one multi-byte character; Windows-1251 otherwise.
TDocumentEncoding DetectEncoding(std::string_view bytes);

// The charset named by the first <meta charset="..."> or <meta http-equiv="Content-Type"
// content="...; charset=..."> within the first 4 KB of `text`, as written there (quoted
// either way or not at all, in any case); none when there is no such tag. Lets the
// program warn at a save that the page declares another encoding than it is written in.
std::optional<std::string_view> FindDeclaredCharset(std::string_view text);

// What a file's first kDeclarationWindow bytes say of its encoding, before the rest is
// checked. The file reader decodes a page it must check as UTF-8 right away and learns
// from the decoding whether the bytes are UTF-8, so it reads a UTF-8 page once.
struct TEncodingClaim {
  // Decided without the check: UTF-16 by its mark, a declared 8-bit page.
  std::optional<TEncoding> settled;
  // What claims UTF-8 before the check: a mark, a declaration, or nothing (None).
  TEncodingConflict utf8 = TEncodingConflict::None;
  // The verdict, once the bytes are known: whether they all are UTF-8, and whether any
  // character takes more than one byte.
  TDocumentEncoding Conclude(bool validUtf8, bool multiByte) const;
};

// `head`: the file's first kDeclarationWindow bytes, or all of a shorter file.
TEncodingClaim ReadEncodingClaim(std::string_view head);

}  // namespace platform
