// TCustomEditor: the string editor — text held in a TEditorStrings line store, tab
// stops, change notifications, the edit-control messages, and the editing operations.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "editor/CustomEditorBase.h"
#include "editor/EditorStrings.h"
#include "platform/Messages.h"

namespace editor {

class TCustomEditor : public TCustomEditorBase {
 public:
  explicit TCustomEditor(platform::Host& host);
  ~TCustomEditor() override;

  TEditorStrings& Lines() { return *lines_; }
  const TEditorStrings& Lines() const { return *lines_; }

  int LineCount() const override;
  int LineLength(int row) const override;
  bool LineText(int row, std::string& text) const override;

  void TypeChar(unsigned char ch) override;
  bool EditCommand(TCommand code, int& x, int& y, bool& useSetCaret) override;

  // Deletes the selection (every block format); nothing when not Selected.
  void RemoveSelection();
  std::string SelectionText() const;

  // ---- Options ----
  bool AutoIndent = true;
  bool SmartTab = true;
  bool BackSpaceUnindents = true;
  bool KeepTrailingBlanks = false;
  std::string TabStops = "3 5";

  // ---- Tab stops ----
  int TabStopColumn(int x, bool next) const;
  std::string TabsToBlanks(std::string_view s) const;

  // ---- Notifications ----
  void TextChanged();
  void WholeTextReplaced();
  void EmptyUndoHistory();
  // The change report the highlighter answers; action as TTextEditAction.
  virtual void TextEdited(int column, int row, int action, std::string_view text);

  std::function<void()> OnChange;

  // ---- Control surface ----
  void Refresh();
  // The edit-control messages and WM_EDITCOMMAND.
  platform::LRESULT Perform(platform::TMessage msg, platform::WPARAM wParam, platform::LPARAM lParam);

 private:
  std::unique_ptr<TEditorStrings> lines_;
};

}  // namespace editor
