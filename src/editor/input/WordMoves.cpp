// Word moves and word bounds: the word-left and word-right scans the dispatcher and the
// editing handler share, and the word a double click or Select Word takes.
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

}  // namespace

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

bool TCustomEditorBase::WordMoveCommand(TCommand code, TPosition& pos, bool& useSetCaret) {
  if (code != ecWordLeft && code != ecWordRight && code != ecSelWordLeft && code != ecSelWordRight) return false;
  const bool selecting = code == ecSelWordLeft || code == ecSelWordRight;
  if (selecting) {
    if (CanStartSelection()) ExtendSelection(CaretX, CaretY);
  } else {
    DropSelectionOnMove();
  }
  if (code == ecWordLeft || code == ecSelWordLeft) {
    if (pos.Y >= 0 && pos.Y < LineCount() && pos.X > LineLength(pos.Y)) {
      // Beyond the line end the move only goes back to the end, and the selection
      // gesture starts there, for the plain command too.
      pos.X = LineLength(pos.Y);
      ExtendSelection(pos.X, pos.Y);
    } else {
      pos.X = WordLeftColumn(pos.X, pos.Y);
    }
  } else if (LineCount() > 0) {
    pos = WordRightPosition(pos.X, pos.Y);
  }
  if (selecting) {
    ExtendSelection(pos.X, pos.Y);
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

}  // namespace editor
