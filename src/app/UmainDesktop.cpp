// The main window on the desktop: a file dropped from the file manager opens like Open,
// and the editor tells assistive technology which document it shows.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "app/DocumentStatus.h"
#include "app/Umain.h"
#include "qt/EditorWidget.h"

namespace {

// The local file a drag carries, or an empty string when it carries none.
QString DroppedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls() || data->urls().isEmpty()) return {};
  const QUrl url = data->urls().constFirst();
  return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

void TFmain::ConnectDesktop() {
  setAcceptDrops(true);
  connect(Status1, &TDocumentStatus::fileNameChanged, this, [this](const QString& text) {
    // The panel holds a full path or "Новый"; a screen reader announces just the name.
    const QString name = QFileInfo(text).fileName();
    Memo1->SetDocumentName(name.isEmpty() ? text : name);
  });
}

void TFmain::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TFmain::dropEvent(QDropEvent* event) {
  const QString file = DroppedFile(event->mimeData());
  if (file.isEmpty()) return;
  event->acceptProposedAction();
  // The question and the opening run after the drop has finished, so the file manager
  // is not kept waiting by a modal box.
  QMetaObject::invokeMethod(
      this,
      [this, path = QFileInfo(file).absoluteFilePath()] {
        if (DiscardStops()) return;
        OpenDocument(path);
      },
      Qt::QueuedConnection);
}
