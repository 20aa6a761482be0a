// The journal folder's checks and the locked, link-refusing file opens (POSIX, flock).
#include "journal/JournalFolder.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <random>

#include "platform/Errors.h"

namespace journal {

namespace {

constexpr std::string_view kJournalSuffix = ".journal";
constexpr std::string_view kRewriteSuffix = ".new";
constexpr std::size_t kIdDigits = 16;

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return home;
  const passwd* user = ::getpwuid(::getuid());
  return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "";
}

// mkdir -p with 0700 for every folder it makes; folders that exist are left as they are.
void MakeFolders(const std::string& path) {
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    ::mkdir(path.substr(0, slash).c_str(), 0700);
  }
  ::mkdir(path.c_str(), 0700);
}

bool IsHexId(std::string_view id) {
  return id.size() == kIdDigits && id.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

// Whether `name` in the folder is still the file open as `fd` (not removed or replaced
// by a rename since it was opened).
bool NameStillRefersTo(int folderFd, const std::string& name, int fd) {
  struct stat named {}, opened {};
  return ::fstatat(folderFd, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 && ::fstat(fd, &opened) == 0 &&
         named.st_dev == opened.st_dev && named.st_ino == opened.st_ino;
}

}  // namespace

std::string DefaultJournalFolder() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state != nullptr && state[0] == '/') return std::string(state) + "/quorvel";
  const std::string home = HomeFolder();
  return home.empty() ? "" : home + "/.local/state/quorvel";
}

TJournalFolder::TJournalFolder(const std::string& path) {
  const auto refuse = [&](const std::string& reason) {
    error_ = "The recovery folder \"" + path + "\" cannot be used: " + reason;
  };
  if (path.empty() || path[0] != '/') {
    refuse("it is not an absolute path");
    return;
  }
  MakeFolders(path);
  // O_NOFOLLOW: a link planted in the folder's place is refused, not followed.
  const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) {
    refuse(errno == ELOOP ? "it is a symbolic link" : platform::SystemErrorText(errno));
    return;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    refuse(platform::SystemErrorText(errno));
  } else if (info.st_uid != ::geteuid()) {
    refuse("it belongs to another user");
  } else if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
    refuse("others may write in it");
  } else {
    fd_ = fd;
    return;
  }
  ::close(fd);
}

TJournalFolder::~TJournalFolder() {
  if (fd_ >= 0) ::close(fd_);
}

std::string NewJournalName() {
  std::random_device random;
  const std::uint64_t id = std::uint64_t{random()} << 32 | random();
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string name(kIdDigits, '0');
  for (std::size_t i = 0; i < kIdDigits; ++i) name[i] = kDigits[(id >> (4 * i)) & 0xF];
  return name + std::string(kJournalSuffix);
}

std::string RewriteNameOf(const std::string& journalName) { return journalName + std::string(kRewriteSuffix); }

bool IsJournalName(std::string_view name) {
  return name.size() == kIdDigits + kJournalSuffix.size() && name.ends_with(kJournalSuffix) &&
         IsHexId(name.substr(0, kIdDigits));
}

bool IsRewriteName(std::string_view name) {
  return name.ends_with(kRewriteSuffix) && IsJournalName(name.substr(0, name.size() - kRewriteSuffix.size()));
}

int CreateLockedFile(int folderFd, const std::string& name) {
  const int fd = ::openat(folderFd, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return -1;
  // Between the create and the lock another program's clean-up may have taken the new
  // file for an abandoned one; then it is not ours to write.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !NameStillRefersTo(folderFd, name, fd)) {
    ::close(fd);
    errno = EAGAIN;
    return -1;
  }
  return fd;
}

int LockExistingFile(int folderFd, const std::string& name) {
  const int fd = ::openat(folderFd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat info {};
  // A name whose file was replaced by a rename after the open was locked on the old file:
  // its program may be alive and holding the new one.
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid() ||
      ::flock(fd, LOCK_EX | LOCK_NB) != 0 || !NameStillRefersTo(folderFd, name, fd)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace journal
