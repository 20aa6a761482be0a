// TEditor: the string editor with its properties published and its completion popup.
#pragma once

#include "editor/Completion.h"
#include "editor/CustomEditor.h"

namespace editor {

// Owns its completion component for its whole life and hands it the key, character,
// focus, mouse and timer hooks of the base.
class TEditor : public TCustomEditor {
 public:
  explicit TEditor(platform::Host& host);

  TCompletion Completion;
  TOnCompletion OnCompletionIdentifier;
  TOnCompletion OnCompletionTemplate;
  TOnCompletionDrawItem OnCompletionDrawItem;
  TOnCompletionApply OnCompletionApply;

 protected:
  bool CompletionKeyDown(std::uint16_t key, std::uint8_t shift) override;
  void CompletionKeyPress(char ch) override;
  void CloseCompletion(bool apply) override;
  void OpenCompletion(TCompletionMode mode) override;
  void CompletionTimer() override;
};

}  // namespace editor
