// The string editor's editing operations: typed characters and the editing commands.
#include "editor/CustomEditor.h"

namespace editor {

void TCustomEditor::TypeChar(unsigned char) {}

bool TCustomEditor::EditCommand(TCommand, int&, int&, bool&) { return false; }

}  // namespace editor
