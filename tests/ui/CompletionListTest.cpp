// The completion popup in the real editor window: the program's configuration shows
// nothing and swallows a character; with lists the popup list drops without taking the
// activation, follows the keys, and selects and scrolls with the mouse.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QVBoxLayout>

#include "MainWindowFixture.h"
#include "qt/EditorWidget.h"
#include "qt/TEditorCompletionList.h"

namespace {

bool AnyCompletionListWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String("CompletionList")) return true;
  return false;
}

class ProgramCompletion : public MainWindowFixture {};

TEST_F(ProgramCompletion, CtrlSpaceAndCtrlJChangeNothingAndSwallowTheNextCharacter) {
  Main().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
  EditorWidget* memo = Main().Memo1;
  SetLines({""});
  memo->Editor().MoveCaretTo(0, 0);
  memo->setFocus();
  QTest::keyClicks(memo, "abc");
  QApplication::processEvents();
  const QImage before = memo->CanvasImage().copy();
  // Each key's own character (a blank, a line feed) is swallowed with it.
  QTest::keyClick(memo, Qt::Key_Space, Qt::ControlModifier);
  QTest::keyClick(memo, Qt::Key_J, Qt::ControlModifier);
  QApplication::processEvents();
  EXPECT_EQ(EditorLines(), std::vector<std::string>{"abc"});
  EXPECT_EQ(memo->Editor().CaretX, 3);
  EXPECT_EQ(memo->CanvasImage(), before);
  EXPECT_FALSE(AnyCompletionListWindow());
  // Typing goes on as before.
  QTest::keyClick(memo, Qt::Key_D);
  EXPECT_EQ(EditorLines(), std::vector<std::string>{"abcd"});
}

class CompletionListWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    auto* layout = new QVBoxLayout(&window);
    memo = new EditorWidget(&window);
    layout->addWidget(memo);
    window.resize(600, 300);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    memo->setFocus();
  }
  editor::THLEditor& Editor() { return memo->Editor(); }
  TEditorCompletionList* List() { return dynamic_cast<TEditorCompletionList*>(Editor().Completion.List()); }
  void Open(const std::string& text) {
    Editor().SetLines({text});
    Editor().MoveCaretTo(static_cast<int>(text.size()), 0);
    QTest::keyClick(memo, Qt::Key_Space, Qt::ControlModifier);
  }
  void Mouse(QEvent::Type type, int y, Qt::MouseButtons held) {
    TEditorCompletionList* list = List();
    const QPoint p(20, y);
    QMouseEvent event(type, p, list->mapToGlobal(p), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      held, Qt::NoModifier);
    QApplication::sendEvent(list, &event);
  }
  // The middle of row `row` in view.
  int RowY(int row) { return 1 + row * 13 + 6; }

  QWidget window;
  EditorWidget* memo = nullptr;
};

TEST_F(CompletionListWindow, DropsBelowTheCaretWithoutTakingTheActivationAndFollowsKeys) {
  Editor().Completion.Identifiers = {"alpha=Alpha", "alpine=Alpine", "beta=Beta"};
  Open("x al");
  TEditorCompletionList* list = List();
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(list->isVisible());
  QApplication::processEvents();
  EXPECT_EQ(QApplication::activeWindow(), &window);
  EXPECT_TRUE(memo->hasFocus());
  EXPECT_FALSE(list->isActiveWindow());
  EXPECT_TRUE(list->isWindow());
  const QRect cell(Editor().View().CellRect(4, 1).Left, Editor().View().CellRect(4, 1).Top, 1, 1);
  EXPECT_EQ(list->geometry(), QRect(memo->viewport()->mapToGlobal(cell.topLeft()) - QPoint(2, 1), QSize(300, 3 * 13 + 2)));

  QTest::keyClick(memo, Qt::Key_Down);
  EXPECT_EQ(list->ItemIndex(), 1);
  // The selected row is drawn in the highlight colour, the others on the window colour.
  const QImage shot = list->grab().toImage();
  EXPECT_EQ(shot.pixelColor(250, RowY(1)), list->palette().color(QPalette::Highlight));
  EXPECT_EQ(shot.pixelColor(250, RowY(0)), list->palette().color(QPalette::Base));

  QTest::keyClick(memo, Qt::Key_Return);
  EXPECT_FALSE(list->isVisible());
  EXPECT_EQ(Editor().Lines().Get(0), "x alpine");
  EXPECT_EQ(Editor().Lines().Count(), 1);
  EXPECT_EQ(QApplication::activeWindow(), &window);
}

TEST_F(CompletionListWindow, MouseSelectsScrollsBelowTheListAndAppliesOnlyOnReleaseInside) {
  for (int i = 0; i < 10; ++i) Editor().Completion.Identifiers.push_back("item" + std::to_string(i) + "=Item");
  Open("it");
  TEditorCompletionList* list = List();
  ASSERT_NE(list, nullptr);
  Mouse(QEvent::MouseButtonPress, RowY(2), Qt::LeftButton);
  EXPECT_EQ(list->ItemIndex(), 2);
  Mouse(QEvent::MouseMove, list->height() + 5, Qt::LeftButton);
  EXPECT_TRUE(list->Scrolling());
  EXPECT_EQ(list->ScrollInterval(), TEditorCompletionList::SlowScrollInterval);
  Mouse(QEvent::MouseMove, list->height() + 30, Qt::LeftButton);
  EXPECT_EQ(list->ScrollInterval(), TEditorCompletionList::FastScrollInterval);
  QTest::qWait(400);
  EXPECT_GE(list->ItemIndex(), 6);
  EXPECT_GT(list->TopIndex(), 0);
  Mouse(QEvent::MouseButtonRelease, list->height() + 30, Qt::NoButton);
  EXPECT_FALSE(list->isVisible());
  EXPECT_FALSE(list->Scrolling());
  EXPECT_EQ(Editor().Lines().Get(0), "it");

  Open("it");
  Mouse(QEvent::MouseButtonPress, RowY(1), Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, RowY(1), Qt::NoButton);
  EXPECT_FALSE(list->isVisible());
  EXPECT_EQ(Editor().Lines().Get(0), "item1");
  EXPECT_TRUE(memo->hasFocus());
}

}  // namespace
