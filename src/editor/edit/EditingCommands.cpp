// The string editor's editing commands: Tab and Back-Tab with smart tab stops, Backspace
// with unindent, Backspace over a word, Delete and deleting a line.
#include <algorithm>
#include <array>
#include <memory>

#include "editor/edit/EditingGuards.h"
#include "editor/edit/EditingOperations.h"

namespace editor {

namespace {

using Marks = std::array<bool, MaxColumn + 1>;

bool IsTabWordChar(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == '_' || (c >= 'a' && c <= 'z');
}

void Mark(Marks& marks, std::size_t column) {
  if (column <= static_cast<std::size_t>(MaxColumn)) marks[column] = true;
}

// Marks the word starts of the lines above row y as tab stops. The scan position is shared
// by all lines: the nearest line decides the stops within its length, lines further up
// add stops only beyond that, and the end of each such line is a stop too.
void MarkWordStarts(const TCustomEditor& editor, int y, Marks& marks) {
  std::size_t i = 1;  // 1-based character position
  for (int k = 1; y - k >= 0; ++k) {
    const std::string line = editing::LineOrEmpty(editor, y - k);
    const std::string_view s = editing::WithoutTrailingControls(line);
    if (i < s.size()) Mark(marks, s.size());
    // Past column 1024 nothing can be marked any more, and the scan stops after this line.
    while (i <= s.size() && i <= static_cast<std::size_t>(MaxColumn) + 1) {
      if (IsTabWordChar(s[i - 1])) {
        Mark(marks, i - 1);
        while (i <= s.size() && IsTabWordChar(s[i - 1])) ++i;
      }
      ++i;
    }
    if (i >= static_cast<std::size_t>(MaxColumn) || k >= 2 * editor.View().VisibleRowCount) break;
  }
}

// The highest tab stop of the leading-blank scan below column x: the indents of the lines
// above, each further line counting only when it is indented no deeper than the last one
// found, and only indents at least two columns left of x. Column 0 always counts.
int OuterIndentColumn(const TCustomEditor& editor, int x, int y) {
  int best = 0;
  std::size_t limit = static_cast<std::size_t>(std::max(x - 1, 0));
  for (int k = 1; y - k >= 0; ++k) {
    const std::string above = editing::LineOrEmpty(editor, y - k);
    const std::size_t scanned = std::min(above.size(), limit);
    const std::size_t first = std::string_view(above).substr(0, scanned).find_first_not_of(' ');
    if (first != std::string_view::npos) {
      limit = first + 1;
      best = std::max(best, static_cast<int>(first));
    }
    if (limit == 1 || k >= 2 * editor.View().VisibleRowCount) break;
  }
  return best;
}

}  // namespace

int TCustomEditor::SmartTabColumn(int x, int y, bool next) const {
  if (!next) return TabStopColumn(x, false);
  Marks marks{};
  if (SmartTab) MarkWordStarts(*this, y, marks);
  for (int column = std::max(x + 1, 0); column <= MaxColumn; ++column) {
    if (marks[static_cast<std::size_t>(column)]) return column;
  }
  return TabStopColumn(x, true);
}

int TCustomEditor::UnindentColumn(int x, int y) const {
  const std::string line = editing::LineOrEmpty(*this, y);
  const std::string_view s = editing::WithoutTrailingControls(line);
  const std::size_t column = static_cast<std::size_t>(std::max(x, 0));
  // Outside the leading blanks Backspace deletes one character.
  if (!editing::OnlyBlanksAndControls(s.substr(0, std::min(column, s.size())))) return x - 1;
  if (s.size() > column && s[column] == ' ') return x - 1;
  return OuterIndentColumn(*this, x, y);
}

namespace editing {

void Tab(TCustomEditor& editor, TCommand code, TCaretTarget caret) {
  const bool next = code == ecTab;
  const int target = editor.SmartTabColumn(editor.CaretX, editor.CaretY, next);
  caret.Pos.X = target;
  if (editor.ReadOnly) return;
  if (next && editor.Sel.Selected && editor.InsertMode) editor.RemoveSelection();
  editor.Lines().PadToCaret();
  // Deleting a selection may have taken the caret to the right of the stop it started
  // from; then there is nothing to fill.
  if (next && editor.InsertMode && target > editor.CaretX) {
    const std::string blanks(static_cast<std::size_t>(target - editor.CaretX), ' ');
    editor.UndoBuffer().Add(std::make_unique<TInsertTabUndo>(editor, editor.CaretX, editor.CaretY, blanks));
    caret.UseSetCaret = false;
    editor.Lines().InsertBlock(editor.CaretX, editor.CaretY, blanks);
    editor.TextEdited(editor.CaretX, editor.CaretY, taInsert, blanks);
    editor.View().RepaintRow(editor.CaretY);
    editor.TextChanged();
  }
  caret.Pos.Y = editor.CaretY;
}

namespace {

void PlaceAtCaret(const TCustomEditor& editor, TCaretTarget caret) {
  caret.Pos = {editor.CaretX, editor.CaretY};
  caret.UseSetCaret = false;
}

// Backspace at column 0 joins the caret row to the end of the row above. A selection is
// deleted first; the row joined (and recorded) is the caret row after that deletion, the
// only one that still names the line the caret stands on.
void JoinWithRowAbove(TCustomEditor& editor, TCaretTarget caret) {
  if (editor.CaretY <= 0) return;
  bool joined = false;
  const bool hadSelection = editor.Sel.Selected;
  int x = 0;
  int y = 0;
  {
    TUpdateLockGuard lock(editor);
    if (editor.Sel.Selected) {
      editor.RemoveSelection();
      PlaceAtCaret(editor, caret);
    }
    if (editor.CaretY > 0) {
      editor.Lines().PadToCaret();
      y = editor.CaretY - 1;
      x = editor.LineLength(y);
      editor.UndoBuffer().Add(std::make_unique<TBackspaceUndo>(editor, x + 1, y, "\n"));
      caret.UseSetCaret = false;
      editor.Lines().DeleteBlock({x, y}, {-1, editor.CaretY});
      joined = true;
    }
  }
  // The selection's own update bracket ran inside the lock and repainted nothing.
  if (!joined) {
    editor.View().InvalidateControl();
    return;
  }
  editor.View().UpdateLayout();
  editor.TextEdited(x, y, taDelete, LineBreak);
  if (hadSelection) {
    editor.View().InvalidateControl();
  } else {
    editor.View().ShowRowsShifted(y, -1);
  }
  editor.TextChanged();
  caret.Pos = {x, y};
}

void DeleteLeftOfCaret(TCustomEditor& editor, TCaretTarget caret) {
  editor.Lines().PadToCaret();
  const int x = editor.CaretX;
  const int y = editor.CaretY;
  const int target = editor.BackSpaceUnindents ? editor.UnindentColumn(x, y) : x - 1;
  const std::string deleted =
      editor.Lines().Get(y).substr(static_cast<std::size_t>(target), static_cast<std::size_t>(x - target));
  if (target == x - 1) {
    editor.UndoBuffer().Add(std::make_unique<TBackspaceUndo>(editor, x, y, deleted));
  } else {
    editor.UndoBuffer().Add(std::make_unique<TBackspaceUnindentUndo>(editor, x, y, deleted));
  }
  caret.UseSetCaret = false;
  editor.Lines().DeleteBlock({target, y}, {x - 1, y});
  editor.TextEdited(x, y, taDelete, deleted);
  editor.View().RepaintRow(y);
  editor.TextChanged();
  caret.Pos.X = target;
}

}  // namespace

void Backspace(TCustomEditor& editor, TCaretTarget caret) {
  if (editor.ReadOnly) return;
  if (editor.CaretX <= 0) {
    JoinWithRowAbove(editor, caret);
  } else if (editor.Sel.Selected) {
    editor.RemoveSelection();
    PlaceAtCaret(editor, caret);
  } else {
    DeleteLeftOfCaret(editor, caret);
  }
}

namespace {

// Selects with an end-exclusive stream selection for the guard's life, whatever the
// user's block format, and restores the format afterwards.
class TStreamFormatGuard {
 public:
  explicit TStreamFormatGuard(TCustomEditor& editor) : editor_(editor), saved_(editor.Sel.BlockFormat) {
    editor_.Sel.BlockFormat = bfNonInclusive;
  }
  ~TStreamFormatGuard() { editor_.Sel.BlockFormat = saved_; }
  TStreamFormatGuard(const TStreamFormatGuard&) = delete;
  TStreamFormatGuard& operator=(const TStreamFormatGuard&) = delete;

 private:
  TCustomEditor& editor_;
  TSelBlockFormat saved_;
};

}  // namespace

void BackspaceWord(TCustomEditor& editor, TCaretTarget caret) {
  // Beyond the end of the line there is no word to delete: only the word-left move.
  if (editor.CaretX > editor.LineLength(editor.CaretY)) {
    editor.WordMoveCommand(ecWordLeft, caret.Pos, caret.UseSetCaret);
    return;
  }
  const int target = editor.WordLeftColumn(editor.CaretX, editor.CaretY);
  editor.DropSelectionOnMove();
  if (editor.CaretY >= 0 && target != editor.CaretX && !editor.ReadOnly) {
    {
      TUndoGroupGuard group(editor);
      // The word ends at the caret: an inclusive or column selection would take the
      // character right of the caret along.
      TStreamFormatGuard streamFormat(editor);
      editor.SelectRange(target, editor.CaretY, editor.CaretX, editor.CaretY);
      editor.RemoveSelection();
    }
    editor.Lines().PadToCaret();
  }
  caret.Pos.X = target;
  caret.Pos.Y = editor.CaretY;
}

void DeleteCharacter(TCustomEditor& editor, TCaretTarget caret) {
  if (editor.ReadOnly) return;
  TEditorStrings& lines = editor.Lines();
  {
    TUpdateLockGuard lock(editor);
    if (lines.Count() == 0) lines.Add("");
  }
  if (editor.Sel.Selected) {
    editor.RemoveSelection();
    PlaceAtCaret(editor, caret);
    return;
  }
  const int x = editor.CaretX;
  const int y = editor.CaretY;
  const std::string line = LineOrEmpty(editor, y);
  if (static_cast<std::size_t>(x) < line.size()) {
    const std::string deleted(1, line[static_cast<std::size_t>(x)]);
    editor.UndoBuffer().Add(std::make_unique<TDeleteUndo>(editor, x, y, deleted));
    caret.UseSetCaret = false;
    lines.DeleteBlock({x, y}, {x, y});
    editor.TextEdited(x, y, taDelete, deleted);
    editor.View().RepaintRow(y);
    editor.TextChanged();
    return;
  }
  // At or beyond the end of the line: pad it up to the caret and append the next one.
  if (y < 0 || y >= lines.Count() - 1) return;
  editor.UndoBuffer().Add(std::make_unique<TDeleteUndo>(editor, x, y, std::string(LineBreak)));
  caret.UseSetCaret = false;
  lines.DeleteBlock({x, y}, {-1, y + 1});
  editor.View().UpdateLayout();
  editor.TextEdited(x, y, taDelete, LineBreak);
  editor.View().ShowRowsShifted(y, -1);
  editor.TextChanged();
}

bool DeleteLine(TCustomEditor& editor) {
  if (editor.ReadOnly) return false;
  const int y = editor.CaretY;
  TEditorStrings& lines = editor.Lines();
  if (y < 0 || y >= lines.Count()) return false;
  const std::string deleted = lines.Get(y);
  {
    TUpdateLockGuard lock(editor);
    editor.UndoBuffer().Add(std::make_unique<TDeleteLineUndo>(editor, editor.CaretX, y, deleted));
    lines.Delete(y);
  }
  // A selection that now reaches below the text is dropped (no record): it would name
  // rows that are gone.
  if (editor.Sel.Selected && editor.Sel.End.Y >= lines.Count()) {
    editor.Sel.Selected = false;
    editor.Sel.Selecting = false;
  }
  // One row fewer: the scroll range follows.
  editor.View().UpdateLayout();
  // The report names the line break too: every row below moved up, so the highlighter
  // refreshes the start states from here.
  editor.TextEdited(0, y, taDelete, deleted + std::string(LineBreak));
  editor.View().ShowRowsShifted(y, -1);
  editor.TextChanged();
  return true;
}

}  // namespace editing

}  // namespace editor
