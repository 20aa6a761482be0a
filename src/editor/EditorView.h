// TEditorView: what the editor shows and where. It holds the cell metrics, the visible
// rows and columns with the scroll position and the scroll bars, the painting of rows,
// the gutter and the right margin (with the rows whose selection waits to be repainted),
// and the system caret's shape and place. It reads the text, caret, selection and
// colours from its editor and changes none of them.
#pragma once

#include <cstdint>
#include <string>

#include "editor/LineAttrs.h"
#include "platform/Colors.h"
#include "editor/ScrollBar95.h"
#include "platform/Host.h"
#include "platform/Types.h"

namespace editor {

class TCustomEditorBase;

// Which of the window's standard scroll bars exist.
enum class TScrollStyle : std::uint8_t { None, Horizontal, Vertical, Both };

class TEditorView {
 public:
  TEditorView(TCustomEditorBase& editor, platform::Host& host);
  TEditorView(const TEditorView&) = delete;
  TEditorView& operator=(const TEditorView&) = delete;

  // ---- Layout and scrolling (Layout.cpp) ----
  int GutterWidth = 0;
  int LeftCol = 0, TopRow = 0;
  int VisibleColCount = 0, VisibleRowCount = 0;
  int LastVisibleCol = -1, LastVisibleRow = -1;
  int ColCount = 1, RowCount = 1;
  int CellWidth = 0, CellHeight = 0;
  TScrollStyle ScrollBars = TScrollStyle::Both;
  TControlScrollBar95 HorzScrollBar;
  TControlScrollBar95 VertScrollBar;
  // The window exists: attaches the scroll bars and lays the control out.
  void WindowCreated();
  void SetGutterWidth(int width);
  void UpdateLayout();
  void SetLeftTop(int col, int row);
  void ScrollView(bool vertical, int pos);
  void ScrollToRow(int y);
  void ScrollMessage(platform::TScrollBarKind kind, int code);
  platform::TPoint PositionFromPoint(int x, int y) const;
  // The pixel rectangle of visible cell (c, r), counted from LeftCol, TopRow.
  platform::TRect CellRect(int c, int r) const;
  int ClientWidth() const { return host_.ClientSize().Width; }
  int ClientHeight() const { return host_.ClientSize().Height; }
  // After lines were inserted (delta > 0) or removed (delta < 0) just below row
  // changedRow: the rows that only moved are shifted on the window, and row changedRow
  // with any inserted rows is repainted; anything else repaints the whole window.
  void ShowRowsShifted(int changedRow, int delta);

  // ---- Painting (Paint.cpp) ----
  TLineAttrs Attrs;
  // Paints the part of the window inside clip (client pixels), the WM_PAINT of the control.
  void Paint(const platform::TRect& clip);
  void PaintLine(int row, int colBeg, int colEnd);
  void RepaintRow(int row);
  // Repaints the visible rows among fromRow..toRow.
  void RepaintRows(int fromRow, int toRow);
  void PaintGutter();
  void DrawRightMargin();
  // Fills Attrs for the row about to be painted: defaults, the editor's colouring hook,
  // line marks, brackets, the attribute event and the selection.
  void GetLineAttrs(const std::string& text, int row, int colBeg, int colEnd);
  // Fonts are made again for the next row painted (the text was replaced).
  void DropFontCache();
  void InvalidateControl();
  // Rows fromRow..toRow are repainted at the next paint, where they stand by then: rows
  // shifted on the window before that take their repaint along. Without a layout yet,
  // the whole control.
  void InvalidateRows(int fromRow, int toRow);
  // Lines were inserted (delta > 0) or removed (delta < 0) at line index: rows waiting
  // for their repaint keep pointing at their own lines.
  void MoveWaitingRows(int index, int delta);
  // The next paint redraws the whole window, whatever its clip.
  void RepaintAllOnNextPaint() { fullRepaintPending_ = true; }
  // The rows whose selection painting must be refreshed: starts the range anew, widens
  // it, and repaints it.
  void StartRepaintRange(int fromRow, int toRow);
  void WidenRepaintRange(int fromRow, int toRow);
  void RepaintSelectionRows();

  // ---- The right margin (Paint.cpp) ----
  bool RightMarginVisible = true;
  int RightMargin = 80;
  platform::TColor RightMarginColor = platform::clSilver;
  // Each setter repaints the window.
  void SetRightMargin(int column);
  void SetRightMarginColor(platform::TColor color);
  void SetRightMarginVisible(bool visible);

  // ---- The system caret (Paint.cpp) ----
  // When set the control never shows or moves the caret.
  bool HideCaret = false;
  void SetHideCaret(bool hide);
  void PlaceSystemCaret();
  // The caret is made again at the cell height and shown (focus came, the font changed).
  void CreateSystemCaret();

 private:
  friend class TCaretHider;

  void HideCaretNow();
  void ShowCaretNow();
  void RecomputeLastVisible();
  void ScrollPixelsAndInvalidate(bool vertical, int distance);
  void ScrollBarChanged(platform::TScrollBarKind kind, int code, int pos);
  // Invalidates the visible rows among those waiting for their repaint.
  void InvalidateWaitingRows();
  void PaintRowText(int row, const std::string& text, int colBeg, int& painted, int colEnd);
  void ApplyLineMark(int row, int colBeg, int colEnd);
  void ApplyBracketColours(int row);
  void ApplySelectionColours(int row, int colBeg, int colEnd, bool marked);
  // The right-margin line between two pixel rows.
  void DrawRightMarginBand(int top, int bottom);
  int CellLeft(int column) const { return GutterWidth + 3 + (column - LeftCol) * CellWidth; }

  TCustomEditorBase& editor_;
  platform::Host& host_;
  bool windowCreated_ = false;
  bool fullRepaintPending_ = false;
  bool marginDrawn_ = false;
  int repaintFrom_ = 0, repaintTo_ = -1;
  int waitingFrom_ = 0, waitingTo_ = -1;  // rows to repaint at the next paint
};

// Hides the caret for its lifetime; nests with other hiders.
class TCaretHider {
 public:
  explicit TCaretHider(TEditorView& view) : view_(view) { view_.HideCaretNow(); }
  ~TCaretHider() { view_.ShowCaretNow(); }
  TCaretHider(const TCaretHider&) = delete;
  TCaretHider& operator=(const TCaretHider&) = delete;

 private:
  TEditorView& view_;
};

}  // namespace editor
