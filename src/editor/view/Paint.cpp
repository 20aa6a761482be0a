// The view's painting: rows of text in runs of equal attributes, the attribute pass
// (defaults, highlighter, line marks, brackets, selection), the gutter, the right margin,
// the pending repaint range, and the system caret around every paint.
#include <algorithm>
#include <string>

#include "editor/CustomEditorBase.h"

namespace editor {

using platform::TRect;

// ---- Caret ----

void TEditorView::HideCaretNow() {
  if (!HideCaret) host_.HideCaret();
}

void TEditorView::ShowCaretNow() {
  if (!HideCaret) host_.ShowCaret();
}

void TEditorView::PlaceSystemCaret() {
  if (HideCaret || !host_.Focused()) return;
  const TRect cell = CellRect(editor_.CaretX - LeftCol, editor_.CaretY - TopRow);
  // A caret whose cell is left of the text area is parked off the window.
  if (cell.Left < 0 || cell.Left < GutterWidth) {
    host_.SetCaretPos(-32767, -32767);
  } else {
    host_.SetCaretPos(cell.Left - 1, cell.Top + 1);
  }
}

void TEditorView::SetHideCaret(bool hide) {
  if (hide == HideCaret) return;
  if (hide && host_.Focused()) host_.HideCaret();
  HideCaret = hide;
  if (!hide && host_.Focused()) {
    PlaceSystemCaret();
    host_.ShowCaret();
  }
}

void TEditorView::CreateSystemCaret() {
  host_.CreateCaret(2, CellHeight - 2);
  PlaceSystemCaret();
  if (!HideCaret) host_.ShowCaret();
}

// ---- Whole window ----

void TEditorView::Paint(const TRect& clip) {
  if (editor_.UpdateLock > 0 || CellWidth <= 0 || CellHeight <= 0) return;
  // The window paints its whole invalid area now, the waiting rows with it.
  waitingTo_ = waitingFrom_ - 1;
  {
    TCaretHider hider(*this);
    TRect area{clip.Left - GutterWidth, clip.Top, clip.Right - GutterWidth, clip.Bottom};
    if (fullRepaintPending_) area = TRect{0, 0, ClientWidth() - GutterWidth, ClientHeight()};
    const int firstCol = area.Left / CellWidth;
    const int lastCol = area.Right / CellWidth + 1;
    const int firstRow = area.Top / CellHeight;
    const int lastRow = area.Bottom / CellHeight + 1;
    for (int r = firstRow; r <= lastRow; ++r) PaintLine(TopRow + r, LeftCol + firstCol - 1, LeftCol + lastCol);
  }
  PaintGutter();
  fullRepaintPending_ = false;
}

void TEditorView::RepaintRow(int row) { PaintLine(row, -1, -1); }

void TEditorView::RepaintRows(int fromRow, int toRow) {
  // Rows outside the view paint nothing, so a huge range costs no more than the view.
  fromRow = std::max(fromRow, TopRow);
  toRow = std::min(toRow, TopRow + VisibleRowCount);
  for (int row = fromRow; row <= toRow; ++row) RepaintRow(row);
}

void TEditorView::InvalidateControl() { host_.InvalidateAll(); }

void TEditorView::InvalidateRows(int fromRow, int toRow) {
  if (!windowCreated_ || CellHeight <= 0) {
    InvalidateControl();
    return;
  }
  const bool waiting = waitingFrom_ <= waitingTo_;
  waitingFrom_ = waiting ? std::min(waitingFrom_, fromRow) : fromRow;
  waitingTo_ = waiting ? std::max(waitingTo_, toRow) : toRow;
  InvalidateWaitingRows();
}

void TEditorView::InvalidateWaitingRows() {
  const int first = std::max(waitingFrom_, TopRow);
  const int last = std::min(waitingTo_, TopRow + VisibleRowCount);  // the part row too
  if (first > last) return;
  host_.InvalidateRect(TRect{0, (first - TopRow) * CellHeight, ClientWidth(), (last - TopRow + 1) * CellHeight});
}

void TEditorView::MoveWaitingRows(int index, int delta) {
  if (waitingFrom_ > waitingTo_) return;
  if (waitingFrom_ >= index) waitingFrom_ = std::max(index, waitingFrom_ + delta);
  if (waitingTo_ >= index) waitingTo_ = std::max(index, waitingTo_ + delta);
}

void TEditorView::StartRepaintRange(int fromRow, int toRow) {
  repaintFrom_ = fromRow;
  repaintTo_ = toRow;
}

void TEditorView::WidenRepaintRange(int fromRow, int toRow) {
  repaintFrom_ = std::min(repaintFrom_, fromRow);
  repaintTo_ = std::max(repaintTo_, toRow);
}

void TEditorView::RepaintSelectionRows() { RepaintRows(repaintFrom_, repaintTo_); }

void TEditorView::DropFontCache() {
  if (windowCreated_ && host_.HasWindow()) host_.Canvas().SetFont(editor_.Font);
}

// ---- One row ----

void TEditorView::PaintLine(int row, int colBeg, int colEnd) {
  if (row < TopRow || row > TopRow + VisibleRowCount || CellWidth <= 0) return;
  TCaretHider hider(*this);
  colBeg = std::max(colBeg, LeftCol);
  if (colEnd < 0 || colEnd > LeftCol + VisibleColCount) colEnd = LeftCol + VisibleColCount;
  colEnd = std::min(colEnd, MaxColumn - 1);
  int painted = colBeg;
  platform::Surface& canvas = host_.Canvas();
  const int top = (row - TopRow) * CellHeight;
  if (const std::string* text = editor_.StoredLine(row)) {
    PaintRowText(row, *text, colBeg, painted, colEnd);
  } else {
    canvas.FillRect(platform::Bounds(GutterWidth + 2, top, 1, CellHeight), editor_.Color);
  }
  // The space after every selected row but the last shows the selection colour.
  const bool selectedRowEnd =
      editor_.Sel.Selected && editor_.Sel.BlockFormat != bfColumn && editor_.Sel.Beg.Y <= row && row < editor_.Sel.End.Y;
  const int restWidth = (LeftCol + VisibleColCount - painted + 2) * CellWidth;
  if (restWidth > 0) {
    canvas.FillRect(platform::Bounds(CellLeft(painted), top, restWidth, CellHeight),
                    selectedRowEnd ? editor_.SelBackColor : editor_.Color);
  }
  // Only the row's own piece of the margin line: the rest of it is already there.
  DrawRightMarginBand(top, top + CellHeight);
}

void TEditorView::PaintRowText(int row, const std::string& text, int colBeg, int& painted, int colEnd) {
  GetLineAttrs(text, row, colBeg, colEnd);
  platform::Surface& canvas = host_.Canvas();
  const int top = (row - TopRow) * CellHeight;
  const auto entry = [this](int column) -> const TLineAttr& {
    return Attrs[static_cast<std::size_t>(std::min(column + 1, MaxColumn))];
  };
  canvas.FillRect(platform::Bounds(GutterWidth + 2, top, 1, CellHeight), entry(LeftCol).Back);
  const TRect textArea{GutterWidth + 2, top, std::max(ClientWidth(), GutterWidth + 2), top + CellHeight};
  const int length = static_cast<int>(text.size());
  std::string run;
  while (painted < colEnd) {
    const TLineAttr& attr = entry(painted);
    int end = painted + 1;
    while (end < colEnd && entry(end) == attr) ++end;
    run.clear();
    for (int c = painted; c < end; ++c) run.push_back(c < length ? text[static_cast<std::size_t>(c)] : ' ');
    const int left = CellLeft(painted);
    const int width = (end - painted) * CellWidth;
    // The text's own background stops one pixel short of the cell height.
    canvas.FillRect(platform::Bounds(left, top + CellHeight - 1, width, 1), attr.Back);
    canvas.TextRun(left, top, run, CellWidth, attr.Style, attr.Fore, attr.Back, textArea);
    if (attr.Border != platform::clNone) canvas.FrameRect(TRect{left - 1, top, left + width, top + CellHeight}, attr.Border);
    painted = end;
  }
}

// ---- Attributes ----

void TEditorView::GetLineAttrs(const std::string& text, int row, int colBeg, int colEnd) {
  colBeg = std::max(colBeg, 0);
  colEnd = std::min(colEnd, MaxColumn);
  const TLineAttr plain{editor_.Font.Color, editor_.Color, editor_.Font.Style, platform::clNone};
  for (int i = colBeg; i <= colEnd; ++i) Attrs[static_cast<std::size_t>(i)] = plain;
  editor_.ComputeLineAttrs(row, colBeg, colEnd);
  const bool marked = editor_.LineInformation.StyleOf(row) >= 1 && editor_.LineInformation.StyleOf(row) <= 3;
  if (marked) ApplyLineMark(row, colBeg, colEnd);
  if (editor_.BracketHighlighting.Active) ApplyBracketColours(row);
  if (editor_.OnGetLineAttr) editor_.OnGetLineAttr(text, row, Attrs);
  if (editor_.Sel.Selected) ApplySelectionColours(row, colBeg, colEnd, marked);
}

void TEditorView::ApplyLineMark(int row, int colBeg, int colEnd) {
  static constexpr TColor backs[] = {0x0000FF, 0x800000, 0x000080};
  TLineAttr& first = Attrs[static_cast<std::size_t>(colBeg)];
  first.Fore = platform::clWhite;
  first.Back = backs[editor_.LineInformation.StyleOf(row) - 1];
  const int last = colEnd < MaxColumn ? colEnd + 1 : colEnd;
  for (int i = colBeg + 1; i <= last; ++i) {
    TLineAttr& a = Attrs[static_cast<std::size_t>(i)];
    a.Fore = first.Fore;
    a.Back = first.Back;
    a.Border = first.Border;
  }
}

void TEditorView::ApplyBracketColours(int row) {
  const TBracketHighlighting& bh = editor_.BracketHighlighting;
  for (const TBracketHighlighting::TRange& range : bh.Ranges) {
    if (range.FirstCol < 0 || range.Row != row || range.LastCol > MaxColumn) continue;
    for (int c = range.FirstCol; c <= range.LastCol && c + 1 <= MaxColumn; ++c) {
      TLineAttr& a = Attrs[static_cast<std::size_t>(c + 1)];
      if (bh.FontColor != platform::clNone) a.Fore = bh.FontColor;
      if (bh.Color != platform::clNone) a.Back = bh.Color;
      a.Border = bh.BorderColor;
    }
  }
}

void TEditorView::ApplySelectionColours(int row, int colBeg, int colEnd, bool marked) {
  if (row < editor_.Sel.Beg.Y || row > editor_.Sel.End.Y) return;
  int from = 0;
  int to = -1;
  if (editor_.Sel.BlockFormat == bfColumn) {
    from = editor_.Sel.Beg.X;
    to = editor_.Sel.End.X;
  } else {
    const int e = editor_.Sel.BlockFormat == bfInclusive ? editor_.Sel.End.X : editor_.Sel.End.X - 1;
    from = row == editor_.Sel.Beg.Y ? editor_.Sel.Beg.X : colBeg;
    to = row == editor_.Sel.End.Y ? e : colEnd;
  }
  from = std::max(from, colBeg);
  to = std::min(to, std::min(colEnd, MaxColumn - 1));
  for (int c = from; c <= to; ++c) {
    TLineAttr& a = Attrs[static_cast<std::size_t>(c + 1)];
    if (marked) {
      std::swap(a.Fore, a.Back);
    } else {
      a.Fore = editor_.SelForeColor;
      a.Back = editor_.SelBackColor;
      a.Border = platform::clNone;
    }
  }
}

// ---- Gutter and margin ----

void TEditorView::PaintGutter() {
  if (!windowCreated_ || !host_.HasWindow()) return;
  TCaretHider hider(*this);
  platform::Surface& canvas = host_.Canvas();
  const int height = ClientHeight();
  canvas.FillRect(TRect{0, 0, GutterWidth, height}, editor_.GutterColor);
  canvas.VerticalLine(GutterWidth - 2, 0, height, 1, editor_.Color);
  canvas.VerticalLine(GutterWidth + 1, 0, height, 2, editor_.Color);
  canvas.VerticalLine(GutterWidth - 1, 0, height, 1, platform::clGray);
  if (editor_.OnPaintGutter) editor_.OnPaintGutter(canvas);
}

void TEditorView::SetRightMargin(int column) {
  RightMargin = column;
  InvalidateControl();
}

void TEditorView::SetRightMarginColor(platform::TColor color) {
  RightMarginColor = color;
  InvalidateControl();
}

void TEditorView::SetRightMarginVisible(bool visible) {
  RightMarginVisible = visible;
  InvalidateControl();
}

void TEditorView::DrawRightMargin() { DrawRightMarginBand(0, ClientHeight()); }

void TEditorView::DrawRightMarginBand(int top, int bottom) {
  marginDrawn_ = RightMarginVisible && LeftCol < RightMargin && RightMargin < LastVisibleCol + 3;
  if (!marginDrawn_ || !windowCreated_) return;
  host_.Canvas().VerticalLine(GutterWidth + 3 + (RightMargin - LeftCol) * CellWidth, top, bottom, 1,
                              RightMarginColor);
}

}  // namespace editor
