// Painting the control: rows of text in runs of equal attributes, the attribute pass
// (defaults, highlighter, line marks, brackets, selection), the gutter, the right margin
// and the system caret around every paint.
#include <algorithm>
#include <string>

#include "editor/CustomEditorBase.h"

namespace editor {

using platform::TRect;

// ---- Caret ----

void TCustomEditorBase::HideCaretNow() {
  if (!HideCaret) host_.HideCaret();
}

void TCustomEditorBase::ShowCaretNow() {
  if (!HideCaret) host_.ShowCaret();
}

void TCustomEditorBase::PlaceSystemCaret() {
  if (HideCaret || !host_.Focused()) return;
  const TRect cell = CellRect(CaretX - LeftCol, CaretY - TopRow);
  // A caret whose cell is left of the text area is parked off the window.
  if (cell.Left < 0 || cell.Left < GutterWidth) {
    host_.SetCaretPos(-32767, -32767);
  } else {
    host_.SetCaretPos(cell.Left - 1, cell.Top + 1);
  }
}

void TCustomEditorBase::CreateSystemCaret() {
  host_.CreateCaret(2, CellHeight - 2);
  PlaceSystemCaret();
  if (!HideCaret) host_.ShowCaret();
}

// ---- Whole window ----

void TCustomEditorBase::Paint(const TRect& clip) {
  if (UpdateLock > 0 || CellWidth <= 0 || CellHeight <= 0) return;
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

void TCustomEditorBase::RepaintRow(int row) { PaintLine(row, -1, -1); }

void TCustomEditorBase::RepaintRows(int fromRow, int toRow) {
  // Rows outside the view paint nothing, so a huge range costs no more than the view.
  fromRow = std::max(fromRow, TopRow);
  toRow = std::min(toRow, TopRow + VisibleRowCount);
  for (int row = fromRow; row <= toRow; ++row) RepaintRow(row);
}

void TCustomEditorBase::DropFontCache() {
  if (windowCreated_ && host_.HasWindow()) host_.Canvas().SetFont(Font);
}

// ---- One row ----

void TCustomEditorBase::PaintLine(int row, int colBeg, int colEnd) {
  if (row < TopRow || row > TopRow + VisibleRowCount || CellWidth <= 0) return;
  TCaretHider hider(*this);
  colBeg = std::max(colBeg, LeftCol);
  if (colEnd < 0 || colEnd > LeftCol + VisibleColCount) colEnd = LeftCol + VisibleColCount;
  colEnd = std::min(colEnd, MaxColumn - 1);
  int painted = colBeg;
  platform::Surface& canvas = host_.Canvas();
  const int top = (row - TopRow) * CellHeight;
  std::string text;
  if (LineText(row, text)) {
    PaintRowText(row, text, colBeg, painted, colEnd);
  } else {
    canvas.FillRect(platform::Bounds(GutterWidth + 2, top, 1, CellHeight), Color);
  }
  // The space after every selected row but the last shows the selection colour.
  const bool selectedRowEnd = Selected && SelBlockFormat != bfColumn && SelBegY <= row && row < SelEndY;
  const int restWidth = (LeftCol + VisibleColCount - painted + 2) * CellWidth;
  if (restWidth > 0) {
    canvas.FillRect(platform::Bounds(CellLeft(painted), top, restWidth, CellHeight),
                    selectedRowEnd ? SelBackColor : Color);
  }
  // Only the row's own piece of the margin line: the rest of it is already there.
  DrawRightMarginBand(top, top + CellHeight);
}

void TCustomEditorBase::PaintRowText(int row, const std::string& text, int colBeg, int& painted, int colEnd) {
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

// Without a highlighter every character keeps the defaults.
void TCustomEditorBase::ComputeLineAttrs(int, int, int) {}

void TCustomEditorBase::GetLineAttrs(const std::string& text, int row, int colBeg, int colEnd) {
  colBeg = std::max(colBeg, 0);
  colEnd = std::min(colEnd, MaxColumn);
  const TLineAttr plain{Font.Color, Color, Font.Style, platform::clNone};
  for (int i = colBeg; i <= colEnd; ++i) Attrs[static_cast<std::size_t>(i)] = plain;
  ComputeLineAttrs(row, colBeg, colEnd);
  const bool marked = LineInformation.StyleOf(row) >= 1 && LineInformation.StyleOf(row) <= 3;
  if (marked) ApplyLineMark(row, colBeg, colEnd);
  if (BracketHighlighting.Active) ApplyBracketColours(row);
  if (OnGetLineAttr) OnGetLineAttr(text, row, Attrs);
  if (Selected) ApplySelectionColours(row, colBeg, colEnd, marked);
}

void TCustomEditorBase::ApplyLineMark(int row, int colBeg, int colEnd) {
  static constexpr TColor backs[] = {0x0000FF, 0x800000, 0x000080};
  TLineAttr& first = Attrs[static_cast<std::size_t>(colBeg)];
  first.Fore = platform::clWhite;
  first.Back = backs[LineInformation.StyleOf(row) - 1];
  const int last = colEnd < MaxColumn ? colEnd + 1 : colEnd;
  for (int i = colBeg + 1; i <= last; ++i) {
    TLineAttr& a = Attrs[static_cast<std::size_t>(i)];
    a.Fore = first.Fore;
    a.Back = first.Back;
    a.Border = first.Border;
  }
}

void TCustomEditorBase::ApplyBracketColours(int row) {
  const TBracketHighlighting& bh = BracketHighlighting;
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

void TCustomEditorBase::ApplySelectionColours(int row, int colBeg, int colEnd, bool marked) {
  if (row < SelBegY || row > SelEndY) return;
  int from = 0;
  int to = -1;
  if (SelBlockFormat == bfColumn) {
    from = SelBegX;
    to = SelEndX;
  } else {
    const int e = SelBlockFormat == bfInclusive ? SelEndX : SelEndX - 1;
    from = row == SelBegY ? SelBegX : colBeg;
    to = row == SelEndY ? e : colEnd;
  }
  from = std::max(from, colBeg);
  to = std::min(to, std::min(colEnd, MaxColumn - 1));
  for (int c = from; c <= to; ++c) {
    TLineAttr& a = Attrs[static_cast<std::size_t>(c + 1)];
    if (marked) {
      std::swap(a.Fore, a.Back);
    } else {
      a.Fore = SelForeColor;
      a.Back = SelBackColor;
      a.Border = platform::clNone;
    }
  }
}

// ---- Gutter and margin ----

void TCustomEditorBase::PaintGutter() {
  if (!windowCreated_ || !host_.HasWindow()) return;
  TCaretHider hider(*this);
  platform::Surface& canvas = host_.Canvas();
  const int height = ClientHeight();
  canvas.FillRect(TRect{0, 0, GutterWidth, height}, GutterColor);
  canvas.VerticalLine(GutterWidth - 2, 0, height, 1, Color);
  canvas.VerticalLine(GutterWidth + 1, 0, height, 2, Color);
  canvas.VerticalLine(GutterWidth - 1, 0, height, 1, platform::clGray);
  if (OnPaintGutter) OnPaintGutter(canvas);
}

void TCustomEditorBase::DrawRightMargin() { DrawRightMarginBand(0, ClientHeight()); }

void TCustomEditorBase::DrawRightMarginBand(int top, int bottom) {
  marginDrawn_ = RightMarginVisible && LeftCol < RightMargin && RightMargin < LastVisibleCol + 3;
  if (!marginDrawn_ || !windowCreated_) return;
  host_.Canvas().VerticalLine(GutterWidth + 3 + (RightMargin - LeftCol) * CellWidth, top, bottom, 1,
                              RightMarginColor);
}

}  // namespace editor
