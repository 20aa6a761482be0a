// Block indent and unindent: two blanks in or out at one column over a range of rows,
// and the selection-level commands that shift the selected lines and keep the selection
// and the caret on the same characters.
#include <algorithm>
#include <memory>
#include <vector>

#include "editor/edit/EditingGuards.h"
#include "editor/edit/EditingOperations.h"

namespace editor {

namespace {

// The indent step is fixed, whatever the tab stops say.
constexpr int IndentWidth = 2;

// Where the first character that is not a blank stands; the line length when there is
// none.
int FirstNonBlank(const TCustomEditor& editor, int row) {
  const std::string text = editing::LineOrEmpty(editor, row);
  const std::size_t first = text.find_first_not_of(' ');
  return static_cast<int>(first == std::string::npos ? text.size() : first);
}

// Clamps a row range to the text; false when nothing is left of it.
bool ClampRows(const TCustomEditor& editor, int& y1, int& y2) {
  const int last = editor.LineCount() - 1;
  if (last < 0) return false;
  y1 = std::clamp(y1, 0, last);
  y2 = std::clamp(y2, 0, last);
  return y2 >= y1;
}

// The selected lines the stream commands shift: a selection ending at column 0 leaves
// its last row alone.
bool SelectedRows(const TCustomEditor& editor, int& first, int& last) {
  first = editor.Sel.Beg.Y;
  last = editor.Sel.End.Y - (editor.Sel.End.X == 0 ? 1 : 0);
  return last >= first;
}

}  // namespace

void TCustomEditor::IndentRows(int x, int y1, int y2) {
  if (!ClampRows(*this, y1, y2)) return;
  x = std::max(x, 0);
  const std::string step(IndentWidth, ' ');
  std::string text;
  for (int row = y1; row <= y2; ++row) {
    if (row > y1) text += editing::LineBreak;
    text += step;
  }
  InsertColumnAt(x, y1, text);
  TextChanged();
  if (UpdateLock <= 0) View().InvalidateControl();
}

void TCustomEditor::UnindentRows(int x, int y1, int y2) {
  if (!ClampRows(*this, y1, y2)) return;
  x = std::max(x, 0);
  // The blanks are counted before any row changes, so that the record goes in below the
  // line ends the rows may drop on the way: those belong to it and go back first.
  std::vector<std::size_t> counts;
  std::string removed;
  for (int row = y1; row <= y2; ++row) {
    const std::string& line = lines_->Get(row);
    std::size_t count = 0;
    while (count < IndentWidth && static_cast<std::size_t>(x) + count < line.size() &&
           line[static_cast<std::size_t>(x) + count] == ' ') {
      ++count;
    }
    counts.push_back(count);
    removed.append(count, ' ');
    if (row < y2) removed += editing::LineBreak;
  }
  if (removed.empty()) return;
  UndoBuffer().Add(std::make_unique<TUnindentColumnUndo>(*this, CaretX, CaretY, removed, x, y1));
  {
    TUpdateLockGuard lock(*this);
    for (int row = y1; row <= y2; ++row) {
      const std::size_t count = counts[static_cast<std::size_t>(row - y1)];
      if (count == 0) continue;
      std::string line = lines_->Get(row);
      line.erase(static_cast<std::size_t>(x), count);
      lines_->ReplaceLine(row, line);
    }
  }
  TextEdited(x, y1, taDelete, removed);
  TextChanged();
  if (UpdateLock <= 0) View().InvalidateControl();
}

namespace {

// Shifts the selected lines with `shift` (IndentRows or UnindentRows at column 0) and
// moves the selection ends and the caret by how far the first visible character of the
// first and the last shifted row moved.
template <class Shift>
void ShiftSelectedLines(TCustomEditor& editor, Shift shift) {
  int first = 0;
  int last = 0;
  if (!SelectedRows(editor, first, last)) return;
  const int firstBefore = FirstNonBlank(editor, first);
  const int lastBefore = FirstNonBlank(editor, last);
  shift(first, last);
  const int f = FirstNonBlank(editor, first) - firstBefore;
  const int g = FirstNonBlank(editor, last) - lastBefore;
  // Whole lines keep their full-width ends; the columns they remember move instead.
  int& begX = editor.Sel.BlockFormat == bfLine ? editor.Sel.LineModeBegX : editor.Sel.Beg.X;
  int& endX = editor.Sel.BlockFormat == bfLine ? editor.Sel.LineModeEndX : editor.Sel.End.X;
  const bool endInText = editor.Sel.End.X > 0;
  begX = std::clamp(begX + f, 0, MaxColumn);
  if (endInText) endX = std::clamp(endX + g, 0, MaxColumn);
  if (editor.CaretY == editor.Sel.End.Y && endInText) {
    editor.MoveCaretTo(editor.CaretX + g, editor.CaretY);
  } else if (editor.CaretY == editor.Sel.Beg.Y) {
    editor.MoveCaretTo(editor.CaretX + f, editor.CaretY);
  }
  editor.View().RepaintRows(editor.Sel.Beg.Y, editor.Sel.End.Y);
}

}  // namespace

void TCustomEditor::IndentSelection() {
  ShiftSelectedLines(*this, [this](int first, int last) { IndentRows(0, first, last); });
}

void TCustomEditor::UnindentSelection() {
  ShiftSelectedLines(*this, [this](int first, int last) { UnindentRows(0, first, last); });
}

}  // namespace editor
