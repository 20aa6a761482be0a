// The caret and the selection: placing the caret, extending and setting selections,
// character offsets, the selection messages and bookmarks.
#include <algorithm>
#include <climits>

#include "editor/CustomEditorBase.h"

namespace editor {

void TCustomEditorBase::SetCaret(int x, int y) {
  if (x == CaretX && y == CaretY) return;
  UndoBuffer().Add(std::make_unique<TCaretUndo>(*this, CaretX, CaretY));
  MoveCaretTo(x, y);
  if (UpdateLock <= 0) StatusChanged();
}

void TCustomEditorBase::MoveCaretTo(int x, int y) {
  if (x == CaretX && y == CaretY) return;
  if (!CursorBeyondEOF) y = std::min(y, LineCount() - 1);
  y = std::max(y, 0);
  x = std::clamp(x, 0, MaxColumn);
  // A window too small for a whole row or column still keeps the caret's own cell at
  // the top left, never scrolled past it.
  if (y < view_.TopRow) {
    view_.SetLeftTop(view_.LeftCol, y);
  } else if (y > std::max(view_.LastVisibleRow, 0)) {
    view_.SetLeftTop(view_.LeftCol, y - std::max(view_.VisibleRowCount, 1) + 1);
  }
  if (x < view_.LeftCol) {
    view_.SetLeftTop(x, view_.TopRow);
  } else if (x > view_.LastVisibleCol) {
    view_.SetLeftTop(x - std::max(view_.VisibleColCount, 1) + 1, view_.TopRow);
  }
  const bool moved = x != CaretX || y != CaretY;
  CaretX = x;
  CaretY = y;
  view_.PlaceSystemCaret();
  if (moved) StatusChanged();
}

void TCustomEditorBase::ExtendSelection(int x, int y) {
  UndoBuffer().Add(std::make_unique<TSelectUndo>(*this, CaretX, CaretY));
  const bool streamFormat = Sel.BlockFormat == bfInclusive || Sel.BlockFormat == bfNonInclusive;
  x = std::max(x, 0);
  y = std::max(y, 0);
  const int lines = LineCount();
  if (y >= lines) {
    y = std::max(lines - 1, 0);
    if (streamFormat) x = LineLength(y);
  }
  if (streamFormat && y < lines) x = std::min(x, LineLength(y));
  if (KeepSelection) {
    if (SelectionDropped) Sel.Selected = Sel.Selecting = false;
    SelectionDropped = false;
  }
  const int oldBegY = Sel.Beg.Y;
  const int oldEndY = Sel.End.Y;
  // Rows deleted during the gesture (Shift+Backspace joining the last row, a replayed
  // macro) can leave its anchor below the text; it moves up to the last row, so that the
  // selection never names rows that are gone.
  if (Sel.Selecting && Sel.Anchor.Y >= std::max(lines, 1)) {
    Sel.Anchor.Y = std::max(lines - 1, 0);
    if (streamFormat) Sel.Anchor.X = std::min(Sel.Anchor.X, LineLength(Sel.Anchor.Y));
  }
  if (Sel.Selecting) {
    if (Sel.BlockFormat == bfLine) {
      Sel.Beg.X = Sel.LineModeBegX;
      Sel.End.X = Sel.LineModeEndX;
    }
    view_.StartRepaintRange(Sel.Beg.Y, Sel.End.Y);
    if (Sel.Anchor.Y >= y) {
      Sel.Beg.Y = y;
      Sel.End.Y = Sel.Anchor.Y;
    }
    if (y >= Sel.Anchor.Y) {
      Sel.Beg.Y = Sel.Anchor.Y;
      Sel.End.Y = y;
    }
    if (y < Sel.Anchor.Y || (y == Sel.Anchor.Y && x <= Sel.Anchor.X)) {
      Sel.Beg.X = x;
      Sel.End.X = Sel.Anchor.X;
    }
    if (y > Sel.Anchor.Y || (y == Sel.Anchor.Y && x >= Sel.Anchor.X)) {
      Sel.Beg.X = Sel.Anchor.X;
      Sel.End.X = x;
    }
    if (Sel.BlockFormat == bfColumn && Sel.Beg.X > Sel.End.X) std::swap(Sel.Beg.X, Sel.End.X);
    if (Sel.BlockFormat == bfLine) {
      Sel.LineModeBegX = Sel.Beg.X;
      Sel.LineModeEndX = Sel.End.X;
      Sel.Beg.X = 0;
      Sel.End.X = MaxColumn;
    }
    Sel.Selected = Sel.Beg.Y < Sel.End.Y || (Sel.Beg.Y == Sel.End.Y && Sel.Beg.X < Sel.End.X);
  } else {
    Sel.Anchor = Sel.Beg = Sel.End = {x, y};
    Sel.Selected = false;
    Sel.Selecting = true;
    if (Sel.BlockFormat == bfLine) {
      Sel.LineModeBegX = Sel.Beg.X;
      Sel.LineModeEndX = Sel.End.X;
      Sel.Beg.X = 0;
      Sel.End.X = MaxColumn;
    }
  }
  if (GroupDepth <= 0) {
    if (Sel.BlockFormat == bfColumn) {
      view_.RepaintRows(std::min(oldBegY, Sel.Beg.Y), std::max(oldEndY, Sel.End.Y));
    } else {
      view_.RepaintRows(std::min(oldBegY, Sel.Beg.Y), std::max(oldBegY, Sel.Beg.Y));
      view_.RepaintRows(std::min(oldEndY, Sel.End.Y), std::max(oldEndY, Sel.End.Y));
    }
    if (OnSelectionChange) OnSelectionChange();
  }
  view_.WidenRepaintRange(Sel.Beg.Y, Sel.End.Y);
}

void TCustomEditorBase::SelectRange(int begX, int begY, int endX, int endY) {
  UndoBuffer().Add(std::make_unique<TSelectUndo>(*this, CaretX, CaretY));
  Sel.Selected = Sel.Selecting = false;
  begX = std::max(begX, 0);
  begY = std::max(begY, 0);
  endX = std::min(endX, MaxColumn);
  const int lines = LineCount();
  if (endY < begY || begY >= lines) return;
  endY = std::min(endY, lines - 1);
  if (endY < 0) return;
  Sel.Beg = {begX, begY};
  Sel.End = {endX, endY};
  Sel.LineModeBegX = begX;
  Sel.LineModeEndX = endX;
  // A line selection always covers whole rows.
  if (Sel.BlockFormat == bfLine) {
    Sel.Beg.X = 0;
    Sel.End.X = MaxColumn;
  }
  Sel.Selected = true;
  Sel.Selecting = false;
  view_.WidenRepaintRange(begY, endY);
  if (GroupDepth <= 0) view_.RepaintRows(begY, endY);
}

void TCustomEditorBase::SelectWholeText() { SelectRange(0, 0, MaxColumn, INT_MAX); }

void TCustomEditorBase::CancelSelection() {
  if (!Sel.Selected) return;
  Sel.Selected = Sel.Selecting = false;
  UndoBuffer().Add(std::make_unique<TUnselectUndo>(*this, CaretX, CaretY));
  view_.RepaintSelectionRows();
}

void TCustomEditorBase::DropSelectionOnMove() {
  SelectionDropped = true;
  if (!KeepSelection) CancelSelection();
}

bool TCustomEditorBase::CanStartSelection() const {
  if (!KeepSelection) return !Sel.Selected;
  return !Sel.Selected || SelectionDropped;
}

// ---- Offsets ----

platform::TPoint TCustomEditorBase::OffsetToPos(int offset) const {
  if (offset < 0) return {-1, -1};
  long long sum = 0;
  const int lines = LineCount();
  for (int row = 0; row < lines; ++row) {
    const int length = LineLength(row);
    // An offset between the CR and the LF of a break goes to the start of the next row.
    if (sum + length >= offset) return {static_cast<int>(std::max<long long>(offset - sum, 0)), row};
    sum += length + 2;
  }
  return {-1, -1};
}

int TCustomEditorBase::PosToOffset(int x, int y) const {
  if (y >= LineCount()) return -1;
  long long offset = 0;
  for (int row = 0; row < y; ++row) offset += LineLength(row) + 2;
  if (y >= 0) offset += std::min(x, LineLength(y));
  return static_cast<int>(std::min<long long>(offset, INT_MAX));
}

int TCustomEditorBase::SelStart() const {
  return Sel.Selected ? PosToOffset(Sel.Beg.X, Sel.Beg.Y) : PosToOffset(CaretX, CaretY);
}

void TCustomEditorBase::SetSelStart(int offset) {
  Sel.Selected = Sel.Selecting = false;
  const platform::TPoint p = OffsetToPos(offset);
  MoveCaretTo(p.X, p.Y);
  SetSelLength(0);
  view_.ScrollToRow(CaretY);
}

int TCustomEditorBase::SelLength() const {
  if (!Sel.Selected) return 0;
  const int lines = LineCount();
  if (Sel.Beg.Y < 0 || Sel.Beg.Y >= lines || Sel.End.Y < 0 || Sel.End.Y >= lines) {
    if (BeepOnError) host_.Beep();
    return 0;
  }
  long long total = 0;
  if (Sel.BlockFormat == bfColumn) {
    for (int row = Sel.Beg.Y; row <= Sel.End.Y; ++row) {
      const int part = std::clamp(LineLength(row) - Sel.Beg.X, 0, Sel.End.X - Sel.Beg.X + 1);
      total += part + 2;
    }
    total -= 2;
    return static_cast<int>(std::max<long long>(total, 0));
  }
  const int inclusive = Sel.BlockFormat == bfInclusive ? 1 : 0;
  if (Sel.Beg.Y == Sel.End.Y) return std::max(std::min(LineLength(Sel.Beg.Y), Sel.End.X + inclusive) - Sel.Beg.X, 0);
  total = std::max(LineLength(Sel.Beg.Y) - Sel.Beg.X, 0);
  for (int row = Sel.Beg.Y + 1; row < Sel.End.Y; ++row) total += LineLength(row) + 2;
  total += std::min(LineLength(Sel.End.Y), Sel.End.X + inclusive) + 2;
  return static_cast<int>(std::min<long long>(total, INT_MAX));
}

// The length of the text as offsets count it: every line and its CR LF, less the last.
static long long TextOffsetLength(const TCustomEditorBase& editor) {
  long long total = 0;
  const int lines = editor.LineCount();
  for (int row = 0; row < lines; ++row) total += editor.LineLength(row) + 2;
  return std::max<long long>(total - 2, 0);
}

void TCustomEditorBase::SetSelLength(int length) {
  const int start = SelStart();
  const platform::TPoint begin = OffsetToPos(start);
  // An end past the text selects up to its end rather than to no position at all.
  const long long endOffset = std::min<long long>(static_cast<long long>(start) + std::max(length, 0),
                                                  TextOffsetLength(*this));
  const platform::TPoint end = OffsetToPos(static_cast<int>(endOffset));
  Sel.Selected = length > 0 && begin.Y >= 0 && end.Y >= 0;
  if (begin.Y >= 0) Sel.Beg = begin;
  if (end.Y >= 0) {
    Sel.End = end;
    MoveCaretTo(end.X, end.Y);
  }
  view_.InvalidateControl();
}

platform::LRESULT TCustomEditorBase::PerformSelectionMessage(platform::TMessage msg, platform::WPARAM wParam,
                                                             platform::LPARAM lParam) {
  if (msg == platform::EM_GETSEL) {
    const int start = SelStart();
    const int end = start + SelLength();
    if (wParam != 0) *reinterpret_cast<std::uint32_t*>(wParam) = static_cast<std::uint32_t>(start);
    if (lParam != 0) *reinterpret_cast<std::uint32_t*>(lParam) = static_cast<std::uint32_t>(end);
    if (start > 0xFFFF || end > 0xFFFF) return -1;
    return static_cast<platform::LRESULT>((static_cast<std::uint32_t>(end) << 16) | static_cast<std::uint32_t>(start));
  }
  if (msg == platform::EM_SETSEL) {
    if (wParam == 0 && lParam == -1) {
      SelectWholeText();
    } else {
      // A negative end means the end of the text, as with a standard edit control.
      const long long end = lParam < 0 ? TextOffsetLength(*this) : static_cast<long long>(lParam);
      SetSelStart(static_cast<int>(wParam));
      SetSelLength(static_cast<int>(std::clamp<long long>(end - static_cast<long long>(wParam), 0, INT_MAX)));
    }
  }
  return 0;
}

// ---- Bookmarks ----

void TCustomEditorBase::SetBookmark(int index) {
  TBookmark& mark = Bookmarks.at(static_cast<std::size_t>(index));
  // The same key on the same row clears the mark again.
  if (!mark.Valid || mark.Y != CaretY) {
    mark = TBookmark{CaretX, CaretY, true};
  } else {
    mark.Valid = false;
  }
  view_.PaintGutter();
}

bool TCustomEditorBase::ScrollToBookmark(int index, TPosition& pos) {
  const TBookmark mark = Bookmarks.at(static_cast<std::size_t>(index));
  if (!mark.Valid) return false;
  // A mark out of view comes to the middle of it.
  const TEditorView& v = view_;
  const int top = (mark.Y < v.TopRow || mark.Y > v.LastVisibleRow) ? mark.Y - v.VisibleRowCount / 2 : v.TopRow;
  const int left = (mark.X < v.LeftCol || mark.X > v.LastVisibleCol) ? mark.X - v.VisibleColCount / 2 : v.LeftCol;
  view_.SetLeftTop(left, top);
  pos = {mark.X, mark.Y};
  return true;
}

void TCustomEditorBase::GotoBookmark(int index) {
  TPosition pos{CaretX, CaretY};
  if (!ScrollToBookmark(index, pos)) return;
  SetCaret(pos.X, pos.Y);
  view_.PaintGutter();
}

}  // namespace editor
