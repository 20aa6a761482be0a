// Searching the editor's rows: the next or previous match from a position with wrap-around,
// counting the matches, and going to a row. Long searches run in slices up to a deadline,
// so that a window can keep answering keys while one goes on.
#pragma once

#include <chrono>
#include <string>

#include "editor/EditorStrings.h"
#include "editor/search/SearchPattern.h"
#include "editor/search/SearchRegion.h"

namespace editor {
class TCustomEditorBase;
}

namespace editor::search {

using TDeadline = std::chrono::steady_clock::time_point;
inline TDeadline NoDeadline() { return TDeadline::max(); }

// A match in the text: row, first column and length.
struct TTextMatch {
  int Row = 0;
  int Column = 0;
  int Length = 0;
  int End() const { return Column + Length; }
  friend bool operator==(const TTextMatch&, const TTextMatch&) = default;
};

// Raised when a row's match ran into the expression's limit: the search stopped at Row.
class ESearchStopped : public std::exception {
 public:
  explicit ESearchStopped(int row) : Row(row) {}
  const char* what() const noexcept override { return "search stopped by the match limit"; }
  int Row;
};

// One search for the next (or previous) match from a position. Forwards it takes the
// first match that starts at or after the position (an empty one right there only when
// allowed); backwards the last one that starts before it. At the end of the region it
// goes on from the other end (Wrapped), back to where it started. The lines and the pattern
// must outlive the scan, and the text must not change while it runs.
class TFindScan {
 public:
  enum TStatus { fsRunning, fsFound, fsNotFound };

  TFindScan(const TEditorStrings& lines, const TSearchPattern& pattern, const TSearchRegion& region,
            TPosition from, bool backward, bool emptyAtFromAllowed);

  // Searches on until it finds, runs out of rows or passes the deadline (checked every
  // few hundred rows); answers the status. Raises ESearchStopped.
  TStatus Run(TDeadline deadline);
  TStatus Status() const { return status_; }
  const TTextMatch& Match() const { return match_; }
  bool Wrapped() const { return wrapped_; }

 private:
  bool SearchRow(int row);
  bool LastInRow(std::string_view text, int from, int limit, int before, int after, TRowMatch& found) const;
  // Steps to the next row to search; false when every row has been searched.
  bool Advance();
  // Moves over the rows that cannot hold a match, stopping short of the start row and of
  // the last row of the pass; false when the deadline passed.
  bool SkipBarrenRows(int& sinceCheck, TDeadline deadline);

  const TEditorStrings& lines_;
  const TSearchPattern& pattern_;
  TSearchRegion region_;
  TPosition from_;
  bool backward_;
  bool emptyAtFromAllowed_;
  TStatus status_ = fsRunning;
  TTextMatch match_;
  bool wrapped_ = false;
  int row_;
  // The start row is searched twice: from the position on, and after the wrap the part
  // before it.
  bool startRowDone_ = false;
};

// Counts the matches of the region, the way a replace-all walks them. The lines and the
// pattern must outlive the count, and the text must not change while it runs.
class TMatchCount {
 public:
  TMatchCount(const TEditorStrings& lines, const TSearchPattern& pattern, const TSearchRegion& region);

  // Counts on until the end or the deadline; answers true when the count is complete.
  // Raises ESearchStopped.
  bool Run(TDeadline deadline);
  long long Count() const { return count_; }

 private:
  const TEditorStrings& lines_;
  const TSearchPattern& pattern_;
  TSearchRegion region_;
  int row_;
  long long count_ = 0;
};

// Shows a match found: selects it (in the stream format when the selection's format is
// the line one, which would cover the whole row) with the caret at its end, and brings it
// into view. A match that ends past the last caret column cannot be selected: the caret
// goes to its row, as far towards it as it may, and the answer is false. An empty match
// puts the caret at its place.
bool ShowMatch(TCustomEditorBase& editor, const TTextMatch& match);
// Whether the editor's selection is that match, as ShowMatch left it.
bool IsShownMatch(const TCustomEditorBase& editor, const TTextMatch& match);

// The row and column (both 1-based) of the go-to-line command, brought to the nearest that
// exists: rows 1..LineCount, columns 1..MaxColumn + 1.
TPosition NearestCaretPosition(const TCustomEditorBase& editor, long long row, long long column);
// Puts the caret at the position (dropping the selection) and brings its row into view.
void GoToPosition(TCustomEditorBase& editor, TPosition position);

}  // namespace editor::search
