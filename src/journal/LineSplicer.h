// TLineSplicer: a text being rebuilt from journal records, a list of lines with a gap at
// the last change. A session's edits cluster, so replaying each costs what it touched,
// never the length of the text; a line replaced by a line moves nothing at all.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "journal/JournalFormat.h"

namespace journal {

// A line's length only: what the writer and the start-up listing need of a text.
struct TLineSize {
  std::size_t bytes = 0;
};

inline void SetLine(std::string& slot, std::string_view line) { slot.assign(line.data(), line.size()); }
inline void SetLine(TLineSize& slot, std::string_view line) { slot.bytes = line.size(); }

template <class Line>
class TLineSplicer {
 public:
  std::size_t Count() const { return slots_.size() - gapLength_; }
  const Line& At(std::size_t i) const { return slots_[Slot(i)]; }

  void Clear() {
    slots_.clear();
    gapStart_ = gapLength_ = 0;
  }

  // Lines [index, index + removed) become `added`; the caller has checked the range.
  void Splice(std::size_t index, std::size_t removed, const TRecordLines& added) {
    const std::size_t common = std::min(removed, added.Count());
    if (removed > common) {
      MoveGapTo(index + common);
      gapLength_ += removed - common;
    } else if (added.Count() > common) {
      OpenGap(index + common, added.Count() - common);
    }
    std::size_t i = 0;
    added.ForEach([&](std::string_view line) {
      if (i < common) {
        SetLine(slots_[Slot(index + i)], line);
      } else {
        SetLine(slots_[gapStart_++], line);
        --gapLength_;
      }
      ++i;
    });
  }

  // The lines in order; the splicer is left empty.
  std::vector<Line> Take() {
    MoveGapTo(Count());
    slots_.resize(Count());
    gapLength_ = gapStart_ = 0;
    return std::move(slots_);
  }

 private:
  std::size_t Slot(std::size_t i) const { return i < gapStart_ ? i : i + gapLength_; }

  void MoveGapTo(std::size_t at) {
    // Without a gap nothing moves (a line moved onto itself could lose its text).
    const auto slot = [this](std::size_t i) { return slots_.begin() + static_cast<std::ptrdiff_t>(i); };
    if (gapLength_ > 0 && at < gapStart_) {
      std::move_backward(slot(at), slot(gapStart_), slot(gapStart_ + gapLength_));
    } else if (gapLength_ > 0 && at > gapStart_) {
      std::move(slot(gapStart_ + gapLength_), slot(at + gapLength_), slot(gapStart_));
    }
    gapStart_ = at;
  }

  // Puts a gap of at least `count` slots at line `at`.
  void OpenGap(std::size_t at, std::size_t count) {
    if (gapLength_ >= count) {
      MoveGapTo(at);
      return;
    }
    const std::size_t lines = Count();
    const std::size_t gap = std::max(count, std::max<std::size_t>(lines / 8, 64));
    std::vector<Line> grown(lines + gap);
    for (std::size_t i = 0; i < lines; ++i) grown[i < at ? i : i + gap] = std::move(slots_[Slot(i)]);
    slots_ = std::move(grown);
    gapStart_ = at;
    gapLength_ = gap;
  }

  std::vector<Line> slots_;
  std::size_t gapStart_ = 0;
  std::size_t gapLength_ = 0;
};

}  // namespace journal
