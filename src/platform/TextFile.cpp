// The document format's line reader and the whole-file read (POSIX files).
#include "platform/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/Errors.h"
#include "platform/PosixIo.h"

namespace platform {

namespace {

constexpr char kCtrlZ = 26;

// The name a load error shows: absolute, with "." and ".." resolved.
std::string ExpandedName(const std::string& fileName) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(fileName, error);
  if (error) return fileName;
  return absolute.lexically_normal().string();
}

[[noreturn]] void FailToOpen(const std::string& fileName, const std::string& systemText) {
  throw EFOpenError(ExpandedName(fileName), systemText);
}

[[noreturn]] void FailToOpen(const std::string& fileName, int err) { FailToOpen(fileName, SystemErrorText(err)); }

// Opens a document for reading. Opening does not wait (a pipe with no writer would hang
// the window), and only a regular file is kept: a device or a pipe may never end, so it
// is refused before a byte is read. Answers the descriptor, blocking again, and the size.
int OpenRegularFile(const std::string& fileName, std::uint64_t& size) {
  const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) FailToOpen(fileName, errno);
  struct stat info {};
  const int statErr = ::fstat(fd, &info) == 0 ? 0 : errno;
  if (statErr != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    if (statErr != 0) FailToOpen(fileName, statErr);
    // Opening a directory succeeds on this platform; loading one must fail like a file
    // that cannot be opened.
    if (S_ISDIR(info.st_mode)) FailToOpen(fileName, EISDIR);
    FailToOpen(fileName, "The file is not a regular file (a device, a pipe or a socket)");
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  size = static_cast<std::uint64_t>(info.st_size);
  return fd;
}

}  // namespace

std::string ReadWholeFile(const std::string& fileName) {
  std::uint64_t size = 0;
  const int fd = OpenRegularFile(fileName, size);
  std::string contents;
  contents.reserve(static_cast<std::size_t>(size));
  char buffer[kIoChunk];
  for (;;) {
    const ssize_t got = ReadSome(fd, buffer, sizeof buffer);
    if (got <= 0) {
      const int err = errno;
      ::close(fd);
      if (got < 0) FailToOpen(fileName, err);
      return contents;
    }
    contents.append(buffer, static_cast<std::size_t>(got));
  }
}

// ---- Reader ----

TTextFileReader::TTextFileReader(const std::string& fileName) { fd_ = OpenRegularFile(fileName, size_); }

TTextFileReader::~TTextFileReader() {
  if (fd_ >= 0) close(fd_);
}

bool TTextFileReader::Fill() {
  consumed_ += buffer_.size();
  buffer_.resize(kIoChunk);
  const ssize_t n = ReadSome(fd_, buffer_.data(), kIoChunk);
  if (n < 0) {
    buffer_.clear();
    throw EInOutError::FromErrno(errno);
  }
  buffer_.resize(static_cast<std::size_t>(n));
  pos_ = 0;
  return n > 0;
}

bool TTextFileReader::ReadLine(std::string& line) {
  line.clear();
  if (ended_) return false;
  for (;;) {
    if (pos_ >= buffer_.size() && !Fill()) {
      // A last line without a terminator is kept; a file ending in a terminator adds none.
      ended_ = true;
      return !line.empty();
    }
    const char* data = buffer_.data();
    const std::size_t end = buffer_.size();
    // Ctrl+Z ends the text only where a line starts (a dropped CR does not start one).
    if (line.empty() && data[pos_] == kCtrlZ) {
      const std::uint64_t mark = consumed_ + pos_;
      unread_ = size_ > mark ? size_ - mark : 1;
      ended_ = true;
      return false;
    }
    std::size_t run = pos_;
    while (run < end && data[run] != '\n' && data[run] != '\r') ++run;
    line.append(data + pos_, run - pos_);
    pos_ = run;
    if (pos_ == end) continue;
    const char c = data[pos_++];
    if (c == '\n') {
      ++lines_;
      return true;
    }
    // A CR ends nothing by itself: before an LF the LF ends the line, alone it is dropped.
  }
}

}  // namespace platform
