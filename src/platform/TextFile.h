// Text files of the document format: a line reader (LF or CR LF end a line, a lone CR
// is dropped, Ctrl+Z ends the text) and a writer that replaces a file only once the new
// content is complete.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// Reads a file's lines by the document reading rules. Bytes are taken as they are.
// Failures raise EInOutError with the platform's I/O code ("File not found" …).
class TTextFileReader {
 public:
  explicit TTextFileReader(const std::string& fileName);
  ~TTextFileReader();
  TTextFileReader(const TTextFileReader&) = delete;
  TTextFileReader& operator=(const TTextFileReader&) = delete;

  // The next line, without its terminator; false at the end of the text.
  bool ReadLine(std::string& line);

 private:
  // Refills the buffer; false at the end of the file.
  bool Fill();

  int fd_ = -1;
  std::string buffer_;
  std::size_t pos_ = 0;
  bool ended_ = false;
};

// Writes a file line by line, each line followed by CR LF. A regular file (or a new
// one) is written to a temporary file beside it and put in its place by Commit only, so
// a failed or interrupted write leaves the old file whole; the new file keeps the old
// one's permissions. A target that exists and is not a regular file (a device, a FIFO)
// is written in place. A symbolic link is followed and its target replaced.
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
  void Flush();
  [[noreturn]] void Fail(int err);
  void Discard();

  int fd_ = -1;
  std::string target_;
  // Empty when writing in place.
  std::string tempName_;
  std::string buffer_;
};

}  // namespace platform
