// TEditor: the string editor with its properties published; adds no behaviour.
#pragma once

#include "editor/CustomEditor.h"

namespace editor {

class TEditor : public TCustomEditor {
 public:
  using TCustomEditor::TCustomEditor;
};

}  // namespace editor
