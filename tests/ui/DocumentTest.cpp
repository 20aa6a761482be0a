// The document commands through the real main window with scripted dialogs: the panel
// transitions of New, Open, Save, Save As and Exit, their failures, and the files on disk.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "MainWindowFixture.h"
#include "TestFiles.h"
#include "editor/html/Memo1Settings.h"
#include "platform/Errors.h"
#include "widgets/XPButtons.h"

namespace {

using Lines = std::vector<std::string>;

const Lines kTemplate{"<html>", "<title> </title>", "<body>", "  ", "</body>", "</html>"};
const QString kQuestion = "Документ был редактирован, вы уверены что хотите продолжить?";

class Document : public MainWindowFixture {
 protected:
  // A document named after a file and modified, as after editing an opened page.
  void NamedAndModified(const QString& path, const Lines& lines) {
    SetLines(lines);
    Main().Status1->SetText(1, path);
    Main().Status1->SetText(2, "*");
  }
  // Runs a command that must fail; the text of its error.
  template <typename Command>
  std::string FailureOf(Command command) {
    try {
      command();
    } catch (const platform::Exception& error) {
      return error.Message();
    }
    ADD_FAILURE() << "the command did not fail";
    return {};
  }

  QTemporaryDir dir_;
};

}  // namespace

TEST_F(Document, TypingMarksTheDocumentModifiedAndShowsTheCaret) {
  Main().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
  EXPECT_EQ(Panel(3), "0:0");
  TypeInEditor('a');
  EXPECT_EQ(EditorLines(), Lines{"a"});
  EXPECT_EQ(Panel(2), "*");
  EXPECT_EQ(Panel(3), "2:1");
}

TEST_F(Document, TheCaretIndicatorFollowsMouseClicks) {
  Main().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
  SetLines({"abcdef", "ghijkl"});
  const editor::TEditorView& view = Main().Memo1->Editor().View();
  ASSERT_GT(view.CellWidth, 0);
  // Just right of a column's left edge places the caret before that column's character.
  const auto clickAt = [&](int column, int row) {
    const QPoint point(view.GutterWidth + 3 + column * view.CellWidth + 1, row * view.CellHeight + view.CellHeight / 2);
    QTest::mouseClick(Main().Memo1->viewport(), Qt::LeftButton, Qt::NoModifier, point);
  };
  clickAt(0, 0);
  EXPECT_EQ(Panel(3), "1:1");
  clickAt(2, 1);
  EXPECT_EQ(Panel(3), "3:2");
  // Moving the caret is no change.
  EXPECT_EQ(Panel(2), "");
}

TEST_F(Document, NewAsksOnlyWhenModifiedAndNoKeepsEverything) {
  Main().N_newClick();
  EXPECT_TRUE(dialogs_.Log.empty());
  EXPECT_EQ(EditorLines(), kTemplate);
  EXPECT_EQ(Panel(1), "Новый");
  EXPECT_EQ(Panel(2), "");

  const QString path = dir_.filePath("a.html");
  NamedAndModified(path, {"edited"});
  Main().Status1->SetText(3, "4:2");
  dialogs_.YesNoAnswers = {false, true};
  Main().N_newClick();
  ASSERT_EQ(dialogs_.Kinds(), QStringList{"question"});
  EXPECT_EQ(dialogs_.Log[0].Caption, "Внимание");
  EXPECT_EQ(dialogs_.Log[0].Text, kQuestion);
  EXPECT_EQ(EditorLines(), Lines{"edited"});
  EXPECT_EQ(Panel(1), path);
  EXPECT_EQ(Panel(2), "*");

  Main().N_newClick();
  EXPECT_EQ(EditorLines(), kTemplate);
  EXPECT_EQ(Panel(1), "Новый");
  EXPECT_EQ(Panel(2), "");
  // The new page starts with the caret at its top, and the indicator says so.
  EXPECT_EQ(Panel(3), "1:1");
}

TEST_F(Document, NewColoursTheTemplateAsAFreshPageWhateverCameBefore) {
  // An attribute left open at the end of the old text: its rows start inside a tag.
  Lines old{"<p title=", "x", "y", "z", "w", "v"};
  SetLines(old);
  Main().Memo1->Editor().RescanLineStates(-1);
  Main().N_newClick();

  EditorWidget fresh;
  editor::ConfigureMemo1(fresh.Editor());
  for (const std::string& line : kTemplate) fresh.Editor().Lines().Add(line);
  fresh.Editor().RescanLineStates(-1);
  for (int row = 0; row < static_cast<int>(kTemplate.size()); ++row) {
    EXPECT_EQ(Main().Memo1->Editor().LineStartState(row), fresh.Editor().LineStartState(row))
        << "row " << row;
  }
}

TEST_F(Document, NewAndOpenResizeTheScrollRangeToTheNewText) {
  const QString path = dir_.filePath("long.html");
  WriteFile(path, QByteArray("line\r\n").repeated(300));
  dialogs_.OpenAnswers.push_back(path);
  Main().N_openClick();
  QScrollBar* bar = Main().Memo1->verticalScrollBar();
  EXPECT_EQ(bar->maximum(), 299);
  Main().N_newClick();
  EXPECT_EQ(bar->maximum(), 5);
}

TEST_F(Document, NewBringsTheScrollBarHomeWithTheView) {
  const QString path = dir_.filePath("long.html");
  WriteFile(path, QByteArray("line\r\n").repeated(300));
  dialogs_.OpenAnswers.push_back(path);
  Main().N_openClick();
  editor::THLEditor& memo = Main().Memo1->Editor();
  for (int notch = 0; notch < 10; ++notch) memo.MouseWheel(0, -120);
  ASSERT_EQ(memo.View().TopRow, 30);
  Main().N_newClick();
  EXPECT_EQ(Main().Memo1->verticalScrollBar()->value(), 0);
  memo.MouseWheel(0, 120);
  EXPECT_EQ(memo.View().TopRow, 0);
}

TEST_F(Document, OpenReadsLinesByTheFileRulesAndNamesTheDocument) {
  const QString path = dir_.filePath("page.htm");
  WriteFile(path, "a\r\nb\rc\n\tx\r\n\x1a" "after");
  dialogs_.OpenAnswers.push_back(path);
  Main().N_openClick();
  // The Ctrl+Z at a line start left bytes unread: the user is told before a Save cuts them.
  ASSERT_EQ(dialogs_.Kinds(), (QStringList{"open", "warning"}));
  EXPECT_TRUE(dialogs_.Log[1].Text.contains("6 байт")) << dialogs_.Log[1].Text.toStdString();
  const TFileDialogOptions& asked = dialogs_.Log[0].Options;
  EXPECT_EQ(asked.Title, "Выбор файла");
  EXPECT_EQ(asked.Filter, "Файлы ( html )|*.html;*.htm|Все файлы|*.*");
  EXPECT_EQ(asked.FilterIndex, 1);
  // The store's Add turns the tab into blanks up to the next tab stop.
  EXPECT_EQ(EditorLines(), (Lines{"a", "bc", "  x"}));
  EXPECT_EQ(Panel(1), path);
  EXPECT_EQ(Panel(2), "");
  EXPECT_EQ(Panel(3), "1:1");

  // The dialog starts from the last name; cancelling changes nothing.
  Main().N_openClick();
  EXPECT_EQ(dialogs_.Log[2].Options.FileName, path);
  EXPECT_EQ(EditorLines(), (Lines{"a", "bc", "  x"}));

  const QString empty = dir_.filePath("empty.html");
  WriteFile(empty, "");
  dialogs_.OpenAnswers.push_back(empty);
  Main().N_openClick();
  EXPECT_TRUE(EditorLines().empty());
  Main().N_saveClick();
  EXPECT_EQ(FileBytes(empty), "");
}

TEST_F(Document, OpenOfAModifiedDocumentAsksFirst) {
  const QString path = dir_.filePath("other.html");
  WriteFile(path, "other\r\n");
  NamedAndModified(dir_.filePath("mine.html"), {"mine"});
  dialogs_.YesNoAnswers.push_back(false);
  Main().N_openClick();
  EXPECT_EQ(dialogs_.Kinds(), QStringList{"question"});
  EXPECT_EQ(EditorLines(), Lines{"mine"});

  dialogs_.YesNoAnswers.push_back(true);
  dialogs_.OpenAnswers.push_back(path);
  Main().N_openClick();
  EXPECT_EQ(dialogs_.Kinds(), (QStringList{"question", "question", "open"}));
  EXPECT_EQ(EditorLines(), Lines{"other"});
  EXPECT_EQ(Panel(2), "");
}

TEST_F(Document, AFailedOpenKeepsTheTextAndThePanels) {
  const QString mine = dir_.filePath("mine.html");
  NamedAndModified(mine, {"keep", "this"});
  dialogs_.YesNoAnswers = {true, true, true, true, true};

  const QString missing = dir_.filePath("missing.html");
  dialogs_.OpenAnswers.push_back(missing);
  const std::string message = FailureOf([&] { Main().N_openClick(); });
  EXPECT_EQ(message.rfind("Cannot open file \"" + missing.toStdString() + "\". ", 0), 0u) << message;

  // A folder cannot be loaded either.
  dialogs_.OpenAnswers.push_back(dir_.path());
  EXPECT_FALSE(FailureOf([&] { Main().N_openClick(); }).empty());

  // A file that cannot be read: permissions stop everyone but root, and root cannot
  // read its own memory file from the start.
  QString unreadable = dir_.filePath("locked.html");
  WriteFile(unreadable, "secret\r\n");
  if (geteuid() == 0) {
    unreadable = "/proc/self/mem";
  } else {
    QFile::setPermissions(unreadable, {});
  }
  dialogs_.OpenAnswers.push_back(unreadable);
  EXPECT_FALSE(FailureOf([&] { Main().N_openClick(); }).empty());

  // A pipe no one writes to and an endless device fail at once instead of hanging.
  const QString pipe = dir_.filePath("pipe.html");
  ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  for (const QString& endless : {pipe, QStringLiteral("/dev/zero")}) {
    dialogs_.OpenAnswers.push_back(endless);
    EXPECT_NE(FailureOf([&] { Main().N_openClick(); }).find("not a regular file"), std::string::npos);
  }

  EXPECT_EQ(EditorLines(), (Lines{"keep", "this"}));
  EXPECT_EQ(Panel(1), mine);
  EXPECT_EQ(Panel(2), "*");
  // Save still writes the text on display, not an emptied editor.
  Main().N_saveClick();
  EXPECT_EQ(FileBytes(mine), "keep\r\nthis\r\n");
}

TEST_F(Document, OpenFindsANameInWindows1251BytesAndStartsAtTheTop) {
  SetLines(Lines(200, "old"));
  Main().Memo1->Editor().MoveCaretTo(3, 199);
  // "Привет.html" written by an older system: not UTF-8, so Qt shows it with U+FFFD.
  const QByteArray raw = QFile::encodeName(dir_.path()) + "/\xcf\xf0\xe8\xe2\xe5\xf2.html";
  WriteFile(QFile::decodeName(raw), "");
  {
    std::FILE* file = std::fopen(raw.constData(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("one\r\ntwo\r\n", file);
    std::fclose(file);
  }
  dialogs_.OpenAnswers.push_back(QFile::decodeName(raw));
  Main().N_openClick();
  EXPECT_EQ(EditorLines(), (Lines{"one", "two"}));
  QTest::keyClicks(Main().Memo1, "x");
  EXPECT_EQ(EditorLines(), (Lines{"xone", "two"}));
}

TEST_F(Document, SaveWritesTheNamedFileWithoutAskingEvenWhenUnmodified) {
  const QString path = dir_.filePath("page.html");
  WriteFile(path, "old contents that are longer than the new ones\r\n");
  NamedAndModified(path, {"<b>x</b>", "", "  "});
  Main().N_saveClick();
  EXPECT_EQ(FileBytes(path), "<b>x</b>\r\n\r\n  \r\n");
  EXPECT_EQ(Panel(2), "");
  QFile::remove(path);
  Main().N_saveClick();
  EXPECT_EQ(FileBytes(path), "<b>x</b>\r\n\r\n  \r\n");
  EXPECT_TRUE(dialogs_.Log.empty());
}

TEST_F(Document, SaveOfAnUntitledDocumentRunsSaveAs) {
  SetLines({"<p>"});
  Main().Status1->SetText(2, "*");
  // Cancelled: nothing written, still modified.
  Main().N_saveClick();
  ASSERT_EQ(dialogs_.Kinds(), QStringList{"save"});
  const TFileDialogOptions& asked = dialogs_.Log[0].Options;
  EXPECT_EQ(asked.Title, "Сохранить как");
  EXPECT_EQ(asked.DefaultExt, "html");
  EXPECT_EQ(asked.FileName, "main");
  EXPECT_EQ(asked.Filter, "Файлы ( html )|*.html;*.htm|Все файлы|*.*");
  EXPECT_EQ(Panel(1), "Новый");
  EXPECT_EQ(Panel(2), "*");

  const QString path = dir_.filePath("main.html");
  dialogs_.SaveAnswers.push_back(path);
  Main().N_saveClick();
  EXPECT_EQ(FileBytes(path), "<p>\r\n");
  EXPECT_EQ(Panel(1), path);
  EXPECT_EQ(Panel(2), "");
}

TEST_F(Document, SaveAsReplacesAnExistingFileAndRemembersTheName) {
  const QString first = dir_.filePath("first.html");
  const QString second = dir_.filePath("second.html");
  WriteFile(second, "older text\r\n");
  NamedAndModified(first, {"new"});
  dialogs_.SaveAnswers = {second, std::nullopt};
  Main().N_saveasClick();
  EXPECT_EQ(FileBytes(second), "new\r\n");
  EXPECT_FALSE(QFile::exists(first));
  EXPECT_EQ(Panel(1), second);
  EXPECT_EQ(Panel(2), "");
  Main().N_saveasClick();
  EXPECT_EQ(dialogs_.Log[1].Options.FileName, second);
  EXPECT_EQ(Panel(1), second);
}

TEST_F(Document, AFailedSaveKeepsTheMarkerTheNameAndTheFileOnDisk) {
  const QString path = dir_.filePath("page.html");
  WriteFile(path, "on disk\r\n");
  NamedAndModified(path, {"edited"});

  // Save As onto a full disk: the old name stays in panel 1.
  dialogs_.SaveAnswers.push_back("/dev/full");
  EXPECT_EQ(FailureOf([&] { Main().N_saveasClick(); }), "Disk full");
  EXPECT_EQ(Panel(1), path);
  EXPECT_EQ(Panel(2), "*");
  EXPECT_TRUE(QFileInfo("/dev/full").exists() && !QFileInfo("/dev/full").isFile());

  // A place no file may be created in, root included.
  dialogs_.SaveAnswers.push_back("/proc/quorvel-page.html");
  EXPECT_FALSE(FailureOf([&] { Main().N_saveasClick(); }).empty());
  // A folder in the file's place.
  dialogs_.SaveAnswers.push_back(dir_.path());
  EXPECT_EQ(FailureOf([&] { Main().N_saveasClick(); }), "File access denied");
  EXPECT_EQ(Panel(1), path);
  EXPECT_EQ(Panel(2), "*");
  EXPECT_EQ(FileBytes(path), "on disk\r\n");
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{"page.html"});
}

TEST_F(Document, SaveIntoAReadOnlyFolderFailsAndLeavesTheFile) {
  if (geteuid() == 0) GTEST_SKIP() << "running as root: a read-only folder does not stop root from writing";
  const QString path = dir_.filePath("page.html");
  WriteFile(path, "on disk\r\n");
  NamedAndModified(path, {"edited"});
  QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::ExeOwner);
  EXPECT_EQ(FailureOf([&] { Main().N_saveClick(); }), "File access denied");
  QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  EXPECT_EQ(Panel(2), "*");
  EXPECT_EQ(FileBytes(path), "on disk\r\n");
}

TEST_F(Document, ExitAndTheFrameAskOnlyWhenModifiedAndNoKeepsTheWindowOpen) {
  Main().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
  Main().Status1->SetText(2, "*");
  dialogs_.YesNoAnswers = {false, false, true};
  Main().N_exitClick();
  EXPECT_TRUE(Main().isVisible());
  EXPECT_FALSE(Main().close());
  EXPECT_TRUE(Main().isVisible());
  // Yes closes at once: the close that follows does not ask again.
  QTest::mouseClick(Main().Bclose, Qt::LeftButton);
  EXPECT_FALSE(Main().isVisible());
  EXPECT_EQ(dialogs_.Kinds(), (QStringList{"question", "question", "question"}));

  Main().show();
  Main().Status1->SetText(2, "");
  EXPECT_TRUE(Main().close());
  EXPECT_EQ(dialogs_.Log.size(), 3u);
}
