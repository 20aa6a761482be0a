// Ctrl+C and Ctrl+V on the editor window with the real clipboard: the copied text is the
// plain text other programs see, and a column block pastes back as a column.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QTest>

#include "editor/html/HLEditor.h"
#include "qt/EditorWidget.h"

namespace {

class EditorWidgetClipboard : public ::testing::Test {
 protected:
  void SetUp() override {
    memo.resize(600, 300);
    memo.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&memo));
    memo.setFocus();
  }
  editor::THLEditor& Editor() { return memo.Editor(); }
  std::vector<std::string> Text() {
    std::vector<std::string> lines;
    for (int i = 0; i < Editor().Lines().Count(); ++i) lines.push_back(Editor().Lines().Get(i));
    return lines;
  }
  void Press(int key, Qt::KeyboardModifiers modifiers) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(&memo, &press);
  }

  EditorWidget memo;
};

TEST_F(EditorWidgetClipboard, ColumnBlockTravelsThroughTheSystemClipboard) {
  Editor().SetLines({"abcd", "efgh", "ijkl"});
  Editor().Sel.BlockFormat = editor::bfColumn;
  Editor().SelectRange(1, 0, 2, 1);
  Press(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString("bc\r\nfg"));

  Editor().CancelSelection();
  Editor().MoveCaretTo(4, 1);
  Press(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Text(), (std::vector<std::string>{"abcd", "efghbc", "ijklfg"}));
}

}  // namespace
