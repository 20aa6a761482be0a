// Telling a page's encoding from its bytes: marks, declared charsets and their names, the
// UTF-8 check, and claims the bytes contradict.
#include <gtest/gtest.h>

#include <string>

#include "platform/EncodingDetection.h"

using namespace platform;

namespace {

TDocumentEncoding Plain(TEncoding encoding) { return {encoding, TEncodingConflict::None}; }

std::string Page(const std::string& head, const std::string& body) {
  return "<html><head>" + head + "<title>t</title></head><body>" + body + "</body></html>";
}

}  // namespace

TEST(CharsetNames, KnowTheFourPagesByTheirAliasesInAnyCase) {
  EXPECT_EQ(EncodingFromCharset("utf-8"), TEncoding::Utf8);
  EXPECT_EQ(EncodingFromCharset("UTF8"), TEncoding::Utf8);
  EXPECT_EQ(EncodingFromCharset(" Windows-1251 "), TEncoding::Windows1251);
  EXPECT_EQ(EncodingFromCharset("CP1251"), TEncoding::Windows1251);
  EXPECT_EQ(EncodingFromCharset("KOI8-r"), TEncoding::Koi8R);
  EXPECT_EQ(EncodingFromCharset("IBM866"), TEncoding::Cp866);
  EXPECT_EQ(EncodingFromCharset("cp866"), TEncoding::Cp866);
  for (const char* unknown : {"", "utf-16", "koi8-u", "utf-8x", "windows-1252", "iso-8859-5", "cp-1251"}) {
    EXPECT_EQ(EncodingFromCharset(unknown), std::nullopt) << unknown;
  }
}

TEST(EncodingDetection, TrustsAByteOrderMarkBeforeAnythingElse) {
  EXPECT_EQ(DetectEncoding("\xEF\xBB\xBF"), Plain(TEncoding::Utf8Bom));
  EXPECT_EQ(DetectEncoding("\xEF\xBB\xBF" + Page("<meta charset=koi8-r>", "Ж")), Plain(TEncoding::Utf8Bom));
  EXPECT_EQ(DetectEncoding("\xFF\xFE"), Plain(TEncoding::Utf16Le));
  EXPECT_EQ(DetectEncoding(std::string("\xFF\xFE<\x00h\x00!", 7)), Plain(TEncoding::Utf16Le));  // odd length
  EXPECT_EQ(DetectEncoding(std::string("\xFE\xFF\x00<", 4)), Plain(TEncoding::Utf16Be));
  // A mark before bytes that are not UTF-8 claims too much: the file stays as it is.
  EXPECT_EQ(DetectEncoding("\xEF\xBB\xBF\xCF\xF0\xE8"),
            (TDocumentEncoding{TEncoding::Windows1251, TEncodingConflict::ByteOrderMark}));
}

TEST(EncodingDetection, FindsTheCharsetAPageDeclaresInItsFirst4KB) {
  const struct {
    std::string text;
    std::optional<std::string_view> charset;
  } cases[] = {
      {Page("<meta charset=\"koi8-r\">", ""), "koi8-r"},
      {"<HTML><META CHARSET=IBM866 />", "IBM866"},
      {"<meta name='x' charset='cp1251'>", "cp1251"},
      {"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">", "windows-1251"},
      {"<meta content='text/html;charset=KOI8-R' http-equiv=CONTENT-TYPE>", "KOI8-R"},
      {"<meta http-equiv=content-type content=\"text/html; charset = 'utf-8'\">", "utf-8"},
      {"<meta content=\"text/html; charset=koi8-r\">", std::nullopt},  // no http-equiv
      {"<meta name=\"description\" content=\"charset=koi8-r\"><meta charset=cp866>", "cp866"},
      {"<!-- <meta charset=koi8-r> --><meta charset=cp866>", "cp866"},
      {"<metadata charset=koi8-r>", std::nullopt},
      {"<p title='<meta charset=koi8-r>'>", std::nullopt},
      {std::string(kDeclarationWindow - 20, ' ') + "<meta charset=\"koi8-r\">", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(FindDeclaredCharset(c.text), c.charset) << c.text;

  EXPECT_EQ(DetectEncoding(Page("<meta charset=koi8-r>", "\xF0\xD2\xC9")), Plain(TEncoding::Koi8R));
  EXPECT_EQ(DetectEncoding(Page("<meta charset=utf-8>", "ascii")), Plain(TEncoding::Utf8));
  // A name this program does not know is no declaration: the bytes decide.
  EXPECT_EQ(DetectEncoding(Page("<meta charset=iso-8859-5>", "Жук")), Plain(TEncoding::Utf8));
  EXPECT_EQ(DetectEncoding(Page("<meta charset=utf-8>", "\xCF\xF0\xE8")),
            (TDocumentEncoding{TEncoding::Windows1251, TEncodingConflict::Declaration}));
}

TEST(EncodingDetection, TakesStrictUtf8WithAMultiByteCharacterAndWindows1251Otherwise) {
  EXPECT_EQ(DetectEncoding(""), Plain(TEncoding::Windows1251));
  EXPECT_EQ(DetectEncoding(Page("", "only ascii")), Plain(TEncoding::Windows1251));
  EXPECT_EQ(DetectEncoding(Page("", "Привет 😀")), Plain(TEncoding::Utf8));
  EXPECT_EQ(DetectEncoding(Page("", "\xCF\xF0\xE8\xE2\xE5\xF2")), Plain(TEncoding::Windows1251));
  for (const std::string bad : {"\xC1\xBF", "\xE0\x9F\xBF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xF0\x9F\x98"}) {
    EXPECT_EQ(DetectEncoding("Жук " + bad), Plain(TEncoding::Windows1251)) << bad;
  }
  // Every place of an eight-byte word, for the bytes that are checked a word at a time.
  for (std::size_t at = 0; at < 17; ++at) {
    const std::string text(24, 'a');
    EXPECT_EQ(DetectEncoding(std::string(text).replace(at, 2, "Ж")), Plain(TEncoding::Utf8)) << at;
    EXPECT_EQ(DetectEncoding("Ж" + std::string(text).replace(at, 1, "\x80")), Plain(TEncoding::Windows1251)) << at;
  }
  std::string big;
  while (big.size() < 4 * 1024 * 1024) big += "<p>Съешь же ещё этих мягких французских булок</p>\r\n";
  EXPECT_EQ(DetectEncoding(big), Plain(TEncoding::Utf8));
  EXPECT_EQ(DetectEncoding(big + "\xD0"), Plain(TEncoding::Windows1251));
}
