// The document format's line reader and the safe line writer (POSIX files).
#include "platform/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "platform/Errors.h"

namespace platform {

namespace {

constexpr std::size_t kChunk = 64 * 1024;
constexpr char kCtrlZ = 26;

[[noreturn]] void RaiseIO(int err) { throw EInOutError(IOErrorCodeFromErrno(err)); }

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The mode a newly created file gets: 0666 less the process's umask.
mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// A symbolic link is followed to the file it names, so replacing the file keeps the link.
std::string ResolveLink(const std::string& fileName) {
  struct stat st {};
  if (lstat(fileName.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return fileName;
  char* real = realpath(fileName.c_str(), nullptr);
  if (real == nullptr) return fileName;  // a dangling link: written through the link
  std::string resolved(real);
  std::free(real);
  return resolved;
}

}  // namespace

// ---- Reader ----

TTextFileReader::TTextFileReader(const std::string& fileName) {
  fd_ = open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) RaiseIO(errno);
}

TTextFileReader::~TTextFileReader() {
  if (fd_ >= 0) close(fd_);
}

bool TTextFileReader::Fill() {
  buffer_.resize(kChunk);
  for (;;) {
    const ssize_t n = read(fd_, buffer_.data(), kChunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) RaiseIO(errno);
    buffer_.resize(static_cast<std::size_t>(n));
    pos_ = 0;
    return n > 0;
  }
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
    std::size_t run = pos_;
    while (run < end && data[run] != '\n' && data[run] != '\r' && data[run] != kCtrlZ) ++run;
    line.append(data + pos_, run - pos_);
    pos_ = run;
    if (pos_ == end) continue;
    const char c = data[pos_++];
    if (c == '\n') return true;
    // A CR ends nothing by itself: before an LF the LF ends the line, alone it is dropped.
    if (c == '\r') continue;
    // Ctrl+Z ends the text. At a line start nothing more is read; inside a line the part
    // before it is the last line.
    ended_ = true;
    return !line.empty();
  }
}

// ---- Writer ----

TTextFileWriter::TTextFileWriter(const std::string& fileName) : target_(ResolveLink(fileName)) {
  if (target_.empty()) RaiseIO(ENOENT);
  struct stat st {};
  mode_t mode = NewFileMode();
  bool exists = false;
  if (stat(target_.c_str(), &st) == 0) {
    exists = true;
    if (S_ISDIR(st.st_mode)) RaiseIO(EISDIR);
    if (!S_ISREG(st.st_mode)) {
      // Devices and pipes are written in place: never replace a device node. Opening
      // without blocking keeps a pipe with no reader from hanging the program.
      fd_ = open(target_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NONBLOCK);
      if (fd_ < 0) RaiseIO(errno);
      fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
      return;
    }
    // A file we may not write stays as it is, even where its folder would let us replace it.
    if (access(target_.c_str(), W_OK) != 0) RaiseIO(errno);
    mode = st.st_mode & 07777;
  } else if (errno != ENOENT) {
    RaiseIO(errno);
  }

  std::string pattern = DirectoryOf(target_) + "/.quorvel-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  fd_ = mkostemp(name.data(), O_CLOEXEC);
  if (fd_ < 0) RaiseIO(errno);
  tempName_ = name.data();
  if (fchmod(fd_, mode) != 0) Fail(errno);
  if (exists) {
    // Keeps the owner when we are allowed to (root saving another user's file).
    [[maybe_unused]] const int ignored = fchown(fd_, st.st_uid, st.st_gid);
  }
}

TTextFileWriter::~TTextFileWriter() { Discard(); }

void TTextFileWriter::WriteLine(std::string_view line) {
  if (fd_ < 0) RaiseIO(EBADF);
  buffer_.append(line);
  buffer_.append("\r\n");
  if (buffer_.size() >= kChunk) Flush();
}

void TTextFileWriter::Flush() {
  std::size_t done = 0;
  while (done < buffer_.size()) {
    const ssize_t n = write(fd_, buffer_.data() + done, buffer_.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Fail(errno);
    done += static_cast<std::size_t>(n);
  }
  buffer_.clear();
}

void TTextFileWriter::Commit() {
  if (fd_ < 0) RaiseIO(EBADF);
  Flush();
  if (!tempName_.empty() && fsync(fd_) != 0) Fail(errno);
  const int fd = fd_;
  fd_ = -1;
  if (close(fd) != 0) Fail(errno);
  if (tempName_.empty()) return;
  if (rename(tempName_.c_str(), target_.c_str()) != 0) Fail(errno);
  tempName_.clear();
  // Makes the new name durable too; a folder that cannot be synced changes nothing.
  const int dir = open(DirectoryOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
}

void TTextFileWriter::Fail(int err) {
  Discard();
  RaiseIO(err);
}

void TTextFileWriter::Discard() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  if (!tempName_.empty()) unlink(tempName_.c_str());
  tempName_.clear();
  buffer_.clear();
}

}  // namespace platform
