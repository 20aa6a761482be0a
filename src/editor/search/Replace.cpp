// Replace and Replace All through the line store, with their undo record.
#include "editor/search/Replace.h"

#include <algorithm>
#include <stdexcept>

#include "editor/CustomEditor.h"
#include "editor/edit/EditingGuards.h"

namespace editor::search {

namespace {

// The rows a replace will write, worked out before anything changes.
struct TRowRewrite {
  int Row;
  std::string Text;
};

void CheckReplacement(std::string_view replacement) {
  // Rows hold no line break: a replacement that brought one would split rows the search
  // counted as one.
  if (replacement.find_first_of("\r\n") != std::string_view::npos) {
    throw std::invalid_argument("a replacement cannot hold a line break");
  }
}

bool RefusedReadOnly(TCustomEditor& editor) {
  if (!editor.ReadOnly) return false;
  if (editor.BeepOnError) editor.Host().Beep();
  return true;
}

// Writes the rows through the line store in one update, keeping their old text in the
// record, which then joins the history; reports the change once.
void Rewrite(TCustomEditor& editor, std::vector<TRowRewrite>& rewrites, std::unique_ptr<TReplaceRowsUndo> record,
             int column) {
  TEditorStrings& lines = editor.Lines();
  {
    const TUpdateLockGuard lock(editor);
    lines.BeginUpdate();
    for (TRowRewrite& rewrite : rewrites) {
      record->KeepRow(rewrite.Row, lines.Get(rewrite.Row));
      lines.Model().Replace(rewrite.Row, std::move(rewrite.Text));
    }
    lines.EndUpdate();
  }
  editor.UndoBuffer().Add(std::move(record));
  // One refresh of the highlighting from the first row rewritten.
  editor.TextEdited(column, rewrites.front().Row, taReplace, "");
  editor.TextChanged();
}

}  // namespace

TReplaceRowsUndo::TReplaceRowsUndo(TCustomEditor& editor)
    : TUndo(editor), caretX_(editor.CaretX), caretY_(editor.CaretY) {
  StoreSelection();
}

void TReplaceRowsUndo::Undo() {
  TCustomEditor& editor = StringEditor();
  TEditorStrings& lines = editor.Lines();
  int firstRow = rows_.empty() ? 0 : rows_.front().first;
  {
    const TUpdateLockGuard lock(editor);
    lines.BeginUpdate();
    for (auto it = rows_.rbegin(); it != rows_.rend(); ++it) {
      lines.Model().Replace(it->first, it->second);
      firstRow = std::min(firstRow, it->first);
    }
    lines.EndUpdate();
  }
  editor.TextEdited(0, firstRow, taReplace, "");
  editor.MoveCaretTo(caretX_, caretY_);
}

TReplaceResult ReplaceMatch(TCustomEditor& editor, const TSearchPattern& pattern, TSearchRegion& region,
                            const TTextMatch& match, std::string_view replacement, bool backward) {
  CheckReplacement(replacement);
  TReplaceResult result;
  if (RefusedReadOnly(editor) || match.Row < 0 || match.Row >= editor.Lines().Count()) return result;
  const std::string& text = editor.Lines().Get(match.Row);
  int from = 0;
  int to = 0;
  TRowMatch m;
  try {
    // The text may have changed since the match was found: replace only what is there now.
    if (!region.RowSpan(match.Row, static_cast<int>(text.size()), from, to) ||
        !pattern.FindIn(text, match.Column, to, false, m) || m.Column != match.Column || m.Length != match.Length) {
      return result;
    }
  } catch (const ERegexLimit&) {
    throw ESearchStopped(match.Row);
  }
  const std::string inserted = editor.TabsToBlanks(pattern.Expand(text, m, replacement));
  std::vector<TRowRewrite> rewrite{{match.Row, text.substr(0, static_cast<std::size_t>(m.Column)) + inserted +
                                                   text.substr(static_cast<std::size_t>(m.End()))}};
  const int delta = static_cast<int>(inserted.size()) - m.Length;

  const TUpdateBracket update(editor);
  const TUndoGroupGuard group(editor);
  Rewrite(editor, rewrite, std::make_unique<TReplaceRowsUndo>(editor), match.Column);
  if (match.Row == region.LastRow()) region.ShiftEnd(delta);
  result.Replaced = true;
  result.Count = 1;

  // On to the next match, inside the same undo step: one Ctrl+Z gives back the text and
  // the selection as they were.
  const TTextMatch replaced{match.Row, match.Column, static_cast<int>(inserted.size())};
  TFindScan next(editor.Lines(), pattern, region, {backward ? replaced.Column : replaced.End(), replaced.Row},
                 backward, !backward && replaced.Length > 0);
  if (next.Run(NoDeadline()) == TFindScan::fsFound) {
    result.NextFound = true;
    result.NextWrapped = next.Wrapped();
    result.Next = next.Match();
    ShowMatch(editor, result.Next);
  } else {
    editor.CancelSelection();
    editor.MoveCaretTo(backward ? replaced.Column : replaced.End(), replaced.Row);
  }
  return result;
}

TReplaceResult ReplaceAll(TCustomEditor& editor, const TSearchPattern& pattern, TSearchRegion& region,
                          std::string_view replacement) {
  CheckReplacement(replacement);
  TReplaceResult result;
  if (RefusedReadOnly(editor)) return result;
  const TEditorStrings& lines = editor.Lines();
  std::vector<TRowRewrite> rewrites;
  int lastRowDelta = 0;
  for (int row = std::max(region.FirstRow(), 0); row <= region.LastRow() && row < lines.Count(); ++row) {
    const std::string& text = lines.Get(row);
    int from = 0;
    int to = 0;
    TRowMatch m;
    try {
      if (!pattern.MayMatch(text) || !region.RowSpan(row, static_cast<int>(text.size()), from, to) ||
          !pattern.FindIn(text, from, to, false, m)) {
        continue;
      }
      std::string out;
      out.reserve(text.size() + 16);
      std::size_t copied = 0;
      do {
        out.append(text, copied, static_cast<std::size_t>(m.Column) - copied);
        out += editor.TabsToBlanks(pattern.Expand(text, m, replacement));
        copied = static_cast<std::size_t>(m.End());
        ++result.Count;
      } while (pattern.FindAfter(text, m, to, m));
      out.append(text, copied);
      if (row == region.LastRow()) lastRowDelta = static_cast<int>(out.size()) - static_cast<int>(text.size());
      if (out != text) rewrites.push_back({row, std::move(out)});
    } catch (const ERegexLimit&) {
      throw ESearchStopped(row);
    }
  }
  result.Replaced = result.Count > 0;
  if (rewrites.empty()) return result;

  const TUpdateBracket update(editor);
  const TUndoGroupGuard group(editor);
  Rewrite(editor, rewrites, std::make_unique<TReplaceRowsUndo>(editor), 0);
  region.ShiftEnd(lastRowDelta);
  if (region.IsWholeText()) {
    // What the selection covered has changed under it; undo brings it back.
    editor.CancelSelection();
  } else if (editor.Sel.Selected && editor.Sel.BlockFormat != bfColumn && editor.Sel.BlockFormat != bfLine &&
             editor.Sel.End.Y == region.LastRow()) {
    // A selection that ended on a rewritten last row keeps ending after the same text.
    editor.Sel.End.X = std::max(editor.Sel.End.X + lastRowDelta, 0);
  }
  return result;
}

}  // namespace editor::search
