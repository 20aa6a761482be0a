// The program's platform dialogs on Qt: file open and save, the Yes/No question, the
// error box and the colour picker.
#include "widgets/Dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

#include "widgets/DialogFilter.h"

namespace {

// Runs a file dialog for the options; the chosen path or nothing.
std::optional<QString> RunFileDialog(QWidget* parent, const TFileDialogOptions& options, bool save) {
  QFileDialog dialog(parent, options.Title);
  const QStringList filters = QtNameFilters(options.Filter);
  dialog.setNameFilters(filters);
  if (options.FilterIndex >= 1 && options.FilterIndex <= filters.size()) {
    dialog.selectNameFilter(filters[options.FilterIndex - 1]);
  }
  dialog.setDefaultSuffix(options.DefaultExt);
  // A name that does not exist is accepted by the open dialog too; the open then fails.
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // Saving over a file replaces it without a question.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  if (!options.FileName.isEmpty()) dialog.selectFile(options.FileName);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  return chosen.first();
}

class TQtDialogs : public TPlatformDialogs {
 public:
  std::optional<QString> OpenFile(QWidget* parent, const TFileDialogOptions& options) override {
    return RunFileDialog(parent, options, false);
  }
  std::optional<QString> SaveFile(QWidget* parent, const TFileDialogOptions& options) override {
    return RunFileDialog(parent, options, true);
  }
  bool AskYesNo(QWidget* parent, const QString& caption, const QString& text) override {
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Да"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Нет"));
    return box.exec() == QMessageBox::Yes;
  }
  void ShowError(QWidget* parent, const QString& caption, const QString& text) override {
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, parent);
    box.exec();
  }
  void Inform(QWidget* parent, const QString& caption, const QString& text) override {
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, parent);
    box.exec();
  }
  std::optional<QColor> ChooseColor(QWidget* parent) override {
    const QColor color = QColorDialog::getColor(Qt::black, parent);
    if (!color.isValid()) return std::nullopt;
    return color;
  }
};

TPlatformDialogs* installed = nullptr;

}  // namespace

TPlatformDialogs& Dialogs() {
  static TQtDialogs qtDialogs;
  return installed ? *installed : qtDialogs;
}

void SetDialogs(TPlatformDialogs* dialogs) { installed = dialogs; }
