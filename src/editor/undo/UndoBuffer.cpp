// The undo history's list, the marks of the record kinds and the records' selection
// snapshots.
#include "editor/UndoBuffer.h"

#include "editor/CustomEditor.h"

namespace editor {

bool IsAbsorbed(TUndoKind kind) { return kind == TUndoKind::ReLine || kind == TUndoKind::DeleteTrail; }

bool HasBackspaceMark(TUndoKind kind) { return kind == TUndoKind::Backspace; }

bool HasUnindentMark(TUndoKind kind) { return kind == TUndoKind::BackspaceUnindent; }

// ---- Records ----

TUndo::TUndo(TCustomEditorBase& editor) : Editor(editor), ModifiedBefore(editor.Modified) {}

void TUndo::StoreSelection() { Selection = std::make_unique<TSelection>(Editor.Sel); }

void TUndo::ReloadSelection() {
  if (!Selection) return;
  const TSelection& s = *Selection;
  Editor.Sel = s;
  Editor.View().WidenRepaintRange(s.Beg.Y, s.End.Y);
}

TCustomEditor& TUndo::StringEditor() const { return dynamic_cast<TCustomEditor&>(Editor); }

TUndoBuffer& TUndo::History() const { return Editor.UndoBuffer(); }

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

// ---- History ----

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

int TUndoBuffer::TakeRun(TUndoKind kind) {
  while (UndoPointer > 0 && Record(UndoPointer - 1).Kind() == kind) --UndoPointer;
  return UndoPointer;
}

void TUndoBuffer::Redo() { records_.resize(static_cast<std::size_t>(UndoPointer + 1)); }

void TUndoBuffer::Clear() {
  records_.clear();
  UndoPointer = -1;
}

}  // namespace editor
