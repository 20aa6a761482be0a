// TLineGapBuffer: the line store's records, an array with a gap at the last edit. Edits
// cluster around the caret, so inserting or removing lines there moves only the lines
// between the gap and the edit, never every line below it; reading any line stays a
// direct index.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace editor {

class TLineGapBuffer {
 public:
  std::size_t size() const { return slots_.size() - gapLength_; }
  std::string& operator[](std::size_t i) { return slots_[Slot(i)]; }
  const std::string& operator[](std::size_t i) const { return slots_[Slot(i)]; }

  // Takes the lines as they are; the gap goes to the end.
  void assign(std::vector<std::string> lines) {
    slots_ = std::move(lines);
    gapStart_ = slots_.size();
    gapLength_ = 0;
  }

  void insert(std::size_t at, std::string line) {
    OpenGap(at, 1);
    slots_[gapStart_++] = std::move(line);
    --gapLength_;
  }
  void insert(std::size_t at, std::vector<std::string>& lines) {
    OpenGap(at, lines.size());
    for (std::string& line : lines) slots_[gapStart_++] = std::move(line);
    gapLength_ -= lines.size();
  }
  // Removes lines [from, to).
  void erase(std::size_t from, std::size_t to) {
    MoveGapTo(from);
    for (std::size_t i = gapStart_ + gapLength_; i < to + gapLength_; ++i) std::string().swap(slots_[i]);
    gapLength_ += to - from;
  }

 private:
  std::size_t Slot(std::size_t i) const { return i < gapStart_ ? i : i + gapLength_; }

  void MoveGapTo(std::size_t at) {
    // Without a gap nothing moves (a string moved onto itself would lose its text).
    if (gapLength_ > 0 && at < gapStart_) {
      std::move_backward(slots_.begin() + static_cast<std::ptrdiff_t>(at),
                         slots_.begin() + static_cast<std::ptrdiff_t>(gapStart_),
                         slots_.begin() + static_cast<std::ptrdiff_t>(gapStart_ + gapLength_));
    } else if (gapLength_ > 0 && at > gapStart_) {
      std::move(slots_.begin() + static_cast<std::ptrdiff_t>(gapStart_ + gapLength_),
                slots_.begin() + static_cast<std::ptrdiff_t>(at + gapLength_),
                slots_.begin() + static_cast<std::ptrdiff_t>(gapStart_));
    }
    gapStart_ = at;
  }

  // Puts a gap of at least `count` slots at line `at`.
  void OpenGap(std::size_t at, std::size_t count) {
    if (gapLength_ < count) {
      const std::size_t lines = size();
      const std::size_t gap = std::max<std::size_t>(count, std::max<std::size_t>(lines / 8, 64));
      std::vector<std::string> grown(lines + gap);
      for (std::size_t i = 0; i < lines; ++i) grown[i < at ? i : i + gap] = std::move((*this)[i]);
      slots_ = std::move(grown);
      gapStart_ = at;
      gapLength_ = gap;
      return;
    }
    MoveGapTo(at);
  }

  std::vector<std::string> slots_;
  std::size_t gapStart_ = 0;
  std::size_t gapLength_ = 0;
};

}  // namespace editor
