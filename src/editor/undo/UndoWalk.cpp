// The undo step: the walk over one group of records, Modified restored from the records,
// and the repaint and notifications that end the step.
#include <optional>

#include "editor/CustomEditor.h"
#include "editor/UndoBuffer.h"

namespace editor {

namespace {

bool IsCaretKind(TUndoKind kind) {
  return kind == TUndoKind::Caret || kind == TUndoKind::Select || kind == TUndoKind::Unselect;
}

// Clears Locked when the step ends, also when an error leaves it.
class TLockedScope {
 public:
  explicit TLockedScope(bool& locked) : locked_(locked) { locked_ = true; }
  ~TLockedScope() { locked_ = false; }
  TLockedScope(const TLockedScope&) = delete;
  TLockedScope& operator=(const TLockedScope&) = delete;

 private:
  bool& locked_;
};

}  // namespace

void TUndoBuffer::Undo() {
  if (Locked) return;
  const TSelection selectionBefore = editor_.Sel;
  const bool modifiedBefore = editor_.Modified;
  const TLockedScope locked(Locked);
  if (TopRecord() == nullptr) return;
  const bool onlyCaret = Walk();
  FinishUndo(selectionBefore, modifiedBefore, onlyCaret);
}

// Takes back records from the top down to the end of the group; answers whether the
// group held nothing but caret and selection moves.
bool TUndoBuffer::Walk() {
  bool onlyCaret = true;
  int depth = 0;
  std::optional<TUndoKind> groupKind = TopRecord()->Kind();
  for (;;) {
    TUndo& record = *TopRecord();
    if (record.Kind() == TUndoKind::BeginCompound) {
      --depth;
      groupKind.reset();
    } else if (record.Kind() == TUndoKind::EndCompound) {
      ++depth;
    }
    record.Undo();
    TUndo& lowest = *TopRecord();
    lowest.ReloadSelection();
    editor_.Modified = lowest.ModifiedBefore;

    --UndoPointer;
    const TUndo* next = TopRecord();
    // An absorbed group takes its kind from whatever lies below it, if anything does.
    if (groupKind && IsAbsorbed(*groupKind)) {
      groupKind = next ? std::optional<TUndoKind>(next->Kind()) : std::nullopt;
    }
    if (!groupKind || !IsCaretKind(*groupKind)) onlyCaret = false;

    if (next == nullptr || !Continues(groupKind, depth, UndoPointer)) break;
  }
  return onlyCaret;
}

bool TUndoBuffer::Continues(std::optional<TUndoKind> groupKind, int depth, int index) const {
  if (depth > 0 || (groupKind && IsAbsorbed(*groupKind))) return true;
  // A dropped line end belongs to the change recorded below it: it goes in this step only
  // when that change does. Taken back alone it would leave the bytes at a line's end.
  while (index > 0 && Record(index).Kind() == TUndoKind::DeleteTrail) --index;
  const TUndoKind kind = Record(index).Kind();
  if (IsAbsorbed(kind)) return true;
  if (groupKind && kind == *groupKind) return true;
  // A run of backspaces goes on into the backspace unindents below it.
  return groupKind && HasBackspaceMark(*groupKind) && HasUnindentMark(kind);
}

void TUndoBuffer::FinishUndo(const TSelection& selectionBefore, bool modifiedBefore, bool onlyCaret) {
  // Back at the state before the first recorded change: the text counts as unchanged.
  if (!editor_.Modified) onlyCaret = true;
  if (editor_.Sel != selectionBefore) editor_.View().RepaintSelectionRows();
  editor_.View().UpdateLayout();
  if (editor_.Host().IsVisible() && editor_.UpdateLock == 0) editor_.View().InvalidateControl();
  if (editor_.UpdateLock != 0) return;
  if (!onlyCaret) {
    dynamic_cast<TCustomEditor&>(editor_).TextChanged();
  } else if (modifiedBefore) {
    editor_.StatusChanged();
  }
}

}  // namespace editor
