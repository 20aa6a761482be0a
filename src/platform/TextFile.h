// Text files of the document format: a line reader (LF or CR LF end a line, a lone CR
// is dropped, Ctrl+Z at a line start ends the text) and a writer that replaces a file
// only once the new content is complete.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// The whole contents of a regular file (or a link to one), read in one pass. Anything
// else (a folder, a device, a pipe) is refused before a byte is read, so an endless
// source can never hang the program or fill its memory. Failures raise "Cannot open file
// "%s". %s" with the absolute name and the system's text.
std::string ReadWholeFile(const std::string& fileName);

// Reads a regular file's lines by the document reading rules. Bytes are taken as they
// are. A file that cannot be opened, or is not a regular file, raises "Cannot open file
// "%s". %s"; a failing read raises EInOutError with the platform's I/O code.
class TTextFileReader {
 public:
  explicit TTextFileReader(const std::string& fileName);
  ~TTextFileReader();
  TTextFileReader(const TTextFileReader&) = delete;
  TTextFileReader& operator=(const TTextFileReader&) = delete;

  // The next line, without its terminator; false at the end of the text. A Ctrl+Z at
  // the start of a line ends the text; inside a line it is an ordinary character.
  bool ReadLine(std::string& line);
  // After the text ended at a Ctrl+Z: how many bytes of the file, from that mark on,
  // were not read. 0 when the whole file was read.
  std::uint64_t UnreadBytes() const { return unread_; }
  // The 0-based line at whose start the Ctrl+Z ended the text.
  std::uint64_t MarkLine() const { return lines_; }

 private:
  // Refills the buffer; false at the end of the file.
  bool Fill();

  int fd_ = -1;
  std::uint64_t size_ = 0;
  std::uint64_t consumed_ = 0;  // bytes read from the file before the buffer's start
  std::uint64_t unread_ = 0;
  std::uint64_t lines_ = 0;
  std::string buffer_;
  std::size_t pos_ = 0;
  bool ended_ = false;
};

// Writes a file line by line, each line followed by CR LF. A regular file (or a new
// one) is written to a temporary file beside it and put in its place by Commit only, so
// a failed or interrupted write leaves the old file whole; the new file keeps the old
// one's permissions, owner and extended attributes. A file with other hard links is
// written through once the new text is complete beside it, so every name shows it. A
// target that exists and is not a regular file (a device, a FIFO) is written in place.
// A symbolic link is followed, also one whose target does not exist yet, and its target
// written. Temporary files that an earlier, killed save left in the folder are removed.
// Failures raise EInOutError with the platform's I/O code ("Disk full" …).
class TTextFileWriter {
 public:
  explicit TTextFileWriter(const std::string& fileName);
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
  std::string buffer_;
  std::uint64_t written_ = 0;
  bool exists_ = false;
  bool hardLinked_ = false;
};

}  // namespace platform
