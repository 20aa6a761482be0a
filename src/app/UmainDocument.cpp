// The main window as the palettes, the media dialog and the preview see it: typing into
// the editor, Save, and the document's state read from and written to the status bar.
#include <QAction>

#include "app/DocumentStatus.h"
#include "app/Umain.h"
#include "qt/EditorWidget.h"

void TFmain::SendAsTyping(const std::string& text) {
  // Each character is handled to completion (change event included) before the next one,
  // so every character meets the text the previous ones left.
  Memo1->Editor().SendText(text);
}

void TFmain::Save() { N_save->trigger(); }

QString TFmain::FileName() const { return Status1->FileName(); }

bool TFmain::Modified() const { return Status1->Modified(); }

QString TFmain::TestUrl() const { return Status1->TestUrl(); }

void TFmain::SetTestUrl(const QString& url) { Status1->SetTestUrl(url); }
