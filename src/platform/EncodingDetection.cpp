// A page's encoding from its bytes, and the charset its meta tags declare.
#include "platform/EncodingDetection.h"

#include <algorithm>

#include "platform/Utf8.h"

namespace platform {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// `lower` is written in lower case.
bool StartsWithIgnoringCase(std::string_view text, std::string_view lower) {
  if (text.size() < lower.size()) return false;
  for (std::size_t i = 0; i < lower.size(); ++i) {
    if (AsciiLower(text[i]) != lower[i]) return false;
  }
  return true;
}

bool SameIgnoringCase(std::string_view text, std::string_view lower) {
  return text.size() == lower.size() && StartsWithIgnoringCase(text, lower);
}

std::size_t SkipBlanks(std::string_view text, std::size_t at) {
  while (at < text.size() && IsBlank(text[at])) ++at;
  return at;
}

struct TAttribute {
  std::string_view name;
  std::string_view value;
};

// Reads the tag's next attribute from `at` and moves past it; false at the tag's end
// ('>' or the end of the text, also inside a value whose quote never closes).
bool NextAttribute(std::string_view text, std::size_t& at, TAttribute& attribute) {
  while (at < text.size() && (IsBlank(text[at]) || text[at] == '/')) ++at;
  if (at >= text.size() || text[at] == '>') return false;
  const std::size_t nameStart = at++;
  while (at < text.size() && !IsBlank(text[at]) && text[at] != '=' && text[at] != '>' && text[at] != '/') ++at;
  attribute.name = text.substr(nameStart, at - nameStart);
  attribute.value = {};
  const std::size_t equals = SkipBlanks(text, at);
  if (equals >= text.size() || text[equals] != '=') return true;
  at = SkipBlanks(text, equals + 1);
  if (at < text.size() && (text[at] == '"' || text[at] == '\'')) {
    const std::size_t close = text.find(text[at], at + 1);
    if (close == std::string_view::npos) return false;
    attribute.value = text.substr(at + 1, close - at - 1);
    at = close + 1;
    return true;
  }
  const std::size_t valueStart = at;
  while (at < text.size() && !IsBlank(text[at]) && text[at] != '>') ++at;
  attribute.value = text.substr(valueStart, at - valueStart);
  return true;
}

// The charset in a Content-Type value such as "text/html; charset=koi8-r".
std::optional<std::string_view> CharsetInContentType(std::string_view content) {
  for (std::size_t at = 0; at < content.size(); ++at) {
    if (!StartsWithIgnoringCase(content.substr(at), "charset")) continue;
    std::size_t value = SkipBlanks(content, at + 7);
    if (value >= content.size() || content[value] != '=') continue;
    value = SkipBlanks(content, value + 1);
    if (value < content.size() && (content[value] == '"' || content[value] == '\'')) {
      const std::size_t close = content.find(content[value], value + 1);
      if (close == std::string_view::npos) return std::nullopt;
      return content.substr(value + 1, close - value - 1);
    }
    std::size_t end = value;
    while (end < content.size() && content[end] != ';' && !IsBlank(content[end])) ++end;
    return content.substr(value, end - value);
  }
  return std::nullopt;
}

// The charset a meta tag declares, reading its attributes from `at` to the tag's end.
std::optional<std::string_view> CharsetOfMeta(std::string_view text, std::size_t& at) {
  std::optional<std::string_view> charset;
  std::optional<std::string_view> content;
  bool contentType = false;
  for (TAttribute attribute; NextAttribute(text, at, attribute);) {
    if (SameIgnoringCase(attribute.name, "charset") && !charset) charset = attribute.value;
    if (SameIgnoringCase(attribute.name, "http-equiv")) contentType = SameIgnoringCase(attribute.value, "content-type");
    if (SameIgnoringCase(attribute.name, "content") && !content) content = attribute.value;
  }
  if (charset) return charset;
  if (contentType && content) return CharsetInContentType(*content);
  return std::nullopt;
}

struct TUtf8Check {
  bool valid;
  bool multiByte;
};

TUtf8Check CheckUtf8(std::string_view bytes) {
  const auto* const begin = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* const end = begin + bytes.size();
  const unsigned char* p = begin;
  bool multiByte = false;
  while (p < end) {
    if (end - p >= 8) {
      // Valid bytes that are not all ASCII hold a multi-byte character.
      if (!multiByte && !utf8::IsAsciiWord(p)) multiByte = true;
      if (const int run = utf8::AsciiOrTwoByteRun(p)) {
        p += run;
        continue;
      }
    }
    if (*p < 0x80) {
      ++p;
      continue;
    }
    const utf8::TSequence sequence = utf8::ReadSequence(p, end);
    if (sequence.state != utf8::TSequenceState::Whole) return {false, multiByte};
    multiByte = true;
    p += sequence.length;
  }
  return {true, multiByte};
}

}  // namespace

std::optional<TEncoding> EncodingFromCharset(std::string_view name) {
  while (!name.empty() && IsBlank(name.front())) name.remove_prefix(1);
  while (!name.empty() && IsBlank(name.back())) name.remove_suffix(1);
  static constexpr struct {
    std::string_view name;
    TEncoding encoding;
  } kNames[] = {
      {"utf-8", TEncoding::Utf8},         {"utf8", TEncoding::Utf8},    {"windows-1251", TEncoding::Windows1251},
      {"cp1251", TEncoding::Windows1251}, {"koi8-r", TEncoding::Koi8R}, {"ibm866", TEncoding::Cp866},
      {"cp866", TEncoding::Cp866}};
  for (const auto& known : kNames) {
    if (SameIgnoringCase(name, known.name)) return known.encoding;
  }
  return std::nullopt;
}

std::optional<std::string_view> FindDeclaredCharset(std::string_view text) {
  text = text.substr(0, std::min(text.size(), kDeclarationWindow));
  for (std::size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at)) {
    // A tag that was commented out declares nothing.
    if (text.substr(at).starts_with("<!--")) {
      const std::size_t close = text.find("-->", at + 2);
      if (close == std::string_view::npos) return std::nullopt;
      at = close + 3;
      continue;
    }
    ++at;
    if (StartsWithIgnoringCase(text.substr(at), "meta") && at + 4 < text.size() &&
        (IsBlank(text[at + 4]) || text[at + 4] == '/')) {
      at += 4;
      if (const auto charset = CharsetOfMeta(text, at)) return charset;
      continue;
    }
    // Any other tag is read to its end, so that a "<meta" inside one of its values is no tag.
    if (at < text.size() && text[at] == '/') ++at;
    if (at >= text.size() || !IsAsciiLetter(text[at])) continue;
    while (at < text.size() && !IsBlank(text[at]) && text[at] != '>') ++at;
    TAttribute skipped;
    while (NextAttribute(text, at, skipped)) {
    }
  }
  return std::nullopt;
}

TEncodingClaim ReadEncodingClaim(std::string_view head) {
  TEncodingClaim claim;
  if (head.starts_with(ByteOrderMark(TEncoding::Utf16Le))) {
    claim.settled = TEncoding::Utf16Le;
  } else if (head.starts_with(ByteOrderMark(TEncoding::Utf16Be))) {
    claim.settled = TEncoding::Utf16Be;
  } else if (head.starts_with(ByteOrderMark(TEncoding::Utf8Bom))) {
    claim.utf8 = TEncodingConflict::ByteOrderMark;
  } else if (const auto name = FindDeclaredCharset(head)) {
    const std::optional<TEncoding> declared = EncodingFromCharset(*name);
    if (declared == TEncoding::Utf8) {
      claim.utf8 = TEncodingConflict::Declaration;
    } else if (declared) {
      claim.settled = declared;
    }
  }
  return claim;
}

TDocumentEncoding TEncodingClaim::Conclude(bool validUtf8, bool multiByte) const {
  if (settled) return {*settled};
  if (!validUtf8) return {TEncoding::Windows1251, utf8};
  switch (utf8) {
    case TEncodingConflict::ByteOrderMark: return {TEncoding::Utf8Bom};
    case TEncodingConflict::Declaration: return {TEncoding::Utf8};
    case TEncodingConflict::None: break;
  }
  return {multiByte ? TEncoding::Utf8 : TEncoding::Windows1251};
}

TDocumentEncoding DetectEncoding(std::string_view bytes) {
  const TEncodingClaim claim = ReadEncodingClaim(bytes.substr(0, std::min(bytes.size(), kDeclarationWindow)));
  if (claim.settled) return {*claim.settled};
  const TUtf8Check check = CheckUtf8(bytes);
  return claim.Conclude(check.valid, check.multiByte);
}

}  // namespace platform
