// The mouse handler: clicks place the caret, Shift+click and drags select (scrolling by
// timer beyond the window's edges), double clicks select a word or a line, the wheel scrolls.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "editor/CustomEditorBase.h"

namespace editor {

void TMouseHandler::MouseDown(TMouseButton pressed, std::uint8_t shift, int x, int y) {
  // The press that comes with a double click has been handled by the double click.
  if (IgnoreNextPress) {
    IgnoreNextPress = false;
    return;
  }
  // The middle button selects a column block like Alt with the left one, for desktops
  // whose window manager keeps Alt+drag for moving windows; but only once it drags: a
  // stray middle click leaves the caret and the selection, its gesture and block format
  // as they were.
  const bool middle = pressed == mbMiddle;
  if (!middle) editor_.Sel.Selecting = false;
  editor_.CloseCompletion(false);
  const platform::TPoint cell = editor_.View().PositionFromPoint(x, y);
  {
    TCaretHider hider(editor_.View());
    if (pressed == mbLeft && (shift & platform::ssShift) == 0) {
      editor_.Sel.BlockFormat = (shift & platform::ssAlt) != 0 ? bfColumn : bfNonInclusive;
      editor_.CancelSelection();
    }
    editor_.Host().SetFocus();
    if (pressed == mbLeft) PlaceByLeftPress(shift, cell);
  }
  middlePress_.reset();
  if (middle && (shift & platform::ssShift) == 0 && !bracketOpen_) middlePress_ = platform::TPoint{x, y};
  MouseIsDown = true;
  if (editor_.OnMouseDown) editor_.OnMouseDown(pressed, shift, x, y);
}

// A left press opens the gesture's undo bracket and places the caret (Shift extends the
// selection from its anchor, or from the caret, to the cell).
void TMouseHandler::PlaceByLeftPress(std::uint8_t shift, platform::TPoint cell) {
  editor_.UndoBuffer().Add(std::make_unique<TBeginCompoundUndo>(editor_));
  bracketOpen_ = true;
  if ((shift & platform::ssShift) != 0) {
    if (editor_.Sel.Selected) {
      const int anchorX = editor_.Sel.Anchor.X;
      const int anchorY = editor_.Sel.Anchor.Y;
      editor_.CancelSelection();
      editor_.ExtendSelection(anchorX, anchorY);
    } else {
      editor_.ExtendSelection(editor_.CaretX, editor_.CaretY);
    }
    editor_.ExtendSelection(cell.X, cell.Y);
  }
  editor_.SetCaret(cell.X, cell.Y);
}

// The held middle button has moved on: from here it is an Alt+left drag that began at the
// pressed cell, and the block's corner stays there.
void TMouseHandler::StartMiddleDrag() {
  const platform::TPoint cell = editor_.View().PositionFromPoint(middlePress_->X, middlePress_->Y);
  middlePress_.reset();
  editor_.Sel.Selecting = false;
  editor_.Sel.BlockFormat = bfColumn;
  editor_.CancelSelection();
  PlaceByLeftPress(platform::ssAlt, cell);
  editor_.ExtendSelection(cell.X, cell.Y);
}

bool TMouseHandler::MiddleMovedOn(int x, int y) const {
  return middlePress_ && (std::abs(x - middlePress_->X) >= DragThreshold || std::abs(y - middlePress_->Y) >= DragThreshold);
}

// A drag selects after a left press, or from the move that takes a held middle button
// far enough from where it went down; other presses (Shift with the middle button, the
// right one) drag nothing.
void TMouseHandler::MouseMove(std::uint8_t shift, bool leftHeld, int x, int y) {
  if (MouseIsDown && leftHeld && (bracketOpen_ || MiddleMovedOn(x, y))) {
    TCaretHider hider(editor_.View());
    if (middlePress_) StartMiddleDrag();
    DragY = y;
    const platform::TPoint cell = editor_.View().PositionFromPoint(x, y);
    DragCol = cell.X;
    DragRow = cell.Y;
    if (DragRow <= editor_.View().LastVisibleRow) {
      editor_.ExtendSelection(DragCol, DragRow);
      editor_.SetCaret(DragCol, DragRow);
    }
    SetDragTimer(y < 0 || y > editor_.View().ClientHeight());
  }
  if (editor_.OnMouseMove) editor_.OnMouseMove(shift, x, y);
}

// The timer is started once when the pointer leaves the window and keeps its beat while
// the pointer moves outside: started anew on every move, it would never tick.
void TMouseHandler::SetDragTimer(bool on) {
  if (on == dragTimerOn_) return;
  dragTimerOn_ = on;
  if (on) {
    editor_.Host().SetTimer(TCustomEditorBase::DragScrollTimerId, 100);
  } else {
    editor_.Host().KillTimer(TCustomEditorBase::DragScrollTimerId);
  }
}

// Within 20 pixels of the edge a drag grows by a row per tick, farther out by a page.
void TMouseHandler::DragScrollTick() {
  const int height = editor_.View().ClientHeight();
  if (DragY >= 0 && DragY <= height) return;
  if (DragY < -20) {
    DragRow -= editor_.View().VisibleRowCount;
  } else if (DragY < 0) {
    DragRow -= 1;
  } else if (DragY > height + 20) {
    DragRow += editor_.View().VisibleRowCount;
  } else {
    DragRow += 1;
  }
  TCaretHider hider(editor_.View());
  editor_.ExtendSelection(DragCol, DragRow);
  editor_.SetCaret(DragCol, DragRow);
}

void TMouseHandler::MouseUp(TMouseButton button, std::uint8_t shift, int x, int y) {
  // Only a gesture that opened the bracket closes it: an end without its beginning would
  // make the next undo take back everything below it.
  if (bracketOpen_) editor_.UndoBuffer().Add(std::make_unique<TEndCompoundUndo>(editor_));
  bracketOpen_ = false;
  SetDragTimer(false);
  middlePress_.reset();
  MouseIsDown = false;
  if (editor_.OnMouseUp) editor_.OnMouseUp(button, shift, x, y);
  if (x >= 0 && x < editor_.View().GutterWidth && editor_.OnGutterClick) {
    editor_.OnGutterClick(editor_.View().PositionFromPoint(x, y).Y);
  }
}

void TMouseHandler::DblClick(int x, int y) {
  IgnoreNextPress = true;
  if (editor_.OnDblClick) editor_.OnDblClick();
  if (x >= 0 && x < editor_.View().GutterWidth) {
    if (editor_.OnGutterDblClick) editor_.OnGutterDblClick(editor_.View().PositionFromPoint(x, y).Y);
    return;
  }
  if (editor_.DoubleClickLine) {
    SelectLineOnDoubleClick();
  } else if (editor_.LineCount() > 0) {
    SelectWordOnDoubleClick();
  }
}

void TMouseHandler::SelectLineOnDoubleClick() {
  TCaretHider hider(editor_.View());
  editor_.ExtendSelection(0, editor_.CaretY);
  if (editor_.CaretY == editor_.LineCount() - 1) {
    const int end = editor_.LineLength(editor_.CaretY);
    editor_.ExtendSelection(end, editor_.CaretY);
    editor_.SetCaret(end, editor_.CaretY);
  } else {
    editor_.ExtendSelection(0, editor_.CaretY + 1);
    editor_.SetCaret(0, editor_.CaretY + 1);
  }
}

void TMouseHandler::SelectWordOnDoubleClick() {
  std::string text;
  if (!editor_.LineText(editor_.CaretY, text)) return;
  const auto blank = [&text](int i) { return static_cast<unsigned char>(text[static_cast<std::size_t>(i)]) <= 32; };
  int len = static_cast<int>(text.size());
  while (len > 0 && blank(len - 1)) --len;
  if (len == 0) return;  // an empty or blank row selects nothing
  // The caret comes off blanks onto the word the click meant.
  if (editor_.CaretX < len) {
    while (editor_.CaretX < len && blank(editor_.CaretX)) ++editor_.CaretX;
  } else {
    editor_.CaretX = len - 1;
    while (editor_.CaretX > 0 && blank(editor_.CaretX)) --editor_.CaretX;
  }
  // On a row longer than the caret's range the word may lie past its last column.
  editor_.CaretX = std::min(editor_.CaretX, MaxColumn);
  int start = 0;
  int end = 0;
  editor_.WordBoundsAt(editor_.CaretX, editor_.CaretY, start, end);
  TCaretHider hider(editor_.View());
  editor_.ExtendSelection(start - 1, editor_.CaretY);
  editor_.ExtendSelection(end - 1, editor_.CaretY);
  editor_.SetCaret(end - 1, editor_.CaretY);
}

int TWheelSum::Steps(int delta, int step) {
  if ((sum_ > 0 && delta < 0) || (sum_ < 0 && delta > 0)) sum_ = 0;
  sum_ += delta;
  const int steps = sum_ / step;
  sum_ -= steps * step;
  return steps;
}

namespace {

// A notch of the wheel is 120: three rows (or columns) of scrolling, one row of caret
// movement with Shift, one page with Ctrl.
constexpr int NotchStep = 120;
constexpr int ScrollStep = 40;

}  // namespace

std::uint8_t TMouseHandler::WheelModifiers(std::uint8_t shift) {
  const auto modifiers = static_cast<std::uint8_t>(shift & (platform::ssShift | platform::ssAlt | platform::ssCtrl));
  if (modifiers != wheelModifiers_) {
    wheelY_.Reset();
    wheelX_.Reset();
    wheelModifiers_ = modifiers;
  }
  return modifiers;
}

void TMouseHandler::MouseWheel(std::uint8_t shift, int delta) {
  const std::uint8_t modifiers = WheelModifiers(shift);
  if (modifiers == platform::ssShift) {
    const int rows = wheelY_.Steps(delta, NotchStep);
    for (int i = 0; i < std::abs(rows); ++i) editor_.Command(rows > 0 ? ecUp : ecDown);
  } else if (modifiers == platform::ssCtrl) {
    ScrollBy(true, -wheelY_.Steps(delta, NotchStep) * editor_.View().VertScrollBar.LargeChange);
  } else if (modifiers == platform::ssNone) {
    ScrollBy(true, -wheelY_.Steps(delta, ScrollStep));
  }
}

void TMouseHandler::MouseHWheel(std::uint8_t shift, int delta) {
  const std::uint8_t modifiers = WheelModifiers(shift);
  // Some platforms turn Shift with the wheel into a sideways turn: it still moves the caret.
  if (modifiers == platform::ssShift) {
    MouseWheel(shift, delta);
  } else if (modifiers == platform::ssNone) {
    ScrollBy(false, -wheelX_.Steps(delta, ScrollStep));
  }
}

// The bar moves first and the view follows it, so the two never part.
void TMouseHandler::ScrollBy(bool vertical, int cells) {
  if (cells == 0) return;
  TEditorView& view = editor_.View();
  TControlScrollBar95& bar = vertical ? view.VertScrollBar : view.HorzScrollBar;
  bar.SetPosition(bar.Position() + cells);
  view.ScrollView(vertical, bar.Position());
}

}  // namespace editor
