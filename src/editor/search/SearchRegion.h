// TSearchRegion: the part of the text a search covers — all of it, or the selection as it
// stood when "В выделенном" was chosen, in the selection's own block format.
#pragma once

#include "editor/EditorTypes.h"

namespace editor::search {

// Rows FirstRow..LastRow; on each, the columns [From, To) that RowSpan gives. A stream
// region starts at Beg and ends before End; a column region holds columns Beg.X..End.X of
// every row; a line region and the whole text hold whole rows.
class TSearchRegion {
 public:
  enum TKind { rkWholeText, rkStream, rkColumns, rkLines };

  // The whole text, however many rows it has when searched.
  static TSearchRegion WholeText();
  // The selection's region, cut to the text (an inclusive stream takes its end column
  // too); the whole text when nothing is selected.
  static TSearchRegion FromSelection(const TSelection& selection, int lineCount);

  TKind Kind() const { return kind_; }
  bool IsWholeText() const { return kind_ == rkWholeText; }
  int FirstRow() const { return beg_.Y; }
  int LastRow() const { return end_.Y; }
  bool Empty() const { return end_.Y < beg_.Y; }
  // The columns of row that the region covers, [from, to), cut to rowLength; false when
  // the row lies outside it.
  bool RowSpan(int row, int rowLength, int& from, int& to) const;
  // The region without the rows past a text of lineCount rows (rows deleted since it was
  // taken, or the open end of the whole text).
  void CutTo(int lineCount) { end_.Y = end_.Y >= lineCount ? lineCount - 1 : end_.Y; }
  // The same region over a text whose rows changed length by `delta` at the end row (a
  // stream region whose last row was edited keeps covering what it covered).
  void ShiftEnd(int delta);

 private:
  TKind kind_ = rkWholeText;
  TPosition beg_{0, 0};
  TPosition end_{0, -1};
};

}  // namespace editor::search
