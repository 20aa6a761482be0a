// The main window's Preview and Settings commands.
#include "preview/PreviewCommands.h"

#include <QAction>
#include <QLineEdit>

#include "app/StatusPanels.h"
#include "app/Umain.h"
#include "preview/Usetting.h"
#include "preview/Uview.h"

namespace {

// The document-state panels these commands read.
constexpr int FileNamePanel = 1;
constexpr int ModifiedPanel = 2;

bool IsModified(const TFmain& main) {
  return main.Status1->Text(ModifiedPanel) == QStringLiteral("*");
}

}  // namespace

void RunPreviewCommand(TFmain& main) {
  // The browser reads the file, so unsaved changes go to disk first; a cancelled Save
  // As leaves the marker and the preview is not shown.
  if (IsModified(main)) main.N_save->trigger();
  if (IsModified(main)) return;

  auto* view = new TFview(BrowserFactory(), &main);
  const QString testUrl = main.Status1->Text(TFsetting::TestUrlPanel);
  view->Epath->setText(testUrl.isEmpty() ? main.Status1->Text(FileNamePanel) : testUrl);
  // The window frees itself when closed, before or after exec returns; not touched again.
  view->exec();
}

void RunSettingsCommand(TFmain& main) {
  auto* dialog = new TFsetting(*main.Status1, &main);
  const QString testUrl = main.Status1->Text(TFsetting::TestUrlPanel);
  if (!testUrl.isEmpty()) dialog->E_url->setText(testUrl);
  dialog->exec();
}
