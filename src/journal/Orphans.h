// Journals whose program is gone: finding them at start-up with what the offer shows of
// each, and recovering, keeping or removing them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "journal/JournalFolder.h"
#include "journal/JournalFormat.h"
#include "journal/JournalReplay.h"

namespace journal {

struct TOrphanInfo {
  TJournalState state = TJournalState::unreadable;  // whether, and how wholly, it can be recovered
  TDocumentStamp document;                          // path empty: a page that was never saved
  std::int64_t began = 0;                           // milliseconds since 1970
  std::int64_t lastChange = 0;                      // when the text was last changed
  std::uint64_t textBytes = 0;                      // without line ends
  std::uint64_t textLines = 0;
  // The document's file is gone or not as it was when the journal began.
  bool documentChanged = false;
};

// One orphaned journal, locked for this program while the object lives, so a program
// starting meanwhile does not offer it too. Dropping it without Remove keeps the file as
// it is for a later start.
class TOrphanJournal {
 public:
  TOrphanJournal(std::shared_ptr<const TJournalFolder> folder, std::string name, int fd, TOrphanInfo info);
  ~TOrphanJournal();
  TOrphanJournal(TOrphanJournal&& other) noexcept;
  TOrphanJournal& operator=(TOrphanJournal&& other) noexcept;

  const TOrphanInfo& Info() const { return info_; }
  // Replays the journal; the file is not changed.
  TRecoveredText Recover() const;
  // Deletes the journal, and a rewrite of it that its program left unfinished.
  void Remove();

 private:
  std::shared_ptr<const TJournalFolder> folder_;
  std::string name_;
  int fd_ = -1;
  TOrphanInfo info_;
};

// Every journal in the folder whose program is gone (its lock can be taken), newest
// change first. Nothing in the folder is changed; a folder that is refused has none.
std::vector<TOrphanJournal> FindOrphanedJournals(const std::string& folder);

// Removes the rewrites that killed programs left in the folder (a journal cut short while
// being made or compacted); the ones a live program is writing are locked and stay.
void RemoveAbandonedRewrites(const std::string& folder);

}  // namespace journal
