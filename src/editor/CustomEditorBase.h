// TCustomEditorBase: the view half of the editor control — caret and selection,
// scrolling and layout, painting, keys and mouse — over text supplied by a subclass.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "editor/Commands.h"
#include "editor/EditorTypes.h"
#include "editor/LineAttrs.h"
#include "editor/UndoBuffer.h"
#include "platform/Colors.h"
#include "platform/Host.h"
#include "platform/Messages.h"
#include "platform/Surface.h"

namespace editor {

using platform::TColor;

// The editor base. Positions are (column, row) from 0; columns run 0..MaxColumn and
// the caret may stand beyond the end of its line. The control is neither copyable nor
// movable; it talks to its window only through Host.
class TCustomEditorBase {
 public:
  explicit TCustomEditorBase(platform::Host& host);
  virtual ~TCustomEditorBase();
  TCustomEditorBase(const TCustomEditorBase&) = delete;
  TCustomEditorBase& operator=(const TCustomEditorBase&) = delete;

  // ---- What the base needs of the text (supplied by the string editor) ----
  virtual int LineCount() const = 0;
  virtual int LineLength(int row) const = 0;
  // False for a row outside the text.
  virtual bool LineText(int row, std::string& text) const = 0;

  // ---- What the base needs of the string editor ----
  // Inserts one typed character (codes 0..255); not called when ReadOnly.
  virtual void TypeChar(unsigned char ch) = 0;
  // The editing handler for the codes the dispatcher does not run itself; may change
  // x, y and useSetCaret; answers whether it finished the command.
  virtual bool EditCommand(TCommand code, int& x, int& y, bool& useSetCaret) = 0;

  // ---- Caret and selection state ----
  int CaretX = 0;
  int CaretY = 0;
  int SelBegX = 0, SelBegY = 0;
  int SelEndX = 0, SelEndY = 0;
  int SelAnchorX = 0, SelAnchorY = 0;
  bool Selected = false;
  bool Selecting = false;
  TSelBlockFormat SelBlockFormat = bfNonInclusive;
  int GroupDepth = 0;

  // ---- Options ----
  bool InsertMode = true;
  bool ReadOnly = false;
  bool CursorBeyondEOF = false;
  bool BeepOnError = true;
  bool KeepSelection = false;
  bool TypingReplacesSelection = true;

  // Saved SelBegX/SelEndX while the line format replaces them with 0 and MaxColumn.
  int LineModeBegX = 0, LineModeEndX = 0;

  // ---- Caret and selection operations ----
  void SetCaret(int x, int y);
  void MoveCaretTo(int x, int y);
  void ExtendSelection(int x, int y);
  void SelectRange(int begX, int begY, int endX, int endY);
  void SelectWholeText();
  void CancelSelection();
  void DropSelectionOnMove();
  bool CanStartSelection() const;

  // ---- Layout and scrolling ----
  int GutterWidth = 0;
  int LeftCol = 0, TopRow = 0;
  int VisibleColCount = 0, VisibleRowCount = 0;
  int CellWidth = 0, CellHeight = 0;
  void UpdateLayout();
  void SetLeftTop(int col, int row);

  // ---- Painting ----
  // Per-row colouring hook: writes entries of Attrs for the row about to be painted,
  // after the defaults and before line marks, brackets and the selection. The base
  // version changes nothing.
  virtual void ComputeLineAttrs(int row, int colBeg, int colEnd);
  TLineAttrs Attrs;
  void RepaintRow(int row);
  void InvalidateControl();

  // ---- Keys and dispatch ----
  void Command(TCommand code);
  void KeyDown(std::uint16_t& key, std::uint8_t shift);
  void KeyPress(char& ch);
  // EM_GETSEL and EM_SETSEL.
  platform::LRESULT PerformSelectionMessage(platform::TMessage msg, platform::WPARAM wParam,
                                            platform::LPARAM lParam);

  // ---- Update lock ----
  int UpdateLock = 0;
  void OpenUpdate();
  void CloseUpdate();

  bool Modified = false;

  TUndoBuffer& UndoBuffer() { return *undoBuffer_; }

  // ---- Notifications ----
  // Caret, mode and format changes; refreshes bracket highlighting, then OnChangeStatus.
  void StatusChanged();
  std::function<void()> OnChangeStatus;

  platform::Host& Host() { return host_; }

 protected:
  platform::Host& host_;

 private:
  std::unique_ptr<TUndoBuffer> undoBuffer_;
};

}  // namespace editor
