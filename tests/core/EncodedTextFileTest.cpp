// Pages in every encoding through the file reader and writer: the line rules on decoded
// text, what is reported, and a byte-for-byte round trip of a corpus.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Cp1251.h"
#include "platform/TextCodec.h"
#include "platform/TextFile.h"

using namespace platform;
using Lines = std::vector<std::string>;

namespace {

// A scratch file, removed at the end. The writer makes every save durable; the corpus
// saves hundreds of times, so it works in memory where the system offers it.
struct TempFile {
  std::string path;
  TempFile() {
    std::string pattern = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    pattern += "/quorvel-encoded-XXXXXX";
    const int fd = mkstemp(pattern.data());
    close(fd);
    path = pattern;
  }
  ~TempFile() { unlink(path.c_str()); }
  void Write(const std::string& bytes) const { std::ofstream(path, std::ios::binary) << bytes; }
  std::string Read() const {
    std::ostringstream out;
    out << std::ifstream(path, std::ios::binary).rdbuf();
    return out.str();
  }
};

// The file's bytes for a text of Windows-1251 codes.
std::string Encoded(const std::string& text, TEncoding encoding) {
  std::string bytes(ByteOrderMark(encoding));
  EncodeText(text, encoding, bytes);
  return bytes;
}

Lines ReadAll(TTextFileReader& reader) {
  Lines lines;
  for (std::string line; reader.ReadLine(line);) lines.push_back(line);
  return lines;
}

std::string Cp(std::u16string_view text) { return Utf16ToCp1251(text); }

// Generated pages: Russian text, markup, and long lines that cross the reader's chunks
// with their multi-byte characters.
Lines GeneratedPage(int seed) {
  const std::u16string words[] = {u"Съешь",  u"же", u"ещё",   u"этих", u"мягких",      u"французских",
                                  u"булок,", u"да", u"выпей", u"чаю",  u"<b>ЁЛКА</b>", u"№&nbsp;5"};
  Lines lines{"<!DOCTYPE html>", "<html><head><title>" + Cp(u"Страница") + "</title></head><body>", ""};
  unsigned state = static_cast<unsigned>(seed) * 2654435761u + 1;
  for (int i = 0; i < 400; ++i) {
    std::string line = "<p>";
    const int length = i % 50 == 7 ? 9000 : static_cast<int>(state % 40);
    for (int w = 0; w < length; ++w) {
      state = state * 1103515245u + 12345u;
      line += Cp(words[(state >> 16) % std::size(words)]) + " ";
    }
    lines.push_back(line + "</p>");
  }
  lines.push_back("</body></html>");
  return lines;
}

std::string CrLfJoined(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

}  // namespace

TEST(EncodedTextFile, ReadsEveryEncodingByTheLineRulesOfItsDecodedText) {
  const std::string text = Cp(u"а\r\nб\nв\rг\r\n\r\nд") + "\r\n\x1a" + Cp(u"хвост");
  const Lines lines{Cp(u"а"), Cp(u"б"), Cp(u"вг"), "", Cp(u"д")};
  TempFile file;
  for (const TEncoding encoding : kEncodings) {
    file.Write(Encoded(text, encoding));
    TTextFileReader reader(file.path, encoding);
    EXPECT_EQ(ReadAll(reader), lines) << EncodingName(encoding);
    const std::size_t unit = encoding == TEncoding::Utf16Le || encoding == TEncoding::Utf16Be ? 2 : 1;
    const std::size_t tail = encoding == TEncoding::Utf8 || encoding == TEncoding::Utf8Bom ? 10 : 5;
    EXPECT_EQ(reader.UnreadBytes(), unit + tail * unit) << EncodingName(encoding);
    EXPECT_EQ(reader.MarkLine(), 5u);
    EXPECT_EQ(reader.FirstUnmapped(), std::nullopt);
  }
}

TEST(EncodedTextFile, ReportsTheFirstCharacterWithoutACodeWhereItStandsInTheText) {
  TempFile file;
  // A line that crosses the reader's 64 KiB chunks, a dropped CR before the character.
  const std::string longLine(70000, 'x');
  file.Write("ab\r\n" + longLine + "\n" + longLine + "c\rd中e😀\n");
  TTextFileReader reader(file.path, std::nullopt);
  const Lines lines = ReadAll(reader);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2], longLine + "cd?e?");
  EXPECT_EQ(reader.FirstUnmapped(), (TUnmappedCharacter{U'中', 2, 70002}));
  // One that follows the end of the text is no part of it.
  file.Write("\xEF\xBB\xBF\x61\r\n\x1a中");
  TTextFileReader cut(file.path, std::nullopt);
  EXPECT_EQ(ReadAll(cut), Lines{"a"});
  EXPECT_EQ(cut.UnreadBytes(), 4u);
  EXPECT_EQ(cut.FirstUnmapped(), std::nullopt);
}

TEST(EncodedTextFile, TellsTheEncodingAsTheBytesAloneDoAndReadsRejectedPagesAsTheyAre) {
  std::string every;
  for (int b = 0; b < 256; ++b) every.push_back(b == '\n' || b == '\r' || b == 26 ? ' ' : static_cast<char>(b));
  // UTF-8 for more than a chunk of the reader, then one byte that is not.
  const std::string valid = CrLfJoined(Lines(3000, "Жук жужжит над абажуром"));
  const std::string texts[] = {
      every + "\r\n" + every,
      "<meta charset=utf-8>\r\n" + valid + "\xFF",
      "\xEF\xBB\xBF" + valid + "\xD0",
      valid + "\x1a" + std::string(70000, '-') + "\xCF\xF0",  // not UTF-8 after the end of the text
      valid + "\x1aЖ",
      "only ascii\r\n",
      "<meta charset=koi8-r>\r\n\xF0\xD2\xC9",
      "<meta charset=windows-1251>\r\n" + valid,
      std::string("\xFF\xFE\x61\0\r\0\n\0\x1a\0", 10),
  };
  TempFile file;
  for (const std::string& bytes : texts) {
    file.Write(bytes);
    TTextFileReader detecting(file.path, std::nullopt);
    const TDocumentEncoding encoding = DetectEncoding(bytes);
    EXPECT_EQ(detecting.Encoding(), encoding) << bytes.substr(0, 40);
    // One line, then the rest at once, as from a page held in memory or read on.
    Lines lines(1);
    detecting.ReadLine(lines[0]);
    for (std::string& line : detecting.ReadAllLines()) lines.push_back(std::move(line));
    TTextFileReader plain(file.path, encoding.encoding);
    EXPECT_EQ(lines, ReadAll(plain)) << bytes.substr(0, 40);
    EXPECT_EQ(detecting.UnreadBytes(), plain.UnreadBytes());
    EXPECT_EQ(detecting.MarkLine(), plain.MarkLine());
  }
}

TEST(EncodedTextFile, WritesTheMarkAndCrLfInTheEncoding) {
  TempFile file;
  const auto write = [&](TEncoding encoding, const Lines& lines) {
    TTextFileWriter writer(file.path, encoding);
    for (const std::string& line : lines) writer.WriteLine(line);
    writer.Commit();
    return file.Read();
  };
  EXPECT_EQ(write(TEncoding::Utf16Be, {"a"}), std::string("\xFE\xFF\0a\0\r\0\n", 8));
  EXPECT_EQ(write(TEncoding::Utf8Bom, {}), "\xEF\xBB\xBF");
  EXPECT_EQ(write(TEncoding::Cp866, {Cp(u"Ёж…")}), "\xF0\xA6?\r\n");
  // A UTF-8 page with LF endings is saved with CR LF, like every other page.
  file.Write("Жук\nжук\n");
  TTextFileReader reader(file.path, std::nullopt);
  EXPECT_EQ(write(reader.Encoding().encoding, ReadAll(reader)), "Жук\r\nжук\r\n");
}

TEST(EncodedTextFile, RoundTripsPagesByteForByteInEveryEncoding) {
  std::vector<std::string> texts;
  for (int seed = 0; seed < 3; ++seed) texts.push_back(CrLfJoined(GeneratedPage(seed)));
  texts.push_back("");
  texts.push_back("only ascii\r\n");
  // HTML shipped with the system, where there is some (LF endings become CR LF).
  std::error_code error;
  int shipped = 0;
  for (auto it = std::filesystem::recursive_directory_iterator("/usr/share/doc", error);
       !error && it != std::filesystem::recursive_directory_iterator() && shipped < 20; it.increment(error)) {
    if (it->path().extension() != ".html" || !it->is_regular_file()) continue;
    TempFile source;
    std::filesystem::copy_file(it->path(), source.path, std::filesystem::copy_options::overwrite_existing, error);
    TTextFileReader reader(source.path, std::nullopt);
    const Lines lines = ReadAll(reader);
    if (reader.FirstUnmapped() || reader.UnreadBytes() > 0) continue;
    texts.push_back(CrLfJoined(lines));
    ++shipped;
  }
  TempFile file;
  for (const std::string& text : texts) {
    for (const TEncoding encoding : kEncodings) {
      if (FirstUnencodable(text, encoding) != std::string::npos) continue;
      const std::string bytes = Encoded(text, encoding);
      file.Write(bytes);
      // The 8-bit Russian pages are told only by a declaration, which these have not.
      const bool declared = encoding == TEncoding::Koi8R || encoding == TEncoding::Cp866;
      TTextFileReader reader(file.path, declared ? std::optional(encoding) : std::nullopt);
      const Lines lines = ReadAll(reader);
      TTextFileWriter writer(file.path, reader.Encoding().encoding);
      for (const std::string& line : lines) writer.WriteLine(line);
      writer.Commit();
      EXPECT_TRUE(file.Read() == bytes) << EncodingName(encoding) << ", text of " << text.size() << " bytes";
    }
  }
}
