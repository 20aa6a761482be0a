// TCustomEditor: the string editor — text held in a TEditorStrings line store, tab
// stops, change notifications, the edit-control messages, and the editing operations.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/CustomEditorBase.h"
#include "editor/EditorStrings.h"
#include "platform/Messages.h"

namespace editor {

// The string editor: owns its line store for its whole life and answers the base's text
// queries from it. Every editing operation adds its undo record, changes the text, reports
// TextEdited and raises TextChanged; a store change by itself only sets Modified.
class TCustomEditor : public TCustomEditorBase, private TLineModelListener {
 public:
  explicit TCustomEditor(platform::Host& host);
  ~TCustomEditor() override;

  TEditorStrings& Lines() { return *lines_; }
  const TEditorStrings& Lines() const { return *lines_; }
  // Assigning a list to Lines: the lines are copied and the undo history emptied.
  void SetLines(const std::vector<std::string>& lines);

  int LineCount() const override;
  int LineLength(int row) const override;
  const std::string* StoredLine(int row) const override;

  void TypeChar(unsigned char ch) override;
  bool EditCommand(TCommand code, TPosition& caret, bool& useSetCaret) override;

  // Deletes the selection (every block format); nothing when nothing is selected.
  void RemoveSelection();
  std::string SelectionText() const;

  // ---- Indentation columns of the editing operations ----
  // The indent a line break gives row y: the leading blanks of the nearest line with
  // visible text at or above row y - 1, looking no higher than row 1.
  int AutoIndentColumn(int y) const;
  // The column Tab (next) or Back-Tab (previous) goes to from column x of row y.
  int SmartTabColumn(int x, int y, bool next) const;
  // The column Backspace deletes back to from column x of row y.
  int UnindentColumn(int x, int y) const;

  // ---- Options ----
  bool AutoIndent = true;
  bool SmartTab = true;
  bool BackSpaceUnindents = true;
  bool KeepTrailingBlanks = false;
  std::string TabStops = "3 5";

  // ---- Tab stops ----
  // The 0-based stop column after x (next) or before x; past the listed stops the
  // distance between the last two repeats. Raises the conversion error for a bad entry.
  int TabStopColumn(int x, bool next) const;
  // Every TAB becomes TabStopColumn(0, true) blanks, whatever its column.
  std::string TabsToBlanks(std::string_view s) const;

  // ---- Notifications ----
  // After an editing operation: Modified, OnChange, then StatusChanged.
  void TextChanged();
  // After the whole text was replaced: drops the selection and the font cache, reports
  // TextEdited(0, 0, 0, ""), lays out and repaints. The caret stays where it was.
  void WholeTextReplaced();
  void EmptyUndoHistory();
  // The change report the highlighter answers; action as TTextEditAction.
  virtual void TextEdited(int column, int row, int action, std::string_view text);
  // Whole lines were inserted (delta > 0) or removed (delta < 0) at line index; what is
  // kept per line moves along with them.
  virtual void LinesMoved(int index, int delta);

  std::function<void()> OnChange;

  // ---- Clipboard, case change and block indent ----
  // Inserts T at the caret as one insert record and puts the caret just after it.
  void InsertAtCaret(std::string_view text);
  // Inserts T as a column block at (x, y), one CR LF-separated piece per row; raises no
  // TextChanged of its own.
  void InsertColumnAt(int x, int y, std::string_view text);
  // Replaces the selection (or inserts at the caret) by T as one undo step and leaves T
  // selected in the same block format.
  void ReplaceSelection(std::string_view text);
  // ecUpperCase, ecLowerCase or ecToggleCase over the selection.
  void ChangeCase(TCommand code);
  void Copy() override;
  void Cut() override;
  void Paste() override;
  void IndentRows(int x, int y1, int y2) override;
  void UnindentRows(int x, int y1, int y2) override;
  void IndentSelection() override;
  void UnindentSelection() override;

  // ---- Control surface ----
  void Refresh();
  // The edit-control messages, WM_CHAR and WM_EDITCOMMAND; other messages answer 0.
  platform::LRESULT Perform(platform::TMessage msg, platform::WPARAM wParam, platform::LPARAM lParam);

 private:
  // A selection kept across a shorter new text may end below it: its end is taken to the
  // end of the text, so that what it covers is what the text holds.
  void CutSelectionToText();
  void LinesInserted(int index, int count) override;
  void LinesRemoved(int index, int count) override;

  std::unique_ptr<TEditorStrings> lines_;
};

}  // namespace editor
