// The program on the desktop: its command line, a file dropped on the main window, and
// the editor as assistive technology reads it.
#include <QAccessible>
#include <QAccessibleTextInterface>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include "MainWindowFixture.h"
#include "app/CommandLine.h"
#include "platform/Cp1251.h"

namespace {

using TAction = TCommandLine::TAction;

QString WriteCp1251File(const QString& path, const std::string& utf8Text) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  const QString text = QString::fromStdString(utf8Text);
  file.write(QByteArray::fromStdString(platform::Utf16ToCp1251(text.toStdU16String())));
  return path;
}

class Desktop : public MainWindowFixture {
 protected:
  void Drop(const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Main(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Main(), &drop);
    QCoreApplication::processEvents();
  }
  QAccessibleInterface* Accessible() { return QAccessible::queryAccessibleInterface(Main().Memo1); }

  QTemporaryDir dir_;
};

}  // namespace

TEST(CommandLine, OneFileHelpVersionAndRefusals) {
  EXPECT_EQ(ParseCommandLine({}).Action, TAction::Run);
  EXPECT_EQ(ParseCommandLine({"page.html"}).FileName, "page.html");
  EXPECT_EQ(ParseCommandLine({"--", "-odd.html"}).FileName, "-odd.html");
  // Help and version are found among options not yet known, and never after "--".
  EXPECT_EQ(InformationAsked({"-style", "fusion", "--help", "page.html"}), TAction::Help);
  EXPECT_EQ(InformationAsked({"--version", "-h"}), TAction::Help);
  EXPECT_EQ(InformationAsked({"-reverse", "-v"}), TAction::Version);
  EXPECT_EQ(InformationAsked({"--", "--help"}), TAction::Run);
  const TCommandLine unknown = ParseCommandLine({"page.html", "--bogus"});
  EXPECT_EQ(unknown.Action, TAction::Error);
  EXPECT_NE(unknown.Error.find("--bogus"), std::string::npos);
  EXPECT_EQ(ParseCommandLine({"a.html", "b.html"}).Action, TAction::Error);
  EXPECT_NE(VersionText().find("2.0.0"), std::string::npos);
}

TEST_F(Desktop, DroppedFileOpensAfterTheDiscardQuestion) {
  const QString path = WriteCp1251File(dir_.filePath("dropped.html"), "<p>\n</p>\n");
  SetLines({"edited"});
  Main().Status1->SetText(2, "*");
  dialogs_.YesNoAnswers = {false};
  Drop(path);
  EXPECT_EQ(dialogs_.Kinds(), QStringList{"question"});
  EXPECT_EQ(EditorLines(), std::vector<std::string>{"edited"});
  dialogs_.YesNoAnswers = {true};
  Drop(path);
  EXPECT_EQ(EditorLines(), (std::vector<std::string>{"<p>", "</p>"}));
  EXPECT_EQ(Panel(1), path);
  EXPECT_EQ(Panel(2), "");
}

TEST_F(Desktop, EditorIsANamedEditableTextReadAsUnicode) {
  QAccessibleInterface* memo = Accessible();
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(memo->role(), QAccessible::EditableText);
  EXPECT_EQ(memo->text(QAccessible::Name), "Новый");
  EXPECT_TRUE(memo->state().editable);

  const QString path = WriteCp1251File(dir_.filePath("страница.html"), "<p>Привет</p>\nмир\n");
  Main().OpenDocument(path);
  EXPECT_EQ(memo->text(QAccessible::Name), "страница.html");
  QAccessibleTextInterface* text = memo->textInterface();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->text(0, -1), "<p>Привет</p>\nмир");
  EXPECT_EQ(text->characterCount(), 17);

  editor::THLEditor& e = Main().Memo1->Editor();
  e.SetCaret(2, 1);
  EXPECT_EQ(text->cursorPosition(), 16);
  e.SetCaret(9, 1);  // beyond the line's end: at its end
  EXPECT_EQ(text->cursorPosition(), 17);
  text->setCursorPosition(5);
  EXPECT_EQ(std::pair(e.CaretX, e.CaretY), std::pair(5, 0));

  e.Sel.BlockFormat = editor::bfColumn;
  e.SelectRange(1, 0, 2, 1);
  ASSERT_EQ(text->selectionCount(), 2);  // a column block: one span per row
  int start = 0, end = 0;
  text->selection(1, &start, &end);
  EXPECT_EQ(text->text(start, end), "ир");
  text->setSelection(0, 3, 9);
  ASSERT_EQ(text->selectionCount(), 1);
  text->selection(0, &start, &end);
  EXPECT_EQ(text->text(start, end), "Привет");
}
