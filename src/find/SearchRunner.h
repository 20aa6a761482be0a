// TSearchRunner: a find and the count after it, run in slices from a zero timer so that the
// window answers between them.
#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <memory>

#include "editor/search/TextSearch.h"

// Every slice ends within SliceTime (but for one row that takes longer by itself), so a
// key typed in the search field, with the repaint of the match it finds, is never held
// longer than a frame (16 ms), whatever the size of the document. A find reports first; the count of the region's matches follows.
class TSearchRunner : public QObject {
  Q_OBJECT

 public:
  static constexpr std::chrono::milliseconds SliceTime{6};

  explicit TSearchRunner(const editor::TEditorStrings& lines, QObject* parent = nullptr);
  ~TSearchRunner() override;

  // Drops whatever runs and starts a find from `from`; its first slice runs now, the rest
  // from the timer. The count of the region follows when it ends.
  void Find(std::shared_ptr<const editor::search::TSearchPattern> pattern, const editor::search::TSearchRegion& region,
            editor::TPosition from, bool backward, bool emptyAtFromAllowed);
  // Drops whatever runs and starts the count alone.
  void Count(std::shared_ptr<const editor::search::TSearchPattern> pattern,
             const editor::search::TSearchRegion& region);
  // Drops whatever runs; nothing more is reported.
  void Stop();
  bool Finding() const { return scan_ != nullptr; }

 signals:
  void found(const editor::search::TTextMatch& match, bool wrapped);
  void notFound();
  void counted(long long count);
  // The expression ran into its match limit on this row (0-based); the search stopped.
  void stopped(int row);

 private:
  void Step();

  const editor::TEditorStrings& lines_;
  std::shared_ptr<const editor::search::TSearchPattern> pattern_;
  editor::search::TSearchRegion region_;
  std::unique_ptr<editor::search::TFindScan> scan_;
  std::unique_ptr<editor::search::TMatchCount> count_;
  QTimer timer_;
};
