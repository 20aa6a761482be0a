// The main window's document encoding: the File menu's "Кодировка" and "Открыть заново в
// кодировке", the read-only state of a document the editor cannot hold, and the checks
// before a save.
#include <QAction>
#include <QActionGroup>
#include <QKeyEvent>
#include <QMenu>
#include <fstream>

#include "app/DocumentEncoding.h"
#include "app/DocumentStatus.h"
#include "app/Umain.h"
#include "qt/EditorWidget.h"
#include "widgets/LocalPath.h"

namespace {

using platform::TEncoding;

const QString kCaption = QStringLiteral("Внимание");

bool IsUtf16(TEncoding encoding) { return encoding == TEncoding::Utf16Le || encoding == TEncoding::Utf16Be; }

TEncoding EncodingOf(const QAction* action) { return static_cast<TEncoding>(action->data().toInt()); }

// A key typed into a read-only document inserts nothing; the beep says so.
class TReadOnlyBeep : public QObject {
 public:
  explicit TReadOnlyBeep(EditorWidget& memo) : QObject(&memo), memo_(memo) { memo.installEventFilter(this); }

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::KeyPress && memo_.Editor().ReadOnly &&
        IsTyping(static_cast<const QKeyEvent&>(*event))) {
      memo_.Beep();
    }
    return false;
  }

 private:
  static bool IsTyping(const QKeyEvent& key) {
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    return !key.text().isEmpty() && key.text().at(0).isPrint();
  }

  EditorWidget& memo_;
};

bool StartsWithUtf8Mark(const std::string& path) {
  const std::string_view mark = platform::ByteOrderMark(TEncoding::Utf8Bom);
  std::ifstream file(path, std::ios::binary);
  std::string head(mark.size(), '\0');
  return file.read(head.data(), static_cast<std::streamsize>(head.size())) && head == mark;
}

}  // namespace

void TFmain::CreateEncodingMenus() {
  N_encoding = new QMenu(QStringLiteral("Кодировка"), N_file);
  N_encoding->setObjectName(QStringLiteral("N_encoding"));
  N_reopen = new QMenu(QStringLiteral("Открыть заново в кодировке"), N_file);
  N_reopen->setObjectName(QStringLiteral("N_reopen"));
  // Between "сохранить как" and the separator before "завершить работу".
  const QList<QAction*> items = N_file->actions();
  QAction* const separator = items.at(items.indexOf(N_saveas) + 1);
  N_file->insertMenu(separator, N_encoding);
  N_file->insertMenu(separator, N_reopen);

  auto* choices = new QActionGroup(N_encoding);
  for (const TEncoding encoding : platform::kEncodings) {
    const QString name = QString::fromUtf8(platform::EncodingName(encoding));
    QAction* choice = N_encoding->addAction(name);
    choice->setCheckable(true);
    choice->setData(static_cast<int>(encoding));
    choices->addAction(choice);
    connect(choice, &QAction::triggered, this, [this, encoding] { SetSaveEncoding(encoding); });
    // Read as UTF-8, a file's mark is taken where it has one: a second item would do the same.
    if (encoding == TEncoding::Utf8Bom) continue;
    QAction* reading = N_reopen->addAction(name);
    reading->setData(static_cast<int>(encoding));
    connect(reading, &QAction::triggered, this, [this, encoding] { ReopenInEncoding(encoding); });
  }
  connect(N_file, &QMenu::aboutToShow, this, &TFmain::ShowEncodingMenus);
  new TReadOnlyBeep(*Memo1);
}

void TFmain::ShowEncodingMenus() {
  for (QMenu* menu : {N_encoding, N_reopen}) {
    for (QAction* action : menu->actions()) action->setVisible(!IsUtf16(EncodingOf(action)) || readAsUtf16_);
  }
  // A read-only document has lost characters already; no encoding would bring them back.
  for (QAction* choice : N_encoding->actions()) {
    choice->setChecked(EncodingOf(choice) == Status1->Encoding());
    choice->setEnabled(!unmapped_);
  }
  N_reopen->menuAction()->setEnabled(!Status1->Untitled());
}

QString TFmain::PageCharset() const { return BrowserCharset(Status1->Encoding()); }

void TFmain::ShowDocumentEncoding(TEncoding encoding, std::optional<platform::TUnmappedCharacter> unmapped) {
  unmapped_ = unmapped;
  readAsUtf16_ = IsUtf16(encoding);
  Memo1->Editor().SetReadOnly(unmapped.has_value());
  Status1->ShowEncoding(encoding, unmapped.has_value());
}

void TFmain::TellEncoding(const platform::TTextFileReader& reader) {
  const platform::TDocumentEncoding& read = reader.Encoding();
  if (read.conflict != platform::TEncodingConflict::None) {
    Dialogs().Inform(this, kCaption, ConflictMessage(read.conflict));
  }
  if (const auto& unmapped = reader.FirstUnmapped()) {
    Dialogs().Inform(this, kCaption, ReadOnlyMessage(*unmapped, read.encoding));
  }
}

void TFmain::SetSaveEncoding(TEncoding encoding) {
  if (!unmapped_ && encoding != Status1->Encoding()) {
    if (const std::optional<TTextCharacter> lacking = FirstUnencodable(Memo1->Editor().Lines(), encoding)) {
      Dialogs().Inform(this, kCaption, UnencodableMessage(*lacking, encoding, false));
    } else {
      Status1->ShowEncoding(encoding, false);
      Status1->SetModified(true);
    }
  }
  // A refused choice must not stay checked.
  ShowEncodingMenus();
}

void TFmain::ReopenInEncoding(TEncoding encoding) {
  if (Status1->Untitled() || DiscardStops()) return;
  const QString fileName = Status1->FileName();
  if (encoding == TEncoding::Utf8 && StartsWithUtf8Mark(LocalPath(fileName))) encoding = TEncoding::Utf8Bom;
  OpenDocument(fileName, encoding);
}

bool TFmain::SaveStops() {
  const TEncoding encoding = Status1->Encoding();
  if (unmapped_) {
    Dialogs().Inform(this, kCaption, ReadOnlySaveMessage(*unmapped_, encoding));
    return true;
  }
  const editor::TEditorStrings& lines = Memo1->Editor().Lines();
  if (const std::optional<TTextCharacter> lacking = FirstUnencodable(lines, encoding)) {
    Dialogs().Inform(this, kCaption, UnencodableMessage(*lacking, encoding, true));
    return true;
  }
  const std::optional<QString> declared = ContradictedDeclaration(lines, encoding);
  return declared && !Dialogs().AskYesNo(this, kCaption, DeclarationQuestion(*declared, encoding));
}
