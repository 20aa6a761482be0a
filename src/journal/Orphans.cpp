// The start-up listing of orphaned journals: each locked, read once and summarised.
#include "journal/Orphans.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <new>
#include <optional>
#include <utility>

#include "journal/DocumentStamp.h"
#include "platform/PosixIo.h"

namespace journal {

namespace {

// The whole file open as fd, as long as fstat says it is (or up to where it ends).
std::optional<std::string> ReadWhole(int fd) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got = ::pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  bytes.resize(done);
  return bytes;
}

// Calls f(name) for every entry of the open folder.
void ForEachEntry(int folderFd, const std::function<void(const std::string&)>& f) {
  const int fd = ::fcntl(folderFd, F_DUPFD_CLOEXEC, 0);
  DIR* dir = fd >= 0 ? ::fdopendir(fd) : nullptr;
  if (dir == nullptr) {
    if (fd >= 0) ::close(fd);
    return;
  }
  ::rewinddir(dir);
  while (const dirent* entry = ::readdir(dir)) f(entry->d_name);
  ::closedir(dir);
}

TOrphanInfo Summarize(int fd) {
  TOrphanInfo info;
  try {
    const std::optional<std::string> bytes = ReadWhole(fd);
    if (!bytes) return info;
    const TJournalSummary summary = SummarizeJournal(*bytes);
    info.state = summary.state;
    if (!Recoverable(summary.state)) return info;
    info.document = summary.header.document;
    info.began = summary.header.began;
    info.lastChange = summary.lastChange;
    info.textBytes = summary.textBytes;
    info.textLines = summary.textLines;
    info.documentChanged = FileChangedSince(info.document);
  } catch (const std::bad_alloc&) {
    info = TOrphanInfo{};
  }
  return info;
}

}  // namespace

TOrphanJournal::TOrphanJournal(std::shared_ptr<const TJournalFolder> folder, std::string name, int fd,
                               TOrphanInfo info)
    : folder_(std::move(folder)), name_(std::move(name)), fd_(fd), info_(std::move(info)) {}

TOrphanJournal::~TOrphanJournal() {
  if (fd_ >= 0) ::close(fd_);
}

TOrphanJournal::TOrphanJournal(TOrphanJournal&& other) noexcept
    : folder_(std::move(other.folder_)),
      name_(std::move(other.name_)),
      fd_(std::exchange(other.fd_, -1)),
      info_(std::move(other.info_)) {}

TOrphanJournal& TOrphanJournal::operator=(TOrphanJournal&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    folder_ = std::move(other.folder_);
    name_ = std::move(other.name_);
    fd_ = std::exchange(other.fd_, -1);
    info_ = std::move(other.info_);
  }
  return *this;
}

TRecoveredText TOrphanJournal::Recover() const {
  if (fd_ < 0) return {};
  try {
    const std::optional<std::string> bytes = ReadWhole(fd_);
    return bytes ? RecoverText(*bytes) : TRecoveredText{};
  } catch (const std::bad_alloc&) {
    return {};
  }
}

void TOrphanJournal::Remove() {
  if (fd_ < 0) return;
  // Unlinked while this program still holds the lock, so nobody else reads it meanwhile.
  ::unlinkat(folder_->Fd(), name_.c_str(), 0);
  ::unlinkat(folder_->Fd(), RewriteNameOf(name_).c_str(), 0);
  ::close(fd_);
  fd_ = -1;
}

std::vector<TOrphanJournal> FindOrphanedJournals(const std::string& folder) {
  std::vector<TOrphanJournal> orphans;
  auto opened = std::make_shared<const TJournalFolder>(folder);
  if (!opened->Ok()) return orphans;
  ForEachEntry(opened->Fd(), [&](const std::string& name) {
    if (!IsJournalName(name)) return;
    const int fd = LockExistingFile(opened->Fd(), name);
    if (fd >= 0) orphans.emplace_back(opened, name, fd, Summarize(fd));
  });
  std::sort(orphans.begin(), orphans.end(), [](const TOrphanJournal& a, const TOrphanJournal& b) {
    return a.Info().lastChange > b.Info().lastChange;
  });
  return orphans;
}

void RemoveAbandonedRewrites(const std::string& folder) {
  const TJournalFolder opened(folder);
  if (!opened.Ok()) return;
  ForEachEntry(opened.Fd(), [&](const std::string& name) {
    if (!IsRewriteName(name)) return;
    const int fd = LockExistingFile(opened.Fd(), name);
    if (fd < 0) return;
    ::unlinkat(opened.Fd(), name.c_str(), 0);
    ::close(fd);
  });
}

}  // namespace journal
