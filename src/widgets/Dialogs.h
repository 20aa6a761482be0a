// The platform dialogs of the program behind one small interface: Qt dialogs in the
// program, a scripted stand-in in the window tests.
#pragma once

#include <QColor>
#include <QString>
#include <optional>

class QWidget;

struct TFileDialogOptions {
  QString Title;
  // In the form "Name|*.a;*.b|Other|*.*".
  QString Filter;
  // 1-based entry selected when the dialog opens.
  int FilterIndex = 1;
  QString DefaultExt;
  QString FileName;
};

class TPlatformDialogs {
 public:
  virtual ~TPlatformDialogs() = default;
  // The chosen full path, or nothing when cancelled. Options.FileName is the initial name.
  virtual std::optional<QString> OpenFile(QWidget* parent, const TFileDialogOptions& options) = 0;
  virtual std::optional<QString> SaveFile(QWidget* parent, const TFileDialogOptions& options) = 0;
  // Yes/No question without icon; true for Yes.
  virtual bool AskYesNo(QWidget* parent, const QString& caption, const QString& text) = 0;
  // The error box: caption, error icon, the message, OK.
  virtual void ShowError(QWidget* parent, const QString& caption, const QString& text) = 0;
  // A warning the user acknowledges: caption, warning icon, the message, OK.
  virtual void Inform(QWidget* parent, const QString& caption, const QString& text) = 0;
  virtual std::optional<QColor> ChooseColor(QWidget* parent) = 0;
};

// The dialogs in force; the program's Qt dialogs unless a test installed its own.
TPlatformDialogs& Dialogs();
// Installs another implementation (nullptr restores the Qt dialogs). Not owned.
void SetDialogs(TPlatformDialogs* dialogs);
