// The document's journal: the line model's notices as journal records, its beginning at
// idle, the flush on a worker, compaction once the typing pauses and a failure told once.
#include "app/DocumentJournal.h"

#include <algorithm>
#include <chrono>

TDocumentJournal::TDocumentJournal(editor::TLineModel& model, TSettings settings)
    : model_(model), settings_(std::move(settings)) {
  const auto setUp = [this](QTimer& timer, int milliseconds, void (TDocumentJournal::*step)()) {
    timer.setSingleShot(true);
    timer.setInterval(milliseconds);
    connect(&timer, &QTimer::timeout, this, step);
  };
  setUp(beginTimer_, 0, &TDocumentJournal::BeginAtIdle);
  setUp(syncTimer_, settings_.syncDelayMs, &TDocumentJournal::Sync);
  setUp(compactTimer_, settings_.compactionQuietMs, &TDocumentJournal::Compact);
  worker_.setMaxThreadCount(1);
  model_.AddListener(*this, editor::TLineModel::lfLines);
  beginTimer_.start();
}

TDocumentJournal::~TDocumentJournal() {
  model_.RemoveListener(*this);
  worker_.waitForDone();
  // A journal of the stored text has nothing a later start could want.
  if (journal_ && !holdsChange_) journal_->Remove();
}

void TDocumentJournal::Restart() {
  End();
  following_ = true;
  beginTimer_.start();
}

void TDocumentJournal::Stop() {
  End();
  following_ = false;
}

void TDocumentJournal::BeginRecovered(const journal::TDocumentStamp& stamp, journal::TOrphanJournal orphan) {
  End();
  recoveredStamp_ = stamp;
  orphan_ = std::move(orphan);
  following_ = true;
  beginTimer_.start();
}

// ---- The line model's notices ----

void TDocumentJournal::LinesInserted(int index, int count) {
  Change([&] {
    journal_->Replace(static_cast<std::size_t>(index), 0, static_cast<std::size_t>(count), LinesFrom(index));
  });
}

void TDocumentJournal::LinesRemoved(int index, int count) {
  Change([&] {
    journal_->Replace(static_cast<std::size_t>(index), static_cast<std::size_t>(count), 0, LinesFrom(index));
  });
}

void TDocumentJournal::LineReplaced(int index) {
  Change([&] { journal_->Replace(static_cast<std::size_t>(index), 1, 1, LinesFrom(index)); });
}

void TDocumentJournal::AllLinesReplaced() {
  Change([&] { journal_->Snapshot(static_cast<std::size_t>(model_.Count()), LinesFrom(0)); });
}

template <class Write>
void TDocumentJournal::Change(Write&& write) {
  if (!following_) return;
  if (!journal_) {
    Begin(true);
    return;
  }
  write();
  holdsChange_ = true;
  Written();
}

// ---- Beginning and ending ----

void TDocumentJournal::BeginAtIdle() { Begin(recoveredStamp_.has_value()); }

void TDocumentJournal::Begin(bool holdsChange) {
  beginTimer_.stop();
  if (journal_ || !following_) return;
  const journal::TDocumentStamp stamp = recoveredStamp_ ? *recoveredStamp_ : settings_.stamp();
  journal_ = std::make_shared<journal::TJournal>(settings_.folder, stamp, static_cast<std::size_t>(model_.Count()),
                                                 LinesFrom(0), [this] { return Now(); });
  holdsChange_ = holdsChange;
  // A change that changes nothing: the text the journal began with is not the stored
  // document's, and a later start must not take the journal for one that holds nothing.
  if (holdsChange_) journal_->Replace(0, 0, 0, LinesFrom(0));
  if (journal_->Failed()) {
    GiveUp();
    return;
  }
  recoveredStamp_.reset();
  if (orphan_) {
    orphan_->Remove();
    orphan_.reset();
  }
  if (holdsChange_) syncTimer_.start();
}

void TDocumentJournal::End() {
  beginTimer_.stop();
  syncTimer_.stop();
  compactTimer_.stop();
  if (journal_) journal_->Remove();
  journal_.reset();
  holdsChange_ = false;
  recoveredStamp_.reset();
  if (orphan_) orphan_->Remove();
  orphan_.reset();
}

// ---- After each change ----

void TDocumentJournal::Written() {
  if (journal_->Failed()) {
    GiveUp();
    return;
  }
  if (!syncTimer_.isActive()) syncTimer_.start();
  if (journal_->CompactionDue()) compactTimer_.start();
}

void TDocumentJournal::Sync() {
  if (!journal_) return;
  // The worker holds the journal while it flushes, even if the text is saved meanwhile;
  // the destructor waits for it, so `this` outlives the task.
  worker_.start([this, journal = journal_] {
    journal->Sync();
    if (!journal->Failed()) return;
    QMetaObject::invokeMethod(this, [this] { CheckFailure(); }, Qt::QueuedConnection);
  });
}

void TDocumentJournal::Compact() {
  if (!journal_) return;
  journal_->Compact(static_cast<std::size_t>(model_.Count()), LinesFrom(0));
  CheckFailure();
}

void TDocumentJournal::CheckFailure() {
  if (journal_ && journal_->Failed()) GiveUp();
}

void TDocumentJournal::GiveUp() {
  const std::optional<std::string> error = journal_->TakeError();
  journal_->Remove();
  journal_.reset();
  holdsChange_ = false;
  following_ = false;
  beginTimer_.stop();
  syncTimer_.stop();
  compactTimer_.stop();
  // A recovered text's original journal stays in the folder for a later start.
  recoveredStamp_.reset();
  orphan_.reset();
  if (told_ || !error) return;
  told_ = true;
  QTimer::singleShot(0, this, [this, message = *error] { settings_.tell(message); });
}

// ---- Helpers ----

journal::TLineAt TDocumentJournal::LinesFrom(int index) const {
  return [this, index](std::size_t i) { return std::string_view(model_.Get(index + static_cast<int>(i))); };
}

std::int64_t TDocumentJournal::Now() {
  const auto now =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
          .count();
  lastTime_ = std::max<std::int64_t>(now, lastTime_ + 1);
  return lastTime_;
}
