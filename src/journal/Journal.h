// TJournal: the recovery journal of one document while it has changes not yet saved. It
// begins with the whole text and appends every change to the line list as it happens, so
// a killed program loses nothing once a call returns; Sync makes it durable.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

#include "journal/JournalFolder.h"
#include "journal/JournalFormat.h"
#include "journal/LineSplicer.h"

namespace journal {

// Threads: every call but Sync, Failed and TakeError comes from the program's own thread;
// those three may come from any thread, also while changes are being appended. Destroy
// the journal only once no Sync can still be running.
//
// Errors never escape: a journal that cannot be written is failed, keeps its message for
// TakeError, and every later call does nothing, so editing goes on without it.
class TJournal {
 public:
  // Milliseconds since 1970, read by the program; the journal never reads a clock itself.
  using TWallClock = std::function<std::int64_t()>;

  // Begins a journal in `folder` holding the text, `count` lines from `lines`. It appears
  // in the folder complete and already locked by this program.
  TJournal(const std::string& folder, const TDocumentStamp& document, std::size_t count, const TLineAt& lines,
           TWallClock clock);
  // Unlocks and closes the file but leaves it, as a killed program would: Remove ends it.
  ~TJournal();
  TJournal(const TJournal&) = delete;
  TJournal& operator=(const TJournal&) = delete;

  // Rows [index, index + removed) became the `count` lines from `lines`.
  void Replace(std::size_t index, std::size_t removed, std::size_t count, const TLineAt& lines);
  // The whole text was replaced by `count` lines.
  void Snapshot(std::size_t count, const TLineAt& lines);

  // Whether the journal has grown past twice the text, so Compact should be called.
  bool CompactionDue() const;
  // Rewrites the journal as one snapshot of the text (`count` lines, the same text the
  // changes led to) beside it, makes that durable and renames it over the journal.
  void Compact(std::size_t count, const TLineAt& lines);

  // Makes what was appended durable (fdatasync); does nothing when nothing was appended
  // since the last call. Appends go on meanwhile.
  void Sync();

  // Ends the journal and deletes its file.
  void Remove();

  bool Failed() const { return failed_; }
  // The failure's message the first time it is asked for, then nothing.
  std::optional<std::string> TakeError();
  // The journal's name in the folder; empty when it could not begin.
  const std::string& FileName() const { return name_; }

 private:
  bool Writing() const { return fd_ >= 0 && !failed_; }
  // Creates `fileName` locked and writes the header and a snapshot of the text to it;
  // -1 after a failure, with nothing left behind.
  int WriteFreshFile(const std::string& fileName, std::int64_t written, std::size_t count, const TLineAt& lines);
  // Writes buffer_ to the journal in one write(2).
  bool Append();
  void ResetText(const TRecordLines& lines);
  void ReleaseLargeBuffer();
  template <class Step>
  void Guarded(Step&& step);
  void Fail(const std::string& reason);
  // The same with mutex_ held; the first failure's message is the one kept.
  void FailLocked(const std::string& reason);
  void FailErrno(int err);

  TJournalFolder folder_;
  TWallClock clock_;
  std::string name_;
  TJournalHeader header_;
  // Each record is encoded here before its one write.
  std::string buffer_;
  // The text's line lengths, kept by the same changes: the size that decides compaction,
  // and a check that every change fits the text before it is written.
  TLineSplicer<TLineSize> text_;
  std::uint64_t textBytes_ = 0;
  std::uint64_t fileBytes_ = 0;
  std::int64_t lastChange_ = 0;

  // Guards what Sync shares with the program's thread.
  mutable std::mutex mutex_;
  int fd_ = -1;
  bool unsynced_ = false;
  bool folderUnsynced_ = false;
  std::atomic<bool> failed_ = false;
  bool errorTaken_ = false;
  std::string error_;
};

}  // namespace journal
