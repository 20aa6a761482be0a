// Mouse input: clicks place the caret, Shift+click and drags select (scrolling by timer
// beyond the window's edges), double clicks select a word or a line, the wheel scrolls.
#include <algorithm>
#include <string>

#include "editor/CustomEditorBase.h"

namespace editor {

void TCustomEditorBase::MouseDown(TMouseButton pressed, std::uint8_t shift, int x, int y) {
  // The press that comes with a double click has been handled by the double click.
  if (IgnoreNextPress) {
    IgnoreNextPress = false;
    return;
  }
  // The middle button selects a column block like Alt with the left one, for desktops
  // whose window manager keeps Alt+drag for moving windows.
  const bool columnDrag = pressed == mbMiddle && (shift & platform::ssShift) == 0;
  const TMouseButton button = columnDrag ? mbLeft : pressed;
  const std::uint8_t held = columnDrag ? shift | platform::ssAlt : shift;
  Selecting = false;
  CloseCompletion(false);
  const platform::TPoint cell = PositionFromPoint(x, y);
  {
    TCaretHider hider(*this);
    const bool withShift = (held & platform::ssShift) != 0;
    if (button == mbLeft && !withShift) {
      SelBlockFormat = (held & platform::ssAlt) != 0 ? bfColumn : bfNonInclusive;
      CancelSelection();
    }
    host_.SetFocus();
    if (button == mbLeft) {
      UndoBuffer().Add(std::make_unique<TBeginCompoundUndo>(*this));
      if (withShift) {
        if (Selected) {
          const int anchorX = SelAnchorX;
          const int anchorY = SelAnchorY;
          CancelSelection();
          ExtendSelection(anchorX, anchorY);
        } else {
          ExtendSelection(CaretX, CaretY);
        }
        ExtendSelection(cell.X, cell.Y);
      }
      SetCaret(cell.X, cell.Y);
    }
  }
  MouseIsDown = true;
  if (OnMouseDown) OnMouseDown(pressed, shift, x, y);
}

void TCustomEditorBase::MouseMove(std::uint8_t shift, bool leftHeld, int x, int y) {
  if (MouseIsDown && leftHeld) {
    TCaretHider hider(*this);
    DragY = y;
    const platform::TPoint cell = PositionFromPoint(x, y);
    DragCol = cell.X;
    DragRow = cell.Y;
    if (DragRow <= LastVisibleRow) {
      ExtendSelection(DragCol, DragRow);
      SetCaret(DragCol, DragRow);
    }
    if (y < 0 || y > ClientHeight()) {
      host_.SetTimer(DragScrollTimerId, 100);
    } else {
      host_.KillTimer(DragScrollTimerId);
    }
  }
  if (OnMouseMove) OnMouseMove(shift, x, y);
}

// Within 20 pixels of the edge a drag grows by a row per tick, farther out by a page.
void TCustomEditorBase::DragScrollTick() {
  const int height = ClientHeight();
  if (DragY >= 0 && DragY <= height) return;
  if (DragY < -20) {
    DragRow -= VisibleRowCount;
  } else if (DragY < 0) {
    DragRow -= 1;
  } else if (DragY > height + 20) {
    DragRow += VisibleRowCount;
  } else {
    DragRow += 1;
  }
  TCaretHider hider(*this);
  ExtendSelection(DragCol, DragRow);
  SetCaret(DragCol, DragRow);
}

void TCustomEditorBase::MouseUp(TMouseButton button, std::uint8_t shift, int x, int y) {
  if (MouseIsDown) UndoBuffer().Add(std::make_unique<TEndCompoundUndo>(*this));
  host_.KillTimer(DragScrollTimerId);
  MouseIsDown = false;
  if (OnMouseUp) OnMouseUp(button, shift, x, y);
  if (x >= 0 && x < GutterWidth && OnGutterClick) OnGutterClick(PositionFromPoint(x, y).Y);
}

void TCustomEditorBase::DblClick(int x, int y) {
  IgnoreNextPress = true;
  if (OnDblClick) OnDblClick();
  if (x >= 0 && x < GutterWidth) {
    if (OnGutterDblClick) OnGutterDblClick(PositionFromPoint(x, y).Y);
    return;
  }
  if (DoubleClickLine) {
    SelectLineOnDoubleClick();
  } else if (LineCount() > 0) {
    SelectWordOnDoubleClick();
  }
}

void TCustomEditorBase::SelectLineOnDoubleClick() {
  TCaretHider hider(*this);
  ExtendSelection(0, CaretY);
  if (CaretY == LineCount() - 1) {
    const int end = LineLength(CaretY);
    ExtendSelection(end, CaretY);
    SetCaret(end, CaretY);
  } else {
    ExtendSelection(0, CaretY + 1);
    SetCaret(0, CaretY + 1);
  }
}

void TCustomEditorBase::SelectWordOnDoubleClick() {
  std::string text;
  if (!LineText(CaretY, text)) return;
  const auto blank = [&text](int i) { return static_cast<unsigned char>(text[static_cast<std::size_t>(i)]) <= 32; };
  int len = static_cast<int>(text.size());
  while (len > 0 && blank(len - 1)) --len;
  if (len == 0) return;  // an empty or blank row selects nothing
  // The caret comes off blanks onto the word the click meant.
  if (CaretX < len) {
    while (CaretX < len && blank(CaretX)) ++CaretX;
  } else {
    CaretX = len - 1;
    while (CaretX > 0 && blank(CaretX)) --CaretX;
  }
  // On a row longer than the caret's range the word may lie past its last column.
  CaretX = std::min(CaretX, MaxColumn);
  int start = 0;
  int end = 0;
  WordBoundsAt(CaretX, CaretY, start, end);
  TCaretHider hider(*this);
  ExtendSelection(start - 1, CaretY);
  ExtendSelection(end - 1, CaretY);
  SetCaret(end - 1, CaretY);
}

void TCustomEditorBase::MouseWheel(std::uint8_t shift, int delta) {
  const std::uint8_t modifiers = shift & (platform::ssShift | platform::ssAlt | platform::ssCtrl);
  if (modifiers == platform::ssShift) {
    Command(delta > 0 ? ecUp : ecDown);
    return;
  }
  int position = VertScrollBar.Position();
  if (modifiers == platform::ssCtrl) {
    position += delta >= 0 ? -VertScrollBar.LargeChange : VertScrollBar.LargeChange;
  } else if (modifiers == platform::ssNone) {
    position -= delta / 40;  // three rows per notch of 120
  } else {
    return;
  }
  VertScrollBar.SetPosition(position);
  ScrollView(true, VertScrollBar.Position());
}

}  // namespace editor
