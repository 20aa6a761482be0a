// TLineAttrs: the per-row character attributes the painter fills and the highlighter
// overwrites.
#pragma once

#include <array>

#include "platform/Colors.h"
#include "platform/Types.h"

namespace editor {

// One character's look. Runs of entries equal in all four fields are drawn together.
struct TLineAttr {
  platform::TColor Fore = platform::clWindowText;
  platform::TColor Back = platform::clWindow;
  platform::TFontStyles Style = 0;
  platform::TColor Border = platform::clNone;  // clNone: no border
  bool operator==(const TLineAttr&) const = default;
};

// Entry i describes the character at 1-based position i of the line, that is column i - 1;
// entries 0..1024.
using TLineAttrs = std::array<TLineAttr, 1025>;

}  // namespace editor
