// The undo history: an unbounded list of records with a pointer to the newest one that
// can still be taken back, and the record kinds the editing operations make.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/EditorTypes.h"

namespace editor {

class TCustomEditor;
class TCustomEditorBase;
class TUndoBuffer;

// Every record kind; kinds are compared exactly (a TUnselectUndo is not a TSelectUndo,
// a TReLineUndo is not a TInsertUndo).
enum class TUndoKind {
  Caret, Select, Unselect, BeginCompound, EndCompound, Insert, Overwrite, ReLine, InsertTab,
  InsertColumn, Delete, DeleteLine, DeleteTrail, Backspace, BackspaceUnindent, Replace,
  DeleteSelected, UnindentColumn,
  // Rows rewritten by a replace (editor/search/): their old text goes back at once.
  ReplaceRows,
};

// The marks the undo walk tests. Absorbed records (padding lines, dropped trailing
// blanks) never end a group: they go back together with whatever lies next to them.
bool IsAbsorbed(TUndoKind kind);
// A run of backspaces continues into the backspace-unindent records below it.
bool HasBackspaceMark(TUndoKind kind);
bool HasUnindentMark(TUndoKind kind);

// One step of the history. A record remembers Modified from the moment it was made, that
// is before the change it records. Undo takes the record back; kinds that work in runs
// take back the whole run of records of their kind directly below as well and leave the
// history's UndoPointer on the lowest record they took back.
class TUndo {
 public:
  explicit TUndo(TCustomEditorBase& editor);
  virtual ~TUndo() = default;
  TUndo(const TUndo&) = delete;
  TUndo& operator=(const TUndo&) = delete;

  virtual TUndoKind Kind() const = 0;
  virtual void Undo() = 0;

  void StoreSelection();
  // Puts a saved selection back and widens the rows to repaint over it; nothing for a
  // record without one.
  void ReloadSelection();

  TCustomEditorBase& Editor;
  bool ModifiedBefore = false;
  std::unique_ptr<TSelection> Selection;  // only for the kinds that save one

 protected:
  // The string editor holding the text the record refers to.
  TCustomEditor& StringEditor() const;
  TUndoBuffer& History() const;
};

// A caret record: the caret before a move, or where text was inserted or deleted. A run
// of caret moves goes back to the caret before the first of them.
class TCaretUndo : public TUndo {
 public:
  TCaretUndo(TCustomEditorBase& editor, int x, int y) : TUndo(editor), CaretX(x), CaretY(y) {}
  TUndoKind Kind() const override { return TUndoKind::Caret; }
  void Undo() override;
  int CaretX;
  int CaretY;
};

// A selection change; saves the selection before it. Goes back over the caret moves
// mixed into its run.
class TSelectUndo : public TCaretUndo {
 public:
  TSelectUndo(TCustomEditorBase& editor, int x, int y);
  TUndoKind Kind() const override { return TUndoKind::Select; }
  void Undo() override;
};

// A cancelled selection; saved after the selection was hidden, so undoing it restores the
// coordinates but shows nothing.
class TUnselectUndo : public TSelectUndo {
 public:
  using TSelectUndo::TSelectUndo;
  TUndoKind Kind() const override { return TUndoKind::Unselect; }
};

// Group markers; they change no text.
class TBeginCompoundUndo : public TUndo {
 public:
  using TUndo::TUndo;
  TUndoKind Kind() const override { return TUndoKind::BeginCompound; }
  void Undo() override {}
};

class TEndCompoundUndo : public TBeginCompoundUndo {
 public:
  using TBeginCompoundUndo::TBeginCompoundUndo;
  TUndoKind Kind() const override { return TUndoKind::EndCompound; }
};

// Text inserted at the caret. A run of inserts is deleted at once and the caret goes
// back to where the first of them was made.
class TInsertUndo : public TCaretUndo {
 public:
  TInsertUndo(TCustomEditorBase& editor, int x, int y, std::string text)
      : TCaretUndo(editor, x, y), Text(std::move(text)) {}
  TUndoKind Kind() const override { return TUndoKind::Insert; }
  void Undo() override;
  std::string Text;
};

// Lines appended to reach the caret row (Text is CR LF); absorbed.
class TReLineUndo : public TInsertUndo {
 public:
  using TInsertUndo::TInsertUndo;
  TUndoKind Kind() const override { return TUndoKind::ReLine; }
};

// Blanks inserted by Tab.
class TInsertTabUndo : public TInsertUndo {
 public:
  using TInsertUndo::TInsertUndo;
  TUndoKind Kind() const override { return TUndoKind::InsertTab; }
};

// A column block inserted at the caret position; taken back record by record.
class TInsertColumnUndo : public TInsertUndo {
 public:
  using TInsertUndo::TInsertUndo;
  TUndoKind Kind() const override { return TUndoKind::InsertColumn; }
  void Undo() override;
};

// Text deleted at the caret (Delete); a run is inserted back at once.
class TDeleteUndo : public TInsertUndo {
 public:
  using TInsertUndo::TInsertUndo;
  TUndoKind Kind() const override { return TUndoKind::Delete; }
  void Undo() override;
};

// A whole line deleted at the caret row.
class TDeleteLineUndo : public TInsertUndo {
 public:
  using TInsertUndo::TInsertUndo;
  TUndoKind Kind() const override { return TUndoKind::DeleteLine; }
  void Undo() override;
};

// The end of a line (codes 0..32) dropped when the line was written: the bytes and the
// column they started at. Absorbed, but by the change below it, which made it: it goes
// back just before that change does, and without the trailing-blank rule.
class TDeleteTrailUndo : public TDeleteUndo {
 public:
  using TDeleteUndo::TDeleteUndo;
  TUndoKind Kind() const override { return TUndoKind::DeleteTrail; }
  void Undo() override;
};

// One character deleted left of the caret (LF for a line join); the caret is the one
// before the deletion.
class TBackspaceUndo : public TDeleteUndo {
 public:
  using TDeleteUndo::TDeleteUndo;
  TUndoKind Kind() const override { return TUndoKind::Backspace; }
  void Undo() override;
};

// Leading blanks deleted by Backspace jumping back to an outer indent.
class TBackspaceUnindentUndo : public TDeleteUndo {
 public:
  using TDeleteUndo::TDeleteUndo;
  TUndoKind Kind() const override { return TUndoKind::BackspaceUnindent; }
  void Undo() override;
};

// Characters typed over others in overwrite mode: OldText gave way to NewText.
class TOverwriteUndo : public TCaretUndo {
 public:
  TOverwriteUndo(TCustomEditorBase& editor, int x, int y, std::string oldText, std::string newText)
      : TCaretUndo(editor, x, y), OldText(std::move(oldText)), NewText(std::move(newText)) {}
  TUndoKind Kind() const override { return TUndoKind::Overwrite; }
  void Undo() override;
  std::string OldText;
  std::string NewText;
};

// OldText at (Column, Row) replaced by NewText (a completion applied).
class TReplaceUndo : public TCaretUndo {
 public:
  TReplaceUndo(TCustomEditorBase& editor, int caretX, int caretY, int column, int row,
               std::string oldText, std::string newText)
      : TCaretUndo(editor, caretX, caretY), Column(column), Row(row),
        OldText(std::move(oldText)), NewText(std::move(newText)) {}
  TUndoKind Kind() const override { return TUndoKind::Replace; }
  void Undo() override;
  int Column;
  int Row;
  std::string OldText;
  std::string NewText;
};

// The selection deleted; saves the selection as it was before the deletion.
class TDeleteSelectedUndo : public TDeleteUndo {
 public:
  TDeleteSelectedUndo(TCustomEditorBase& editor, int x, int y, std::string text);
  TUndoKind Kind() const override { return TUndoKind::DeleteSelected; }
  void Undo() override;
};

// Blanks removed from the start of a column over rows FirstRow.. (one CR LF-separated
// piece per row); saves the selection.
class TUnindentColumnUndo : public TInsertUndo {
 public:
  TUnindentColumnUndo(TCustomEditorBase& editor, int caretX, int caretY, std::string text,
                      int column, int firstRow);
  TUndoKind Kind() const override { return TUndoKind::UnindentColumn; }
  void Undo() override;
  int Column;
  int FirstRow;
};

// The history. Records above UndoPointer have been undone; the next Add discards them.
// Undo takes back one group: a run of records of one kind, widened by absorbed records,
// by begin/end markers and by unindents below backspaces. Records made while an undo runs
// (Locked) are discarded. There is no working redo.
class TUndoBuffer {
 public:
  explicit TUndoBuffer(TCustomEditorBase& editor) : editor_(editor) {}
  TUndoBuffer(const TUndoBuffer&) = delete;
  TUndoBuffer& operator=(const TUndoBuffer&) = delete;

  // Drops the records above the pointer and appends; discarded while Locked.
  void Add(std::unique_ptr<TUndo> record);
  TUndo* TopRecord() const;
  bool StartsNewRun(const TUndo& record) const;
  bool HasUndo() const { return TopRecord() != nullptr; }
  // One undo step (the walk over one group); ecUndo and WM_UNDO.
  void Undo();
  // Discards the undone records and nothing else; ecRedo.
  void Redo();
  void Clear();

  int Count() const { return static_cast<int>(records_.size()); }
  TUndo& Record(int index) const { return *records_.at(static_cast<std::size_t>(index)); }
  // Lowers UndoPointer over the run of records of kind directly below it (the one at
  // the pointer included) and answers the index of the lowest.
  int TakeRun(TUndoKind kind);

  int UndoPointer = -1;
  bool Locked = false;

 private:
  bool Walk();
  // Whether the record at index still goes back in the step whose kind is groupKind.
  bool Continues(std::optional<TUndoKind> groupKind, int depth, int index) const;
  void FinishUndo(const TSelection& selectionBefore, bool modifiedBefore, bool onlyCaret);

  TCustomEditorBase& editor_;
  std::vector<std::unique_ptr<TUndo>> records_;
};

}  // namespace editor
