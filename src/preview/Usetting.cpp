// The settings dialog of the test address.
#include "preview/Usetting.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>

#include "app/Dialogs.h"
#include "app/StatusPanels.h"
#include "preview/DefaultTestUrl.h"
#include "widgets/XPButtons.h"

TFsetting* Fsetting = nullptr;

namespace {

constexpr int ClientWidth = 519;
constexpr int ClientHeight = 195;
constexpr int PanelHeight = 40;

}  // namespace

TFsetting::TFsetting(TStatusPanels& panels, QWidget* parent) : QDialog(parent), panels_(panels) {
  Fsetting = this;
  setObjectName(QStringLiteral("Fsetting"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Настройки"));
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPixelSize(13);
  setFont(font);
  setFixedSize(ClientWidth, ClientHeight);

  L1 = new QLabel(QStringLiteral("URL для тестирования"), this);
  L1->setObjectName(QStringLiteral("L1"));
  L1->move(52, 52);
  L1->adjustSize();

  E_url = new QLineEdit(QString::fromLatin1(LoopbackTestUrl), this);
  E_url->setObjectName(QStringLiteral("E_url"));
  E_url->setGeometry(50, 72, 397, 24);

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
  P1 = new QFrame(this);
  P1->setObjectName(QStringLiteral("P1"));
  P1->setGeometry(0, ClientHeight - PanelHeight, ClientWidth, PanelHeight);
  P1->setFrameStyle(QFrame::Panel | QFrame::Sunken);

  Im1 = new QLabel(P1);
  Im1->setObjectName(QStringLiteral("Im1"));
  Im1->setPixmap(QPixmap(QStringLiteral(":/icons/preview/panel.svg")));
  Im1->setScaledContents(true);
  Im1->setGeometry(P1->contentsRect());

  Bok = new TXPButton(QStringLiteral("Готово"), P1);
  Bok->setObjectName(QStringLiteral("Bok"));
  Bok->setGeometry(125, 7, 110, 28);
  Bcancel = new TXPButton(QStringLiteral("Отмена"), P1);
  Bcancel->setObjectName(QStringLiteral("Bcancel"));
  Bcancel->setGeometry(275, 7, 110, 28);
  // Neither button is the default one: Enter in the address field does not close the
  // dialog. Esc is the dialog's own cancel key, the same as clicking Bcancel.
  for (TXPButton* button : {Bok, Bcancel}) {
    button->setAutoDefault(false);
    button->setDefault(false);
  }
  connect(Bok, &QAbstractButton::clicked, this, &TFsetting::BokClick);
  connect(Bcancel, &QAbstractButton::clicked, this, &QDialog::reject);
}

void TFsetting::CenterOnScreen() {
  if (QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
}

void TFsetting::BokClick() {
  panels_.SetText(TestUrlPanel, E_url->text());
  accept();
}

void TFsetting::BopenClick() {
  // Dialog1 has no filter and no title of its own.
  if (const std::optional<QString> path = Dialogs().OpenFile(this, TFileDialogOptions{})) {
    E_url->setText(*path);
  }
}
