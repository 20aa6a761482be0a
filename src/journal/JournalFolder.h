// The folder the journals live in and the files in it: its default place, opening it
// only when it is safely ours, journal names, and files created or opened without
// following links and held under an exclusive lock.
#pragma once

#include <string>
#include <string_view>

namespace journal {

// $XDG_STATE_HOME/quorvel, or ~/.local/state/quorvel when that is unset or not absolute;
// empty when there is no home folder either.
std::string DefaultJournalFolder();

// An open handle on the journal folder. The folder (and its missing parents) is created
// 0700; one that is a symbolic link, not a folder, not the user's own or writable by
// others is refused, with the reason in Error().
class TJournalFolder {
 public:
  explicit TJournalFolder(const std::string& path);
  ~TJournalFolder();
  TJournalFolder(const TJournalFolder&) = delete;
  TJournalFolder& operator=(const TJournalFolder&) = delete;

  bool Ok() const { return fd_ >= 0; }
  const std::string& Error() const { return error_; }
  int Fd() const { return fd_; }

 private:
  int fd_ = -1;
  std::string error_;
};

// A journal is <16 hex digits>.journal; its rewrite is made beside it as <name>.new.
std::string NewJournalName();
std::string RewriteNameOf(const std::string& journalName);
bool IsJournalName(std::string_view name);
bool IsRewriteName(std::string_view name);

// Creates `name` in the folder for reading and writing, 0600, never over an existing
// name or through a link, and takes its lock. -1 with errno on failure (EAGAIN when
// someone else got hold of the name first).
int CreateLockedFile(int folderFd, const std::string& name);

// Opens `name` for reading and takes its lock: -1 when it is held by a live program, is
// a link or anything but a regular file of the user's, or is gone.
int LockExistingFile(int folderFd, const std::string& name);

}  // namespace journal
