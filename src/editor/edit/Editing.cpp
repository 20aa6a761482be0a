// The string editor's character input: printable characters in insert and overwrite
// mode, the line break with auto-indent, and the editing handler that routes the
// editing commands.
#include <algorithm>
#include <memory>

#include "editor/edit/EditingGuards.h"
#include "editor/edit/EditingOperations.h"

namespace editor {

namespace {

bool IsCompletionWordChar(unsigned char ch) {
  return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}

}  // namespace

namespace editing {

std::string LineOrEmpty(const TCustomEditor& editor, int row) {
  std::string text;
  editor.LineText(row, text);
  return text;
}

std::string_view WithoutTrailingControls(std::string_view s) {
  std::size_t end = s.size();
  while (end > 0 && static_cast<unsigned char>(s[end - 1]) <= 32) --end;
  return s.substr(0, end);
}

bool OnlyBlanksAndControls(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) <= 32; });
}

namespace {

int LeadingBlanks(std::string_view s) {
  const std::size_t first = s.find_first_not_of(' ');
  return static_cast<int>(first == std::string_view::npos ? s.size() : first);
}

// After a line break has split row y at column x: indents the new row y + 1 like the
// text above it and answers the indent. A line that starts in column 0 with visible
// text, or a break at column 0, gives no indent.
int IndentNewLine(TCustomEditor& editor, int x, int y) {
  if (!editor.AutoIndent) return 0;
  TEditorStrings& lines = editor.Lines();
  const std::string& head = lines.Get(y);
  const bool startsWithBlank = !head.empty() && head.front() == ' ';
  if (!startsWithBlank && !(OnlyBlanksAndControls(head) && x > 0)) return 0;
  const int indent = editor.AutoIndentColumn(y + 1);
  if (indent <= 0) return 0;
  const std::string blanks(static_cast<std::size_t>(indent), ' ');
  editor.UndoBuffer().Add(std::make_unique<TInsertUndo>(editor, 0, y + 1, blanks));
  lines.ReplaceLine(y + 1, blanks + lines.Get(y + 1));
  return indent;
}

}  // namespace

void TypePrintable(TCustomEditor& editor, unsigned char ch) {
  const char c = static_cast<char>(ch);
  // The caret cannot pass the last column: a character typed there would stay under it,
  // and the next one would go in before it, reversing the word. Nothing is typed there.
  if (editor.CaretX >= MaxColumn) {
    if (editor.BeepOnError) editor.Host().Beep();
    return;
  }
  if (editor.Sel.Selected) editor.RemoveSelection();
  TEditorStrings& lines = editor.Lines();
  // Blanks and rows up to the caret first, so that a character typed beyond the end of
  // the line (or of the text) lands where the caret shows it.
  lines.PadToCaret();
  // The new line is written in one pass over the old one: on a line of a few hundred
  // thousand characters every further copy is a cost the user feels at each key.
  const std::string& old = lines.Get(editor.CaretY);
  const auto column = static_cast<std::size_t>(editor.CaretX);
  std::string line;
  line.reserve(old.size() + 1);
  std::string overwritten;
  if (editor.InsertMode) {
    editor.UndoBuffer().Add(
        std::make_unique<TInsertUndo>(editor, editor.CaretX, editor.CaretY, std::string(1, c)));
    line.append(old, 0, column).append(1, c).append(old, column);
  } else if (old.size() > column) {
    editor.UndoBuffer().Add(std::make_unique<TOverwriteUndo>(
        editor, editor.CaretX, editor.CaretY, std::string(1, old[column]), std::string(1, c)));
    overwritten.assign(1, old[column]);
    line.assign(old);
    line[column] = c;
  } else {
    editor.UndoBuffer().Add(
        std::make_unique<TOverwriteUndo>(editor, editor.CaretX, editor.CaretY, "", std::string(1, c)));
    line.assign(old).push_back(c);
  }
  // A blank typed at the end of the line is trimmed here; the caret still moves past it
  // and the next character brings it back through PadToCaret.
  lines.ReplaceLine(editor.CaretY, line);
  const int typedAt = editor.CaretX;
  editor.MoveCaretTo(editor.CaretX + 1, editor.CaretY);
  // The character typed over is reported gone too: when it was a "<" or ">", the rows
  // below start in another state.
  if (!overwritten.empty()) editor.TextEdited(typedAt, editor.CaretY, taDelete, overwritten);
  editor.TextEdited(editor.CaretX, editor.CaretY, taInsert, std::string_view(&c, 1));
  editor.View().RepaintRow(editor.CaretY);
  editor.TextChanged();
}

void TypeLineBreak(TCustomEditor& editor) {
  int indent = 0;
  int newRow = 0;
  const bool hadSelection = editor.Sel.Selected;
  {
    // Enter over a selection is one undo step: the deletion and the break together.
    TUndoGroupGuard group(editor, editor.Sel.Selected ? TUndoGroupGuard::gaOpen : TUndoGroupGuard::gaSkip);
    TUpdateLockGuard lock(editor);
    if (editor.Sel.Selected) editor.RemoveSelection();
    const int x = editor.CaretX;
    const int y = editor.CaretY;
    TEditorStrings& lines = editor.Lines();
    if (lines.Count() == 0) lines.Add("");
    // The rows appended up to the caret are recorded before the break that goes into the
    // last of them, so undo takes the break back first and then the appended rows;
    // the other way round the break's record would name a row that is gone.
    lines.PadToCaret();
    editor.UndoBuffer().Add(std::make_unique<TInsertUndo>(editor, x, y, std::string(LineBreak)));
    const std::string line = lines.Get(y);
    const std::size_t split = std::min(static_cast<std::size_t>(x), line.size());
    lines.Insert(y + 1, std::string_view(line).substr(split));
    lines.ReplaceLine(y, std::string_view(line).substr(0, split));
    indent = IndentNewLine(editor, x, y);
    editor.View().UpdateLayout();
    editor.TextEdited(editor.CaretX - 1, editor.CaretY, taInsert, LineBreak);
    newRow = y + 1;
  }
  if (hadSelection) {
    editor.View().InvalidateControl();
  } else {
    editor.View().ShowRowsShifted(newRow - 1, 1);
  }
  editor.TextChanged();
  editor.MoveCaretTo(indent, newRow);
}

// In overwrite mode Enter does not split the line: it goes to the next row (appending one
// at the end of the text), no further right than that row's first visible character.
void TypeOverwriteLineBreak(TCustomEditor& editor) {
  int x = 0;
  int y = 0;
  {
    TUndoGroupGuard group(editor, editor.Sel.Selected ? TUndoGroupGuard::gaOpen : TUndoGroupGuard::gaSkip);
    if (editor.Sel.Selected) editor.RemoveSelection();
    x = editor.CaretX;
    y = editor.CaretY + 1;
    TEditorStrings& lines = editor.Lines();
    if (y >= lines.Count()) {
      {
        TUpdateLockGuard lock(editor);
        // The break goes at the end of the last line, wherever the caret stands, so the
        // record names that place: undoing it joins the new empty line back and nothing
        // of the last line's text goes with it.
        const int last = lines.Count() - 1;
        const int end = last < 0 ? editor.CaretX : static_cast<int>(lines.Get(last).size());
        editor.UndoBuffer().Add(std::make_unique<TInsertUndo>(editor, end, last, std::string(LineBreak)));
        lines.Add("");
      }
      editor.TextEdited(0, y - 1, taInsert, LineBreak);
      editor.View().UpdateLayout();
      editor.View().InvalidateControl();
      editor.TextChanged();
    }
    const std::string next = LineOrEmpty(editor, y);
    if (!next.empty()) x = std::min(x, LeadingBlanks(next));
  }
  editor.MoveCaretTo(x, y);
}

}  // namespace editing

void TCustomEditor::TypeChar(unsigned char ch) {
  if (ch == '\r') {
    if (InsertMode) {
      editing::TypeLineBreak(*this);
    } else {
      editing::TypeOverwriteLineBreak(*this);
    }
    return;
  }
  // TAB, LF, Backspace and the other control codes work only as key commands.
  if (ch < 32) return;
  // The completion popup sees a separator before it is inserted (it may apply its
  // choice first) and a word character after it (to follow the grown word).
  const bool wordChar = IsCompletionWordChar(ch);
  if (!wordChar) CompletionKeyPress(static_cast<char>(ch));
  editing::TypePrintable(*this, ch);
  if (wordChar) CompletionKeyPress(static_cast<char>(ch));
}

int TCustomEditor::AutoIndentColumn(int y) const {
  int row = y - 1;
  std::string text;
  // Row 0 is never examined: splitting the first rows never indents from it.
  while (row > 0) {
    text = editing::LineOrEmpty(*this, row);
    if (!editing::OnlyBlanksAndControls(text)) break;
    --row;
  }
  if (row < 0) return 0;
  return editing::LeadingBlanks(text);
}

bool TCustomEditor::EditCommand(TCommand code, TPosition& pos, bool& useSetCaret) {
  const editing::TCaretTarget caret{pos, useSetCaret};
  switch (code) {
    case ecBackspace:
      editing::Backspace(*this, caret);
      return false;
    case ecBackspaceWord:
      editing::BackspaceWord(*this, caret);
      return false;
    case ecDelete:
      editing::DeleteCharacter(*this, caret);
      return false;
    case ecTab:
    case ecBackTab:
      editing::Tab(*this, code, caret);
      return false;
    case ecDeleteLine:
      return editing::DeleteLine(*this);
    case ecUpperCase:
    case ecLowerCase:
    case ecToggleCase:
      // The converted text stays selected; the dispatcher then puts the caret back where
      // it stood, a move of its own that the first undo takes back.
      ChangeCase(code);
      return false;
    case ecWordLeft:
    case ecWordRight:
    case ecSelWordLeft:
    case ecSelWordRight:
      WordMoveCommand(code, pos, useSetCaret);
      return false;
    default:
      return false;
  }
}

}  // namespace editor
