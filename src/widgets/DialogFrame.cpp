// The shared frame of the program's small modal dialogs.
#include "widgets/DialogFrame.h"

#include <QDialog>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPixmap>

#include "widgets/XPButtons.h"

namespace {

constexpr int PanelHeight = 40;

TXPButton* PanelButton(QFrame* panel, const QString& name, const QString& caption, QRect geometry) {
  auto* button = new TXPButton(caption, panel);
  button->setObjectName(name);
  button->setGeometry(geometry);
  return button;
}

}  // namespace

void SetUpFixedDialog(QDialog& dialog, const QString& name, const QString& caption, int fontPixels,
                      QSize client) {
  dialog.setObjectName(name);
  dialog.setAttribute(Qt::WA_DeleteOnClose);
  dialog.setWindowTitle(caption);
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPixelSize(fontPixels);
  dialog.setFont(font);
  dialog.setFixedSize(client);
}

TOkCancelPanel CreateOkCancelPanel(QDialog& dialog, const QString& backgroundImage, QRect ok, QRect cancel) {
  auto* panel = new QFrame(&dialog);
  panel->setObjectName(QStringLiteral("P1"));
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setGeometry(0, dialog.height() - PanelHeight, dialog.width(), PanelHeight);

  auto* background = new QLabel(panel);
  background->setPixmap(QPixmap(backgroundImage));
  background->setScaledContents(true);
  background->setGeometry(panel->contentsRect());

  TXPButton* cancelButton = PanelButton(panel, QStringLiteral("Bcancel"), QStringLiteral("Отмена"), cancel);
  cancelButton->SetCancel(true);
  cancelButton->SetModalResult(2);
  return {panel, background, PanelButton(panel, QStringLiteral("Bok"), QStringLiteral("Готово"), ok), cancelButton};
}
