// The go-to-line dialog.
#include "find/GoToLineDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "editor/search/TextSearch.h"
#include "qt/EditorWidget.h"
#include "widgets/DialogFrame.h"
#include "widgets/DocumentWindow.h"
#include "widgets/XPButtons.h"

namespace {

constexpr int ClientWidth = 300;
constexpr int ClientHeight = 128;

// Digits only, at most ten: any row number a user can mean, and more, still parses.
QLineEdit* NumberField(QDialog* dialog, const char* name, const QString& accessibleName, int top) {
  auto* field = new QLineEdit(dialog);
  field->setObjectName(QLatin1String(name));
  field->setAccessibleName(accessibleName);
  field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,10}")), field));
  field->setGeometry(150, top, 120, 22);
  return field;
}

QLabel* FieldCaption(QDialog* dialog, const char* name, const QString& text, QLineEdit* buddy) {
  auto* label = new QLabel(text, dialog);
  label->setObjectName(QLatin1String(name));
  label->setBuddy(buddy);
  label->setGeometry(20, buddy->y(), 125, 22);
  return label;
}

}  // namespace

TFgoto::TFgoto(TDocumentWindow& document, QWidget* parent) : QDialog(parent), document_(document) {
  SetUpFixedDialog(*this, QStringLiteral("Fgoto"), QStringLiteral("Перейти к строке"), 13,
                   QSize(ClientWidth, ClientHeight));
  const editor::THLEditor& memo = document_.DocumentEditor().Editor();
  Erow = NumberField(this, "Erow", QStringLiteral("Номер строки"), 18);
  Lrow = FieldCaption(this, "Lrow", QStringLiteral("Строка (1–%1):").arg(std::max(memo.LineCount(), 1)), Erow);
  Ecol = NumberField(this, "Ecol", QStringLiteral("Номер столбца"), 50);
  Lcol = FieldCaption(this, "Lcol", QStringLiteral("Столбец:"), Ecol);
  Erow->setText(QString::number(memo.CaretY + 1));
  Erow->selectAll();

  const TOkCancelPanel panel = CreateOkCancelPanel(*this, QStringLiteral(":/icons/preview/panel.svg"),
                                                   QRect(40, 7, 100, 26), QRect(160, 7, 100, 26));
  Bok = panel.Ok;
  Bcancel = panel.Cancel;
  connect(Bok, &QAbstractButton::clicked, this, &TFgoto::BokClick);
  connect(Erow, &QLineEdit::returnPressed, this, &TFgoto::BokClick);
  connect(Ecol, &QLineEdit::returnPressed, this, &TFgoto::BokClick);
}

void TFgoto::BokClick() {
  EditorWidget& widget = document_.DocumentEditor();
  editor::THLEditor& memo = widget.Editor();
  const long long row = Erow->text().isEmpty() ? memo.CaretY + 1 : Erow->text().toLongLong();
  const long long column = Ecol->text().isEmpty() ? 1 : Ecol->text().toLongLong();
  editor::search::GoToPosition(memo, editor::search::NearestCaretPosition(memo, row, column));
  document_.ShowCaretPos();
  accept();
}
