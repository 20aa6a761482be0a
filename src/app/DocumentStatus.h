// TDocumentStatus: the main window's status bar, whose panels are the only record of the
// document's state. Which panel holds what, and in which words, is known here alone.
#pragma once

#include <QString>

#include "app/StatusPanels.h"
#include "platform/Encodings.h"

class QLabel;

// Six panels: 0 "HTML", 1 the file name, 2 the modified marker, 3 the caret position,
// 4 the test URL, 5 unused. Whatever sets a panel's text (these accessors or SetText)
// changes the state it holds. Beside the panels, at the bar's right end, the document's
// encoding: a label of its own, so that the six panels keep their texts.
class TDocumentStatus : public TStatusPanels {
  Q_OBJECT

 public:
  explicit TDocumentStatus(QWidget* parent = nullptr);

  // Panel 1: the document's full path, or "Новый" while it has no file.
  QString FileName() const;
  bool Untitled() const;
  void SetFileName(const QString& fileName);
  void SetUntitled();

  // Panel 2: "*" while the document has unsaved changes, empty otherwise.
  bool Modified() const;
  void SetModified(bool modified);

  // Panel 3: the caret's column + 1, ":", row + 1.
  void ShowCaretPos(int column, int row);

  // Panel 4: the address the preview shows instead of the file; empty when none is set.
  QString TestUrl() const;
  void SetTestUrl(const QString& url);

  // The encoding the document was read in and the next Save writes. The label names it
  // (and says when the document is read-only); it is hidden while the document is
  // Windows-1251, so the bar looks as it always did.
  platform::TEncoding Encoding() const { return encoding_; }
  void ShowEncoding(platform::TEncoding encoding, bool readOnly);
  QLabel* EncodingLabel() const { return encodingLabel_; }

 signals:
  // After every change of panel 1's text, with the new text.
  void fileNameChanged(const QString& text);

 private:
  enum TPanel { HtmlPanel, FilePanel, ModifiedPanel, CaretPanel, TestUrlPanel, SparePanel };

  platform::TEncoding encoding_ = platform::TEncoding::Windows1251;
  QLabel* encodingLabel_ = nullptr;
};
