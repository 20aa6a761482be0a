// A string editor on the fake host, laid out as a 640×480 window of 8×16 cells, for the
// view tests: caret, selection, layout, painting, keys and mouse.
#pragma once

#include <initializer_list>
#include <string>

#include "core/FakeHost.h"
#include "editor/Editor.h"

namespace testing_support {

// Cells are 8 pixels wide and 16 high (the fake font's 15 plus one), so the default
// window shows 79 columns ((640 - 2) / 8) and 30 rows.
class ViewEditor {
 public:
  explicit ViewEditor(std::initializer_list<std::string> lines = {}) {
    for (const std::string& line : lines) Editor.Lines().Add(line);
    Editor.Modified = false;
    Editor.WindowCreated();
  }
  // n lines "line 0", "line 1", …, then a new layout.
  void AddNumberedLines(int n) {
    for (int i = 0; i < n; ++i) Editor.Lines().Add("line " + std::to_string(i));
    Editor.View().UpdateLayout();
  }
  void Resize(int width, int height) {
    Host.Size = {width, height};
    Editor.Resized();
  }
  void Caret(int x, int y) {
    Editor.CaretX = x;
    Editor.CaretY = y;
  }
  void Key(std::uint16_t key, std::uint8_t shift = 0) { Editor.KeyDown(key, shift); }
  void Char(char ch) { Editor.KeyPress(ch); }
  std::string Line(int row) const { return Editor.Lines().Get(row); }

  FakeHost Host;
  editor::TEditor Editor{Host};
};

}  // namespace testing_support
