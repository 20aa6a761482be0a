// The string editor's clipboard: copy, cut and paste with the block format that travels
// beside the text, and the insertions they are built from (at the caret, as a column,
// over the selection).
#include <algorithm>
#include <memory>

#include "editor/edit/EditingGuards.h"
#include "editor/edit/EditingOperations.h"

namespace editor {

namespace {

// The clipboard text as the editor stores it: cut at the first NUL, every CR LF, lone CR
// and lone LF made CR LF.
std::string NormalizedBreaks(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      result += editing::LineBreak;
    } else if (c == '\n') {
      result += editing::LineBreak;
    } else {
      result += c;
    }
  }
  return result;
}

// The block format on the clipboard. Text from other programs carries none, and a byte
// another program put under our format name is not trusted beyond the four formats.
TSelBlockFormat ClipboardBlockFormat(const platform::Host& host) {
  const std::optional<int> format = host.ClipboardPrivateFormat();
  if (!format || *format < bfInclusive || *format > bfNonInclusive) return bfNonInclusive;
  return static_cast<TSelBlockFormat>(*format);
}

// The number of rows a column text covers and the width of its widest piece.
platform::TPoint ColumnExtent(std::string_view text) {
  const std::vector<std::string_view> pieces = SplitAtBreaks(text, TFinalBreak::fbNoPiece);
  std::size_t widest = 0;
  for (const std::string_view piece : pieces) widest = std::max(widest, piece.size());
  return {static_cast<int>(widest), static_cast<int>(pieces.size())};
}

}  // namespace

void TCustomEditor::InsertAtCaret(std::string_view text) {
  const int x = CaretX;
  const int y = CaretY;
  UndoBuffer().Add(std::make_unique<TInsertUndo>(*this, x, y, std::string(text)));
  // An empty text changes nothing; inserting it would only append rows up to a caret
  // below the text, and those no record would take back.
  if (!text.empty()) lines_->InsertBlock(x, y, text);
  TextEdited(x, y, taInsert, text);
  const platform::TPoint end = lines_->BlockEnd(x, y, text);
  MoveCaretTo(end.X + 1, end.Y);
  TextChanged();
}

void TCustomEditor::InsertColumnAt(int x, int y, std::string_view text) {
  x = std::max(x, 0);
  y = std::max(y, 0);
  // Rows the block reaches below the text are appended with records of their own, so
  // that undoing the block removes them again.
  const int lastRow = y + ColumnExtent(text).Y - 1;
  if (lines_->Count() > 0) {
    TUpdateLockGuard lock(*this);
    while (lines_->Count() <= lastRow) {
      const int row = lines_->Count() - 1;
      UndoBuffer().Add(std::make_unique<TReLineUndo>(*this, LineLength(row), row, std::string(editing::LineBreak)));
      lines_->Add("");
    }
  }
  UndoBuffer().Add(std::make_unique<TInsertColumnUndo>(*this, x, y, std::string(text)));
  lines_->InsertColumnBlock(x, y, text);
  TextEdited(x, y, taColumnInsert, text);
}

void TCustomEditor::ReplaceSelection(std::string_view text) {
  TUpdateBracket update(*this);
  TUndoGroupGuard group(*this);
  if (Sel.Selected) {
    RemoveSelection();
  } else {
    Sel.Beg.X = CaretX;
    Sel.Beg.Y = CaretY;
  }
  if (Sel.BlockFormat == bfColumn) {
    InsertColumnAt(Sel.Beg.X, Sel.Beg.Y, text);
  } else {
    InsertAtCaret(text);
  }
  Sel.Selected = !text.empty();
  Sel.Selecting = false;
  // The new selection covers exactly the inserted text in the selection's own format:
  // an inclusive end is the last character, an exclusive one the column after it, a
  // column block spans its widest piece, and whole lines keep their full-width ends.
  if (Sel.BlockFormat == bfColumn) {
    const platform::TPoint extent = ColumnExtent(text);
    Sel.End.X = Sel.Beg.X + std::max(extent.X - 1, 0);
    Sel.End.Y = Sel.Beg.Y + std::max(extent.Y - 1, 0);
  } else {
    const platform::TPoint end = lines_->BlockEnd(Sel.Beg.X, Sel.Beg.Y, text);
    const int endX = std::clamp(end.X + (Sel.Selected && Sel.BlockFormat != bfInclusive ? 1 : 0), 0, MaxColumn);
    Sel.End.Y = end.Y;
    if (Sel.BlockFormat == bfLine) {
      Sel.LineModeEndX = endX;
      Sel.End.X = MaxColumn;
    } else {
      Sel.End.X = endX;
    }
  }
  View().RepaintRows(Sel.Beg.Y, Sel.End.Y);
}

void TCustomEditor::Copy() {
  host_.SetClipboard(SelectionText(), static_cast<int>(Sel.BlockFormat));
}

void TCustomEditor::Cut() {
  Copy();
  RemoveSelection();
}

void TCustomEditor::Paste() {
  if (CaretY > LineCount() - 1 && LineCount() > 0 && BeepOnError) host_.Beep();
  const std::optional<std::string> clipboard = host_.ClipboardText();
  if (!clipboard) return;
  TUpdateBracket update(*this);
  std::string text = TabsToBlanks(NormalizedBreaks(*clipboard));
  TCaretHider hiddenCaret(View());
  lines_->PadToCaret();
  int x = CaretX;
  int y = CaretY;
  int caretX = x;
  int caretY = y;
  {
    TUndoGroupGuard group(*this);
    if (Sel.Selected) {
      x = Sel.Beg.X;
      y = Sel.Beg.Y;
      RemoveSelection();
    }
    if (lines_->Count() > 0) lines_->PadToCaret();
    const TSelBlockFormat format = ClipboardBlockFormat(host_);
    Sel.BlockFormat = format;
    if (format == bfColumn) {
      // The caret stays at the block's top left corner, where the paste began.
      InsertColumnAt(x, y, text);
      caretX = std::max(x, 0);
      caretY = std::max(y, 0);
    } else {
      if (format == bfLine) {
        x = 0;
        if (text.empty() || text.back() != '\n') text += editing::LineBreak;
      }
      UndoBuffer().Add(std::make_unique<TInsertUndo>(*this, x, y, text));
      lines_->InsertBlock(x, y, text);
      TextEdited(x, y, taInsert, text);
      const platform::TPoint end = lines_->BlockEnd(x, y, text);
      caretX = end.X + 1;
      caretY = end.Y;
    }
  }
  MoveCaretTo(caretX, caretY);
  TextChanged();
}

}  // namespace editor
