// Construction, property setters, the update lock, status notifications and the window
// entry points (creation, resize, focus, timers) of the editor base.
#include "editor/CustomEditorBase.h"

#include "platform/Errors.h"

namespace editor {

TCustomEditorBase::TCustomEditorBase(platform::Host& host)
    : HorzScrollBar(host, platform::TScrollBarKind::sbHorizontal),
      VertScrollBar(host, platform::TScrollBarKind::sbVertical),
      host_(host),
      undoBuffer_(std::make_unique<TUndoBuffer>(*this)) {
  Keyboard.SetDefaultLayout();
}

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
  InvalidateControl();
}

void TCustomEditorBase::SetFont(const platform::TFontSpec& font) {
  Font = font;
  UpdateLayout();
  InvalidateControl();
}

void TCustomEditorBase::SetGutterColor(TColor color) {
  GutterColor = color;
  PaintGutter();
}

void TCustomEditorBase::SetSelForeColor(TColor color) {
  SelForeColor = color;
  InvalidateControl();
}

void TCustomEditorBase::SetSelBackColor(TColor color) {
  SelBackColor = color;
  InvalidateControl();
}

void TCustomEditorBase::SetRightMargin(int column) {
  RightMargin = column;
  InvalidateControl();
}

void TCustomEditorBase::SetRightMarginColor(TColor color) {
  RightMarginColor = color;
  InvalidateControl();
}

void TCustomEditorBase::SetRightMarginVisible(bool visible) {
  RightMarginVisible = visible;
  InvalidateControl();
}

void TCustomEditorBase::SetHideCaret(bool hide) {
  if (hide == HideCaret) return;
  if (hide && host_.Focused()) host_.HideCaret();
  HideCaret = hide;
  if (!hide && host_.Focused()) {
    PlaceSystemCaret();
    host_.ShowCaret();
  }
}

void TCustomEditorBase::SetGutterWidth(int width) {
  if (width == GutterWidth) return;
  GutterWidth = width;
  UpdateLayout();
  InvalidateControl();
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
    fullRepaintPending_ = true;
    UpdateLayout();
    StatusChanged();
    InvalidateControl();
  }
}

void TCustomEditorBase::StatusChanged() {
  UpdateBracketHighlighting();
  if (OnChangeStatus) OnChangeStatus();
}

void TCustomEditorBase::InvalidateControl() { host_.InvalidateAll(); }

// ---- Window entry points ----

void TCustomEditorBase::WindowCreated() {
  windowCreated_ = true;
  HorzScrollBar.Attach(ScrollBars == TScrollStyle::Horizontal || ScrollBars == TScrollStyle::Both);
  VertScrollBar.Attach(ScrollBars == TScrollStyle::Vertical || ScrollBars == TScrollStyle::Both);
  fullRepaintPending_ = true;
  UpdateLayout();
}

void TCustomEditorBase::Resized() { UpdateLayout(); }

void TCustomEditorBase::FocusEnter() { CreateSystemCaret(); }

void TCustomEditorBase::FocusLeave() {
  CloseCompletion(false);
  host_.DestroyCaret();
}

void TCustomEditorBase::Timer(int id) {
  if (id == DragScrollTimerId) DragScrollTick();
  if (id == CompletionTimerId) CompletionTimer();
}

// ---- Hooks the later parts fill; the base has no popup, clipboard or block indent ----

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
