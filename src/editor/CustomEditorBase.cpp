// Construction, property setters, the update lock, status notifications, focus and
// timers of the editor base.
#include "editor/CustomEditorBase.h"

#include "platform/Errors.h"

namespace editor {

TCustomEditorBase::TCustomEditorBase(platform::Host& host)
    : host_(host),
      undoBuffer_(std::make_unique<TUndoBuffer>(*this)),
      view_(*this, host),
      dispatcher_(*this),
      mouse_(*this) {}

TCustomEditorBase::~TCustomEditorBase() = default;

void TLineInformationList::SetMark(int row, int style) {
  if (style == 0) {
    marks_.erase(row);
  } else {
    marks_[row] = style;
  }
}

int TLineInformationList::StyleOf(int row) const {
  const auto it = marks_.find(row);
  return it == marks_.end() ? 0 : it->second;
}

// ---- Properties ----

void TCustomEditorBase::SetColor(TColor color) {
  Color = color;
  view_.InvalidateControl();
}

void TCustomEditorBase::SetFont(const platform::TFontSpec& font) {
  Font = font;
  view_.UpdateLayout();
  view_.InvalidateControl();
}

void TCustomEditorBase::SetGutterColor(TColor color) {
  GutterColor = color;
  view_.PaintGutter();
}

void TCustomEditorBase::SetSelForeColor(TColor color) {
  SelForeColor = color;
  view_.InvalidateControl();
}

void TCustomEditorBase::SetSelBackColor(TColor color) {
  SelBackColor = color;
  view_.InvalidateControl();
}

void TCustomEditorBase::SetInsertMode(bool insert) {
  if (insert == InsertMode) return;
  InsertMode = insert;
  StatusChanged();
}

void TCustomEditorBase::SetReadOnly(bool readOnly) {
  if (readOnly == ReadOnly) return;
  ReadOnly = readOnly;
  StatusChanged();
}

void TCustomEditorBase::SetSelBlockFormat(TSelBlockFormat format) {
  Command(static_cast<TCommand>(ecBlockInclusive + format));
}

// ---- Update lock ----

void TCustomEditorBase::OpenUpdate() { ++UpdateLock; }

void TCustomEditorBase::CloseUpdate() {
  if (UpdateLock <= 0) throw platform::EAssertionFailed("Assertion failure");
  if (--UpdateLock == 0) {
    view_.RepaintAllOnNextPaint();
    view_.UpdateLayout();
    StatusChanged();
    view_.InvalidateControl();
  }
}

void TCustomEditorBase::StatusChanged() {
  UpdateBracketHighlighting();
  if (OnChangeStatus) OnChangeStatus();
}

// ---- Window entry points ----

void TCustomEditorBase::FocusEnter() { view_.CreateSystemCaret(); }

void TCustomEditorBase::FocusLeave() {
  CloseCompletion(false);
  host_.DestroyCaret();
}

void TCustomEditorBase::Timer(int id) {
  if (id == DragScrollTimerId) mouse_.DragScrollTick();
  if (id == CompletionTimerId) CompletionTimer();
}

// ---- Hooks the later parts fill; the base has no colouring, popup, clipboard or block indent ----

// Without a highlighter every character keeps the defaults.
void TCustomEditorBase::ComputeLineAttrs(int, int, int) {}

bool TCustomEditorBase::CompletionKeyDown(std::uint16_t, std::uint8_t) { return false; }
void TCustomEditorBase::CompletionKeyPress(char) {}
void TCustomEditorBase::CloseCompletion(bool) {}
void TCustomEditorBase::OpenCompletion(TCompletionMode) {}
void TCustomEditorBase::CompletionTimer() {}
void TCustomEditorBase::Copy() {}
void TCustomEditorBase::Cut() {}
void TCustomEditorBase::Paste() {}
void TCustomEditorBase::IndentRows(int, int, int) {}
void TCustomEditorBase::UnindentRows(int, int, int) {}
void TCustomEditorBase::IndentSelection() {}
void TCustomEditorBase::UnindentSelection() {}

}  // namespace editor
