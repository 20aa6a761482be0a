// The find panel and the go-to-line dialog in the real main window: the keys that open
// them, finding as you type, Enter and Shift+Enter, Esc, the selection option, the
// messages and counts, Replace All and its undo, and the keys on a Russian layout.
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <functional>

#include "MainWindowFixture.h"
#include "ModalScript.h"
#include "find/FindPanel.h"
#include "find/GoToLineDialog.h"
#include "platform/Cp1251.h"
#include "widgets/XPButtons.h"

namespace {

std::string W(std::u16string_view text) { return platform::Utf16ToCp1251(text); }

// Types the text key by key, each key with its character, as a keyboard of any layout.
void Type(QWidget* target, const QString& text) {
  for (const QChar ch : text) {
    const auto key = static_cast<Qt::Key>(ch.toUpper().unicode());
    QTest::sendKeyEvent(QTest::Press, target, key, QString(ch), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, target, key, QString(ch), Qt::NoModifier);
  }
}

// Serves events until the condition holds or a second passes.
bool WaitFor(const std::function<bool()>& condition) {
  for (int i = 0; i < 200 && !condition(); ++i) ServeEvents(5);
  return condition();
}

class FindPanel : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    Main().resize(1000, 700);
    Main().show();
    QApplication::setActiveWindow(&Main());
    QApplication::processEvents();
  }
  TFindPanel& Panel() { return *Main().FindPanel1; }
  editor::THLEditor& Memo() { return Main().Memo1->Editor(); }
  void Key(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
  }
  // The selected text of the editor as Unicode.
  QString Selected() {
    const std::u16string text = platform::Cp1251ToUtf16(Memo().SelectionText());
    return QString::fromStdU16String(text);
  }
  QString Count() {
    WaitFor([this] { return !Panel().Lcount->text().isEmpty(); });
    return Panel().Lcount->text();
  }
};

}  // namespace

TEST_F(FindPanel, CtrlFFindsAsYouTypeAndEnterWalksTheMatches) {
  SetLines({"<p>" + W(u"Привет") + "</p>", W(u"приветствие"), W(u"ПРИВЕТ, мир")});
  Key(Main().Memo1, Qt::Key_F, Qt::ControlModifier);
  ASSERT_TRUE(Panel().isVisible());
  EXPECT_TRUE(Panel().Efind->hasFocus());
  EXPECT_FALSE(Panel().Ereplace->isVisible());
  Type(Panel().Efind, QStringLiteral("привет"));
  EXPECT_EQ(Selected(), "Привет");
  EXPECT_EQ(Memo().Sel.Beg, (editor::TPosition{3, 0}));
  EXPECT_EQ(Count(), "Совпадений: 3");
  // The status bar follows the caret at the end of the match.
  EXPECT_EQ(Main().Status1->Text(3), "10:1");

  Key(Panel().Efind, Qt::Key_Return);
  EXPECT_EQ(Memo().Sel.Beg, (editor::TPosition{0, 1}));
  Key(Panel().Efind, Qt::Key_Return);
  EXPECT_EQ(Selected(), "ПРИВЕТ");
  Key(Panel().Efind, Qt::Key_Return);
  EXPECT_EQ(Memo().Sel.Beg, (editor::TPosition{3, 0}));
  EXPECT_EQ(Panel().Lmessage->text(), "Поиск продолжен с начала");
  Key(Panel().Efind, Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_EQ(Selected(), "ПРИВЕТ");
  EXPECT_EQ(Panel().Lmessage->text(), "Поиск продолжен с конца");

  // "Слова целиком" passes over "приветствие".
  Panel().Cwords->setChecked(true);
  EXPECT_EQ(Count(), "Совпадений: 2");
  Key(Panel().Efind, Qt::Key_Return);
  EXPECT_EQ(Memo().Sel.Beg, (editor::TPosition{3, 0}));

  // Esc gives the keyboard back to the editor, the match still selected.
  Key(Panel().Efind, Qt::Key_Escape);
  EXPECT_FALSE(Panel().isVisible());
  EXPECT_TRUE(Main().Memo1->hasFocus());
  EXPECT_EQ(Selected(), "Привет");
}

TEST_F(FindPanel, NothingFoundMovesNothingAndBadInputIsExplained) {
  SetLines({"abc", "abd"});
  Memo().MoveCaretTo(1, 1);
  Main().N_find->trigger();
  Type(Panel().Efind, QStringLiteral("zz"));
  EXPECT_EQ(Panel().Lmessage->text(), "Не найдено");
  EXPECT_FALSE(Memo().Sel.Selected);
  EXPECT_EQ(Memo().CaretX, 1);
  EXPECT_EQ(Count(), "Совпадений: 0");

  Panel().Cregex->setChecked(true);
  Panel().Efind->setText(QStringLiteral("a(b"));
  Key(Panel().Efind, Qt::Key_Return);
  EXPECT_EQ(Panel().Lmessage->text(), "Ошибка в выражении (смещение 3): missing closing parenthesis");
  EXPECT_TRUE(Panel().Lcount->text().isEmpty());
  // A character the document's code page has not cannot be in it.
  Panel().Efind->setText(QStringLiteral("a✓"));
  Key(Panel().Efind, Qt::Key_Return);
  EXPECT_TRUE(Panel().Lmessage->text().contains("«✓»"));
  EXPECT_FALSE(Memo().Sel.Selected);
}

TEST_F(FindPanel, ASelectionOverRowsChecksInSelectionAndReplaceAllStaysInsideIt) {
  SetLines({"<h1>a</h1>", "<h2>b</h2>", "<h3>c</h3>", "<h4>d</h4>"});
  Memo().SelectRange(0, 1, 0, 3);
  Key(Main().Memo1, Qt::Key_R, Qt::ControlModifier);
  ASSERT_TRUE(Panel().Ereplace->isVisible());
  EXPECT_TRUE(Panel().Csel->isChecked());
  Panel().Cregex->setChecked(true);
  Type(Panel().Efind, QStringLiteral("<(h[1-6])>(.*?)</\\1>"));
  EXPECT_EQ(Count(), "В выделенном совпадений: 2");
  Type(Panel().Ereplace, QStringLiteral("<\\1 class=\"t\">\\2</\\1>"));
  QTest::mouseClick(Panel().BreplaceAll, Qt::LeftButton);
  EXPECT_EQ(Panel().Lmessage->text(), "Заменено: 2");
  EXPECT_EQ(EditorLines(), (std::vector<std::string>{"<h1>a</h1>", "<h2 class=\"t\">b</h2>",
                                                      "<h3 class=\"t\">c</h3>", "<h4>d</h4>"}));
  EXPECT_EQ(Main().Status1->Text(2), "*");
  // One Ctrl+Z in the editor takes the whole replace back.
  Key(Panel().Efind, Qt::Key_Escape);
  Key(Main().Memo1, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(EditorLines(), (std::vector<std::string>{"<h1>a</h1>", "<h2>b</h2>", "<h3>c</h3>", "<h4>d</h4>"}));

  // A selection within one row is what is looked for, and the option goes off.
  Memo().SelectRange(4, 0, 5, 0);
  Main().N_find->trigger();
  EXPECT_FALSE(Panel().Csel->isChecked());
  EXPECT_EQ(Panel().Efind->text(), "a");
}

TEST_F(FindPanel, ReplaceInAReadOnlyEditorBeepsAndSaysSo) {
  SetLines({"aaa"});
  Memo().SetReadOnly(true);
  Main().N_replace->trigger();
  Type(Panel().Efind, QStringLiteral("a"));
  Type(Panel().Ereplace, QStringLiteral("b"));
  QTest::mouseClick(Panel().BreplaceAll, Qt::LeftButton);
  EXPECT_EQ(Panel().Lmessage->text(), "Документ только для чтения: заменять в нём нельзя");
  EXPECT_EQ(EditorLines(), std::vector<std::string>{"aaa"});
}

TEST_F(FindPanel, TheEditorsOwnSequencesOpenThePanelAndKeepTheirSecondKey) {
  SetLines({"one", "two"});
  Memo().MoveCaretTo(2, 1);
  // Ctrl+Q, Ctrl+R (Ctrl held throughout) is the editor's "top of the text": the editor
  // claims the second key before the menu's Replace can take it.
  Key(Main().Memo1, Qt::Key_Q, Qt::ControlModifier);
  QKeyEvent claim(QEvent::ShortcutOverride, Qt::Key_R, Qt::ControlModifier);
  claim.ignore();
  QApplication::sendEvent(Main().Memo1, &claim);
  EXPECT_TRUE(claim.isAccepted());
  QKeyEvent press(QEvent::KeyPress, Qt::Key_R, Qt::ControlModifier);
  QApplication::sendEvent(Main().Memo1, &press);
  EXPECT_FALSE(Panel().isVisible());
  EXPECT_EQ(Memo().CaretY, 0);
  Key(Main().Memo1, Qt::Key_Q, Qt::ControlModifier);
  Key(Main().Memo1, Qt::Key_A);
  EXPECT_TRUE(Panel().isVisible());
  EXPECT_TRUE(Panel().Ereplace->isVisible());
  Key(Panel().Efind, Qt::Key_Escape);
  // On a Russian layout Ctrl with the key marked F types "А": the menu's Find all the same.
  QTest::sendKeyEvent(QTest::Click, Main().Memo1, static_cast<Qt::Key>(0x410), QString(), Qt::ControlModifier);
  EXPECT_TRUE(Panel().isVisible());
  EXPECT_FALSE(Panel().Ereplace->isVisible());
  EXPECT_TRUE(EditorLines() == (std::vector<std::string>{"one", "two"}));
}

TEST_F(FindPanel, GoToLineGoesToTheNearestRowThatExists) {
  std::vector<std::string> lines(300, "text");
  SetLines(lines);
  ModalScript script([](QWidget* modal) {
    auto* dialog = qobject_cast<TFgoto*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Lrow->text(), "Строка (1–300):");
    dialog->Erow->setText(QStringLiteral("99999"));
    dialog->Ecol->setText(QStringLiteral("3"));
    QTest::keyClick(dialog->Erow, Qt::Key_Return);
  });
  Key(Main().Memo1, Qt::Key_G, Qt::ControlModifier);
  EXPECT_EQ(Memo().CaretY, 299);
  EXPECT_EQ(Memo().CaretX, 2);
  EXPECT_GE(Memo().View().LastVisibleRow, 299);
  EXPECT_EQ(Main().Status1->Text(3), "3:300");
}
