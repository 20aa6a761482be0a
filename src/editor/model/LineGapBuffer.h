// TLineGapBuffer: the line store's records, an array with a gap at the last edit. Edits
// cluster around the caret, so inserting or removing lines there moves only the entries
// between the gap and the edit, never every line below it; reading any line stays a
// direct index.
#pragma once

#include <algorithm>
#include <cstddef>
#include <deque>
#include <string>
#include <vector>

namespace editor {

// The array holds pointers to the lines, which themselves never move: the first edit far
// from the last one moves the pointers between the two places as one block of memory (8
// bytes a line, about a millisecond for half a million lines) instead of moving every
// string object there one by one, which costs tens of milliseconds.
class TLineGapBuffer {
 public:
  TLineGapBuffer() = default;
  // The slots point into this buffer's own storage.
  TLineGapBuffer(const TLineGapBuffer&) = delete;
  TLineGapBuffer& operator=(const TLineGapBuffer&) = delete;

  std::size_t size() const { return slots_.size() - gapLength_; }
  std::string& operator[](std::size_t i) { return *slots_[Slot(i)]; }
  const std::string& operator[](std::size_t i) const { return *slots_[Slot(i)]; }

  // Takes the lines as they are, where they are; the gap goes to the end.
  void assign(std::vector<std::string> lines) {
    slots_.clear();
    added_.clear();
    spare_.clear();
    loaded_ = std::move(lines);
    slots_.reserve(loaded_.size());
    for (std::string& line : loaded_) slots_.push_back(&line);
    gapStart_ = slots_.size();
    gapLength_ = 0;
  }

  void insert(std::size_t at, std::string line) {
    OpenGap(at, 1);
    slots_[gapStart_++] = Keep(std::move(line));
    --gapLength_;
  }
  void insert(std::size_t at, std::vector<std::string>& lines) {
    OpenGap(at, lines.size());
    for (std::string& line : lines) slots_[gapStart_++] = Keep(std::move(line));
    gapLength_ -= lines.size();
  }
  // Removes lines [from, to).
  void erase(std::size_t from, std::size_t to) {
    MoveGapTo(from);
    for (std::size_t i = gapStart_ + gapLength_; i < to + gapLength_; ++i) Release(slots_[i]);
    gapLength_ += to - from;
  }

 private:
  std::size_t Slot(std::size_t i) const { return i < gapStart_ ? i : i + gapLength_; }

  // A place for a new line: an emptied one first, else a new one at the end of added_.
  std::string* Keep(std::string&& line) {
    if (spare_.empty()) return &added_.emplace_back(std::move(line));
    std::string* kept = spare_.back();
    spare_.pop_back();
    *kept = std::move(line);
    return kept;
  }
  // A removed line gives back its text at once; its place waits for the next insert.
  void Release(std::string* line) {
    std::string().swap(*line);
    spare_.push_back(line);
  }

  std::vector<std::string*>::iterator At(std::size_t slot) {
    return slots_.begin() + static_cast<std::ptrdiff_t>(slot);
  }

  void MoveGapTo(std::size_t at) {
    if (gapLength_ > 0 && at < gapStart_) {
      std::copy_backward(At(at), At(gapStart_), At(gapStart_ + gapLength_));
    } else if (gapLength_ > 0 && at > gapStart_) {
      std::copy(At(gapStart_ + gapLength_), At(at + gapLength_), At(gapStart_));
    }
    gapStart_ = at;
  }

  // Puts a gap of at least `count` slots at line `at`.
  void OpenGap(std::size_t at, std::size_t count) {
    MoveGapTo(at);
    if (gapLength_ >= count) return;
    const std::size_t gap = std::max<std::size_t>(count, std::max<std::size_t>(size() / 8, 64));
    std::vector<std::string*> grown(size() + gap);
    std::copy(slots_.begin(), At(at), grown.begin());
    std::copy(At(at + gapLength_), slots_.end(), grown.begin() + static_cast<std::ptrdiff_t>(at + gap));
    slots_ = std::move(grown);
    gapLength_ = gap;
  }

  // Where the lines live: those assigned stay in their vector, those inserted since go to
  // a deque (which never moves what it holds when it grows), and the places of removed
  // lines are reused.
  std::vector<std::string> loaded_;
  std::deque<std::string> added_;
  std::vector<std::string*> spare_;
  // The lines in order, with the gap at [gapStart_, gapStart_ + gapLength_).
  std::vector<std::string*> slots_;
  std::size_t gapStart_ = 0;
  std::size_t gapLength_ = 0;
};

}  // namespace editor
