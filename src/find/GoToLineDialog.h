// TFgoto: the small dialog of Правка → Перейти к строке: a row and, if wanted, a column.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class TDocumentWindow;
class TXPButton;

// A fixed-size modal dialog. "Готово" (or Enter in a field) puts the caret at the row and
// column given, 1-based, and brings the row into view; a number past the text goes to the
// nearest row that exists (and a column past the last to the last). An empty column means
// the first. "Отмена", Esc and the frame change nothing. It frees itself when closed.
class TFgoto : public QDialog {
  Q_OBJECT

 public:
  explicit TFgoto(TDocumentWindow& document, QWidget* parent = nullptr);

  QLabel* Lrow = nullptr;
  QLineEdit* Erow = nullptr;
  QLabel* Lcol = nullptr;
  QLineEdit* Ecol = nullptr;
  TXPButton* Bok = nullptr;
  TXPButton* Bcancel = nullptr;

  void BokClick();

 private:
  TDocumentWindow& document_;
};
