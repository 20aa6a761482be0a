// The main window's Preview and Settings commands.
#include "preview/PreviewCommands.h"

#include <QLineEdit>

#include "preview/Usetting.h"
#include "preview/Uview.h"
#include "widgets/DocumentWindow.h"

void RunPreviewCommand(TDocumentWindow& document) {
  // The browser reads the file, so unsaved changes go to disk first; a cancelled Save
  // As leaves the marker and the preview is not shown.
  if (document.Modified()) document.Save();
  if (document.Modified()) return;

  auto* view = new TFview(BrowserFactory(), document.Window());
  // A page that declares no charset shows as the editor shows it.
  view->Browser1->SetDefaultTextEncoding(document.PageCharset());
  const QString testUrl = document.TestUrl();
  view->Epath->setText(testUrl.isEmpty() ? document.FileName() : testUrl);
  // The window frees itself when closed, before or after exec returns; not touched again.
  view->exec();
}

void RunSettingsCommand(TDocumentWindow& document) {
  auto* dialog = new TFsetting(document, document.Window());
  const QString testUrl = document.TestUrl();
  if (!testUrl.isEmpty()) dialog->E_url->setText(testUrl);
  dialog->exec();
}
