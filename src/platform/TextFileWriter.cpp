// The safe line writer: a temporary file beside the target, put in place only when it is
// complete (POSIX files).
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/Errors.h"
#include "platform/PosixIo.h"
#include "platform/TextCodec.h"
#include "platform/TextFile.h"

namespace platform {

namespace {

constexpr char kTempPrefix[] = ".quorvel-";
constexpr std::size_t kTempSuffix = 6;  // the XXXXXX of mkostemp

[[noreturn]] void RaiseIO(int err) { throw EInOutError::FromErrno(err); }

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

// Follows symbolic links to the name that is finally written: the file a link names,
// also when that file does not exist yet (saving through a dangling link creates it, as
// other programs do). A loop of links is left to fail where the file is opened.
std::string ResolveLinks(std::string name) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (lstat(name.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return name;
    std::vector<char> buffer(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4096) + 1);
    const ssize_t n = readlink(name.c_str(), buffer.data(), buffer.size());
    if (n < 0 || static_cast<std::size_t>(n) >= buffer.size()) return name;
    std::string link(buffer.data(), static_cast<std::size_t>(n));
    name = link.front() == '/' ? link : DirectoryOf(name) + "/" + link;
  }
  return name;
}

bool IsOurTemporaryName(const char* name) {
  const std::size_t prefix = sizeof kTempPrefix - 1;
  return std::strncmp(name, kTempPrefix, prefix) == 0 && std::strlen(name) == prefix + kTempSuffix;
}

// A save that was killed leaves its temporary file behind. Ours are named .quorvel-XXXXXX
// and stay locked while a save writes them; one that nobody holds and that belongs to us
// is stale and goes.
void RemoveStaleTemporaries(const std::string& folder) {
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return;
  const int dirFd = dirfd(dir);
  while (const dirent* entry = readdir(dir)) {
    if (!IsOurTemporaryName(entry->d_name)) continue;
    const int fd = openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat st {};
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == geteuid() && flock(fd, LOCK_EX | LOCK_NB) == 0) {
      unlinkat(dirFd, entry->d_name, 0);
    }
    close(fd);
  }
  closedir(dir);
}

// Extended attributes (and with them access lists) of the replaced file go to the new
// one; a file system without them, or an attribute we may not set, changes nothing.
void CopyExtendedAttributes(const std::string& from, int toFd) {
  const ssize_t size = listxattr(from.c_str(), nullptr, 0);
  if (size <= 0) return;
  std::vector<char> names(static_cast<std::size_t>(size));
  const ssize_t got = listxattr(from.c_str(), names.data(), names.size());
  if (got <= 0) return;
  for (std::size_t at = 0; at < static_cast<std::size_t>(got); at += std::strlen(names.data() + at) + 1) {
    const char* name = names.data() + at;
    const ssize_t length = getxattr(from.c_str(), name, nullptr, 0);
    if (length < 0) continue;
    std::vector<char> value(static_cast<std::size_t>(length));
    if (getxattr(from.c_str(), name, value.data(), value.size()) == length) {
      fsetxattr(toFd, name, value.data(), value.size(), 0);
    }
  }
}

std::string EncodedLineEnd(TEncoding encoding) {
  std::string lineEnd;
  EncodeText("\r\n", encoding, lineEnd);
  return lineEnd;
}

}  // namespace

TTextFileWriter::TTextFileWriter(const std::string& fileName, TEncoding encoding)
    : target_(ResolveLinks(fileName)),
      encoding_(encoding),
      lineEnd_(EncodedLineEnd(encoding)),
      buffer_(ByteOrderMark(encoding)) {
  if (target_.empty()) RaiseIO(ENOENT);
  struct stat st {};
  mode_t mode = 0;
  if (stat(target_.c_str(), &st) == 0) {
    exists_ = true;
    if (S_ISDIR(st.st_mode)) RaiseIO(EISDIR);
    if (!S_ISREG(st.st_mode)) {
      OpenInPlace(S_ISFIFO(st.st_mode));
      return;
    }
    // A file we may not write stays as it is, even where its folder would let us replace it.
    if (access(target_.c_str(), W_OK) != 0) RaiseIO(errno);
    mode = st.st_mode & 07777;
    hardLinked_ = st.st_nlink > 1;
  } else if (errno == ENOENT) {
    mode = NewFileMode();
  } else {
    RaiseIO(errno);
  }
  RemoveStaleTemporaries(DirectoryOf(target_));
  OpenTemporary(mode);
  if (exists_) {
    // Keeps the owner when we are allowed to (root saving another user's file).
    [[maybe_unused]] const int ignored = fchown(fd_, st.st_uid, st.st_gid);
  }
}

// Devices and pipes are written in place: never replace a device node. Opening without
// blocking keeps a pipe with no reader from hanging the program.
void TTextFileWriter::OpenInPlace(bool isFifo) {
  fd_ = open(target_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NONBLOCK);
  if (fd_ < 0 && isFifo && errno == ENXIO) {
    throw EInOutError(ENXIO, "I/O error " + std::to_string(ENXIO) +
                                 ": the file is a pipe, and no program is reading from it");
  }
  if (fd_ < 0) RaiseIO(errno);
  fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
}

void TTextFileWriter::OpenTemporary(mode_t mode) {
  std::string pattern = DirectoryOf(target_) + "/" + kTempPrefix + std::string(kTempSuffix, 'X');
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  fd_ = mkostemp(name.data(), O_CLOEXEC);
  if (fd_ < 0) RaiseIO(errno);
  tempName_ = name.data();
  // Held until the file is in place, so that another save can tell it from a stale one.
  flock(fd_, LOCK_EX | LOCK_NB);
  if (fchmod(fd_, mode) != 0) Fail(errno);
}

TTextFileWriter::~TTextFileWriter() { Discard(); }

void TTextFileWriter::WriteLine(std::string_view line) {
  if (fd_ < 0) RaiseIO(EBADF);
  EncodeText(line, encoding_, buffer_);
  buffer_.append(lineEnd_);
  if (buffer_.size() >= kIoChunk) Flush();
}

void TTextFileWriter::Flush() {
  if (!WriteAll(fd_, buffer_.data(), buffer_.size())) Fail(errno);
  written_ += buffer_.size();
  buffer_.clear();
}

void TTextFileWriter::Commit() {
  if (fd_ < 0) RaiseIO(EBADF);
  Flush();
  if (!tempName_.empty() && fsync(fd_) != 0) Fail(errno);
  if (hardLinked_) {
    WriteThrough();
    return;
  }
  if (exists_ && !tempName_.empty()) CopyExtendedAttributes(target_, fd_);
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

// Every name of a hard-linked file must show the new text, so the file itself is
// rewritten. The complete text is already safe in the temporary file; the room for it is
// claimed first, so a full disk stops the save before the old text is touched. Should
// the rewrite still fail, the temporary file stays under a name that says what it holds.
void TTextFileWriter::WriteThrough() {
  const int out = open(target_.c_str(), O_WRONLY | O_CLOEXEC);
  if (out < 0) Fail(errno);
  const int room = written_ > 0 ? posix_fallocate(out, 0, static_cast<off_t>(written_)) : 0;
  if (room != 0 && room != EOPNOTSUPP && room != EINVAL) {
    close(out);
    Fail(room);
  }
  std::vector<char> chunk(kIoChunk);
  bool ok = lseek(fd_, 0, SEEK_SET) == 0;
  int err = errno;
  for (ssize_t got = 0; ok && (got = ReadSome(fd_, chunk.data(), chunk.size())) != 0;) {
    ok = got > 0 && WriteAll(out, chunk.data(), static_cast<std::size_t>(got));
    err = errno;
  }
  if (ok) ok = ftruncate(out, static_cast<off_t>(written_)) == 0 && fsync(out) == 0;
  if (!ok) err = errno;
  if (close(out) != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (ok) {
    Discard();
    return;
  }
  const std::string kept = target_ + ".quorvel-new";
  close(fd_);
  fd_ = -1;
  if (rename(tempName_.c_str(), kept.c_str()) != 0) Fail(err);
  tempName_.clear();
  const EInOutError cause = EInOutError::FromErrno(err);
  throw EInOutError(cause.ErrorCode(), cause.Message() + ". The new text is kept in \"" + kept + "\"");
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
