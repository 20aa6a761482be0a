// The next or previous match over the rows with wrap-around, the match count, and going to
// a row.
#include "editor/search/TextSearch.h"

#include <algorithm>
#include <climits>

#include "editor/CustomEditorBase.h"

namespace editor::search {

namespace {

// How many rows pass between two looks at the clock.
constexpr int RowsPerClockCheck = 256;

bool Passed(TDeadline deadline, int& sinceCheck) {
  if (++sinceCheck < RowsPerClockCheck) return false;
  sinceCheck = 0;
  return deadline != TDeadline::max() && std::chrono::steady_clock::now() >= deadline;
}

}  // namespace

TFindScan::TFindScan(const TEditorStrings& lines, const TSearchPattern& pattern, const TSearchRegion& region,
                     TPosition from, bool backward, bool emptyAtFromAllowed)
    : lines_(lines), pattern_(pattern), region_(region), from_(from), backward_(backward),
      emptyAtFromAllowed_(emptyAtFromAllowed) {
  region_.CutTo(lines_.Count());
  if (region_.Empty() || !pattern_.Usable()) {
    status_ = fsNotFound;
    row_ = 0;
    return;
  }
  // A start outside the region starts at the region's nearer end.
  if (from_.Y < region_.FirstRow()) from_ = {0, region_.FirstRow()};
  if (from_.Y > region_.LastRow()) from_ = {INT_MAX, region_.LastRow()};
  row_ = from_.Y;
}

bool TFindScan::LastInRow(std::string_view text, int from, int limit, int before, int after, TRowMatch& found) const {
  bool any = false;
  TRowMatch m;
  for (bool more = pattern_.FindIn(text, from, limit, false, m); more && m.Column < before;
       more = pattern_.FindAfter(text, m, limit, m)) {
    if (m.Column >= after) {
      found = m;
      any = true;
    }
  }
  return any;
}

bool TFindScan::SearchRow(int row) {
  // Rows deleted since the scan began (a new text loaded) hold nothing to find.
  if (row >= lines_.Count()) return false;
  const std::string& text = lines_.Get(row);
  const bool startRow = row == from_.Y;
  if (!pattern_.MayMatch(text)) {
    if (startRow) startRowDone_ = true;
    return false;
  }
  int from = 0;
  int to = 0;
  if (!region_.RowSpan(row, static_cast<int>(text.size()), from, to)) return false;
  TRowMatch m;
  bool found = false;
  if (!backward_) {
    if (startRow && !startRowDone_) {
      const int at = std::max(from_.X, from);
      found = from_.X <= to && pattern_.FindIn(text, at, to, !emptyAtFromAllowed_ && at == from_.X, m);
    } else {
      found = pattern_.FindIn(text, from, to, false, m) && !(startRow && m.Column >= from_.X);
    }
  } else if (startRow && !startRowDone_) {
    found = LastInRow(text, from, to, from_.X, 0, m);
  } else {
    found = LastInRow(text, from, to, INT_MAX, startRow ? from_.X : 0, m);
  }
  if (startRow) startRowDone_ = true;
  if (found) match_ = {row, m.Column, m.Length};
  return found;
}

bool TFindScan::Advance() {
  const bool pastEnd = backward_ ? --row_ < region_.FirstRow() : ++row_ > region_.LastRow();
  if (pastEnd) {
    if (wrapped_) return false;
    wrapped_ = true;
    row_ = backward_ ? region_.LastRow() : region_.FirstRow();
  }
  // After the wrap the rows run back to the start row, which is searched once more.
  return !wrapped_ || (backward_ ? row_ >= from_.Y : row_ <= from_.Y);
}

bool TFindScan::SkipBarrenRows(int& sinceCheck, TDeadline deadline) {
  // Rows past the start row that lack the byte every match needs are passed over here, at
  // the cost of the byte scan alone.
  const int step = backward_ ? -1 : 1;
  const int last = std::min(backward_ ? (wrapped_ ? from_.Y : region_.FirstRow()) : (wrapped_ ? from_.Y : region_.LastRow()),
                            lines_.Count() - 1);
  while (row_ != from_.Y && (backward_ ? row_ > last : row_ < last) && row_ < lines_.Count() &&
         !pattern_.MayMatch(lines_.Get(row_))) {
    row_ += step;
    if (Passed(deadline, sinceCheck)) return false;
  }
  return true;
}

TFindScan::TStatus TFindScan::Run(TDeadline deadline) {
  int sinceCheck = 0;
  while (status_ == fsRunning) {
    if (!SkipBarrenRows(sinceCheck, deadline)) break;
    try {
      if (SearchRow(row_)) {
        status_ = fsFound;
        break;
      }
    } catch (const ERegexLimit&) {
      status_ = fsNotFound;
      throw ESearchStopped(row_);
    }
    if (!Advance()) {
      status_ = fsNotFound;
      break;
    }
    if (Passed(deadline, sinceCheck)) break;
  }
  return status_;
}

TMatchCount::TMatchCount(const TEditorStrings& lines, const TSearchPattern& pattern, const TSearchRegion& region)
    : lines_(lines), pattern_(pattern), region_(region), row_(region.FirstRow()) {
  region_.CutTo(lines_.Count());
  if (!pattern_.Usable()) row_ = region_.LastRow() + 1;
}

bool TMatchCount::Run(TDeadline deadline) {
  region_.CutTo(lines_.Count());
  int sinceCheck = 0;
  for (; row_ <= region_.LastRow(); ++row_) {
    if (Passed(deadline, sinceCheck)) return false;
    const std::string& text = lines_.Get(row_);
    int from = 0;
    int to = 0;
    if (!pattern_.MayMatch(text) || !region_.RowSpan(row_, static_cast<int>(text.size()), from, to)) continue;
    try {
      TRowMatch m;
      for (bool more = pattern_.FindIn(text, from, to, false, m); more; more = pattern_.FindAfter(text, m, to, m)) {
        ++count_;
      }
    } catch (const ERegexLimit&) {
      throw ESearchStopped(row_);
    }
  }
  return true;
}

bool ShowMatch(TCustomEditorBase& editor, const TTextMatch& match) {
  editor.View().ScrollToRow(match.Row);
  if (match.End() > MaxColumn || match.Length == 0) {
    editor.CancelSelection();
    editor.SetCaret(std::min(match.Column, MaxColumn), match.Row);
    return match.Length == 0;
  }
  if (editor.Sel.BlockFormat == bfLine) editor.SetSelBlockFormat(bfNonInclusive);
  const int lastColumn = editor.Sel.BlockFormat == bfNonInclusive ? match.End() : match.End() - 1;
  editor.SelectRange(match.Column, match.Row, lastColumn, match.Row);
  editor.MoveCaretTo(match.End(), match.Row);
  return true;
}

bool IsShownMatch(const TCustomEditorBase& editor, const TTextMatch& match) {
  if (match.Length == 0 || match.End() > MaxColumn) {
    return !editor.Sel.Selected && editor.CaretY == match.Row && editor.CaretX == std::min(match.Column, MaxColumn);
  }
  const int lastColumn = editor.Sel.BlockFormat == bfNonInclusive ? match.End() : match.End() - 1;
  return editor.Sel.Selected && editor.Sel.BlockFormat != bfLine && editor.Sel.Beg == TPosition{match.Column, match.Row} &&
         editor.Sel.End == TPosition{lastColumn, match.Row};
}

TPosition NearestCaretPosition(const TCustomEditorBase& editor, long long row, long long column) {
  const long long lastRow = std::max(editor.LineCount(), 1);
  return {static_cast<int>(std::clamp(column, 1LL, static_cast<long long>(MaxColumn) + 1) - 1),
          static_cast<int>(std::clamp(row, 1LL, lastRow) - 1)};
}

void GoToPosition(TCustomEditorBase& editor, TPosition position) {
  editor.CancelSelection();
  editor.View().ScrollToRow(position.Y);
  editor.SetCaret(position.X, position.Y);
}

}  // namespace editor::search
