// The tag palette on the real main window: every button's place, hint and face, the exact
// text each snippet button inserts through the editor's character path, and how that
// insertion meets the editor's state (an arrow key just before, a selection, overwrite).
#include <QFrame>

#include "MainWindowFixture.h"
#include "widgets/PageControl.h"
#include "widgets/XPButtons.h"

namespace {

struct ExpectedButton {
  const char* name;
  const char* page;
  int left;
  const char* hint;
  const char* snippet;
};

const ExpectedButton kSnippetButtons[] = {
    {"Bfont", "TabBasic", 8, "шрифт", " <font face=\"Arial\" color=\"#0000ff\" style=\"font-size: 12pt\"></font>"},
    {"Bbold", "TabBasic", 50, "жирный", " <b></b>"},
    {"Bital", "TabBasic", 84, "курсив", " <i></i>"},
    {"Bcher", "TabBasic", 118, "курсив", " <u></u>"},
    {"Bleft", "TabBasic", 162, "слева", " <div align=\"left\"></div>"},
    {"Bcent", "TabBasic", 196, "по центру", " <center></center>"},
    {"Brigth", "TabBasic", 230, "справа", " <div align=\"right\"></div>"},
    {"Btable", "TabBasic", 308, "таблица", " <table border=\"1\"><tr><td></td><td></td></tr></table>"},
    {"Bps", "TabBasic", 342, "пояснение", " <!--  -->"},
    {"Bline", "TabBasic", 376, "горизонтальная линия", " <hr>"},
    {"Benter", "TabBasic", 410, "переход на следущую строку", " <br>"},
    {"Bh1", "Tadvanced", 8, "Заголовок", " <h?></h?>"},
    {"Bp", "Tadvanced", 42, "Параграф", " <p></p>"},
    {"Bul", "Tadvanced", 76, "Маркированный список", " <ul> <li></li> <li></li> </ul>"},
    {"Bol", "Tadvanced", 110, "Нумерованный список", " <ol> <li></li> <li></li> </ol>"},
    {"Bdl", "Tadvanced", 144, "Голосарий", " <dl> <dt></dt> <dd></dd> </dl>"},
    {"Bpre", "Tadvanced", 184, "Переформатированный текст", " <pre> </pre>"},
    {"Bbutton", "TabControl", 8, "кнопка", " <input type=\"button\" name=\"\" value=\"\">"},
    {"Bsubmit", "TabControl", 42, "переключатель", " <input type=\"submit\" name=\"\" value=\"\">"},
    {"Bedit", "TabControl", 76, "поле ввода", " <input type=\"text\" name=\"\" value=\"\">"},
    {"Bpass", "TabControl", 110, "поле ввода пароля", " <input type=\"password\">"},
    {"Bmemo", "TabControl", 144, "многострочный ввод", " <textarea rows=\"9\" cols=\"60\"></textarea>"},
    {"Bcheck", "TabControl", 178, "флажек", " <input type=\"checkbox\" name=\"\" value=\"\">"},
    {"Bradio", "TabControl", 212, "радио кнопка", " <input type=\"radio\" name=\"\" value=\"1\">"},
    {"Bcombo", "TabControl", 246, "выпадающий список", " <select></select>"},
    {"Blist", "TabControl", 280, "массив строк", " <textarea name=\"\"></textarea>"},
    {"Bhiden", "TabControl", 314, "скрытое поле", " <input type=\"hidden\" name=\"\" value=\"\">"},
    {"Bimg", "TabControl", 348, "изображение с управлением", " <input type=\"image\" src=\"\">"},
    {"Blink", "TabHypper", 8, "гиперссылка", " <a href=\"\"></a>"},
    {"Bmetka", "TabHypper", 42, "метка", " <a name=\"\"></a>"},
    {"Bmail", "TabHypper", 76, "отправить письмо", " <a href=\"mailto:\"></a>"},
    {"Bmarq", "TabMedia", 76, "бегущая строка", " <marquee bgcolor=\"#0000ff\"></marquee>"},
    {"Bphp", "TabPHP", 8, "PHP скрипт", " <?></?>"},
};

class Palette : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    Main().resize(1000, 700);
    Main().show();
    QApplication::processEvents();
  }

  editor::THLEditor& Memo() { return Main().Memo1->Editor(); }

  TXPSpeedButton* Button(const char* name) {
    auto* button = Main().PageControl1->findChild<TXPSpeedButton*>(QString::fromUtf8(name));
    EXPECT_NE(button, nullptr) << name;
    return button;
  }

  // Brings the button's page to the front and clicks it as the user would.
  void Click(const char* name) {
    TXPSpeedButton* button = Button(name);
    if (button == nullptr) return;
    Main().PageControl1->setCurrentWidget(button->parentWidget());
    QApplication::processEvents();
    QTest::mouseClick(button, Qt::LeftButton);
  }

  void StartWith(const std::vector<std::string>& lines, int x, int y) {
    SetLines(lines);
    Memo().MoveCaretTo(x, y);
  }
};

TEST_F(Palette, EachSnippetButtonInsertsItsExactText) {
  for (const ExpectedButton& expected : kSnippetButtons) {
    StartWith({}, 0, 0);
    Click(expected.name);
    EXPECT_EQ(EditorLines(), std::vector<std::string>{expected.snippet}) << expected.name;
    EXPECT_EQ(Memo().CaretX, static_cast<int>(std::string(expected.snippet).size())) << expected.name;
    EXPECT_EQ(Memo().CaretY, 0) << expected.name;
  }
}

TEST_F(Palette, BoldOnAnEmptyDocumentMarksItModifiedWithTheCaretAfterTheSnippet) {
  Click("Bbold");
  EXPECT_EQ(EditorLines(), std::vector<std::string>{" <b></b>"});
  EXPECT_EQ(Panel(2), "*");
  EXPECT_EQ(Panel(3), "9:1");
}

TEST_F(Palette, AfterAnArrowKeyTheSnippetArrivesWhole) {
  StartWith({"ab"}, 0, 0);
  QTest::keyClick(Main().Memo1, Qt::Key_Right);
  ASSERT_EQ(Memo().CaretX, 1);
  Click("Bbold");
  EXPECT_EQ(EditorLines(), std::vector<std::string>{"a <b></b>b"});
  Click("Bital");
  EXPECT_EQ(EditorLines(), std::vector<std::string>{"a <b></b> <i></i>b"});
}

TEST_F(Palette, ASelectionIsReplacedByTheSnippet) {
  StartWith({"abcdef"}, 4, 0);
  Memo().SelectRange(1, 0, 4, 0);
  Click("Bp");
  EXPECT_EQ(EditorLines(), std::vector<std::string>{"a <p></p>ef"});
  EXPECT_FALSE(Memo().Sel.Selected);
}

TEST_F(Palette, InOverwriteModeTheSnippetOverwritesTheFollowingCharacters) {
  StartWith({"0123456789abc"}, 0, 0);
  Memo().InsertMode = false;
  Click("Bbold");
  EXPECT_EQ(EditorLines(), std::vector<std::string>{" <b></b>89abc"});
}

TEST_F(Palette, SnippetButtonsStandOnTheirPagesWithHintsAndGlyphs) {
  for (const ExpectedButton& expected : kSnippetButtons) {
    TXPSpeedButton* button = Button(expected.name);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->parentWidget()->objectName(), expected.page) << expected.name;
    EXPECT_EQ(button->geometry(), QRect(expected.left, 3, 34, 30)) << expected.name;
    EXPECT_EQ(button->toolTip(), QString::fromUtf8(expected.hint)) << expected.name;
    EXPECT_EQ(button->focusPolicy(), Qt::NoFocus) << expected.name;
    if (std::string(expected.name) == "Bpre") {
      EXPECT_EQ(button->text(), "Pre");
      EXPECT_TRUE(button->icon().isNull());
    } else {
      EXPECT_FALSE(button->icon().isNull()) << expected.name;
      EXPECT_FALSE(button->icon().pixmap(24, 24).isNull()) << expected.name;
    }
  }
}

TEST_F(Palette, OtherButtonsAndFaces) {
  for (const char* name : {"Bh1", "Bp", "Bul", "Bpre"}) {
    const QFont font = Button(name)->font();
    const bool serif = std::string(name) == "Bh1" || std::string(name) == "Bp";
    EXPECT_EQ(font.family(), serif ? "Times New Roman" : "MS Sans Serif") << name;
    EXPECT_TRUE(font.bold()) << name;
    if (serif) {
      EXPECT_EQ(font.pixelSize(), 15) << name;
    }
  }
  // The media buttons carry the Tag their dialog will tell them apart by.
  const struct {
    const char* name;
    QWidget* page;
    int left;
    const char* hint;
    int tag;
  } media[] = {{"Bimage", Main().TabBasic, 274, "изображение", 1},
               {"Bvideo", Main().TabMedia, 8, "видеоклип", 2},
               {"Bsound", Main().TabMedia, 42, "звукозапись", 3},
               {"SpeedButton1", Main().TabPHP, 42, "", 0}};
  for (const auto& expected : media) {
    TXPSpeedButton* button = Button(expected.name);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->parentWidget(), expected.page) << expected.name;
    EXPECT_EQ(button->geometry(), QRect(expected.left, 3, 34, 30)) << expected.name;
    EXPECT_EQ(button->toolTip(), QString::fromUtf8(expected.hint)) << expected.name;
    EXPECT_EQ(button->property("Tag").toInt(), expected.tag) << expected.name;
    EXPECT_EQ(button->icon().isNull(), expected.tag == 0) << expected.name;
    EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
    // The media buttons open their modal dialog (covered by the media dialog's tests).
    if (expected.tag == 0) Click(expected.name);
  }
  // The button without a Tag inserts nothing.
  EXPECT_TRUE(EditorLines().empty());
  EXPECT_EQ(Panel(2), "");
}

TEST_F(Palette, BevelsSeparateTheGroups) {
  const auto bevelsOf = [](QWidget* page) {
    std::vector<int> lefts;
    for (QFrame* frame : page->findChildren<QFrame*>(Qt::FindDirectChildrenOnly)) {
      if (frame->frameShape() != QFrame::VLine) continue;
      EXPECT_EQ(frame->geometry().top(), 6);
      EXPECT_EQ(frame->size(), QSize(2, 24));
      lefts.push_back(frame->x());
    }
    std::sort(lefts.begin(), lefts.end());
    return lefts;
  };
  EXPECT_EQ(bevelsOf(Main().TabBasic), (std::vector<int>{45, 156, 268}));
  EXPECT_EQ(bevelsOf(Main().Tadvanced), std::vector<int>{180});
}

TEST_F(Palette, TheEditorKeepsTheFocusWhileClicking) {
  Main().activateWindow();
  if (!QTest::qWaitForWindowActive(&Main())) GTEST_SKIP() << "the window cannot be activated here";
  Main().Memo1->setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(Main().Memo1->hasFocus());
  Click("Bbold");
  EXPECT_TRUE(Main().Memo1->hasFocus());
}

}  // namespace
