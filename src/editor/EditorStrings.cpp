// The line store's list operations.
#include "editor/EditorStrings.h"

#include "editor/CustomEditor.h"
#include "platform/Errors.h"

namespace editor {

TEditorStrings::TEditorStrings(TCustomEditor& editor) : editor_(editor) {}

const std::string& TEditorStrings::Get(int index) const {
  if (index < 0 || index >= Count()) throw platform::EListError(index);
  return lines_[static_cast<std::size_t>(index)];
}

void TEditorStrings::Add(std::string_view s) {
  lines_.push_back(editor_.TabsToBlanks(s));
  Changed();
}

void TEditorStrings::Clear() {
  if (lines_.empty()) return;
  lines_.clear();
  Changed();
}

void TEditorStrings::Changed() {
  if (updateCount_ > 0) {
    changedInUpdate_ = true;
    return;
  }
  editor_.Modified = true;
}

}  // namespace editor
