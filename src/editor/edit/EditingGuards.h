// Scope guards of the editing operations: whatever an operation opens (the raw update
// lock, the update bracket, an undo group) is closed again when the operation ends, also
// when an error passes through it.
#pragma once

#include <exception>
#include <memory>

#include "editor/CustomEditorBase.h"
#include "editor/UndoBuffer.h"

namespace editor {

// Raises UpdateLock for the guard's life and lowers it again without the end-of-update
// work of CloseUpdate: the operation repaints and relayouts by itself afterwards.
class TUpdateLockGuard {
 public:
  explicit TUpdateLockGuard(TCustomEditorBase& editor) : editor_(editor) { ++editor_.UpdateLock; }
  ~TUpdateLockGuard() { --editor_.UpdateLock; }
  TUpdateLockGuard(const TUpdateLockGuard&) = delete;
  TUpdateLockGuard& operator=(const TUpdateLockGuard&) = delete;

 private:
  TCustomEditorBase& editor_;
};

// OpenUpdate for the guard's life, CloseUpdate (with its repaint and layout) at the end.
// An error raised by CloseUpdate itself propagates, unless another error is already on its
// way out of the operation: that one is the one worth reporting.
class TUpdateBracket {
 public:
  explicit TUpdateBracket(TCustomEditorBase& editor)
      : editor_(editor), pendingErrors_(std::uncaught_exceptions()) {
    editor_.OpenUpdate();
  }
  ~TUpdateBracket() noexcept(false) {
    if (std::uncaught_exceptions() > pendingErrors_) {
      try {
        editor_.CloseUpdate();
      } catch (...) {
      }
      return;
    }
    editor_.CloseUpdate();
  }
  TUpdateBracket(const TUpdateBracket&) = delete;
  TUpdateBracket& operator=(const TUpdateBracket&) = delete;

 private:
  TCustomEditorBase& editor_;
  int pendingErrors_;
};

// An undo group (begin and end markers, GroupDepth) around the guard's life, so that the
// records made inside are taken back in one undo step. An inactive guard does nothing:
// several operations group only when a selection is replaced.
class TUndoGroupGuard {
 public:
  enum TActivation { gaOpen, gaSkip };
  explicit TUndoGroupGuard(TCustomEditorBase& editor, TActivation activation = gaOpen)
      : editor_(editor), open_(activation == gaOpen) {
    if (!open_) return;
    ++editor_.GroupDepth;
    editor_.UndoBuffer().Add(std::make_unique<TBeginCompoundUndo>(editor_));
  }
  ~TUndoGroupGuard() {
    if (!open_) return;
    editor_.UndoBuffer().Add(std::make_unique<TEndCompoundUndo>(editor_));
    --editor_.GroupDepth;
  }
  TUndoGroupGuard(const TUndoGroupGuard&) = delete;
  TUndoGroupGuard& operator=(const TUndoGroupGuard&) = delete;

 private:
  TCustomEditorBase& editor_;
  bool open_;
};

}  // namespace editor
