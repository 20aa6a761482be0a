// TDocumentJournal: keeps the recovery journal of the document on screen — every change
// of its lines written as it happens, flushed to the disk on a worker soon after,
// rewritten small once the typing pauses, ended when the text is saved or given up.
#pragma once

#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "editor/model/LineModel.h"
#include "journal/Journal.h"
#include "journal/Orphans.h"

// It hears the line model, not the keys, so typing, paste, undo, macros and palette
// insertions are journalled alike. A journal begins at idle once the text is the stored
// document's (its snapshot of a large page costs too much for the first key), and every
// change is appended before the next event is handled; a change that comes before the
// journal has begun begins it at once. A journal that holds no change is of no use to a
// later start, which drops it. Lives on the program's thread.
//
// When the journal cannot be written, `tell` hears its message once in the program's life
// (queued, never inside an editing operation); the journal is given up, editing goes on,
// and the next stored text tries again. Its connections to the window end with it.
class TDocumentJournal : public QObject, private editor::TLineModelListener {
 public:
  struct TSettings {
    std::string folder;
    // The document as it is stored now (an empty path for a page that was never saved).
    std::function<journal::TDocumentStamp()> stamp;
    std::function<void(const std::string& message)> tell;
    // How long after a change its flush to the disk may wait.
    int syncDelayMs = 500;
    // How long the text must go unchanged before an overgrown journal is rewritten. Each
    // record carries whole lines, so in a very long line the journal passes twice the
    // text every few keys, and a rewrite (flushed to the disk) between them would be felt.
    int compactionQuietMs = 1000;
  };

  TDocumentJournal(editor::TLineModel& model, TSettings settings);
  // Leaves a journal that holds changes, as a killed program would; the window ends the
  // journal when its text is saved or given up.
  ~TDocumentJournal();
  TDocumentJournal(const TDocumentJournal&) = delete;
  TDocumentJournal& operator=(const TDocumentJournal&) = delete;

  // The text on screen is now the stored document's (or a new page's): the journal ends
  // and a new one begins at idle.
  void Restart();
  // The text on screen is about to be given up (replaced by New or Open, or the window
  // closes): the journal ends, and the lines are not followed until Restart.
  void Stop();
  // The text recovered from `orphan` is on screen: a journal of it begins at idle, stamped
  // as the original was, and only then is the orphan removed.
  void BeginRecovered(const journal::TDocumentStamp& stamp, journal::TOrphanJournal orphan);

 private:
  void LinesInserted(int index, int count) override;
  void LinesRemoved(int index, int count) override;
  void LineReplaced(int index) override;
  void AllLinesReplaced() override;

  // Appends one change through `write`, or begins the journal when there is none yet.
  template <class Write>
  void Change(Write&& write);
  // The idle beginning: of the stored text, or of a recovered one.
  void BeginAtIdle();
  // Begins the journal with the text as it is now; `holdsChange` when that text already
  // differs from the stored document.
  void Begin(bool holdsChange);
  // After each change: the flush, the compaction and a failure are seen to.
  void Written();
  void Compact();
  void Sync();
  void CheckFailure();
  void GiveUp();
  // Removes the journal (and an orphan whose text it was to take over).
  void End();
  journal::TLineAt LinesFrom(int index) const;
  // Milliseconds since 1970, each reading later than the one before it: a journal's first
  // change never shares its beginning's time, which tells a later start it holds one.
  std::int64_t Now();

  editor::TLineModel& model_;
  TSettings settings_;
  // Shared with a flush running on the worker.
  std::shared_ptr<journal::TJournal> journal_;
  bool following_ = true;
  bool holdsChange_ = false;
  bool told_ = false;
  std::int64_t lastTime_ = 0;
  // A recovered text's original stamp and journal, until its own journal has begun.
  std::optional<journal::TDocumentStamp> recoveredStamp_;
  std::optional<journal::TOrphanJournal> orphan_;
  QTimer beginTimer_;
  QTimer syncTimer_;
  QTimer compactTimer_;
  // The flushes, one at a time; last, so it is waited for before the timers go.
  QThreadPool worker_;
};
