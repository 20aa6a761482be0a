// The editor configured as the program's Memo1 for the window benchmarks: navy
// background, its font and the HTML highlighting.
#pragma once

#include "editor/HLEditor.h"

namespace bench_setup {

inline void ConfigureLikeMemo1(editor::THLEditor& memo) {
  memo.SetColor(platform::clNavy);
  platform::TFontSpec font;
  font.Name = "Courier New";
  font.Height = -13;
  memo.SetFont(font);
  editor::ApplyMemo1Highlighting(memo);
}

}  // namespace bench_setup
