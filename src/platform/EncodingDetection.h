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

// DetectEncoding over a file read piece by piece, so a large file is never held whole.
class TEncodingDetector {
 public:
  // `head`: the file's first kDeclarationWindow bytes, or all of a shorter file.
  explicit TEncodingDetector(std::string_view head);
  // Whether the verdict still waits for the file's bytes to be checked as UTF-8.
  bool WantsBytes() const { return checking_; }
  // Checks the file's next bytes, the first call from its start; answers how many were
  // checked. Unless `last`, a character the end of `bytes` cuts is left for the next call,
  // together with the bytes that follow it. The check stops at the first fault.
  std::size_t Check(std::string_view bytes, bool last);
  TDocumentEncoding Result() const;

 private:
  // Decided without the check: UTF-16 by its mark, a declared 8-bit code page.
  std::optional<TEncoding> settled_;
  // What claimed UTF-8 before the check, if anything did.
  TEncodingConflict claim_ = TEncodingConflict::None;
  bool checking_ = false;
  bool valid_ = true;
  bool multiByte_ = false;
};

}  // namespace platform
