// The undo history: an unbounded list of records with a pointer to the newest one that
// can still be taken back, and the record kinds the editing operations make.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "editor/EditorTypes.h"

namespace editor {

class TCustomEditorBase;

// A copy of the editor's selection fields, kept by the record kinds that restore a
// selection when undone.
struct TSavedSelection {
  bool Selected = false;
  bool Selecting = false;
  TSelBlockFormat SelBlockFormat = bfNonInclusive;
  int SelBegX = 0, SelBegY = 0, SelEndX = 0, SelEndY = 0;
  int SelAnchorX = 0, SelAnchorY = 0;
  int LineModeBegX = 0, LineModeEndX = 0;
  bool operator==(const TSavedSelection&) const = default;
};

// Every record kind; kinds are compared exactly (a TUnselectUndo is not a TSelectUndo).
enum class TUndoKind {
  Caret, Select, Unselect, BeginCompound, EndCompound, Insert, Overwrite, ReLine, InsertTab,
  InsertColumn, Delete, DeleteLine, DeleteTrail, Backspace, BackspaceUnindent, Replace,
  DeleteSelected, UnindentColumn,
};

class TUndo {
 public:
  explicit TUndo(TCustomEditorBase& editor);
  virtual ~TUndo() = default;
  TUndo(const TUndo&) = delete;
  TUndo& operator=(const TUndo&) = delete;

  virtual TUndoKind Kind() const = 0;
  // Records never end a group (TReLineUndo, TDeleteTrailUndo).
  bool Absorbed() const { return Kind() == TUndoKind::ReLine || Kind() == TUndoKind::DeleteTrail; }

  void StoreSelection();
  void ReloadSelection();

  TCustomEditorBase& Editor;
  bool ModifiedBefore = false;
  std::unique_ptr<TSavedSelection> Selection;  // only for the kinds that save one
};

// A caret record: the caret before a move, or where text was inserted or deleted.
class TCaretUndo : public TUndo {
 public:
  TCaretUndo(TCustomEditorBase& editor, int x, int y) : TUndo(editor), CaretX(x), CaretY(y) {}
  TUndoKind Kind() const override { return TUndoKind::Caret; }
  int CaretX;
  int CaretY;
};

class TSelectUndo : public TCaretUndo {
 public:
  TSelectUndo(TCustomEditorBase& editor, int x, int y);  // saves the current selection
  TUndoKind Kind() const override { return TUndoKind::Select; }
};

class TUnselectUndo : public TSelectUndo {
 public:
  using TSelectUndo::TSelectUndo;
  TUndoKind Kind() const override { return TUndoKind::Unselect; }
};

class TBeginCompoundUndo : public TUndo {
 public:
  using TUndo::TUndo;
  TUndoKind Kind() const override { return TUndoKind::BeginCompound; }
};

class TEndCompoundUndo : public TBeginCompoundUndo {
 public:
  using TBeginCompoundUndo::TBeginCompoundUndo;
  TUndoKind Kind() const override { return TUndoKind::EndCompound; }
};

// A record carrying a text at a caret position.
class TInsertUndo : public TCaretUndo {
 public:
  TInsertUndo(TCustomEditorBase& editor, int x, int y, std::string text)
      : TCaretUndo(editor, x, y), Text(std::move(text)) {}
  TUndoKind Kind() const override { return TUndoKind::Insert; }
  std::string Text;
};

class TOverwriteUndo : public TCaretUndo {
 public:
  TOverwriteUndo(TCustomEditorBase& editor, int x, int y, std::string oldText, std::string newText)
      : TCaretUndo(editor, x, y), OldText(std::move(oldText)), NewText(std::move(newText)) {}
  TUndoKind Kind() const override { return TUndoKind::Overwrite; }
  std::string OldText;
  std::string NewText;
};

#define QUORVEL_TEXT_UNDO(Name, Base, KindValue)                 \
  class Name : public Base {                                      \
   public:                                                        \
    using Base::Base;                                             \
    TUndoKind Kind() const override { return TUndoKind::KindValue; } \
  };

QUORVEL_TEXT_UNDO(TReLineUndo, TInsertUndo, ReLine)
QUORVEL_TEXT_UNDO(TInsertTabUndo, TInsertUndo, InsertTab)
QUORVEL_TEXT_UNDO(TInsertColumnUndo, TInsertUndo, InsertColumn)
QUORVEL_TEXT_UNDO(TDeleteUndo, TInsertUndo, Delete)
QUORVEL_TEXT_UNDO(TDeleteLineUndo, TInsertUndo, DeleteLine)
QUORVEL_TEXT_UNDO(TDeleteTrailUndo, TDeleteUndo, DeleteTrail)
QUORVEL_TEXT_UNDO(TBackspaceUndo, TDeleteUndo, Backspace)
QUORVEL_TEXT_UNDO(TBackspaceUnindentUndo, TDeleteUndo, BackspaceUnindent)
#undef QUORVEL_TEXT_UNDO

class TReplaceUndo : public TCaretUndo {
 public:
  TReplaceUndo(TCustomEditorBase& editor, int caretX, int caretY, int column, int row,
               std::string oldText, std::string newText)
      : TCaretUndo(editor, caretX, caretY), Column(column), Row(row),
        OldText(std::move(oldText)), NewText(std::move(newText)) {}
  TUndoKind Kind() const override { return TUndoKind::Replace; }
  int Column;
  int Row;
  std::string OldText;
  std::string NewText;
};

// Saves the selection as it was before the deletion.
class TDeleteSelectedUndo : public TDeleteUndo {
 public:
  TDeleteSelectedUndo(TCustomEditorBase& editor, int x, int y, std::string text);
  TUndoKind Kind() const override { return TUndoKind::DeleteSelected; }
};

class TUnindentColumnUndo : public TInsertUndo {
 public:
  TUnindentColumnUndo(TCustomEditorBase& editor, int caretX, int caretY, std::string text,
                      int column, int firstRow);
  TUndoKind Kind() const override { return TUndoKind::UnindentColumn; }
  int Column;
  int FirstRow;
};

// The history. Records above UndoPointer have been undone and go at the next Add.
class TUndoBuffer {
 public:
  explicit TUndoBuffer(TCustomEditorBase& editor) : editor_(editor) {}
  TUndoBuffer(const TUndoBuffer&) = delete;
  TUndoBuffer& operator=(const TUndoBuffer&) = delete;

  // Sets ModifiedBefore from the editor, drops records above the pointer, appends.
  // Discarded while Locked.
  void Add(std::unique_ptr<TUndo> record);
  TUndo* TopRecord() const;
  bool StartsNewRun(const TUndo& record) const;
  bool HasUndo() const { return TopRecord() != nullptr; }
  void Redo();
  void Clear();

  int Count() const { return static_cast<int>(records_.size()); }
  TUndo& Record(int index) const { return *records_.at(static_cast<std::size_t>(index)); }

  int UndoPointer = -1;
  bool Locked = false;

 private:
  TCustomEditorBase& editor_;
  std::vector<std::unique_ptr<TUndo>> records_;
};

}  // namespace editor
