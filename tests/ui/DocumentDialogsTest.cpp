// The program's own file dialogs, driven as a user would: the title, the filter list,
// the initial name, the default extension and the acceptance of a name not on disk.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "widgets/DialogFilter.h"
#include "widgets/Dialogs.h"

namespace {

// Once the file dialog is up, hands it to `answer` (which records and closes it).
void WhenFileDialogShows(const std::function<void(QFileDialog&)>& answer) {
  QTimer::singleShot(0, [answer] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    answer(*dialog);
  });
}

void TypeNameAndAccept(QFileDialog& dialog, const QString& name) {
  auto* edit = dialog.findChild<QLineEdit*>("fileNameEdit");
  ASSERT_NE(edit, nullptr);
  edit->setText(name);
  QTest::keyClick(edit, Qt::Key_Return);
}

TFileDialogOptions PageOptions(const QString& title, const QString& fileName) {
  TFileDialogOptions options;
  options.Title = title;
  options.Filter = "Файлы ( html )|*.html;*.htm|Все файлы|*.*";
  options.DefaultExt = "html";
  options.FileName = fileName;
  return options;
}

}  // namespace

TEST(DocumentDialogs, SaveOffersTheInitialNameAndAddsTheDefaultExtension) {
  QTemporaryDir dir;
  QString title;
  QStringList filters;
  QString initialName;
  WhenFileDialogShows([&](QFileDialog& dialog) {
    title = dialog.windowTitle();
    filters = dialog.nameFilters();
    initialName = dialog.findChild<QLineEdit*>("fileNameEdit")->text();
    TypeNameAndAccept(dialog, dir.filePath("page"));
  });
  const std::optional<QString> chosen =
      Dialogs().SaveFile(nullptr, PageOptions("Сохранить как", dir.filePath("main")));
  EXPECT_EQ(title, "Сохранить как");
  EXPECT_EQ(filters, (QStringList{"Файлы ( html ) (*.html *.htm)", "Все файлы (*.*)"}));
  EXPECT_EQ(initialName, "main");
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, dir.filePath("page.html"));
}

TEST(DocumentDialogs, FilterListsWithoutPatternsAreDropped) {
  EXPECT_EQ(QtNameFilters("Text|*.txt;*.log|Dangling"), QStringList{"Text (*.txt *.log)"});
  EXPECT_EQ(QtNameFilters(""), QStringList{});
}

TEST(DocumentDialogs, OpenAcceptsANameThatDoesNotExistAndCancelGivesNothing) {
  QTemporaryDir dir;
  WhenFileDialogShows([&](QFileDialog& dialog) { TypeNameAndAccept(dialog, dir.filePath("nothing.htm")); });
  EXPECT_EQ(Dialogs().OpenFile(nullptr, PageOptions("Выбор файла", {})), dir.filePath("nothing.htm"));

  WhenFileDialogShows([](QFileDialog& dialog) { dialog.reject(); });
  EXPECT_EQ(Dialogs().OpenFile(nullptr, PageOptions("Выбор файла", {})), std::nullopt);
}
