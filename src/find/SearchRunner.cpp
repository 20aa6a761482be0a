// The sliced find and count.
#include "find/SearchRunner.h"

using editor::search::ESearchStopped;
using editor::search::TFindScan;
using editor::search::TMatchCount;

TSearchRunner::TSearchRunner(const editor::TEditorStrings& lines, QObject* parent) : QObject(parent), lines_(lines) {
  timer_.setSingleShot(true);
  timer_.setInterval(0);
  connect(&timer_, &QTimer::timeout, this, &TSearchRunner::Step);
}

TSearchRunner::~TSearchRunner() = default;

void TSearchRunner::Find(std::shared_ptr<const editor::search::TSearchPattern> pattern,
                         const editor::search::TSearchRegion& region, editor::TPosition from, bool backward,
                         bool emptyAtFromAllowed) {
  Stop();
  pattern_ = std::move(pattern);
  region_ = region;
  scan_ = std::make_unique<TFindScan>(lines_, *pattern_, region_, from, backward, emptyAtFromAllowed);
  Step();
}

void TSearchRunner::Count(std::shared_ptr<const editor::search::TSearchPattern> pattern,
                          const editor::search::TSearchRegion& region) {
  Stop();
  pattern_ = std::move(pattern);
  region_ = region;
  count_ = std::make_unique<TMatchCount>(lines_, *pattern_, region_);
  Step();
}

void TSearchRunner::Stop() {
  timer_.stop();
  scan_.reset();
  count_.reset();
}

void TSearchRunner::Step() {
  const auto deadline = std::chrono::steady_clock::now() + SliceTime;
  try {
    if (scan_ != nullptr) {
      const TFindScan::TStatus status = scan_->Run(deadline);
      if (status == TFindScan::fsRunning) {
        timer_.start();
        return;
      }
      const std::unique_ptr<TFindScan> done = std::move(scan_);
      // The count starts before the report: a handler may start a new search instead.
      count_ = std::make_unique<TMatchCount>(lines_, *pattern_, region_);
      timer_.start();
      if (status == TFindScan::fsFound) {
        emit found(done->Match(), done->Wrapped());
      } else {
        emit notFound();
      }
      return;
    }
    if (count_ != nullptr) {
      if (!count_->Run(deadline)) {
        timer_.start();
        return;
      }
      const long long count = count_->Count();
      count_.reset();
      emit counted(count);
    }
  } catch (const ESearchStopped& stop) {
    Stop();
    emit stopped(stop.Row);
  }
}
