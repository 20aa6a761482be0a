// The main window's document journal: wiring it to the window and its status bar.
#include "app/MainJournal.h"

#include <QString>

#include "app/DocumentJournal.h"
#include "app/DocumentStatus.h"
#include "widgets/LocalPath.h"
#include "app/Umain.h"
#include "journal/DocumentStamp.h"
#include "platform/Encodings.h"
#include "platform/Errors.h"
#include "qt/EditorWidget.h"
#include "widgets/Dialogs.h"

namespace {

// The document named in the status bar as it is stored now: its file's stamp, or only its
// path when the file cannot be read; an empty path for a page never saved.
// The journal records the encoding by its name, so a restored page is saved as it was read.
journal::TDocumentStamp StampDocument(const TDocumentStatus& status) {
  const std::string encoding(platform::EncodingName(status.Encoding()));
  if (status.Untitled()) return {"", encoding};
  const std::string path = LocalPath(status.FileName());
  return journal::StampFile(path, encoding).value_or(journal::TDocumentStamp{path, encoding});
}

}  // namespace

std::unique_ptr<TDocumentJournal> AttachDocumentJournal(TFmain& window, const std::string& folder) {
  TDocumentJournal::TSettings settings;
  settings.folder = folder;
  settings.stamp = [&window] { return StampDocument(*window.Status1); };
  settings.tell = [&window](const std::string& message) {
    Dialogs().Inform(&window, QStringLiteral("Внимание"),
                     QStringLiteral("Журнал восстановления не удаётся записать, и после сбоя программы "
                                    "несохранённые изменения не будут восстановлены. Редактирование "
                                    "продолжается; сохраняйте документ.\n\n") +
                         QString::fromUtf8(platform::MessageForDisplay(message)));
  };
  auto journal = std::make_unique<TDocumentJournal>(window.Memo1->Editor().Lines().Model(), std::move(settings));
  TDocumentJournal* const own = journal.get();
  QObject::connect(&window, &TFmain::documentDropped, own, [own] { own->Stop(); });
  QObject::connect(&window, &TFmain::documentStored, own, [own] { own->Restart(); });
  return journal;
}
