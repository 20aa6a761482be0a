// The editor as the program sets it up, with the fonts the test machine has: the program
// asks for Courier New, and Liberation Mono is its metric twin, so cells have the same size
// wherever the tests run.
#pragma once

#include "editor/html/Memo1Settings.h"
#include "qt/EditorWidget.h"

// Liberation Mono at the program's height.
inline platform::TFontSpec MetricEditorFont() {
  platform::TFontSpec font;
  font.Name = "Liberation Mono";
  font.Height = -13;
  return font;
}

// The program's settings for its editor (yellow text on navy), with the metric font.
inline void ConfigureLikeMemo1(EditorWidget& w) {
  editor::ConfigureMemo1(w.Editor());
  w.Editor().SetFont(MetricEditorFont());
}
