// Small types shared across the editor family: positions, block formats, limits.
#pragma once

#include <cstdint>

#include "platform/Types.h"

namespace editor {

// Columns run from 0 to 1024; 1024 is a valid caret column and the end of a whole-line
// selection.
inline constexpr int MaxColumn = 1024;

enum TSelBlockFormat : std::uint8_t { bfInclusive = 0, bfLine = 1, bfColumn = 2, bfNonInclusive = 3 };

// A position in the text: column X, row Y.
using TPosition = platform::TPoint;

// The selection: its ends, the anchor a drag or Shift move extends from, whether it is
// shown and whether it is being extended, and its block format. The line format replaces
// the end columns with 0 and MaxColumn; LineModeBegX and LineModeEndX keep the columns
// they had, to come back when the format changes again.
struct TSelection {
  TPosition Beg;
  TPosition End;
  TPosition Anchor;
  bool Selected = false;
  bool Selecting = false;
  TSelBlockFormat BlockFormat = bfNonInclusive;
  int LineModeBegX = 0, LineModeEndX = 0;
  friend bool operator==(const TSelection&, const TSelection&) = default;
};

// Actions of TextEdited.
enum TTextEditAction : int {
  taWholeText = 0,
  taInsert = 1,
  taDelete = 2,
  taColumnInsert = 3,
  taColumnDelete = 4,
  taReplace = 5,
};

}  // namespace editor
