// The journal writer: records appended in one write each, the atomic rewrite that keeps
// it small, and the lock that marks it as this live program's.
#include "journal/Journal.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "platform/Errors.h"
#include "platform/PosixIo.h"

namespace journal {

namespace {

constexpr std::string_view kCannotWrite = "The recovery journal cannot be written: ";
// Below this a journal is never rewritten: a small page would otherwise be rewritten
// every few keys.
constexpr std::uint64_t kCompactionFloor = 64 * 1024;
// The record buffer keeps its memory up to this size; a snapshot's is given back.
constexpr std::size_t kKeptBuffer = 1024 * 1024;

}  // namespace

TJournal::TJournal(const std::string& folder, const TDocumentStamp& document, std::size_t count,
                   const TLineAt& lines, TWallClock clock)
    : folder_(folder), clock_(std::move(clock)) {
  if (!folder_.Ok()) {
    Fail(folder_.Error());
    return;
  }
  Guarded([&] {
    header_ = TJournalHeader{document, clock_()};
    const std::string name = NewJournalName();
    const std::string rewrite = RewriteNameOf(name);
    // Made under a name the start-up listing passes over and put in place whole: no
    // program ever sees a journal without its text.
    const int fd = WriteFreshFile(rewrite, header_.began, count, lines);
    if (fd < 0) return;
    if (::renameat2(folder_.Fd(), rewrite.c_str(), folder_.Fd(), name.c_str(), RENAME_NOREPLACE) != 0) {
      const int err = errno;
      ::unlinkat(folder_.Fd(), rewrite.c_str(), 0);
      ::close(fd);
      FailErrno(err);
      return;
    }
    name_ = name;
    lastChange_ = header_.began;
    std::lock_guard lock(mutex_);
    fd_ = fd;
    unsynced_ = folderUnsynced_ = true;
  });
}

TJournal::~TJournal() {
  if (fd_ >= 0) ::close(fd_);
}

void TJournal::Replace(std::size_t index, std::size_t removed, std::size_t count, const TLineAt& lines) {
  if (!Writing()) return;
  Guarded([&] {
    if (index > text_.Count() || removed > text_.Count() - index) {
      Fail(std::string(kCannotWrite) + "a change outside the text was reported");
      return;
    }
    buffer_.clear();
    const std::int64_t now = clock_();
    const std::optional<TRecordLines> added = EncodeReplace(buffer_, now, index, removed, count, lines);
    if (!added) {
      Fail(std::string(kCannotWrite) + "the change is too large for it");
      return;
    }
    if (!Append()) return;
    for (std::size_t i = index; i < index + removed; ++i) textBytes_ -= text_.At(i).bytes;
    text_.Splice(index, removed, *added);
    textBytes_ += added->TextBytes();
    lastChange_ = now;
    ReleaseLargeBuffer();
  });
}

void TJournal::Snapshot(std::size_t count, const TLineAt& lines) {
  if (!Writing()) return;
  Guarded([&] {
    buffer_.clear();
    const std::int64_t now = clock_();
    const std::optional<TRecordLines> text = EncodeSnapshot(buffer_, now, count, lines);
    if (!text) {
      Fail(std::string(kCannotWrite) + "the text is too large for it");
      return;
    }
    if (!Append()) return;
    ResetText(*text);
    lastChange_ = now;
    ReleaseLargeBuffer();
  });
}

bool TJournal::CompactionDue() const {
  return Writing() && fileBytes_ > std::max(2 * textBytes_, kCompactionFloor);
}

void TJournal::Compact(std::size_t count, const TLineAt& lines) {
  if (!Writing()) return;
  Guarded([&] {
    if (count != text_.Count()) {
      Fail(std::string(kCannotWrite) + "the text to rewrite it with is not the text it holds");
      return;
    }
    const int folderFd = folder_.Fd();
    const std::string rewrite = RewriteNameOf(name_);
    // Only a rewrite of ours that was cut short can stand under this name.
    ::unlinkat(folderFd, rewrite.c_str(), 0);
    const int fd = WriteFreshFile(rewrite, lastChange_, count, lines);
    if (fd < 0) return;
    // The new file is locked before it takes the name, so the journal is never unlocked.
    if (::fdatasync(fd) != 0 || ::renameat(folderFd, rewrite.c_str(), folderFd, name_.c_str()) != 0) {
      const int err = errno;
      ::unlinkat(folderFd, rewrite.c_str(), 0);
      ::close(fd);
      FailErrno(err);
      return;
    }
    int old = fd;
    {
      std::lock_guard lock(mutex_);
      std::swap(old, fd_);
      unsynced_ = false;
    }
    ::close(old);
    if (::fsync(folderFd) != 0) FailErrno(errno);
  });
}

void TJournal::Sync() {
  int fd = -1;
  bool folderToo = false;
  {
    std::lock_guard lock(mutex_);
    if (fd_ < 0 || failed_ || !unsynced_) return;
    // The flush runs on a duplicate, outside the lock: appends go on, and a rewrite may
    // close the journal's descriptor meanwhile without the flush touching a reused number.
    fd = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
    if (fd < 0) {
      FailLocked(std::string(kCannotWrite) + platform::SystemErrorText(errno));
      return;
    }
    unsynced_ = false;
    std::swap(folderToo, folderUnsynced_);
  }
  int err = ::fdatasync(fd) == 0 ? 0 : errno;
  ::close(fd);
  // A new journal's name must be durable too, or a power cut could leave its data nameless.
  if (err == 0 && folderToo && ::fsync(folder_.Fd()) != 0) err = errno;
  if (err != 0) FailErrno(err);
}

void TJournal::Remove() {
  std::lock_guard lock(mutex_);
  if (fd_ < 0) return;
  // Deleted while still locked, so no other program takes it for an orphan meanwhile.
  ::unlinkat(folder_.Fd(), name_.c_str(), 0);
  ::close(fd_);
  fd_ = -1;
}

std::optional<std::string> TJournal::TakeError() {
  std::lock_guard lock(mutex_);
  if (!failed_ || errorTaken_) return std::nullopt;
  errorTaken_ = true;
  return error_;
}

int TJournal::WriteFreshFile(const std::string& fileName, std::int64_t written, std::size_t count,
                             const TLineAt& lines) {
  buffer_.clear();
  EncodeHeader(buffer_, header_);
  const std::optional<TRecordLines> text = EncodeSnapshot(buffer_, written, count, lines);
  if (!text) {
    Fail(std::string(kCannotWrite) + "the text is too large for it");
    return -1;
  }
  ResetText(*text);
  const int fd = CreateLockedFile(folder_.Fd(), fileName);
  if (fd < 0) {
    FailErrno(errno);
    return -1;
  }
  if (!platform::WriteAll(fd, buffer_.data(), buffer_.size())) {
    const int err = errno;
    ::unlinkat(folder_.Fd(), fileName.c_str(), 0);
    ::close(fd);
    FailErrno(err);
    return -1;
  }
  fileBytes_ = buffer_.size();
  ReleaseLargeBuffer();
  return fd;
}

bool TJournal::Append() {
  std::lock_guard lock(mutex_);
  if (!platform::WriteAll(fd_, buffer_.data(), buffer_.size())) {
    FailLocked(std::string(kCannotWrite) + platform::SystemErrorText(errno));
    return false;
  }
  fileBytes_ += buffer_.size();
  unsynced_ = true;
  return true;
}

void TJournal::ResetText(const TRecordLines& lines) {
  text_.Clear();
  text_.Splice(0, 0, lines);
  textBytes_ = lines.TextBytes();
}

void TJournal::ReleaseLargeBuffer() {
  if (buffer_.capacity() > kKeptBuffer) std::string().swap(buffer_);
}

template <class Step>
void TJournal::Guarded(Step&& step) {
  try {
    step();
  } catch (const std::exception& error) {
    Fail(std::string(kCannotWrite) + error.what());
  } catch (...) {
    Fail(std::string(kCannotWrite) + "an unexpected error");
  }
}

void TJournal::Fail(const std::string& reason) {
  std::lock_guard lock(mutex_);
  FailLocked(reason);
}

void TJournal::FailLocked(const std::string& reason) {
  if (failed_) return;
  error_ = reason;
  failed_ = true;
}

void TJournal::FailErrno(int err) { Fail(std::string(kCannotWrite) + platform::SystemErrorText(err)); }

}  // namespace journal
