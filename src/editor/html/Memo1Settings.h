// The settings of the main window's editor, Memo1, in one place: the program, the window
// tests and the benchmarks all configure their editor through ConfigureMemo1.
#pragma once

#include "editor/html/HLEditor.h"
#include "platform/Colors.h"
#include "platform/Surface.h"

namespace editor {

// Gives an editor Memo1's settings: a 25-pixel gutter, the silver right margin at column
// 100, tab stops "3 5", the system selection colours, navy ground, Courier New 13 pixels
// high, and the HTML highlighting (which rebuilds the start states). Everything else
// keeps the editor's defaults.
inline void ConfigureMemo1(THLEditor& memo) {
  memo.View().SetGutterWidth(25);
  memo.View().SetRightMargin(100);
  memo.View().SetRightMarginColor(platform::clSilver);
  memo.TabStops = "3 5";
  memo.SetSelForeColor(platform::clHighlightText);
  memo.SetSelBackColor(platform::clHighlight);
  memo.SetColor(platform::clNavy);
  platform::TFontSpec font;
  font.Name = "Courier New";
  font.Height = -13;
  memo.SetFont(font);
  ApplyMemo1Highlighting(memo);
}

}  // namespace editor
