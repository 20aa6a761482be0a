// Menu names and byte-order marks of the page encodings.
#include "platform/Encodings.h"

namespace platform {

std::string_view EncodingName(TEncoding encoding) {
  switch (encoding) {
    case TEncoding::Windows1251: return "Windows-1251";
    case TEncoding::Utf8: return "UTF-8";
    case TEncoding::Utf8Bom: return "UTF-8 с BOM";
    case TEncoding::Utf16Le: return "UTF-16 LE";
    case TEncoding::Utf16Be: return "UTF-16 BE";
    case TEncoding::Koi8R: return "KOI8-R";
    case TEncoding::Cp866: return "CP866";
  }
  return {};
}

std::string_view ByteOrderMark(TEncoding encoding) {
  switch (encoding) {
    case TEncoding::Utf8Bom: return "\xEF\xBB\xBF";
    case TEncoding::Utf16Le: return "\xFF\xFE";
    case TEncoding::Utf16Be: return "\xFE\xFF";
    default: return {};
  }
}

}  // namespace platform
