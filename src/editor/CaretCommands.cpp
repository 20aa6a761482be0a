// The caret and selection commands of the dispatcher: moves by character, word, line,
// page and document, their selecting variants, view and scroll commands, word
// selection, block formats, insert mode, bookmarks and the read-only line break.
#include <algorithm>
#include <string>

#include "editor/CustomEditorBase.h"

namespace editor {

bool IsWordSeparator(unsigned char ch) {
  switch (ch) {
    case 0: case 10: case 13: case 32: case 34: case 35: case 37: case 39:
    case 91: case 92: case 93: case 123: case 125:
      return true;
    default:
      return (ch >= 40 && ch <= 47) || (ch >= 58 && ch <= 62);
  }
}

namespace {

unsigned char At(const std::string& s, int i) { return static_cast<unsigned char>(s[static_cast<std::size_t>(i)]); }

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
    case ecSelWordLeft: return ecWordLeft;
    case ecSelWordRight: return ecWordRight;
    default: return code;
  }
}

}  // namespace

// ---- Word moves ----

int TCustomEditorBase::WordLeftColumn(int x, int y) const {
  std::string text;
  if (!LineText(y, text)) return 0;
  int i = std::min(x, static_cast<int>(text.size())) - 1;
  while (i >= 0 && IsWordSeparator(At(text, i))) --i;
  const int wordEnd = i;
  while (i >= 0 && !IsWordSeparator(At(text, i))) --i;
  // Only a separator met after a word character marks a word start; else the line start.
  const int result = (i >= 0 && i < wordEnd) ? i + 1 : 0;
  return result == x ? 0 : result;
}

platform::TPoint TCustomEditorBase::WordRightPosition(int x, int y) const {
  const int lines = LineCount();
  if (y >= lines) {
    y = lines - 1;
    x = LineLength(y);
  }
  std::string text;
  LineText(y, text);
  const int length = static_cast<int>(text.size());
  if (x < length) {
    int i = std::max(x, 0);
    while (i < length && !IsWordSeparator(At(text, i))) ++i;
    while (i < length && IsWordSeparator(At(text, i))) ++i;
    const int result = i < length ? i : length;
    return {result == x ? length : result, y};
  }
  if (y < lines - 1) return {0, y + 1};
  return {x, y};
}

bool TCustomEditorBase::WordMoveCommand(TCommand code, int& x, int& y, bool& useSetCaret) {
  if (code != ecWordLeft && code != ecWordRight && code != ecSelWordLeft && code != ecSelWordRight) return false;
  const bool selecting = code == ecSelWordLeft || code == ecSelWordRight;
  if (selecting) {
    if (CanStartSelection()) ExtendSelection(CaretX, CaretY);
  } else {
    DropSelectionOnMove();
  }
  if (PlainOf(code) == ecWordLeft) {
    if (y >= 0 && y < LineCount() && x > LineLength(y)) {
      // Beyond the line end the move only goes back to the end, and the selection
      // gesture starts there, for the plain command too.
      x = LineLength(y);
      ExtendSelection(x, y);
    } else {
      x = WordLeftColumn(x, y);
    }
  } else if (LineCount() > 0) {
    const platform::TPoint p = WordRightPosition(x, y);
    x = p.X;
    y = p.Y;
  }
  if (selecting) {
    ExtendSelection(x, y);
    useSetCaret = false;
  }
  return true;
}

bool TCustomEditorBase::WordBoundsAt(int x, int y, int& start, int& end) const {
  std::string text;
  if (!LineText(y, text)) return false;
  text.push_back(' ');
  const int length = static_cast<int>(text.size());
  // 1-based character access, with separators outside the row.
  const auto sep = [&](int p) { return p < 1 || p > length || IsWordSeparator(At(text, p - 1)); };
  const int p = x + 1;
  int look = p;
  if (p > 1 && sep(p)) look = sep(p - 1) ? p + 1 : p - 1;
  int i = look;
  while (i >= 1 && !sep(i)) --i;
  start = i + 1;
  end = p;
  while (end <= length && !sep(end)) ++end;
  return true;
}

void TCustomEditorBase::SelectWordAtCaret(int& x) {
  int start = 0;
  int end = 0;
  if (!WordBoundsAt(CaretX, CaretY, start, end)) return;
  // On a separator start passes end, and the two extensions select the separator itself.
  ExtendSelection(start - 1, CaretY);
  ExtendSelection(end - 1, CaretY);
  x = end - 1;
}

// ---- Moves ----

// Down stops on the last row unless the caret may go below the text. The row count is
// taken from the text itself, so lines added without a new layout count at once.
bool TCustomEditorBase::CanMoveDown(int y) const { return y < std::max(LineCount(), 1) - 1 || CursorBeyondEOF; }

// The target of a plain move from (x, y); false when the move does nothing at all.
bool TCustomEditorBase::PlainMoveTarget(TCommand code, int& x, int& y) {
  switch (code) {
    case ecLeft: x = std::max(x - 1, 0); return true;
    case ecRight: x = std::min(x + 1, MaxColumn); return true;
    case ecUp: y = std::max(y - 1, 0); return true;
    case ecDown:
      if (CanMoveDown(y)) ++y;
      return true;
    case ecLineStart: x = 0; return true;
    case ecLineEnd: x = (y >= 0 && y < LineCount()) ? LineLength(y) : 0; return true;
    case ecDocStart:
      x = y = 0;
      SetLeftTop(0, 0);
      return true;
    case ecDocEnd: {
      const int last = LineCount() - 1;
      if (last >= 0) {
        y = last;
        x = LineLength(last);
        SetLeftTop(x - VisibleColCount, y - VisibleRowCount / 2);
      } else {
        y = last;
      }
      return true;
    }
    default: return false;
  }
}

void TCustomEditorBase::PageScroll(int direction, int& y) {
  VertScrollBar.SetPosition(VertScrollBar.Position() + direction * VertScrollBar.LargeChange);
  ScrollView(true, VertScrollBar.Position());
  y += direction * VisibleRowCount;
}

void TCustomEditorBase::ScrollLineCommand(TCommand code, int& y) {
  const int direction = code == ecScrollUp ? -1 : 1;
  if (code == ecScrollDown && y >= LineCount() - 1 && TopRow == y) return;
  VertScrollBar.SetPosition(VertScrollBar.Position() + direction);
  ScrollView(true, VertScrollBar.Position());
  y = std::clamp(y, TopRow, std::max(LastVisibleRow, TopRow));
}

void TCustomEditorBase::ReadOnlyNewLine(int& x, int& y) const {
  if (y >= LineCount() - 1) return;
  ++y;
  std::string text;
  LineText(y, text);
  if (text.empty()) return;
  const std::size_t first = text.find_first_not_of(' ');
  x = std::min(x, static_cast<int>(first == std::string::npos ? text.size() : first));
}

void TCustomEditorBase::ChangeBlockFormat(TSelBlockFormat format) {
  if (format == SelBlockFormat) return;
  if (Selected) {
    if (format == bfLine) {
      LineModeBegX = SelBegX;
      LineModeEndX = SelEndX;
      SelBegX = 0;
      SelEndX = MaxColumn;
    } else if (SelBlockFormat == bfLine) {
      SelBegX = LineModeBegX;
      SelEndX = LineModeEndX;
    }
  }
  SelBlockFormat = format;
  RepaintSelectionRows();
  StatusChanged();
}

TCustomEditorBase::TCommandResult TCustomEditorBase::SelectionCommand(TCommand code, int& x, int& y,
                                                                      bool& useSetCaret) {
  if (code == ecSelPageUp || code == ecSelPageDown) {
    OpenUpdate();
    try {
      ExtendSelection(x, y);
      PageScroll(code == ecSelPageUp ? -1 : 1, y);
      if (code == ecSelPageDown) y = std::min(y, LineCount() - 1);
      ExtendSelection(x, y);
    } catch (...) {
      CloseUpdate();
      throw;
    }
    CloseUpdate();
    useSetCaret = false;
    return TCommandResult::Place;
  }
  if (!IsSelectingMove(code)) return TCommandResult::NotMine;
  if (code == ecSelDown && !CanMoveDown(y)) return TCommandResult::Stop;
  if (CanStartSelection()) ExtendSelection(CaretX, CaretY);
  PlainMoveTarget(PlainOf(code), x, y);
  ExtendSelection(x, y);
  useSetCaret = false;
  return TCommandResult::Place;
}

TCustomEditorBase::TCommandResult TCustomEditorBase::ViewCommand(TCommand code, int& x, int& y,
                                                                 bool& useSetCaret) {
  switch (code) {
    case ecDown:
      // On the last row the move does nothing, the selection included.
      if (!CanMoveDown(y)) return TCommandResult::Stop;
      [[fallthrough]];
    case ecLeft: case ecRight: case ecUp: case ecLineStart: case ecLineEnd: case ecDocStart: case ecDocEnd:
      DropSelectionOnMove();
      PlainMoveTarget(code, x, y);
      return TCommandResult::Place;
    case ecPageUp: case ecPageDown:
      PageScroll(code == ecPageUp ? -1 : 1, y);
      DropSelectionOnMove();
      return TCommandResult::Place;
    case ecViewTop: y = TopRow; return TCommandResult::Place;
    case ecViewBottom: y = TopRow + VisibleRowCount - 1; return TCommandResult::Place;
    case ecScrollUp: case ecScrollDown: ScrollLineCommand(code, y); return TCommandResult::Place;
    case ecSelectAll: SelectWholeText(); return TCommandResult::Place;
    case ecSelectWord:
      if (CanStartSelection()) {
        SelectWordAtCaret(x);
        useSetCaret = false;
      }
      return TCommandResult::Place;
    case ecBlockInclusive: case ecBlockLine: case ecBlockColumn: case ecBlockNonInclusive:
      ChangeBlockFormat(static_cast<TSelBlockFormat>(code - ecBlockInclusive));
      return TCommandResult::Place;
    case ecColumnSelLeft: case ecColumnSelUp: case ecColumnSelRight: case ecColumnSelDown:
      SelBlockFormat = bfColumn;
      return SelectionCommand(static_cast<TCommand>(ecSelLeft + (code - ecColumnSelLeft)), x, y, useSetCaret);
    case ecToggleInsert:
      InsertMode = !InsertMode;
      StatusChanged();
      return TCommandResult::Place;
    default: break;
  }
  if (code >= ecSetBookmark0 && code <= ecSetBookmark0 + 9) {
    SetBookmark(code - ecSetBookmark0);
    return TCommandResult::Place;
  }
  if (code >= ecGotoBookmark0 && code <= ecGotoBookmark0 + 9) {
    if (ScrollToBookmark(code - ecGotoBookmark0, x, y)) PaintGutter();
    return TCommandResult::Place;
  }
  if (code == ecNewLine && ReadOnly) {
    ReadOnlyNewLine(x, y);
    return TCommandResult::Place;
  }
  return SelectionCommand(code, x, y, useSetCaret);
}

}  // namespace editor
