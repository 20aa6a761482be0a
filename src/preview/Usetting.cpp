// The settings dialog of the test address.
#include "preview/Usetting.h"

#include <QLabel>
#include <QLineEdit>
#include <QScreen>

#include "preview/DefaultTestUrl.h"
#include "widgets/DialogFrame.h"
#include "widgets/Dialogs.h"
#include "widgets/DocumentWindow.h"
#include "widgets/XPButtons.h"

TFsetting* Fsetting = nullptr;

namespace {

constexpr int ClientWidth = 519;
constexpr int ClientHeight = 195;

}  // namespace

TFsetting::TFsetting(TDocumentWindow& document, QWidget* parent) : QDialog(parent), document_(document) {
  Fsetting = this;
  SetUpFixedDialog(*this, QStringLiteral("Fsetting"), QStringLiteral("Настройки"), 13,
                   QSize(ClientWidth, ClientHeight));

  L1 = new QLabel(QStringLiteral("URL для тестирования"), this);
  L1->setObjectName(QStringLiteral("L1"));
  L1->move(52, 52);
  L1->adjustSize();

  E_url = new QLineEdit(QString::fromLatin1(LoopbackTestUrl), this);
  E_url->setObjectName(QStringLiteral("E_url"));
  E_url->setGeometry(50, 72, 397, 24);
  L1->setBuddy(E_url);  // the field's name to a screen reader

  Bopen = new TXPSpeedButton(this);
  Bopen->setObjectName(QStringLiteral("Bopen"));
  Bopen->SetCaption(QStringLiteral("..."));
  Bopen->setGeometry(451, 71, 26, 25);
  connect(Bopen, &QAbstractButton::clicked, this, &TFsetting::BopenClick);

  CreateBottomPanel();
  CenterOnScreen();
}

TFsetting::~TFsetting() {
  if (Fsetting == this) Fsetting = nullptr;
}

void TFsetting::CreateBottomPanel() {
  const TOkCancelPanel panel = CreateOkCancelPanel(*this, QStringLiteral(":/icons/preview/panel.svg"),
                                                   QRect(125, 7, 110, 28), QRect(275, 7, 110, 28));
  P1 = panel.Panel;
  Im1 = panel.Background;
  Im1->setObjectName(QStringLiteral("Im1"));
  Bok = panel.Ok;
  Bcancel = panel.Cancel;
  connect(Bok, &QAbstractButton::clicked, this, &TFsetting::BokClick);
}

void TFsetting::CenterOnScreen() {
  if (QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
}

void TFsetting::BokClick() {
  document_.SetTestUrl(E_url->text());
  accept();
}

void TFsetting::BopenClick() {
  // Dialog1 has no filter and no title of its own.
  if (const std::optional<QString> path = Dialogs().OpenFile(this, TFileDialogOptions{})) {
    E_url->setText(*path);
  }
}
