// Text files of the document format: a line reader (LF or CR LF end a line, a lone CR
// is dropped, Ctrl+Z at a line start ends the text) and a writer that replaces a file
// only once the new content is complete, both in any of the page encodings.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/EncodingDetection.h"
#include "platform/Encodings.h"

namespace platform {

// The whole contents of a regular file (or a link to one), read in one pass. Anything
// else (a folder, a device, a pipe) is refused before a byte is read, so an endless
// source can never hang the program or fill its memory. Failures raise "Cannot open file
// "%s". %s" with the absolute name and the system's text.
std::string ReadWholeFile(const std::string& fileName);

// A character of the file that the editor's Windows-1251 text has no code for; it reads
// as '?'. Malformed bytes of a Unicode file count as U+FFFD.
struct TUnmappedCharacter {
  char32_t codePoint = 0;
  std::uint64_t line = 0;    // 0-based
  std::uint64_t column = 0;  // 0-based, in characters of the line as read
  bool operator==(const TUnmappedCharacter&) const = default;
};

// Reads a regular file's lines by the document reading rules, applied to the decoded
// text. A file that cannot be opened, or is not a regular file, raises "Cannot open file
// "%s". %s"; a failing read raises EInOutError with the platform's I/O code.
class TTextFileReader {
 public:
  // Reads the file's bytes as Windows-1251 text, exactly as they are.
  explicit TTextFileReader(const std::string& fileName);
  // Reads the file in `encoding`, or in the one its bytes tell (as DetectEncoding) when
  // none is given. The encoding's byte-order mark at the file's start is no part of the
  // text. A page that may be UTF-8 is read whole here, since only its last byte can show
  // that it is not; its lines are then handed out from memory (ReadAllLines takes them
  // without a copy).
  TTextFileReader(const std::string& fileName, std::optional<TEncoding> encoding);
  ~TTextFileReader();
  TTextFileReader(const TTextFileReader&) = delete;
  TTextFileReader& operator=(const TTextFileReader&) = delete;

  // The next line, without its terminator; false at the end of the text. A Ctrl+Z at
  // the start of a line ends the text; inside a line it is an ordinary character.
  bool ReadLine(std::string& line);
  // All the lines not read yet. Those of a page held in memory are handed over as they
  // are, so that the text is never held twice.
  std::vector<std::string> ReadAllLines();
  // After the text ended at a Ctrl+Z: how many bytes of the file, from that mark on,
  // were not read. 0 when the whole file was read.
  std::uint64_t UnreadBytes() const { return unread_; }
  // The 0-based line at whose start the Ctrl+Z ended the text.
  std::uint64_t MarkLine() const { return lines_; }
  // The encoding the text is read in, and what the file claimed against its bytes.
  const TDocumentEncoding& Encoding() const { return encoding_; }
  // The first character read so far that became '?'; a document holding one would lose
  // it in a save, so the program opens it read-only.
  const std::optional<TUnmappedCharacter>& FirstUnmapped() const { return firstUnmapped_; }

 private:
  // The next line of the file by the reading rules.
  bool NextLine(std::string& line);
  // Refills the buffer; false at the end of the file.
  bool Fill();
  bool FillDecoded();
  // Appends up to a chunk of the file to raw_; false at the end of the file.
  bool ReadRaw();
  // Starts reading the text in `encoding`, past its byte-order mark.
  void Begin(TEncoding encoding);
  // Reads all the lines as UTF-8 into held_; false, at the first byte that is not UTF-8.
  bool HoldUtf8Lines(TEncoding encoding);
  // Back to the start of the file, with nothing read.
  void Rewind();

  int fd_ = -1;
  std::uint64_t size_ = 0;
  std::uint64_t consumed_ = 0;  // bytes of the file before the ones the buffer holds
  std::uint64_t unread_ = 0;
  std::uint64_t lines_ = 0;
  std::string buffer_;
  std::size_t pos_ = 0;
  bool ended_ = false;

  TDocumentEncoding encoding_;
  bool decoding_ = false;  // the buffer holds decoded text, not the file's bytes
  // The file's bytes behind the buffer: the first rawUsed_ were decoded into it, the rest
  // begin a character that the chunk's end cut.
  std::string raw_;
  std::size_t rawUsed_ = 0;
  bool rawEnded_ = false;
  // The buffer index of the first character that became '?', until the lines reach it.
  std::size_t unmappedAt_ = std::string::npos;
  char32_t unmappedCode_ = 0;
  std::optional<TUnmappedCharacter> firstUnmapped_;
  bool malformed_ = false;  // bytes were no characters of the encoding
  bool multiByte_ = false;  // a character took more than one byte
  // Lines read ahead, handed out from heldNext_ on while holding_.
  std::vector<std::string> held_;
  std::size_t heldNext_ = 0;
  bool holding_ = false;
};

// Writes a file line by line, each line followed by CR LF. A regular file (or a new
// one) is written to a temporary file beside it and put in its place by Commit only, so
// a failed or interrupted write leaves the old file whole; the new file keeps the old
// one's permissions, owner and extended attributes. A file with other hard links is
// written through once the new text is complete beside it, so every name shows it. A
// target that exists and is not a regular file (a device, a FIFO) is written in place.
// A symbolic link is followed, also one whose target does not exist yet, and its target
// written. Temporary files that an earlier, killed save left in the folder are removed.
// Failures raise EInOutError with the platform's I/O code ("Disk full" …). The text is
// written in `encoding`, after its byte-order mark if it has one; characters the encoding
// lacks become '?' (see FirstUnencodable).
class TTextFileWriter {
 public:
  explicit TTextFileWriter(const std::string& fileName, TEncoding encoding = TEncoding::Windows1251);
  // Without a Commit the temporary file is removed and the target stays as it was.
  ~TTextFileWriter();
  TTextFileWriter(const TTextFileWriter&) = delete;
  TTextFileWriter& operator=(const TTextFileWriter&) = delete;

  void WriteLine(std::string_view line);
  // Writes what is buffered, makes it durable and puts the file in place.
  void Commit();

 private:
  void OpenInPlace(bool isFifo);
  void OpenTemporary(mode_t mode);
  void Flush();
  // Copies the finished temporary file's bytes over the hard-linked target.
  void WriteThrough();
  [[noreturn]] void Fail(int err);
  void Discard();

  int fd_ = -1;
  std::string target_;
  // Empty when writing in place.
  std::string tempName_;
  TEncoding encoding_;
  std::string lineEnd_;  // CR LF in the encoding
  std::string buffer_;
  std::uint64_t written_ = 0;
  bool exists_ = false;
  bool hardLinked_ = false;
};

}  // namespace platform
