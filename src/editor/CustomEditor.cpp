// The string editor: text access for the base, tab stops and change notifications.
#include "editor/CustomEditor.h"

namespace editor {

TCustomEditor::TCustomEditor(platform::Host& host)
    : TCustomEditorBase(host), lines_(std::make_unique<TEditorStrings>(*this)) {}

TCustomEditor::~TCustomEditor() = default;

int TCustomEditor::LineCount() const { return lines_->Count(); }

int TCustomEditor::LineLength(int row) const {
  if (row < 0 || row >= lines_->Count()) return 0;
  return static_cast<int>(lines_->Get(row).size());
}

bool TCustomEditor::LineText(int row, std::string& text) const {
  if (row < 0 || row >= lines_->Count()) return false;
  text = lines_->Get(row);
  return true;
}

std::string TCustomEditor::TabsToBlanks(std::string_view s) const { return std::string(s); }

void TCustomEditor::TextEdited(int, int, int, std::string_view) {}

void TCustomEditor::Refresh() {
  host_.InvalidateAll();
  host_.UpdateWindow();
}

}  // namespace editor
