// How each kind of undo record takes its change back: caret and selection moves, text
// inserted, deleted, overwritten or replaced, and column edits.
#include <algorithm>

#include "editor/CustomEditor.h"
#include "editor/edit/EditingGuards.h"
#include "editor/edit/EditingOperations.h"
#include "editor/UndoBuffer.h"

namespace editor {

namespace {

enum class TOrder { OldestFirst, NewestFirst };

// A text field of the records low..high joined in the given order.
template <class Record>
std::string Joined(const TUndoBuffer& history, int low, int high, std::string Record::*field, TOrder order) {
  std::string joined;
  for (int i = 0; i <= high - low; ++i) {
    const int index = order == TOrder::OldestFirst ? low + i : high - i;
    joined += static_cast<const Record&>(history.Record(index)).*field;
  }
  return joined;
}

template <class Record>
const Record& At(const TUndoBuffer& history, int index) {
  return static_cast<const Record&>(history.Record(index));
}

void DeleteTextAt(TEditorStrings& lines, int x, int y, std::string_view text) {
  const platform::TPoint end = lines.BlockEnd(x, y, text);
  lines.DeleteBlock({x, y}, end);
}

// The text at (x, y) gives way to the text that was there before it, in one write.
void ReplaceTextAt(TEditorStrings& lines, int x, int y, std::string_view text, std::string_view before) {
  const platform::TPoint end = lines.BlockEnd(x, y, text);
  lines.ReplaceBlock({x, y}, end, before);
}

// Steps the history down over the records of the top one's kind directly below it, as
// long as each newer record continues the older one below it in the text. Records of one
// kind that follow each other elsewhere (the caret moved on without a record in between,
// as overwrite-mode Enter moves it) stay for the walk to take back each at its own place.
template <class Record, class Continues>
int TakeRunWhile(TUndoBuffer& history, Continues continues) {
  while (history.UndoPointer > 0) {
    const TUndo& below = history.Record(history.UndoPointer - 1);
    if (below.Kind() != history.Record(history.UndoPointer).Kind()) break;
    if (!continues(static_cast<const Record&>(below), At<Record>(history, history.UndoPointer))) break;
    --history.UndoPointer;
  }
  return history.UndoPointer;
}

// Inserts and overwrites: each starts where the text of the one before it ended.
template <class Record>
int TakeContiguousRun(TUndoBuffer& history, const TEditorStrings& lines, std::string Record::*text) {
  return TakeRunWhile<Record>(history, [&](const Record& older, const Record& newer) {
    const platform::TPoint end = lines.BlockEnd(older.CaretX, older.CaretY, older.*text);
    return end.X + 1 == newer.CaretX && end.Y == newer.CaretY;
  });
}

// Forward deletions stay in place: each was made where the one before it was.
int TakeSamePlaceRun(TUndoBuffer& history) {
  return TakeRunWhile<TInsertUndo>(history, [](const TInsertUndo& older, const TInsertUndo& newer) {
    return newer.CaretX == older.CaretX && newer.CaretY == older.CaretY;
  });
}

// Backspaces go leftwards: each newer deletion ends where the older one began.
int TakeLeftwardRun(TUndoBuffer& history) {
  return TakeRunWhile<TInsertUndo>(history, [](const TInsertUndo& older, const TInsertUndo& newer) {
    return newer.CaretY == older.CaretY && newer.CaretX == older.CaretX - static_cast<int>(older.Text.size());
  });
}

}  // namespace

void TCaretUndo::Undo() {
  TUndoBuffer& history = History();
  const TCaretUndo& first = At<TCaretUndo>(history, history.TakeRun(Kind()));
  Editor.MoveCaretTo(first.CaretX, first.CaretY);
}

void TSelectUndo::Undo() {
  // The stretch below takes in the caret moves that went along with the selection.
  TUndoBuffer& history = History();
  int lowest = history.UndoPointer;
  int lowestOwn = lowest;
  while (lowest > 0) {
    const TUndoKind below = history.Record(lowest - 1).Kind();
    if (below != Kind() && below != TUndoKind::Caret) break;
    --lowest;
    if (below == Kind()) lowestOwn = lowest;
  }
  history.UndoPointer = lowest;
  history.Record(lowestOwn).ReloadSelection();
  const TCaretUndo& first = At<TCaretUndo>(history, lowest);
  Editor.MoveCaretTo(first.CaretX, first.CaretY);
}

void TInsertUndo::Undo() {
  TUndoBuffer& history = History();
  const int high = history.UndoPointer;
  TCustomEditor& editor = StringEditor();
  const int low = TakeContiguousRun(history, editor.Lines(), &TInsertUndo::Text);
  const std::string text = Joined(history, low, high, &TInsertUndo::Text, TOrder::OldestFirst);
  const TInsertUndo& first = At<TInsertUndo>(history, low);
  DeleteTextAt(editor.Lines(), first.CaretX, first.CaretY, text);
  editor.TextEdited(first.CaretX, first.CaretY, taDelete, text);
  editor.MoveCaretTo(first.CaretX, first.CaretY);
}

void TInsertColumnUndo::Undo() {
  TCustomEditor& editor = StringEditor();
  TEditorStrings& lines = editor.Lines();
  const std::vector<std::string_view> pieces = SplitAtBreaks(Text, TFinalBreak::fbNoPiece);
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    const int row = CaretY + static_cast<int>(k);
    std::string line = lines.Get(row);
    if (static_cast<std::size_t>(CaretX) < line.size()) {
      line.erase(static_cast<std::size_t>(CaretX), editor.TabsToBlanks(pieces[k]).size());
    }
    lines.ReplaceLine(row, line);
  }
  editor.TextEdited(CaretX, CaretY, taDelete, Text);
  editor.MoveCaretTo(CaretX, CaretY);
}

void TDeleteUndo::Undo() {
  TUndoBuffer& history = History();
  const int high = history.UndoPointer;
  TCustomEditor& editor = StringEditor();
  const int low = TakeSamePlaceRun(history);
  const std::string text = Joined(history, low, high, &TInsertUndo::Text, TOrder::OldestFirst);
  const TInsertUndo& first = At<TInsertUndo>(history, low);
  editor.Lines().InsertBlock(first.CaretX, first.CaretY, text);
  editor.TextEdited(first.CaretX, first.CaretY, taInsert, text);
  editor.MoveCaretTo(first.CaretX, first.CaretY);
}

void TDeleteTrailUndo::Undo() {
  TCustomEditor& editor = StringEditor();
  editor.Lines().RestoreDroppedEnd(CaretX, CaretY, Text);
  editor.TextEdited(CaretX, CaretY, taInsert, Text);
}

void TDeleteLineUndo::Undo() {
  TCustomEditor& editor = StringEditor();
  {
    const TUpdateLockGuard lock(editor);
    editor.Lines().Insert(CaretY, Text);
  }
  // The line comes back with its break: the rows below move down.
  editor.TextEdited(CaretX, CaretY, taInsert, Text + std::string(editing::LineBreak));
  editor.MoveCaretTo(CaretX, CaretY);
}

void TBackspaceUndo::Undo() {
  // The newest deletion is the leftmost character: the run goes back in newest first,
  // left of where the newest one was made.
  TUndoBuffer& history = History();
  const int high = history.UndoPointer;
  const int low = TakeLeftwardRun(history);
  const std::string text = Joined(history, low, high, &TInsertUndo::Text, TOrder::NewestFirst);
  TCustomEditor& editor = StringEditor();
  editor.Lines().InsertBlock(CaretX - 1, CaretY, text);
  editor.TextEdited(CaretX - 1, CaretY, taInsert, text);
  const TInsertUndo& first = At<TInsertUndo>(history, low);
  if (first.Text != "\n" && first.Text != "\r") editor.MoveCaretTo(first.CaretX, first.CaretY);
  else editor.MoveCaretTo(0, first.CaretY + 1);
}

void TBackspaceUnindentUndo::Undo() {
  TUndoBuffer& history = History();
  const int high = history.UndoPointer;
  const int low = history.TakeRun(Kind());
  const std::string text = Joined(history, low, high, &TInsertUndo::Text, TOrder::NewestFirst);
  const TInsertUndo& first = At<TInsertUndo>(history, low);
  const int column = first.CaretX - static_cast<int>(text.size());
  TCustomEditor& editor = StringEditor();
  editor.Lines().InsertBlock(column, first.CaretY, text);
  editor.TextEdited(column, first.CaretY, taInsert, text);
  editor.MoveCaretTo(first.CaretX, first.CaretY);
}

void TOverwriteUndo::Undo() {
  TUndoBuffer& history = History();
  const int high = history.UndoPointer;
  TCustomEditor& editor = StringEditor();
  const int low = TakeContiguousRun(history, editor.Lines(), &TOverwriteUndo::NewText);
  const std::string oldText = Joined(history, low, high, &TOverwriteUndo::OldText, TOrder::OldestFirst);
  const std::string newText = Joined(history, low, high, &TOverwriteUndo::NewText, TOrder::OldestFirst);
  const TOverwriteUndo& first = At<TOverwriteUndo>(history, low);
  ReplaceTextAt(editor.Lines(), first.CaretX, first.CaretY, newText, oldText);
  editor.TextEdited(first.CaretX, first.CaretY, taReplace, oldText);
  editor.MoveCaretTo(first.CaretX, first.CaretY);
}

void TReplaceUndo::Undo() {
  TCustomEditor& editor = StringEditor();
  ReplaceTextAt(editor.Lines(), Column, Row, NewText, OldText);
  editor.TextEdited(Column, Row, taReplace, OldText);
  editor.MoveCaretTo(CaretX, CaretY);
}

void TDeleteSelectedUndo::Undo() {
  TCustomEditor& editor = StringEditor();
  TEditorStrings& lines = editor.Lines();
  const TSelection& saved = *Selection;
  if (saved.BlockFormat != bfColumn) {
    lines.InsertBlock(saved.Beg.X, saved.Beg.Y, Text);
    editor.TextEdited(saved.Beg.X, saved.Beg.Y, taInsert, Text);
  } else {
    // Piece k goes back into row Beg.Y + k at the block's column. A row that holds a
    // piece but is now shorter lost the blanks before the block when the deletion trimmed
    // them: they come back with it. A row without a piece is left as it is.
    const std::vector<std::string_view> pieces = SplitAtBreaks(Text, TFinalBreak::fbEmptyPiece);
    const auto blockColumn = static_cast<std::size_t>(std::max(saved.Beg.X, 0));
    for (int row = saved.Beg.Y; row <= saved.End.Y; ++row) {
      const std::size_t k = static_cast<std::size_t>(row - saved.Beg.Y);
      std::string line = lines.Get(row);
      if (k < pieces.size() && !pieces[k].empty()) {
        if (line.size() < blockColumn) line.resize(blockColumn, ' ');
        line.insert(blockColumn, pieces[k]);
      }
      lines.ReplaceLine(row, line);
    }
    editor.TextEdited(saved.Beg.X, saved.Beg.Y, taColumnInsert, Text);
  }
  ReloadSelection();
  editor.MoveCaretTo(CaretX, CaretY);
}

void TUnindentColumnUndo::Undo() {
  TUndoBuffer& history = History();
  const int high = history.UndoPointer;
  const int low = history.TakeRun(Kind());
  TCustomEditor& editor = StringEditor();
  int column = Column;
  int firstRow = FirstRow;
  for (int i = high; i >= low; --i) {
    const TUnindentColumnUndo& record = At<TUnindentColumnUndo>(history, i);
    editor.Lines().InsertColumnBlock(record.Column, record.FirstRow, record.Text);
    column = std::min(column, record.Column);
    firstRow = std::min(firstRow, record.FirstRow);
  }
  editor.TextEdited(column, firstRow, taInsert, editor.Lines().Get(firstRow));
  ReloadSelection();
  const TUnindentColumnUndo& first = At<TUnindentColumnUndo>(history, low);
  editor.MoveCaretTo(first.CaretX, first.CaretY);
}

}  // namespace editor
