// THLEditor: the editor with syntax highlighting (HTML for the program's Memo1).
#pragma once

#include "editor/Editor.h"

namespace editor {

class THLEditor : public TEditor {
 public:
  using TEditor::TEditor;
};

}  // namespace editor
