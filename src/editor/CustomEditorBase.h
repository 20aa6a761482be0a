// TCustomEditorBase: the view half of the editor control — caret and selection,
// scrolling and layout, painting, keys and mouse — over text supplied by a subclass.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "editor/EditorTypes.h"
#include "editor/UndoBuffer.h"
#include "platform/Colors.h"
#include "platform/Host.h"
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
