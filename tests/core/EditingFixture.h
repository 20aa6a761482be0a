// A fixture for the typing and editing tests: an editor on a fake host that records its
// change reports, with helpers to send characters, run commands and read the history.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/FakeHost.h"
#include "editor/Editor.h"
#include "platform/Messages.h"

namespace testing_support {

// One TextEdited report.
struct TEditReport {
  int Column;
  int Row;
  int Action;
  std::string Text;
  bool operator==(const TEditReport&) const = default;
};

inline void PrintTo(const TEditReport& r, std::ostream* os) {
  *os << "(" << r.Column << ", " << r.Row << ", " << r.Action << ", \"" << r.Text << "\")";
}

// The string editor with its change reports recorded.
class RecordingEditor : public editor::TEditor {
 public:
  using TEditor::TEditor;
  void TextEdited(int column, int row, int action, std::string_view text) override {
    Edits.push_back({column, row, action, std::string(text)});
  }
  std::vector<TEditReport> Edits;
};

class EditingTest : public ::testing::Test {
 protected:
  EditingTest() {
    editor.WindowCreated();
    editor.OnChange = [this] { ++changes; };
  }

  // Replaces the text (emptying the history) and puts the caret at (x, y).
  void SetText(const std::vector<std::string>& lines, int x = 0, int y = 0) {
    editor.SetLines(lines);
    editor.MoveCaretTo(x, y);
    editor.Edits.clear();
    changes = 0;
  }

  std::vector<std::string> Text() const {
    std::vector<std::string> lines;
    for (int i = 0; i < editor.Lines().Count(); ++i) lines.push_back(editor.Lines().Get(i));
    return lines;
  }

  // One WM_CHAR per byte, as the main window sends a snippet.
  void Send(std::string_view chars) {
    for (const char c : chars) {
      editor.Perform(platform::WM_CHAR, static_cast<unsigned char>(c), 0);
    }
  }

  void Run(editor::TCommand code, int times = 1) {
    for (int i = 0; i < times; ++i) editor.Command(code);
  }

  // The kinds of the records that an undo could still take back, oldest first.
  std::vector<editor::TUndoKind> History() {
    std::vector<editor::TUndoKind> kinds;
    editor::TUndoBuffer& buffer = editor.UndoBuffer();
    for (int i = 0; i <= buffer.UndoPointer; ++i) kinds.push_back(buffer.Record(i).Kind());
    return kinds;
  }

  platform::TPoint Caret() const { return {editor.CaretX, editor.CaretY}; }

  FakeHost host;
  RecordingEditor editor{host};
  int changes = 0;
};

}  // namespace testing_support
