// The plain line list: primitive edits and the notices they send.
#include "editor/model/LineModel.h"

#include <algorithm>

namespace editor {

void TLineModelListener::LinesInserted(int, int) {}
void TLineModelListener::LinesRemoved(int, int) {}
void TLineModelListener::AllLinesReplaced() {}
void TLineModelListener::LineReplaced(int) {}
void TLineModelListener::LinesChanged() {}

void TLineModel::AddListener(TLineModelListener& listener, TListenFor what) {
  listeners_.push_back(&listener);
  if (what == lfAll) changeListeners_.push_back(&listener);
  if (what == lfLines) lineListeners_.push_back(&listener);
}

void TLineModel::RemoveListener(TLineModelListener& listener) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), &listener), listeners_.end());
  changeListeners_.erase(std::remove(changeListeners_.begin(), changeListeners_.end(), &listener),
                         changeListeners_.end());
  lineListeners_.erase(std::remove(lineListeners_.begin(), lineListeners_.end(), &listener), lineListeners_.end());
}

void TLineModel::Insert(int index, std::string line) {
  CheckIndex(index, Count() + 1);
  lines_.insert(static_cast<std::size_t>(index), std::move(line));
  for (TLineModelListener* listener : listeners_) listener->LinesInserted(index, 1);
  Changed();
}

void TLineModel::Insert(int index, std::vector<std::string> lines) {
  CheckIndex(index, Count() + 1);
  if (lines.empty()) return;
  const int count = static_cast<int>(lines.size());
  lines_.insert(static_cast<std::size_t>(index), lines);
  for (TLineModelListener* listener : listeners_) listener->LinesInserted(index, count);
  Changed();
}

void TLineModel::Remove(int index, int count) {
  if (count <= 0) return;
  CheckIndex(index, Count());
  CheckIndex(index + count - 1, Count());
  lines_.erase(static_cast<std::size_t>(index), static_cast<std::size_t>(index + count));
  for (TLineModelListener* listener : listeners_) listener->LinesRemoved(index, count);
  Changed();
}

void TLineModel::ReplaceAll(std::vector<std::string> lines) {
  lines_.assign(std::move(lines));
  for (TLineModelListener* listener : listeners_) listener->AllLinesReplaced();
  Changed();
}

void TLineModel::BeginUpdate() { ++updateCount_; }

void TLineModel::EndUpdate() {
  if (updateCount_ == 0) return;
  if (--updateCount_ > 0 || !changedInUpdate_) return;
  changedInUpdate_ = false;
  NotifyChanged();
}

void TLineModel::NotifyReplaced(int index) {
  for (TLineModelListener* listener : lineListeners_) listener->LineReplaced(index);
}

void TLineModel::NotifyChanged() {
  for (TLineModelListener* listener : changeListeners_) listener->LinesChanged();
}

}  // namespace editor
