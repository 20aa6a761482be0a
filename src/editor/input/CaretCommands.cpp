// The caret and selection commands the dispatcher runs itself: moves by character, line,
// page and document, their selecting variants, view and scroll commands, word
// selection, block formats, insert mode, bookmarks and the read-only line break.
#include <algorithm>
#include <string>

#include "editor/CustomEditorBase.h"

namespace editor {

namespace {

bool IsSelectingMove(TCommand code) {
  switch (code) {
    case ecSelLeft: case ecSelRight: case ecSelUp: case ecSelDown:
    case ecSelLineStart: case ecSelLineEnd: case ecSelDocStart: case ecSelDocEnd:
      return true;
    default:
      return false;
  }
}

// The plain move a selecting move makes.
TCommand PlainOf(TCommand code) {
  switch (code) {
    case ecSelLeft: return ecLeft;
    case ecSelRight: return ecRight;
    case ecSelUp: return ecUp;
    case ecSelDown: return ecDown;
    case ecSelLineStart: return ecLineStart;
    case ecSelLineEnd: return ecLineEnd;
    case ecSelDocStart: return ecDocStart;
    case ecSelDocEnd: return ecDocEnd;
    default: return code;
  }
}

}  // namespace

void TKeyDispatcher::SelectWordAtCaret(int& x) {
  int start = 0;
  int end = 0;
  if (!editor_.WordBoundsAt(editor_.CaretX, editor_.CaretY, start, end)) return;
  // On a separator start passes end, and the two extensions select the separator itself.
  editor_.ExtendSelection(start - 1, editor_.CaretY);
  editor_.ExtendSelection(end - 1, editor_.CaretY);
  x = end - 1;
}

// ---- Moves ----

// Down stops on the last row unless the caret may go below the text. The row count is
// taken from the text itself, so lines added without a new layout count at once.
bool TKeyDispatcher::CanMoveDown(int y) const {
  return y < std::max(editor_.LineCount(), 1) - 1 || editor_.CursorBeyondEOF;
}

// The target of a plain move from pos; false when the move does nothing at all.
bool TKeyDispatcher::PlainMoveTarget(TCommand code, TPosition& pos) {
  switch (code) {
    case ecLeft: pos.X = std::max(pos.X - 1, 0); return true;
    case ecRight: pos.X = std::min(pos.X + 1, MaxColumn); return true;
    case ecUp: pos.Y = std::max(pos.Y - 1, 0); return true;
    case ecDown:
      if (CanMoveDown(pos.Y)) ++pos.Y;
      return true;
    case ecLineStart: pos.X = 0; return true;
    case ecLineEnd: pos.X = (pos.Y >= 0 && pos.Y < editor_.LineCount()) ? editor_.LineLength(pos.Y) : 0; return true;
    case ecDocStart:
      pos.X = pos.Y = 0;
      editor_.View().SetLeftTop(0, 0);
      return true;
    case ecDocEnd: {
      const int last = editor_.LineCount() - 1;
      if (last >= 0) {
        pos.Y = last;
        pos.X = editor_.LineLength(last);
        editor_.View().SetLeftTop(pos.X - editor_.View().VisibleColCount, pos.Y - editor_.View().VisibleRowCount / 2);
      } else {
        pos.Y = last;
      }
      return true;
    }
    default: return false;
  }
}

void TKeyDispatcher::PageScroll(int direction, int& y) {
  TEditorView& view = editor_.View();
  view.VertScrollBar.SetPosition(view.VertScrollBar.Position() + direction * view.VertScrollBar.LargeChange);
  view.ScrollView(true, view.VertScrollBar.Position());
  y += direction * view.VisibleRowCount;
}

void TKeyDispatcher::ScrollLineCommand(TCommand code, int& y) {
  const int direction = code == ecScrollUp ? -1 : 1;
  TEditorView& view = editor_.View();
  if (code == ecScrollDown && y >= editor_.LineCount() - 1 && view.TopRow == y) return;
  view.VertScrollBar.SetPosition(view.VertScrollBar.Position() + direction);
  view.ScrollView(true, view.VertScrollBar.Position());
  y = std::clamp(y, view.TopRow, std::max(view.LastVisibleRow, view.TopRow));
}

void TKeyDispatcher::ReadOnlyNewLine(TPosition& pos) const {
  if (pos.Y >= editor_.LineCount() - 1) return;
  ++pos.Y;
  std::string text;
  editor_.LineText(pos.Y, text);
  if (text.empty()) return;
  const std::size_t first = text.find_first_not_of(' ');
  pos.X = std::min(pos.X, static_cast<int>(first == std::string::npos ? text.size() : first));
}

void TKeyDispatcher::ChangeBlockFormat(TSelBlockFormat format) {
  if (format == editor_.Sel.BlockFormat) return;
  if (editor_.Sel.Selected) {
    if (format == bfLine) {
      editor_.Sel.LineModeBegX = editor_.Sel.Beg.X;
      editor_.Sel.LineModeEndX = editor_.Sel.End.X;
      editor_.Sel.Beg.X = 0;
      editor_.Sel.End.X = MaxColumn;
    } else if (editor_.Sel.BlockFormat == bfLine) {
      editor_.Sel.Beg.X = editor_.Sel.LineModeBegX;
      editor_.Sel.End.X = editor_.Sel.LineModeEndX;
    }
  }
  editor_.Sel.BlockFormat = format;
  editor_.View().RepaintSelectionRows();
  editor_.StatusChanged();
}

TKeyDispatcher::TCommandResult TKeyDispatcher::SelectionCommand(TCommand code, TPosition& pos, bool& useSetCaret) {
  if (code == ecSelPageUp || code == ecSelPageDown) {
    editor_.OpenUpdate();
    try {
      editor_.ExtendSelection(pos.X, pos.Y);
      PageScroll(code == ecSelPageUp ? -1 : 1, pos.Y);
      if (code == ecSelPageDown) pos.Y = std::min(pos.Y, editor_.LineCount() - 1);
      editor_.ExtendSelection(pos.X, pos.Y);
    } catch (...) {
      editor_.CloseUpdate();
      throw;
    }
    editor_.CloseUpdate();
    useSetCaret = false;
    return TCommandResult::Place;
  }
  if (!IsSelectingMove(code)) return TCommandResult::NotMine;
  if (code == ecSelDown && !CanMoveDown(pos.Y)) return TCommandResult::Stop;
  if (editor_.CanStartSelection()) editor_.ExtendSelection(editor_.CaretX, editor_.CaretY);
  PlainMoveTarget(PlainOf(code), pos);
  editor_.ExtendSelection(pos.X, pos.Y);
  useSetCaret = false;
  return TCommandResult::Place;
}

TKeyDispatcher::TCommandResult TKeyDispatcher::ViewCommand(TCommand code, TPosition& pos, bool& useSetCaret) {
  switch (code) {
    case ecDown:
      // On the last row the move does nothing, the selection included.
      if (!CanMoveDown(pos.Y)) return TCommandResult::Stop;
      [[fallthrough]];
    case ecLeft: case ecRight: case ecUp: case ecLineStart: case ecLineEnd: case ecDocStart: case ecDocEnd:
      editor_.DropSelectionOnMove();
      PlainMoveTarget(code, pos);
      return TCommandResult::Place;
    case ecPageUp: case ecPageDown:
      PageScroll(code == ecPageUp ? -1 : 1, pos.Y);
      editor_.DropSelectionOnMove();
      return TCommandResult::Place;
    case ecViewTop: pos.Y = editor_.View().TopRow; return TCommandResult::Place;
    case ecViewBottom: pos.Y = editor_.View().TopRow + editor_.View().VisibleRowCount - 1; return TCommandResult::Place;
    case ecScrollUp: case ecScrollDown: ScrollLineCommand(code, pos.Y); return TCommandResult::Place;
    case ecSelectAll: editor_.SelectWholeText(); return TCommandResult::Place;
    case ecSelectWord:
      if (editor_.CanStartSelection()) {
        SelectWordAtCaret(pos.X);
        useSetCaret = false;
      }
      return TCommandResult::Place;
    case ecBlockInclusive: case ecBlockLine: case ecBlockColumn: case ecBlockNonInclusive:
      ChangeBlockFormat(static_cast<TSelBlockFormat>(code - ecBlockInclusive));
      return TCommandResult::Place;
    case ecColumnSelLeft: case ecColumnSelUp: case ecColumnSelRight: case ecColumnSelDown:
      editor_.Sel.BlockFormat = bfColumn;
      return SelectionCommand(static_cast<TCommand>(ecSelLeft + (code - ecColumnSelLeft)), pos, useSetCaret);
    case ecToggleInsert:
      editor_.InsertMode = !editor_.InsertMode;
      editor_.StatusChanged();
      return TCommandResult::Place;
    default: break;
  }
  if (code >= ecSetBookmark0 && code <= ecSetBookmark0 + 9) {
    editor_.SetBookmark(code - ecSetBookmark0);
    return TCommandResult::Place;
  }
  if (code >= ecGotoBookmark0 && code <= ecGotoBookmark0 + 9) {
    if (editor_.ScrollToBookmark(code - ecGotoBookmark0, pos)) editor_.View().PaintGutter();
    return TCommandResult::Place;
  }
  if (code == ecNewLine && editor_.ReadOnly) {
    ReadOnlyNewLine(pos);
    return TCommandResult::Place;
  }
  return SelectionCommand(code, pos, useSetCaret);
}

}  // namespace editor
