// Pages in UTF-8 and the other encodings through the real main window: what Open reads and
// tells, what Save writes or refuses, the encoding submenus and the status bar's label.
#include <QAccessible>
#include <QAction>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QStringEncoder>
#include <QTemporaryDir>

#include "MainWindowFixture.h"
#include "TestFiles.h"
#include "platform/Cp1251.h"

namespace {

using Lines = std::vector<std::string>;

std::string Cp1251(std::u16string_view text) { return platform::Utf16ToCp1251(text); }

QByteArray Utf16WithMark(const QString& text, QStringConverter::Encoding encoding) {
  return QStringEncoder(encoding, QStringConverter::Flag::WriteBom).encode(text);
}

const QByteArray kRussianUtf8 = "<html>\r\n<p>\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82</p>\r\n</html>\r\n";

class Encoding : public MainWindowFixture {
 protected:
  QString Write(const QByteArray& bytes) {
    const QString path = dir_.filePath("page.html");
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
  }
  void Open(const QString& path) {
    dialogs_.OpenAnswers.push_back(path);
    Main().N_open->trigger();
  }
  void Save() { Main().N_save->trigger(); }
  // Keys as a Russian layout delivers them.
  void Type(const QString& text) {
    for (const QChar ch : text) {
      QKeyEvent press(QEvent::KeyPress, ch.toUpper().unicode(), Qt::NoModifier, QString(ch));
      QApplication::sendEvent(Main().Memo1, &press);
    }
  }
  // A submenu's item as the File menu shows it, and the encoding checked in "Кодировка".
  QAction* Item(QMenu* menu, const QString& text) {
    emit Main().N_file->aboutToShow();
    for (QAction* action : menu->actions()) {
      if (action->text() == text) return action;
    }
    ADD_FAILURE() << "no item " << text.toStdString();
    return nullptr;
  }
  QString Checked() {
    emit Main().N_file->aboutToShow();
    for (QAction* action : Main().N_encoding->actions()) {
      if (action->isChecked()) return action->text();
    }
    return {};
  }
  QLabel& Label() { return *Main().Status1->EncodingLabel(); }
  QString LastText() { return dialogs_.Log.empty() ? QString() : dialogs_.Log.back().Text; }

  QTemporaryDir dir_;
};

}  // namespace

TEST_F(Encoding, AUtf8PageOpensReadableAndAWordTypedSavesAsUtf8) {
  Main().show();
  const QString path = Write(kRussianUtf8);
  Open(path);
  EXPECT_EQ(EditorLines(), (Lines{"<html>", Cp1251(u"<p>Привет</p>"), "</html>"}));
  EXPECT_EQ(dialogs_.Kinds(), QStringList{"open"});
  EXPECT_TRUE(Label().isVisible());
  EXPECT_EQ(QAccessible::queryAccessibleInterface(&Label())->text(QAccessible::Name), "Кодировка: UTF-8");
  EXPECT_EQ(Checked(), "UTF-8");

  Main().Memo1->Editor().SetCaret(3, 1);
  Type(QStringLiteral("мир, "));
  Save();
  EXPECT_EQ(FileBytes(path), "<html>\r\n<p>" + QStringLiteral("мир, Привет").toUtf8() + "</p>\r\n</html>\r\n");
  EXPECT_EQ(Panel(2), "");

  // A new document is Windows-1251, and the label gives way.
  Main().N_new->trigger();
  EXPECT_FALSE(Label().isVisible());
  EXPECT_EQ(Checked(), "Windows-1251");
  EXPECT_FALSE(Item(Main().N_file, "Открыть заново в кодировке")->isEnabled());
}

TEST_F(Encoding, UnchangedPagesSaveByteForByteInEveryEncoding) {
  const QString text = QStringLiteral("<p>Съешь же ещё этих мягких булок № 5 — «да»</p>\r\n\r\nконец\r\n");
  const std::pair<const char*, QByteArray> pages[] = {
      {"UTF-8", text.toUtf8()},
      {"UTF-8 с BOM", "\xEF\xBB\xBF" + text.toUtf8()},
      {"UTF-8 с BOM", "\xEF\xBB\xBF"},
      // A browser goes by the mark too: the declaration asks nothing.
      {"UTF-8 с BOM", "\xEF\xBB\xBF<meta charset=windows-1251>\r\n" + text.toUtf8()},
      {"UTF-16 LE", Utf16WithMark(text, QStringConverter::Utf16LE)},
      {"UTF-16 BE", Utf16WithMark(text, QStringConverter::Utf16BE)},
      {"KOI8-R", "<meta charset=koi8-r>\r\n\xF3\xDF\xC5\xDB\xD8 \xD6\xC5\r\n"},
      {"CP866", "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=IBM866\">\r\n\x91\xEA\xA5\xE8\xEC\r\n"},
      {"Windows-1251", QByteArray::fromStdString(Cp1251(text.toStdU16String()))},
      // Bytes that would be UTF-8, in a page that declares Windows-1251.
      {"Windows-1251", "<meta charset=\"windows-1251\">\r\n\xD0\x9F\xD1\x80\r\n"},
  };
  for (const auto& [encoding, bytes] : pages) {
    const QString path = Write(bytes);
    Main().OpenDocument(path);
    EXPECT_EQ(Checked(), encoding) << bytes.toStdString();
    Save();
    EXPECT_EQ(FileBytes(path), bytes) << encoding;
  }
  EXPECT_TRUE(dialogs_.Log.empty());
}

TEST_F(Encoding, APageWithAnEmojiOpensReadOnlyAndIsNeverWritten) {
  const QByteArray bytes = "<p>\r\n\xD1\x83\xD0\xB6\xD0\xB5 \xF0\x9F\x98\x80</p>\r\n";
  const QString path = Write(bytes);
  Open(path);
  EXPECT_EQ(dialogs_.Kinds(), (QStringList{"open", "warning"}));
  EXPECT_TRUE(LastText().contains("U+1F600 «😀» в строке 2")) << LastText().toStdString();
  EXPECT_EQ(Label().text(), "UTF-8, только чтение");

  Type(QStringLiteral("x"));
  EXPECT_EQ(EditorLines(), (Lines{"<p>", Cp1251(u"уже ?</p>")}));
  // Save As refuses before it asks for a name.
  Save();
  Main().N_saveas->trigger();
  EXPECT_EQ(dialogs_.Kinds(), (QStringList{"open", "warning", "warning", "warning"}));
  EXPECT_TRUE(LastText().contains("U+1F600")) << LastText().toStdString();
  EXPECT_EQ(FileBytes(path), bytes);
  EXPECT_FALSE(Item(Main().N_encoding, "Windows-1251")->isEnabled());

  Main().N_new->trigger();
  EXPECT_FALSE(Main().Memo1->Editor().ReadOnly);
}

TEST_F(Encoding, ReopenedByTheMenuAPageReadsRightAfterTheDiscardQuestion) {
  // Without a declaration KOI8-R bytes are not UTF-8: the page opens as Windows-1251.
  const QByteArray koi8r = "<p>\xF0\xD2\xC9\xD7\xC5\xD4</p>\r\n";
  const QString path = Write(koi8r);
  Open(path);
  Main().Status1->SetModified(true);
  dialogs_.YesNoAnswers = {false, true};
  Item(Main().N_reopen, "KOI8-R")->trigger();
  EXPECT_EQ(EditorLines(), Lines{koi8r.chopped(2).toStdString()});
  Item(Main().N_reopen, "KOI8-R")->trigger();
  EXPECT_EQ(EditorLines(), Lines{Cp1251(u"<p>Привет</p>")});
  EXPECT_EQ(Label().text(), "KOI8-R");
  Save();
  EXPECT_EQ(FileBytes(path), koi8r);

  // Read as UTF-8, a file keeps its mark.
  Write("\xEF\xBB\xBF<p>\xD0\xAF</p>\r\n");
  Item(Main().N_reopen, "UTF-8")->trigger();
  EXPECT_EQ(EditorLines(), Lines{Cp1251(u"<p>Я</p>")});
  EXPECT_EQ(Checked(), "UTF-8 с BOM");
}

TEST_F(Encoding, AContradictedDeclarationIsToldOnceAndItsBytesKept) {
  const QByteArray bytes = "<meta charset=\"utf-8\">\r\n<p>\xCF\xF0\xE8\xE2\xE5\xF2</p>\r\n";
  const QString path = Write(bytes);
  Open(path);
  EXPECT_EQ(dialogs_.Kinds(), (QStringList{"open", "warning"}));
  EXPECT_EQ(EditorLines(), (Lines{"<meta charset=\"utf-8\">", Cp1251(u"<p>Привет</p>")}));
  EXPECT_EQ(Checked(), "Windows-1251");
  dialogs_.YesNoAnswers = {true};
  Save();
  EXPECT_EQ(FileBytes(path), bytes);
}

TEST_F(Encoding, ChoosingAnEncodingIsAChangeAndSaveAsksWhenTheMetaCharsetNamesAnother) {
  const QString path = Write("<meta charset=\"UTF-8\">\r\n" + kRussianUtf8);
  Open(path);
  Item(Main().N_encoding, "Windows-1251")->trigger();
  EXPECT_EQ(Panel(2), "*");
  EXPECT_FALSE(Label().isVisibleTo(&Main()));

  dialogs_.YesNoAnswers = {false, true};
  Save();
  EXPECT_EQ(dialogs_.Kinds(), (QStringList{"open", "question"}));
  EXPECT_TRUE(LastText().contains("«UTF-8»")) << LastText().toStdString();
  EXPECT_EQ(Panel(2), "*");
  EXPECT_EQ(FileBytes(path), "<meta charset=\"UTF-8\">\r\n" + kRussianUtf8);
  Save();
  EXPECT_EQ(FileBytes(path), "<meta charset=\"UTF-8\">\r\n<html>\r\n<p>\xCF\xF0\xE8\xE2\xE5\xF2</p>\r\n</html>\r\n");
}

TEST_F(Encoding, AnEncodingWithoutACharacterOfTheTextIsNeitherChosenNorWritten) {
  SetLines({Cp1251(u"<p>10 €</p>")});
  Item(Main().N_encoding, "KOI8-R")->trigger();
  EXPECT_TRUE(LastText().contains("«€»")) << LastText().toStdString();
  EXPECT_EQ(Checked(), "Windows-1251");

  // Typed after the choice, the character stops the save.
  SetLines({"<p>10</p>"});
  Item(Main().N_encoding, "KOI8-R")->trigger();
  Main().Status1->SetFileName(dir_.filePath("price.html"));
  SetLines({Cp1251(u"<p>10 €</p>")});
  Save();
  EXPECT_EQ(dialogs_.Kinds(), (QStringList{"warning", "warning"}));
  EXPECT_FALSE(QFile::exists(dir_.filePath("price.html")));
}
