// The selection as text and its deletion, in every block format.
#include <algorithm>
#include <memory>

#include "editor/EditingGuards.h"
#include "editor/EditingOperations.h"

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
  if (!Selected) return {};
  const int count = LineCount();
  if (SelBegY < 0 || SelBegY >= count || SelEndY < 0 || SelEndY >= count) {
    if (BeepOnError) host_.Beep();
    return {};
  }
  const TEditorStrings& lines = *lines_;
  std::string text;
  if (SelBlockFormat == bfColumn) {
    for (int row = SelBegY; row <= SelEndY; ++row) {
      if (row > SelBegY) text += editing::LineBreak;
      text += Slice(lines.Get(row), SelBegX, static_cast<std::size_t>(std::max(SelEndX - SelBegX + 1, 0)));
    }
    return text;
  }
  const int endColumn = SelEndX + (SelBlockFormat == bfInclusive ? 1 : 0);
  if (SelBegY == SelEndY) {
    const std::string_view row = lines.Get(SelBegY);
    return std::string(Slice(Head(row, endColumn), SelBegX));
  }
  text += Slice(lines.Get(SelBegY), SelBegX);
  text += editing::LineBreak;
  for (int row = SelBegY + 1; row < SelEndY; ++row) {
    text += lines.Get(row);
    text += editing::LineBreak;
  }
  text += Head(lines.Get(SelEndY), endColumn);
  return text;
}

void TCustomEditor::RemoveSelection() {
  if (!Selected) return;
  TUpdateBracket update(*this);
  TCaretHider hiddenCaret(View());
  // A selection kept across a shorter new text may end below it. Deleting it would remove
  // everything down to the end of the text, so its end is taken to the end of the text
  // first: the recorded text is then the text deleted, and undo brings all of it back.
  const int count = LineCount();
  if (SelBegY < count && SelEndY >= count) {
    SelEndY = count - 1;
    if (SelBlockFormat != bfColumn) SelEndX = LineLength(SelEndY);
  }
  // A selection wholly below the text (its lines were deleted under it) holds nothing to
  // delete: it is dropped without a record, since undoing one would read rows that are gone.
  if (SelBegY >= count) {
    Selected = false;
    Selecting = false;
    View().InvalidateControl();
    return;
  }
  const std::string text = SelectionText();
  UndoBuffer().Add(std::make_unique<TDeleteSelectedUndo>(*this, CaretX, CaretY, text));
  Selected = false;
  Selecting = false;
  if (SelBlockFormat == bfColumn) {
    lines_->DeleteColumnBlock(SelBegX, SelBegY, SelEndX, SelEndY);
    TextEdited(SelBegX, SelBegY, taColumnDelete, text);
    MoveCaretTo(SelBegX, CaretY);
  } else {
    const int endX = SelBlockFormat == bfInclusive ? SelEndX : SelEndX - 1;
    lines_->DeleteBlock(SelBegX, SelBegY, endX, SelEndY);
    TextEdited(SelBegX, SelBegY, taDelete, text);
    MoveCaretTo(SelBegX, SelBegY);
  }
  TextChanged();
}

}  // namespace editor
