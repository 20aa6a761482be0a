// The start-up offer: the orphaned journals listed, offered one at a time, and the
// chosen one restored into the main window.
#include "app/RecoveryOffer.h"

#include <QFile>
#include <utility>
#include <vector>

#include "app/Application.h"
#include "app/DocumentJournal.h"
#include "app/DocumentStatus.h"
#include "app/Umain.h"
#include "app/Urecover.h"
#include "journal/Orphans.h"
#include "platform/Encodings.h"
#include "qt/EditorWidget.h"
#include "widgets/Dialogs.h"

namespace {

bool HoldsNoChange(const journal::TOrphanInfo& info) {
  return journal::Recoverable(info.state) && info.lastChange <= info.began;
}

// The encoding a journal names (as EncodingName gives it); Windows-1251 for a name it does
// not know, as for a page read before encodings were recorded.
platform::TEncoding RecordedEncoding(const std::string& name) {
  for (const platform::TEncoding encoding : platform::kEncodings) {
    if (platform::EncodingName(encoding) == name) return encoding;
  }
  return platform::TEncoding::Windows1251;
}

// Puts the journal's text in the window; false (after telling why) when it cannot be read.
bool Restore(TFmain& window, TDocumentJournal& journal, journal::TOrphanJournal& orphan) {
  journal::TRecoveredText text = orphan.Recover();
  if (!journal::Recoverable(text.state)) {
    Dialogs().ShowError(&window, QString::fromUtf8(kApplicationTitle),
                        QStringLiteral("Текст не удалось восстановить: журнал не читается. Он сохранён до "
                                       "следующего запуска."));
    return false;
  }
  journal.Stop();
  window.Memo1->Editor().Lines().Assign(std::move(text.lines));
  window.Memo1->Editor().ShowFromTop();
  window.ShowCaretPos();
  const std::string& path = text.header.document.path;
  if (path.empty()) {
    window.Status1->SetUntitled();
  } else {
    window.Status1->SetFileName(QFile::decodeName(QByteArray::fromStdString(path)));
  }
  window.Status1->ShowEncoding(RecordedEncoding(text.header.document.encoding), false);
  window.Status1->SetModified(true);
  journal.BeginRecovered(text.header.document, std::move(orphan));
  return true;
}

}  // namespace

bool OfferRecovery(TFmain& window, TDocumentJournal& journal, const std::string& folder) {
  journal::RemoveAbandonedRewrites(folder);
  std::vector<journal::TOrphanJournal> offered;
  for (journal::TOrphanJournal& orphan : journal::FindOrphanedJournals(folder)) {
    if (HoldsNoChange(orphan.Info())) {
      orphan.Remove();
    } else {
      offered.push_back(std::move(orphan));
    }
  }
  for (journal::TOrphanJournal& orphan : offered) {
    auto* dialog = new TFrecover(orphan.Info(), &window);
    const int choice = dialog->exec();
    if (choice == TFrecover::crRestore && Restore(window, journal, orphan)) return true;
    if (choice == TFrecover::crDelete) orphan.Remove();
  }
  return false;
}
