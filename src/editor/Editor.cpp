// TEditor: hands the base's completion hooks to the editor's completion component.
#include "editor/Editor.h"

namespace editor {

TEditor::TEditor(platform::Host& host) : TCustomEditor(host), Completion(*this) {}

bool TEditor::CompletionKeyDown(std::uint16_t key, std::uint8_t) { return Completion.KeyDown(key); }

void TEditor::CompletionKeyPress(char ch) { Completion.KeyPress(ch); }

void TEditor::CloseCompletion(bool apply) { Completion.Close(apply); }

void TEditor::OpenCompletion(TCompletionMode mode) {
  Completion.Open(mode == cmIdentifiers ? TCompletion::cmIdentifiers : TCompletion::cmTemplates);
}

void TEditor::CompletionTimer() { Completion.TimerTick(); }

}  // namespace editor
