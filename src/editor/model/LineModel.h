// TLineModel: the text as an ordered list of 8-bit lines and nothing else. It knows no
// editor, tab, caret or undo: it stores what it is given and tells its listeners what
// moved. How the lines are held is its own business.
#pragma once

#include <string>
#include <vector>

#include "editor/model/LineGapBuffer.h"
#include "platform/Errors.h"

namespace editor {

// Told of every change of a TLineModel. Inserted and removed lines are reported as they
// happen; LinesChanged comes after every change, or once when an update bracket closes.
class TLineModelListener {
 public:
  // count lines now stand at index..index+count-1; the lines from index on moved down.
  virtual void LinesInserted(int index, int count);
  // The lines index..index+count-1 are gone; the lines after them moved up to index.
  virtual void LinesRemoved(int index, int count);
  // Every line was replaced at once.
  virtual void AllLinesReplaced();
  // Line index holds new text. Told only to listeners added for lfLines.
  virtual void LineReplaced(int index);
  virtual void LinesChanged();

 protected:
  ~TLineModelListener() = default;
};

// Lines are indexed from 0. A bad index raises "List index out of bounds (%d)" before
// anything changes. Listeners are not owned and must outlive the model or be removed.
class TLineModel {
 public:
  // A listener that keeps something per line but has no use for LinesChanged is added
  // for lfMoves: the change notice comes with every replaced line and is not sent to it.
  // One that follows the text line by line is added for lfLines: the moves and
  // LineReplaced with the replaced line's index, without LinesChanged. Only such
  // listeners make a replaced line cost more than its store.
  enum TListenFor { lfMoves, lfAll, lfLines };

  TLineModel() = default;
  TLineModel(const TLineModel&) = delete;
  TLineModel& operator=(const TLineModel&) = delete;

  void AddListener(TLineModelListener& listener, TListenFor what = lfAll);
  void RemoveListener(TLineModelListener& listener);

  int Count() const { return static_cast<int>(lines_.size()); }
  // Reading and replacing a line are the typing path: they stay inline.
  const std::string& Get(int index) const {
    CheckIndex(index, Count());
    return lines_[static_cast<std::size_t>(index)];
  }
  void Replace(int index, std::string line) {
    CheckIndex(index, Count());
    lines_[static_cast<std::size_t>(index)] = std::move(line);
    if (!lineListeners_.empty()) NotifyReplaced(index);
    Changed();
  }
  // index may be Count (appends).
  void Insert(int index, std::string line);
  void Insert(int index, std::vector<std::string> lines);
  // Removes count lines from index on; count 0 changes nothing.
  void Remove(int index, int count);
  void ReplaceAll(std::vector<std::string> lines);

  // The update bracket: LinesChanged fires once when the outermost one closes, if
  // anything changed inside it. An unmatched close does nothing.
  void BeginUpdate();
  void EndUpdate();

  // Raises "List index out of bounds (%d)" unless 0 <= index < count.
  static void CheckIndex(int index, int count) {
    if (index < 0 || index >= count) throw platform::EListError(index);
  }

 private:
  void Changed() {
    if (updateCount_ > 0) {
      changedInUpdate_ = true;
      return;
    }
    NotifyChanged();
  }
  void NotifyChanged();
  void NotifyReplaced(int index);

  TLineGapBuffer lines_;
  std::vector<TLineModelListener*> listeners_;
  std::vector<TLineModelListener*> changeListeners_;
  std::vector<TLineModelListener*> lineListeners_;
  int updateCount_ = 0;
  bool changedInUpdate_ = false;
};

}  // namespace editor
