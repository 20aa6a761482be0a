// The rows and columns a search covers, from the whole text or from a selection.
#include "editor/search/SearchRegion.h"

#include <algorithm>
#include <climits>

namespace editor::search {

TSearchRegion TSearchRegion::WholeText() {
  TSearchRegion region;
  region.end_ = {INT_MAX, INT_MAX};
  return region;
}

TSearchRegion TSearchRegion::FromSelection(const TSelection& selection, int lineCount) {
  if (!selection.Selected || selection.Beg.Y >= lineCount || lineCount == 0) return WholeText();
  TSearchRegion region;
  region.beg_ = selection.Beg;
  region.end_ = selection.End;
  switch (selection.BlockFormat) {
    case bfColumn:
      region.kind_ = rkColumns;
      // The block's last column is part of it.
      region.end_.X = selection.End.X + 1;
      break;
    case bfLine:
      region.kind_ = rkLines;
      break;
    case bfInclusive:
      region.kind_ = rkStream;
      region.end_.X = selection.End.X + 1;
      break;
    case bfNonInclusive:
      region.kind_ = rkStream;
      break;
  }
  if (region.end_.Y >= lineCount) region.end_ = {INT_MAX, lineCount - 1};
  region.beg_.X = std::max(region.beg_.X, 0);
  region.beg_.Y = std::max(region.beg_.Y, 0);
  return region;
}

bool TSearchRegion::RowSpan(int row, int rowLength, int& from, int& to) const {
  if (row < beg_.Y || row > end_.Y) return false;
  from = 0;
  to = rowLength;
  switch (kind_) {
    case rkWholeText:
    case rkLines:
      break;
    case rkColumns:
      from = beg_.X;
      to = end_.X;
      break;
    case rkStream:
      if (row == beg_.Y) from = beg_.X;
      if (row == end_.Y) to = end_.X;
      break;
  }
  from = std::min(from, rowLength);
  to = std::clamp(to, from, rowLength);
  return true;
}

void TSearchRegion::ShiftEnd(int delta) {
  if (kind_ == rkStream && end_.X != INT_MAX) end_.X = std::max(end_.X + delta, 0);
}

}  // namespace editor::search
