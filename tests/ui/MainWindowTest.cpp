// The main window's layout, menus, panel toggles, palette toggle, the queued save
// buttons and the application's error box.
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolTip>

#include "MainWindowFixture.h"
#include "app/Application.h"
#include "platform/Errors.h"
#include "widgets/PageControl.h"
#include "widgets/XPButtons.h"

using MainWindow = MainWindowFixture;

namespace {

QStringList MenuShape(const QList<QAction*>& actions) {
  QStringList texts;
  for (QAction* action : actions) texts << (action->isSeparator() ? "-" : action->text());
  return texts;
}

}  // namespace

TEST_F(MainWindow, StartsEmptyAndUntitledWithTheSixPanels) {
  EXPECT_EQ(Main().windowTitle(), "Quorvel 2.0");
  EXPECT_EQ(Main().Memo1->Editor().Lines().Count(), 0);
  const QStringList texts{"HTML", "Новый", "", "0:0", "", ""};
  const int widths[] = {80, 400, 20, 50, 300, 50};
  ASSERT_EQ(Main().Status1->Count(), 6);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(Panel(i), texts[i]) << i;
    EXPECT_EQ(Main().Status1->Panel(i)->width(), widths[i]) << i;
  }
  EXPECT_EQ(Main().Status1->Panel(2)->frameShape(), QFrame::NoFrame);
}

TEST_F(MainWindow, LaysOutTheToolbarPaletteAndEditor) {
  Main().resize(1000, 700);
  Main().show();
  QApplication::processEvents();
  EXPECT_EQ(Main().P1->height(), 67);
  EXPECT_EQ(Main().P11->width(), 120);
  const TXPSpeedButton* buttons[] = {Main().Bnew,  Main().Bopen, Main().Bsave, Main().BsaveAs,
                                     Main().Bprior, Main().Bnext, Main().Bview, Main().Bclose};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(buttons[i]->geometry(), QRect(4 + 28 * (i % 4), i < 4 ? 5 : 33, 26, 24)) << i;
    EXPECT_FALSE(buttons[i]->icon().isNull()) << i;
  }
  EXPECT_EQ(Main().BsaveAs->toolTip(), "Сохранить как");
  QStringList captions;
  for (int i = 0; i < Main().PageControl1->count(); ++i) captions << Main().PageControl1->tabText(i);
  EXPECT_EQ(captions, (QStringList{"Стандартные", "Дополнительные", "Управление", "Гиперссылки", "Мультимедиа", "  PHP  "}));
  EXPECT_EQ(Main().PageControl1->currentWidget(), Main().TabBasic);
  // The editor fills the space between the top panel and the status bar.
  EXPECT_EQ(Main().Memo1->geometry().top(), Main().P1->geometry().bottom() + 1);
  EXPECT_EQ(Main().Memo1->mapTo(&Main(), QPoint(0, Main().Memo1->height())).y(), Main().Status1->geometry().top());
  EXPECT_EQ(Main().Memo1->Editor().View().GutterWidth, 25);
  EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipBase), QColor(0, 255, 255));
}

TEST_F(MainWindow, MenusFollowTheCommandTable) {
  EXPECT_EQ(MenuShape(Main().Main1->actions()), (QStringList{"Файл", "Правка", "Проект", "Вид", "Окна", "Помощь"}));
  EXPECT_EQ(MenuShape(Main().N_file->actions()),
            (QStringList{"новый", "открыть", "сохранить", "сохранить как", "Кодировка",
                         "Открыть заново в кодировке", "-", "завершить работу"}));
  EXPECT_EQ(MenuShape(Main().N_edit->actions()),
            (QStringList{"Найти…", "Заменить…", "Найти далее", "Найти ранее", "-", "Перейти к строке…"}));
  EXPECT_EQ(MenuShape(Main().N_project->actions()), (QStringList{"просмотр", "-", "настройки"}));
  EXPECT_EQ(MenuShape(Main().N_vid->actions()),
            (QStringList{"стандартная", "вся панель", "подсказка", "выбрать цвет", "-", "свойства"}));
  EXPECT_EQ(MenuShape(Main().N_windows->actions()), (QStringList{"предыдущее", "следующее", "-"}));
  EXPECT_EQ(MenuShape(Main().N_help->actions()), QStringList{"о программе"});
  EXPECT_EQ(Main().N_save->shortcut(), QKeySequence(Qt::Key_F2));
  EXPECT_EQ(Main().N_saveas->shortcut(), QKeySequence(Qt::Key_F3));
  EXPECT_EQ(Main().N_prop->shortcut(), QKeySequence(Qt::Key_F11));
  EXPECT_EQ(Main().N_view->shortcut(), QKeySequence(Qt::Key_F12));
}

TEST_F(MainWindow, ViewMenuTogglesPanelsAndItsMarksFollowThem) {
  Main().show();
  QApplication::processEvents();
  const auto marks = [&] {
    emit Main().N_vid->aboutToShow();
    return std::vector<bool>{Main().N_stand->isChecked(), Main().N_all->isChecked(), Main().N_prop->isChecked()};
  };
  EXPECT_EQ(marks(), (std::vector<bool>{true, true, true}));
  Main().N_stand->trigger();
  EXPECT_EQ(marks(), (std::vector<bool>{false, true, true}));
  // Hiding the whole top panel gives its height to the editor.
  const int memoHeight = Main().Memo1->height();
  Main().N_all->trigger();
  QApplication::processEvents();
  EXPECT_EQ(Main().Memo1->height(), memoHeight + 67);
  EXPECT_EQ(marks(), (std::vector<bool>{false, false, true}));
  // With the top panel hidden the toolbar's mark follows the toolbar alone.
  Main().N_stand->trigger();
  EXPECT_EQ(marks(), (std::vector<bool>{true, false, true}));
  Main().N_all->trigger();
  EXPECT_TRUE(Main().P11->isVisible());
}

TEST_F(MainWindow, ShowingTheWindowShowsThePaletteWhichF11Toggles) {
  ASSERT_NE(Fprop, nullptr);
  EXPECT_FALSE(Fprop->isVisible());
  Main().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
  EXPECT_TRUE(Fprop->isVisible());
  EXPECT_EQ(Fprop->size(), QSize(115, 298));
  const int screenWidth = Fprop->screen()->geometry().width();
  EXPECT_EQ(Fprop->frameGeometry().topLeft(), QPoint(screenWidth - Fprop->frameGeometry().width() - 20, 117));

  // Closed with its own close box, the palette is unchecked; F11 brings it back.
  Fprop->close();
  emit Main().N_vid->aboutToShow();
  EXPECT_FALSE(Main().N_prop->isChecked());
  Main().activateWindow();
  QTest::keyClick(&Main(), Qt::Key_F11);
  EXPECT_TRUE(Fprop->isVisible());
}

TEST_F(MainWindow, ToolbarSaveButtonsRunF2AndF3AfterTheClickHasReturned) {
  QTemporaryDir dir;
  const QString path = dir.filePath("page.html");
  Main().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
  Main().activateWindow();
  SetLines({"<p>"});
  Main().Status1->SetText(2, "*");
  // Untitled: the queued F2 asks for a name, as Save does.
  dialogs_.SaveAnswers.push_back(path);
  QTest::mouseClick(Main().Bsave, Qt::LeftButton);
  EXPECT_TRUE(dialogs_.Log.empty());
  QApplication::processEvents();
  EXPECT_EQ(dialogs_.Kinds(), QStringList{"save"});
  EXPECT_EQ(Panel(1), path);

  QFile::remove(path);
  Main().Status1->SetText(2, "*");
  QTest::mouseClick(Main().Bsave, Qt::LeftButton);
  EXPECT_FALSE(QFile::exists(path));
  QApplication::processEvents();
  EXPECT_TRUE(QFile::exists(path));
  EXPECT_EQ(Panel(2), "");

  QTest::mouseClick(Main().BsaveAs, Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_EQ(dialogs_.Kinds(), (QStringList{"save", "save"}));
}

TEST_F(MainWindow, ColourPickerChangesNothing) {
  SetLines({"abc"});
  dialogs_.ColorAnswers.push_back(QColor(Qt::red));
  Main().N_color->trigger();
  EXPECT_EQ(dialogs_.Kinds(), QStringList{"color"});
  EXPECT_EQ(EditorLines(), std::vector<std::string>{"abc"});
  EXPECT_EQ(Panel(2), "");
}

TEST(ErrorBox, ShowsTheEscapedErrorAndTheProgramGoesOn) {
  ScriptedDialogs dialogs;
  EXPECT_FALSE(RunReportingErrors([]() -> bool { throw platform::EInOutError(101); }));
  EXPECT_FALSE(RunReportingErrors([]() -> bool { throw std::runtime_error("Broken."); }));
  EXPECT_FALSE(RunReportingErrors([]() -> bool { throw platform::EListError(3); }));
  EXPECT_TRUE(RunReportingErrors([] { return true; }));
  ASSERT_EQ(dialogs.Kinds(), (QStringList{"error", "error", "error"}));
  EXPECT_EQ(dialogs.Log[0].Caption, "Quorvel 2.0");
  EXPECT_EQ(dialogs.Log[0].Text, "Disk full.");
  EXPECT_EQ(dialogs.Log[1].Text, "Broken.");
  // ")" sorts below ".", so no full stop is added.
  EXPECT_EQ(dialogs.Log[2].Text, "List index out of bounds (3)");
}
