// The view's layout: cell metrics, visible rows and columns, scrolling by pixel shifts,
// the scroll-bar input and the conversions between pixels and cells.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "editor/CustomEditorBase.h"

namespace editor {

using platform::TRect;

TEditorView::TEditorView(TCustomEditorBase& editor, platform::Host& host)
    : HorzScrollBar(host, platform::TScrollBarKind::sbHorizontal),
      VertScrollBar(host, platform::TScrollBarKind::sbVertical),
      editor_(editor),
      host_(host) {}

void TEditorView::WindowCreated() {
  windowCreated_ = true;
  HorzScrollBar.Attach(ScrollBars == TScrollStyle::Horizontal || ScrollBars == TScrollStyle::Both);
  VertScrollBar.Attach(ScrollBars == TScrollStyle::Vertical || ScrollBars == TScrollStyle::Both);
  fullRepaintPending_ = true;
  UpdateLayout();
}

void TEditorView::SetGutterWidth(int width) {
  if (width == GutterWidth) return;
  GutterWidth = width;
  UpdateLayout();
  InvalidateControl();
}

void TEditorView::RecomputeLastVisible() {
  LastVisibleCol = LeftCol + VisibleColCount - 1;
  LastVisibleRow = TopRow + VisibleRowCount - 1;
}

void TEditorView::UpdateLayout() {
  if (!windowCreated_ || !host_.HasWindow()) return;
  platform::Surface& canvas = host_.Canvas();
  canvas.SetFont(editor_.Font);  // also drops the surface's fonts made for other styles
  const int oldCellHeight = CellHeight;
  // A font that measures nothing would leave every division below by zero.
  CellHeight = std::max(canvas.TextHeight("W") + 1, 2);
  CellWidth = std::max(canvas.TextWidth("WW") / 2, 1);
  const platform::TSize client = host_.ClientSize();
  VisibleColCount = std::max(client.Width - (GutterWidth + 2), 0) / CellWidth;
  VisibleRowCount = std::max(client.Height, 0) / CellHeight;
  RecomputeLastVisible();
  RowCount = std::max(editor_.LineCount(), 1);
  VertScrollBar.SetParams(0, std::max(1, RowCount + VisibleRowCount - 2), VisibleRowCount);
  VertScrollBar.LargeChange = static_cast<std::uint16_t>(std::max(VisibleRowCount, 1));
  ColCount = MaxColumn;
  HorzScrollBar.SetParams(0, MaxColumn - 1, VisibleColCount);
  HorzScrollBar.LargeChange = static_cast<std::uint16_t>(std::max(VisibleColCount, 1));
  if (CellHeight != oldCellHeight && host_.Focused()) CreateSystemCaret();
  PaintGutter();
}

void TEditorView::SetLeftTop(int col, int row) {
  // Lines may run past the last caret column; the view never goes further right than
  // needed to show that column.
  col = std::clamp(col, 0, std::max(MaxColumn - std::max(VisibleColCount, 1) + 1, 0));
  row = std::max(row, 0);
  if (col != LeftCol) {
    HorzScrollBar.SetPosition(col);
    ScrollView(false, col);
  }
  if (row != TopRow) {
    VertScrollBar.SetPosition(row);
    ScrollView(true, row);
  }
}

void TEditorView::ScrollView(bool vertical, int pos) {
  int& field = vertical ? TopRow : LeftCol;
  if (editor_.UpdateLock > 0) {
    field = pos;
    RecomputeLastVisible();
    if (editor_.OnScroll) editor_.OnScroll();
    return;
  }
  {
    TCaretHider hider(*this);
    const int old = field;
    field = pos;
    const int distance = (old - pos) * (vertical ? CellHeight : CellWidth);
    if (distance != 0) ScrollPixelsAndInvalidate(vertical, distance);
    host_.UpdateWindow();
    RecomputeLastVisible();
    DrawRightMargin();
    PlaceSystemCaret();
  }
  if (editor_.OnScroll) editor_.OnScroll();
}

// Shifts what is already drawn by `distance` pixels and repaints only the uncovered strip
// (one row or column wider); a distance of a whole view or more repaints everything.
void TEditorView::ScrollPixelsAndInvalidate(bool vertical, int distance) {
  const int width = ClientWidth();
  const int height = ClientHeight();
  const int textLeft = GutterWidth + 3;
  if (vertical) {
    if (std::abs(distance) >= height) {
      host_.InvalidateAll();
      return;
    }
    const int rowsBottom = VisibleRowCount * CellHeight;
    // The gutter pixels move along with the text, so the shift starts at x = 0.
    host_.ScrollPixels(0, distance, TRect{0, 0, width, rowsBottom}, TRect{0, 0, width, rowsBottom + CellHeight});
    InvalidateWaitingRows();
    if (distance < 0) {
      host_.InvalidateRect(TRect{0, std::max(rowsBottom + distance - CellHeight, 0), width, height});
    } else {
      host_.InvalidateRect(TRect{0, 0, width, distance + CellHeight});
    }
    return;
  }
  const int textWidth = std::max(width - (GutterWidth + 2), 0);
  if (std::abs(distance) >= textWidth) {
    host_.InvalidateAll();
    return;
  }
  const int colsRight = textLeft + VisibleColCount * CellWidth;
  // The margin line drawn before the shift would otherwise travel with the text.
  if (marginDrawn_) {
    const int oldMargin = textLeft + (RightMargin - (LeftCol + distance / CellWidth)) * CellWidth + distance;
    host_.InvalidateRect(TRect{oldMargin, 0, oldMargin + 1, height});
  }
  host_.ScrollPixels(distance, 0, TRect{textLeft, 0, colsRight, height},
                     TRect{textLeft, 0, colsRight + CellWidth, height});
  if (distance < 0) {
    host_.InvalidateRect(TRect{std::max(colsRight + distance - CellWidth, textLeft - 1), 0, width, height});
  } else {
    host_.InvalidateRect(TRect{textLeft - 1, 0, textLeft + distance + CellWidth, height});
  }
}

void TEditorView::ShowRowsShifted(int changedRow, int delta) {
  const int rowsShown = VisibleRowCount + 1;  // the partial row at the bottom too
  const int firstMoved = changedRow + 1 + std::max(delta, 0);  // where moved rows begin now
  if (editor_.UpdateLock > 0 || !windowCreated_ || CellHeight <= 0 || changedRow < TopRow ||
      changedRow >= TopRow + rowsShown || std::abs(delta) >= rowsShown) {
    InvalidateControl();
    return;
  }
  {
    TCaretHider hider(*this);
    const int width = ClientWidth();
    // Below the longer of the two texts (before and after the edit) every row is blank in
    // both pictures: only the rows down to there are moved.
    const int textRows = editor_.LineCount() + std::max(-delta, 0) - TopRow;
    const int bottom = std::min(ClientHeight(), std::max(textRows + 1, 0) * CellHeight);
    const int top = (firstMoved - TopRow) * CellHeight;
    const int distance = delta * CellHeight;
    if (top < bottom) {
      host_.ScrollPixels(0, distance, TRect{0, top - distance, width, bottom}, TRect{0, top, width, bottom});
      InvalidateWaitingRows();
      // Rows pulled up from below (from the window's edge, or blank ones) are drawn anew.
      if (delta < 0) host_.InvalidateRect(TRect{0, std::max(bottom + distance - CellHeight, top), width, bottom});
    }
    RepaintRows(changedRow, firstMoved - 1);
  }
  PlaceSystemCaret();
}

void TEditorView::ScrollMessage(platform::TScrollBarKind kind, int code) {
  TControlScrollBar95& bar = kind == platform::TScrollBarKind::sbVertical ? VertScrollBar : HorzScrollBar;
  const int pos = bar.PositionForCode(code);
  ScrollBarChanged(kind, code, pos);
  bar.SetPosition(pos);
}

void TEditorView::ScrollBarChanged(platform::TScrollBarKind kind, int code, int pos) {
  // The thumb's final position, top, bottom and end-scroll only move the bar; the view
  // follows line and page steps and the dragged thumb.
  switch (code) {
    case platform::SB_LINEUP:
    case platform::SB_LINEDOWN:
    case platform::SB_PAGEUP:
    case platform::SB_PAGEDOWN:
    case platform::SB_THUMBTRACK:
      ScrollView(kind == platform::TScrollBarKind::sbVertical, pos);
      break;
    default:
      break;
  }
}

void TEditorView::ScrollToRow(int y) {
  if (y < TopRow || y > LastVisibleRow) SetLeftTop(LeftCol, std::max(y - VisibleRowCount / 2, 0));
}

platform::TPoint TEditorView::PositionFromPoint(int x, int y) const {
  if (CellWidth <= 0 || CellHeight <= 0) return {LeftCol, TopRow};
  // A click on the right half of a cell means the column after its character.
  const double exact = static_cast<double>(x - (GutterWidth + 2)) / CellWidth;
  int col = static_cast<int>(std::nearbyint(exact));
  int row = y / CellHeight;
  col = std::max(col, 0) + LeftCol;
  row = std::max(row, 0) + TopRow;
  col = std::min(col, LastVisibleCol);
  row = std::min(row, editor_.LineCount() - 1);
  return {col, row};
}

TRect TEditorView::CellRect(int c, int r) const {
  return platform::Bounds(GutterWidth + 3 + c * CellWidth, r * CellHeight, CellWidth, CellHeight);
}

}  // namespace editor
