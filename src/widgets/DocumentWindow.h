// TDocumentWindow: what the palettes, the media dialog and the preview may ask of the
// window that holds the document. The main window implements it; they know nothing else
// of that window.
#pragma once

#include <QString>
#include <string>

class EditorWidget;
class QWidget;

class TDocumentWindow {
 public:
  // Feeds text to the editor as one synchronous character message per byte
  // (Windows-1251), so the editor's own typing rules decide what each character does.
  virtual void SendAsTyping(const std::string& text) = 0;
  // Saves as the File menu's Save does: into the document's file, or through Save As
  // while it has none (where the user may cancel). Errors escape to the caller.
  virtual void Save() = 0;
  // The document's file as the window shows it: its full path, or "Новый" while it has
  // none.
  virtual QString FileName() const = 0;
  // True while the document has changes that are not saved.
  virtual bool Modified() const = 0;
  // The address the preview shows instead of the file; empty when none is set.
  virtual QString TestUrl() const = 0;
  virtual void SetTestUrl(const QString& url) = 0;
  // The name a browser knows the document's encoding by ("windows-1251", "UTF-8", …): the
  // preview reads a page that declares none in it.
  virtual QString PageCharset() const = 0;
  // The window the document's dialogs belong to.
  virtual QWidget* Window() = 0;
  // The editor that holds the document, for the windows that search and move in it.
  virtual EditorWidget& DocumentEditor() = 0;
  // Shows the caret's position in the status bar after a command other than a key or a
  // click moved it.
  virtual void ShowCaretPos() = 0;

 protected:
  ~TDocumentWindow() = default;
};
