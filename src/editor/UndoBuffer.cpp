// The undo history and the records' selection snapshots.
#include "editor/UndoBuffer.h"

#include "editor/CustomEditorBase.h"

namespace editor {

TUndo::TUndo(TCustomEditorBase& editor) : Editor(editor), ModifiedBefore(editor.Modified) {}

void TUndo::StoreSelection() {
  if (!Selection) Selection = std::make_unique<TSavedSelection>();
  TSavedSelection& s = *Selection;
  s.Selected = Editor.Selected;
  s.Selecting = Editor.Selecting;
  s.SelBlockFormat = Editor.SelBlockFormat;
  s.SelBegX = Editor.SelBegX;
  s.SelBegY = Editor.SelBegY;
  s.SelEndX = Editor.SelEndX;
  s.SelEndY = Editor.SelEndY;
  s.SelAnchorX = Editor.SelAnchorX;
  s.SelAnchorY = Editor.SelAnchorY;
  s.LineModeBegX = Editor.LineModeBegX;
  s.LineModeEndX = Editor.LineModeEndX;
}

void TUndo::ReloadSelection() {
  if (!Selection) return;
  const TSavedSelection& s = *Selection;
  Editor.Selected = s.Selected;
  Editor.Selecting = s.Selecting;
  Editor.SelBlockFormat = s.SelBlockFormat;
  Editor.SelBegX = s.SelBegX;
  Editor.SelBegY = s.SelBegY;
  Editor.SelEndX = s.SelEndX;
  Editor.SelEndY = s.SelEndY;
  Editor.SelAnchorX = s.SelAnchorX;
  Editor.SelAnchorY = s.SelAnchorY;
  Editor.LineModeBegX = s.LineModeBegX;
  Editor.LineModeEndX = s.LineModeEndX;
}

TSelectUndo::TSelectUndo(TCustomEditorBase& editor, int x, int y) : TCaretUndo(editor, x, y) {
  StoreSelection();
}

TDeleteSelectedUndo::TDeleteSelectedUndo(TCustomEditorBase& editor, int x, int y, std::string text)
    : TDeleteUndo(editor, x, y, std::move(text)) {
  StoreSelection();
}

TUnindentColumnUndo::TUnindentColumnUndo(TCustomEditorBase& editor, int caretX, int caretY,
                                         std::string text, int column, int firstRow)
    : TInsertUndo(editor, caretX, caretY, std::move(text)), Column(column), FirstRow(firstRow) {
  StoreSelection();
}

void TUndoBuffer::Add(std::unique_ptr<TUndo> record) {
  if (Locked) return;
  records_.resize(static_cast<std::size_t>(UndoPointer + 1));
  records_.push_back(std::move(record));
  UndoPointer = Count() - 1;
}

TUndo* TUndoBuffer::TopRecord() const {
  if (UndoPointer < 0 || records_.empty()) return nullptr;
  return records_[static_cast<std::size_t>(UndoPointer)].get();
}

bool TUndoBuffer::StartsNewRun(const TUndo& record) const {
  const TUndo* top = TopRecord();
  return top == nullptr || top->Kind() != record.Kind();
}

void TUndoBuffer::Redo() { records_.resize(static_cast<std::size_t>(UndoPointer + 1)); }

void TUndoBuffer::Clear() {
  records_.clear();
  UndoPointer = -1;
}

}  // namespace editor
