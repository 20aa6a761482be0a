// The selection as text and its deletion, in every block format.
#include <algorithm>
#include <memory>

#include "editor/edit/EditingGuards.h"
#include "editor/edit/EditingOperations.h"

namespace editor {

namespace {

// The characters of S from column `from` on, at most `count` of them (none when S is
// shorter than `from`).
std::string_view Slice(std::string_view s, int from, std::size_t count = std::string_view::npos) {
  const auto begin = static_cast<std::size_t>(std::max(from, 0));
  if (begin >= s.size()) return {};
  return s.substr(begin, count);
}

// The first `count` characters of S (all of a shorter S).
std::string_view Head(std::string_view s, int count) {
  return s.substr(0, static_cast<std::size_t>(std::clamp(count, 0, static_cast<int>(s.size()))));
}

}  // namespace

std::string TCustomEditor::SelectionText() const {
  if (!Sel.Selected) return {};
  const int count = LineCount();
  if (Sel.Beg.Y < 0 || Sel.Beg.Y >= count || Sel.End.Y < 0 || Sel.End.Y >= count) {
    if (BeepOnError) host_.Beep();
    return {};
  }
  const TEditorStrings& lines = *lines_;
  std::string text;
  if (Sel.BlockFormat == bfColumn) {
    for (int row = Sel.Beg.Y; row <= Sel.End.Y; ++row) {
      if (row > Sel.Beg.Y) text += editing::LineBreak;
      text += Slice(lines.Get(row), Sel.Beg.X, static_cast<std::size_t>(std::max(Sel.End.X - Sel.Beg.X + 1, 0)));
    }
    return text;
  }
  const int endColumn = Sel.End.X + (Sel.BlockFormat == bfInclusive ? 1 : 0);
  if (Sel.Beg.Y == Sel.End.Y) {
    const std::string_view row = lines.Get(Sel.Beg.Y);
    return std::string(Slice(Head(row, endColumn), Sel.Beg.X));
  }
  text += Slice(lines.Get(Sel.Beg.Y), Sel.Beg.X);
  text += editing::LineBreak;
  for (int row = Sel.Beg.Y + 1; row < Sel.End.Y; ++row) {
    text += lines.Get(row);
    text += editing::LineBreak;
  }
  text += Head(lines.Get(Sel.End.Y), endColumn);
  return text;
}

void TCustomEditor::CutSelectionToText() {
  const int count = LineCount();
  if (Sel.Selected && Sel.Beg.Y < count && Sel.End.Y >= count) {
    Sel.End.Y = count - 1;
    if (Sel.BlockFormat != bfColumn) Sel.End.X = LineLength(Sel.End.Y);
  }
}

void TCustomEditor::RemoveSelection() {
  if (!Sel.Selected) return;
  TUpdateBracket update(*this);
  TCaretHider hiddenCaret(View());
  // Deleting a selection that ends below the text would remove everything down to the end
  // of the text: cut to the text, the recorded text is the text deleted, and undo brings
  // all of it back.
  CutSelectionToText();
  const int count = LineCount();
  // A selection wholly below the text (its lines were deleted under it) holds nothing to
  // delete: it is dropped without a record, since undoing one would read rows that are gone.
  if (Sel.Beg.Y >= count) {
    Sel.Selected = false;
    Sel.Selecting = false;
    View().InvalidateControl();
    return;
  }
  const std::string text = SelectionText();
  UndoBuffer().Add(std::make_unique<TDeleteSelectedUndo>(*this, CaretX, CaretY, text));
  Sel.Selected = false;
  Sel.Selecting = false;
  if (Sel.BlockFormat == bfColumn) {
    lines_->DeleteColumnBlock(Sel.Beg, Sel.End);
    TextEdited(Sel.Beg.X, Sel.Beg.Y, taColumnDelete, text);
    MoveCaretTo(Sel.Beg.X, CaretY);
  } else {
    const int endX = Sel.BlockFormat == bfInclusive ? Sel.End.X : Sel.End.X - 1;
    lines_->DeleteBlock(Sel.Beg, {endX, Sel.End.Y});
    TextEdited(Sel.Beg.X, Sel.Beg.Y, taDelete, text);
    MoveCaretTo(Sel.Beg.X, Sel.Beg.Y);
  }
  TextChanged();
}

}  // namespace editor
