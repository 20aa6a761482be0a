// The attribute palette on the real main window: the text each button types, the focus
// handed back to the editor, and where the window stands each time it is shown.
#include <QGuiApplication>
#include <QScreen>

#include "MainWindowFixture.h"
#include "widgets/XPButtons.h"

namespace {

struct ExpectedAttribute {
  const char* name;
  int left;
  int top;
  const char* caption;
  const char* hint;
  const char* text;
};

const ExpectedAttribute kAttributes[] = {
    {"Bheight", 3, 3, "Высота        ", "высота", " height=\"100\" "},
    {"Bwidth", 3, 33, "Ширина       ", "ширина", " width=\"100\" "},
    {"Bborder", 3, 63, "Бордюр       ", "бордюр", " border=\"1\" "},
    {"Bcolor", 3, 94, "Цвет            ", "цвет", " color=\"#0000ff\" "},
    {"Bbgcolor", 3, 124, "Цвет фона   ", "цвет фона", " bgcolor=\"#eeeeff\" "},
    {"Bbground", 3, 153, "Рисунок фон", "цвет фона", " background=\"jpg/fon.gif\" "},
    {"Bfix", 3, 182, "Фиксирован.", "Фиксирование", " bgproperties=\"fixed\" "},
    {"Bleft", 3, 211, " Влево        ", "Выравнивание по левому краю", " align=\"left\" "},
    {"Bcenter", 2, 240, "По центру ", "Выравнивание по центру", " align=\"center\" "},
    {"Bright", 2, 269, "  Вправо    ", "Выравнивание по правому краю", " align=\"right\" "},
};

class AttributePalette : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    Main().resize(800, 600);
    Main().show();
    QApplication::processEvents();
  }

  TXPSpeedButton* Button(const char* name) {
    auto* button = Fprop->findChild<TXPSpeedButton*>(QString::fromUtf8(name));
    EXPECT_NE(button, nullptr) << name;
    return button;
  }

  editor::THLEditor& Memo() { return Main().Memo1->Editor(); }
};

TEST_F(AttributePalette, TheMainWindowsFirstShowShowsIt) { EXPECT_TRUE(Fprop->isVisible()); }

TEST_F(AttributePalette, EachButtonTypesItsAttributeAtTheCaret) {
  for (const ExpectedAttribute& expected : kAttributes) {
    SetLines({"<td>"});
    Memo().MoveCaretTo(3, 0);
    TXPSpeedButton* button = Button(expected.name);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->geometry(), QRect(expected.left, expected.top, 110, 26)) << expected.name;
    EXPECT_EQ(button->text(), QString::fromUtf8(expected.caption)) << expected.name;
    EXPECT_EQ(button->Hint(), QString::fromUtf8(expected.hint)) << expected.name;
    EXPECT_FALSE(button->icon().isNull()) << expected.name;
    QTest::mouseClick(button, Qt::LeftButton);
    const std::string text = expected.text;
    EXPECT_EQ(EditorLines(), std::vector<std::string>{"<td" + text + ">"}) << expected.name;
    EXPECT_EQ(Memo().CaretX, static_cast<int>(3 + text.size())) << expected.name;
  }
}

TEST_F(AttributePalette, AClickMarksACleanDocumentModifiedAndGivesTheEditorTheFocus) {
  ASSERT_EQ(Panel(2), "");
  Fprop->activateWindow();
  QApplication::processEvents();
  QTest::mouseClick(Button("Bborder"), Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_EQ(Panel(2), "*");
  // The editor keeps no trailing blank in its lines; the caret still stands after all twelve.
  EXPECT_EQ(EditorLines(), std::vector<std::string>{" border=\"1\""});
  EXPECT_EQ(Memo().CaretX, 12);
  EXPECT_EQ(QApplication::activeWindow(), &Main());
  EXPECT_EQ(QApplication::focusWidget(), Main().Memo1);
}

TEST_F(AttributePalette, ANameOutsideTheTableTypesNothingButStillReturnsTheFocus) {
  QObject stranger;
  stranger.setObjectName(QStringLiteral("bheight"));  // the keys are case-sensitive
  Fprop->BheightClick(&stranger);
  QApplication::processEvents();
  EXPECT_EQ(EditorLines(), std::vector<std::string>{});
  EXPECT_EQ(Panel(2), "");
  EXPECT_EQ(QApplication::focusWidget(), Main().Memo1);
}

TEST_F(AttributePalette, EveryShowPutsItBackNearTheRightEdge) {
  const int screenWidth = Fprop->screen()->geometry().width();
  const QPoint home(screenWidth - Fprop->frameGeometry().width() - 20, 117);
  EXPECT_EQ(Fprop->pos(), home);
  Fprop->move(40, 300);
  QApplication::processEvents();
  ASSERT_EQ(Fprop->pos(), QPoint(40, 300));
  Main().N_propClick();
  EXPECT_FALSE(Fprop->isVisible());
  Main().N_propClick();
  EXPECT_TRUE(Fprop->isVisible());
  EXPECT_EQ(Fprop->pos(), home);
  EXPECT_EQ(Fprop->size(), QSize(115, 298));
}

}  // namespace
