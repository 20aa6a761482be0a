// The editor window driven as a user drives it: QTest key and mouse events, the key
// translation, Tab kept by the editor, scroll bars and the wheel.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

#include "editor/html/HLEditor.h"
#include "platform/Cp1251.h"
#include "platform/VirtualKeys.h"
#include "qt/EditorWidget.h"
#include "qt/KeyMap.h"

#include "MetricFont.h"

namespace {

class EditorWidgetInput : public ::testing::Test {
 protected:
  void SetUp() override {
    auto* layout = new QVBoxLayout(&window);
    other = new QLineEdit(&window);
    memo = new EditorWidget(&window);
    layout->addWidget(other);
    layout->addWidget(memo);
    memo->Editor().SetFont(MetricEditorFont());
    memo->Editor().View().SetGutterWidth(25);
    window.resize(700, 400);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    memo->setFocus();
  }
  editor::THLEditor& Editor() { return memo->Editor(); }
  std::string Line(int row) { return Editor().Lines().Get(row); }
  void Press(int key, Qt::KeyboardModifiers modifiers) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(memo, &press);
  }
  void DragTo(QPoint p, Qt::MouseButton held = Qt::LeftButton) {
    QMouseEvent move(QEvent::MouseMove, p, memo->viewport()->mapToGlobal(p), Qt::NoButton, held,
                     Qt::NoModifier);
    QApplication::sendEvent(memo->viewport(), &move);
  }
  QPoint CellPoint(int column, int row) {
    const auto& e = Editor();
    return QPoint(e.View().GutterWidth + 3 + column * e.View().CellWidth + 2, row * e.View().CellHeight + 4);
  }

  QWidget window;
  QLineEdit* other = nullptr;
  EditorWidget* memo = nullptr;
};

}  // namespace

TEST(EditorWidget, IsNamedMemo1AndStartsEmpty) {
  EditorWidget memo;
  EXPECT_EQ(memo.objectName(), "Memo1");
  EXPECT_EQ(memo.Editor().Lines().Count(), 0);
  EXPECT_GT(memo.Editor().View().CellWidth, 0);
}

TEST_F(EditorWidgetInput, TypedKeysBecomeCharactersAndCommands) {
  int changes = 0;
  QObject::connect(memo, &EditorWidget::changed, [&] { ++changes; });
  QTest::keyClicks(memo, "abc");
  EXPECT_EQ(Line(0), "abc");
  EXPECT_EQ(changes, 3);
  QTest::keyClick(memo, Qt::Key_Left);
  QTest::keyClick(memo, Qt::Key_Return);
  EXPECT_EQ(Line(0), "ab");
  EXPECT_EQ(Line(1), "c");
  QTest::keyClick(memo, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_TRUE(Editor().Sel.Selected);
  QTest::keyClick(memo, Qt::Key_Home, Qt::ControlModifier);
  EXPECT_FALSE(Editor().Sel.Selected);
  EXPECT_EQ(Editor().CaretY, 0);
}

TEST_F(EditorWidgetInput, CyrillicTextArrivesInTheDocumentCodePage) {
  // Key events as a Russian layout delivers them: the key is the letter, the text its case.
  for (const QChar ch : QString::fromUtf8("Привет №1")) {
    QKeyEvent press(QEvent::KeyPress, ch.toUpper().unicode(), Qt::NoModifier, QString(ch));
    QApplication::sendEvent(memo, &press);
  }
  EXPECT_EQ(Line(0), platform::Utf16ToCp1251(u"Привет №1"));
}

TEST_F(EditorWidgetInput, AfterAnArrowKeyASentTextArrivesWhole) {
  QTest::keyClicks(memo, "xy");
  QTest::keyClick(memo, Qt::Key_Left);
  Editor().SendText("<A");
  EXPECT_EQ(Line(0), "x<Ay");
}

TEST_F(EditorWidgetInput, BookmarkSequenceAndTheSwallowedCharacter) {
  QTest::keyClicks(memo, "one");
  QTest::keyClick(memo, Qt::Key_K, Qt::ControlModifier);
  QTest::keyClick(memo, Qt::Key_3);
  EXPECT_TRUE(Editor().Bookmarks[3].Valid);
  EXPECT_EQ(Line(0), "one");  // neither the K nor the 3 was typed
  // With Ctrl held through both keys (no second Ctrl key-down to end the wait).
  Press(Qt::Key_Control, Qt::ControlModifier);
  Press(Qt::Key_K, Qt::ControlModifier);
  Press(Qt::Key_3, Qt::ControlModifier);
  EXPECT_FALSE(Editor().Bookmarks[3].Valid);  // the same row again: cleared
  // A fresh Ctrl key-down is a key too: it ends the wait, and Ctrl+3 then goes to mark 3.
  QTest::keyClick(memo, Qt::Key_K, Qt::ControlModifier);
  QTest::keyClick(memo, Qt::Key_3, Qt::ControlModifier);
  EXPECT_FALSE(Editor().Bookmarks[3].Valid);
}

TEST_F(EditorWidgetInput, TabStaysInTheEditor) {
  QTest::keyClicks(memo, "a");
  QTest::keyClick(memo, Qt::Key_Home);
  QTest::keyClick(memo, Qt::Key_Tab);
  EXPECT_TRUE(memo->hasFocus());
  EXPECT_EQ(Line(0), "  a");
  QTest::keyClick(memo, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_TRUE(memo->hasFocus());
  EXPECT_EQ(Editor().CaretX, 0);
}

TEST_F(EditorWidgetInput, ClickPlacesTheCaretAndDoubleClickSelectsAWord) {
  auto& e = Editor();
  e.Lines().Add("<b>bold</b>");
  e.Lines().Add("second");
  int releases = 0;
  QObject::connect(memo, &EditorWidget::mouseReleased, [&] { ++releases; });
  QTest::mouseClick(memo->viewport(), Qt::LeftButton, Qt::NoModifier, CellPoint(20, 1));
  EXPECT_EQ(e.CaretX, 20);  // beyond the line end, where clicked
  EXPECT_EQ(e.CaretY, 1);
  EXPECT_EQ(releases, 1);
  QTest::mouseClick(memo->viewport(), Qt::LeftButton, Qt::NoModifier, CellPoint(4, 0));
  QTest::mouseDClick(memo->viewport(), Qt::LeftButton, Qt::NoModifier, CellPoint(4, 0));
  EXPECT_TRUE(e.Sel.Selected);
  EXPECT_EQ(e.Sel.Beg.X, 3);
  EXPECT_EQ(e.Sel.End.X, 7);
  EXPECT_EQ(e.CaretX, 7);
}

TEST_F(EditorWidgetInput, DragSelectsAndShiftClickExtends) {
  auto& e = Editor();
  e.Lines().Add("abcdefghij");
  e.Lines().Add("klmnopqrst");
  QTest::mousePress(memo->viewport(), Qt::LeftButton, Qt::NoModifier, CellPoint(2, 0));
  DragTo(CellPoint(2, 0));  // the first move sets the anchor under the pointer
  DragTo(CellPoint(4, 1));
  DragTo(CellPoint(5, 1));
  QTest::mouseRelease(memo->viewport(), Qt::LeftButton, Qt::NoModifier, CellPoint(5, 1));
  EXPECT_TRUE(e.Sel.Selected);
  EXPECT_EQ(e.Sel.Beg.Y, 0);
  EXPECT_EQ(e.Sel.End.X, 5);
  EXPECT_EQ(e.Sel.End.Y, 1);
  QTest::mouseClick(memo->viewport(), Qt::LeftButton, Qt::ShiftModifier, CellPoint(8, 1));
  EXPECT_EQ(e.Sel.Beg.X, 2);  // from the first anchor
  EXPECT_EQ(e.Sel.End.X, 8);
}

TEST_F(EditorWidgetInput, MiddleButtonDragSelectsAColumnBlockLikeAltDrag) {
  auto& e = Editor();
  for (const char* line : {"abcdefghij", "klmnopqrst", "uvwxyz0123"}) e.Lines().Add(line);
  const auto columnDrag = [&](Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    QTest::mousePress(memo->viewport(), button, modifiers, CellPoint(2, 0));
    DragTo(CellPoint(2, 0), button);
    DragTo(CellPoint(5, 2), button);
    QTest::mouseRelease(memo->viewport(), button, modifiers, CellPoint(5, 2));
    EXPECT_EQ(e.Sel.BlockFormat, editor::bfColumn);
    return e.SelectionText();
  };
  const std::string byAlt = columnDrag(Qt::LeftButton, Qt::AltModifier);
  EXPECT_EQ(byAlt, "cdef\r\nmnop\r\nwxyz");
  QTest::mouseClick(memo->viewport(), Qt::LeftButton, Qt::NoModifier, CellPoint(0, 0));
  EXPECT_FALSE(e.Sel.Selected);
  EXPECT_EQ(columnDrag(Qt::MiddleButton, Qt::NoModifier), byAlt);
  EXPECT_EQ(e.CaretX, 5);
  EXPECT_EQ(e.CaretY, 2);
}

TEST_F(EditorWidgetInput, WheelScrollsThreeRowsOrColumnsAndLeavesTheCaret) {
  auto& e = Editor();
  for (int i = 0; i < 100; ++i) e.Lines().Add("line");
  e.View().UpdateLayout();
  QWheelEvent wheel(QPointF(100, 100), memo->mapToGlobal(QPointF(100, 100)), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(memo->viewport(), &wheel);
  EXPECT_EQ(e.View().TopRow, 3);
  EXPECT_EQ(e.CaretY, 0);
  EXPECT_EQ(memo->verticalScrollBar()->value(), 3);
  // A sideways wheel or swipe scrolls sideways.
  QWheelEvent sideways(QPointF(100, 100), memo->mapToGlobal(QPointF(100, 100)), QPoint(), QPoint(-120, 0),
                       Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(memo->viewport(), &sideways);
  EXPECT_EQ(e.View().TopRow, 3);
  EXPECT_EQ(e.View().LeftCol, 3);
  EXPECT_EQ(memo->horizontalScrollBar()->value(), 3);
}

TEST(KeyMap, PlatformCharacterRules) {
  const TranslatedKey ctrlA = TranslateKey(Qt::Key_A, Qt::ControlModifier, QString(), 0);
  EXPECT_EQ(ctrlA.VirtualKey, platform::VkLetter('A'));
  EXPECT_EQ(ctrlA.Shift, platform::ssCtrl);
  EXPECT_EQ(ctrlA.Char, 1);
  EXPECT_FALSE(TranslateKey(Qt::Key_A, Qt::AltModifier, "a", 0).Char.has_value());
  EXPECT_EQ(TranslateKey(Qt::Key_Return, Qt::NoModifier, "\r", 0).Char, 13);
  EXPECT_EQ(TranslateKey(Qt::Key_Backspace, Qt::NoModifier, QString(), 0).Char, 8);
  EXPECT_FALSE(TranslateKey(Qt::Key_Right, Qt::NoModifier, QString(), 0).Char.has_value());
  EXPECT_FALSE(TranslateKey(Qt::Key_3, Qt::ControlModifier, QString(), 0).Char.has_value());
  const TranslatedKey hash = TranslateKey(Qt::Key_NumberSign, Qt::ShiftModifier, "#", 0);
  EXPECT_EQ(hash.VirtualKey, platform::VkDigit(3));
  EXPECT_EQ(hash.Char, '#');
  const TranslatedKey backtab = TranslateKey(Qt::Key_Backtab, Qt::NoModifier, QString(), 0);
  EXPECT_EQ(backtab.VirtualKey, platform::VK_TAB);
  EXPECT_EQ(backtab.Shift, platform::ssShift);
  // A Russian-layout letter is the key of its Latin twin, so Ctrl+Я is Ctrl+Z.
  const TranslatedKey ya = TranslateKey(0x042F, Qt::ControlModifier, QString(), 0);
  EXPECT_EQ(ya.VirtualKey, platform::VkLetter('Z'));
  const TranslatedKey zhe = TranslateKey(0x0416, Qt::NoModifier, QString::fromUtf8("ж"), 0);
  EXPECT_EQ(zhe.VirtualKey, 0xBA);
  EXPECT_EQ(zhe.Char, 0xE6);
}
