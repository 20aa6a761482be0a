// The about window.
#include "widgets/Uabout.h"

#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QPixmap>
#include <cmath>

#include "widgets/DialogFrame.h"
#include "widgets/ScrollText.h"
#include "widgets/XPButtons.h"

TFAbout* FAbout = nullptr;

namespace {

const QStringList Credits = {
    QStringLiteral("Quorvel v. 2.0"),
    QStringLiteral("Автор: команда Quorvel"),
    QString(),
    QStringLiteral("Тел.: +7 (000) 000-00-00"),
    QStringLiteral("E-mail: quorvel@example.org"),
    QStringLiteral("www.quorvel.example.org"),
    QString(),
    QStringLiteral("Город N, N-ская область"),
    QStringLiteral("2024"),
};

QLabel* Label(QWidget* parent, const char* name, QPoint at, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QLatin1String(name));
  label->move(at);
  label->adjustSize();
  return label;
}

}  // namespace

QString FormatTotalMemory(std::uint64_t bytes, const QLocale& locale) {
  const double kilobytes = std::round(static_cast<double>(bytes) / 1024.0);
  return locale.toString(static_cast<qulonglong>(kilobytes)) + QStringLiteral(" KB");
}

QString FormatFreeMemory(std::uint32_t memoryLoad) {
  return QStringLiteral("%1 %").arg(100 - static_cast<int>(memoryLoad));
}

TFAbout::TFAbout(QWidget* parent) : QDialog(parent) {
  FAbout = this;
  SetUpFixedDialog(*this, QStringLiteral("FAbout"), QStringLiteral("О программе"), 11, QSize(348, 210));
  QPalette colours = palette();
  colours.setColor(QPalette::WindowText, Qt::black);
  setPalette(colours);

  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(11, 11, 49, 49);
  Image1->setPixmap(QPixmap(QStringLiteral(":/about/logo.svg")));

  ScrollText1 = new TScrollText(this);
  ScrollText1->setObjectName(QStringLiteral("ScrollText1"));
  ScrollText1->setGeometry(72, 14, 265, 96);
  ScrollText1->SetAlignment(Qt::AlignHCenter);
  ScrollText1->SetItems(Credits);
  ScrollText1->SetActive(true);
  ScrollText1->SetBackgroundColor(palette().color(QPalette::Window));  // clBtnFace
  QFont credits(QStringLiteral("Courier New"));
  credits.setPixelSize(13);
  ScrollText1->setFont(credits);
  ScrollText1->SetFontColor(QColor(0, 0, 128));  // clNavy

  // A single line along the top edge of its box: a shadow over a highlight.
  Bevel1 = new QFrame(this);
  Bevel1->setObjectName(QStringLiteral("Bevel1"));
  Bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  Bevel1->setGeometry(74, 119, 265, 2);

  L3 = Label(this, "L3", {73, 130}, QStringLiteral("Вся оперативная память:"));
  Lmemory = Label(this, "Lmemory", {255, 130}, QStringLiteral("0"));
  L4 = Label(this, "L4", {73, 152}, QStringLiteral("Свободно:"));
  LFree = Label(this, "LFree", {255, 152}, QStringLiteral("0"));

  // Enter and Esc both land here; the window closes with the result Cancel.
  XPButton1 = new TXPButton(QStringLiteral("OK"), this);
  XPButton1->setObjectName(QStringLiteral("XPButton1"));
  XPButton1->setGeometry(242, 177, 90, 26);
  XPButton1->SetDefault(true);
  XPButton1->SetCancel(true);
  XPButton1->SetModalResult(2);

  FormCreate();
}

TFAbout::~TFAbout() {
  if (FAbout == this) FAbout = nullptr;
}

void TFAbout::FormCreate() { ShowMemory(platform::GlobalMemoryStatus()); }

void TFAbout::ShowMemory(const platform::TMemoryStatus& status) {
  Lmemory->setText(FormatTotalMemory(status.TotalPhys, QLocale()));
  Lmemory->adjustSize();
  LFree->setText(FormatFreeMemory(status.MemoryLoad));
  LFree->adjustSize();
}
