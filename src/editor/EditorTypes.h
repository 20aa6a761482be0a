// Small types shared across the editor family: positions, block formats, limits.
#pragma once

#include <cstdint>

namespace editor {

// Columns run from 0 to 1024; 1024 is a valid caret column and the end of a whole-line
// selection.
inline constexpr int MaxColumn = 1024;

enum TSelBlockFormat : std::uint8_t { bfInclusive = 0, bfLine = 1, bfColumn = 2, bfNonInclusive = 3 };

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
