// TFrecover: the dialog that offers one journal a program left when it died.
#pragma once

#include <QDialog>

#include "journal/Orphans.h"

class QLabel;
class TXPButton;

// Shows what the journal holds: the document's name (or "Новый"), when it was last
// changed, how much text, and what the user should know first (the file on disk changed
// or is gone, the journal's end was damaged, or nothing can be recovered from it).
// exec() answers crRestore, crDelete, or QDialog::Rejected for "Позже" (also Esc and the
// frame). It frees itself when closed.
class TFrecover : public QDialog {
  Q_OBJECT

 public:
  enum TChoice { crRestore = QDialog::Accepted, crDelete = 3 };

  explicit TFrecover(const journal::TOrphanInfo& info, QWidget* parent = nullptr);

  QLabel* LHead = nullptr;
  QLabel* LName = nullptr;
  QLabel* LChanged = nullptr;
  QLabel* LSize = nullptr;
  QLabel* LNote = nullptr;
  TXPButton* Brestore = nullptr;
  TXPButton* Bdelete = nullptr;
  TXPButton* Blater = nullptr;

 private:
  QLabel* AddLabel(const char* name, const QString& text, QRect geometry);
  TXPButton* AddButton(QWidget* panel, const char* name, const QString& caption, int left, int modalResult);
  void CreateButtons(bool recoverable);
};
