// The attribute palette window.
#include "app/Uprop.h"

#include <QFont>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <iterator>

#include "app/Umain.h"
#include "qt/EditorWidget.h"
#include "widgets/XPButtons.h"

TFprop* Fprop = nullptr;

namespace {

struct TAttributeButton {
  const char* Name;
  int Left;
  int Top;
  const char* Caption;
  const char* Hint;
  const char* Attribute;
};

// The captions keep their trailing blanks: they pad the shorter words so the faces line up.
const TAttributeButton AttributeButtons[] = {
    {"Bheight", 3, 3, "Высота        ", "высота", " height=\"100\" "},
    {"Bwidth", 3, 33, "Ширина       ", "ширина", " width=\"100\" "},
    {"Bborder", 3, 63, "Бордюр       ", "бордюр", " border=\"1\" "},
    {"Bcolor", 3, 94, "Цвет            ", "цвет", " color=\"#0000ff\" "},
    {"Bbgcolor", 3, 124, "Цвет фона   ", "цвет фона", " bgcolor=\"#eeeeff\" "},
    {"Bbground", 3, 153, "Рисунок фон", "цвет фона", " background=\"jpg/fon.gif\" "},
    {"Bfix", 3, 182, "Фиксирован.", "Фиксирование", " bgproperties=\"fixed\" "},
    {"Bleft", 3, 211, " Влево        ", "Выравнивание по левому краю", " align=\"left\" "},
    {"Bcenter", 2, 240, "По центру ", "Выравнивание по центру", " align=\"center\" "},
    {"Bright", 2, 269, "  Вправо    ", "Выравнивание по правому краю", " align=\"right\" "},
};

constexpr int ClientWidth = 115;
constexpr int ClientHeight = 298;
constexpr int ButtonWidth = 110;
constexpr int ButtonHeight = 26;
constexpr int GlyphSize = 16;

}  // namespace

// A palette never takes the keyboard: showing it or clicking its buttons leaves the
// activation and the focus with the main window's editor.
TFprop::TFprop(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus) {
  Fprop = this;
  setAttribute(Qt::WA_ShowWithoutActivating);
  setObjectName(QStringLiteral("Fprop"));
  setWindowTitle(QStringLiteral("Свойства"));
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPixelSize(11);
  setFont(font);
  setFixedSize(ClientWidth, ClientHeight);
  P1 = new QFrame(this);
  P1->setObjectName(QStringLiteral("P1"));
  P1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  P1->setGeometry(0, 0, ClientWidth, ClientHeight);
  CreateButtons();
}

TFprop::~TFprop() {
  if (Fprop == this) Fprop = nullptr;
}

void TFprop::CreateButtons() {
  for (std::size_t i = 0; i < std::size(AttributeButtons); ++i) {
    const TAttributeButton& entry = AttributeButtons[i];
    // A bevel sits just above every button after the first.
    if (i > 0) {
      auto* bevel = new QFrame(P1);
      bevel->setFrameShape(QFrame::HLine);
      bevel->setFrameShadow(QFrame::Sunken);
      bevel->setGeometry(5, entry.Top - 3, 103, 2);
    }
    auto* button = new TXPSpeedButton(P1);
    const QString name = QString::fromLatin1(entry.Name);
    button->setObjectName(name);
    button->setGeometry(entry.Left, entry.Top, ButtonWidth, ButtonHeight);
    button->setIconSize(QSize(GlyphSize, GlyphSize));
    button->SetGlyph(QIcon(QStringLiteral(":/icons/prop/%1.svg").arg(name)));
    button->SetCaption(QString::fromUtf8(entry.Caption));
    button->SetFlat(true);
    button->SetHint(QString::fromUtf8(entry.Hint));
    connect(button, &TXPSpeedButton::clicked, this, [this, button] { BheightClick(button); });
  }
}

TFmain* TFprop::MainWindow() const { return qobject_cast<TFmain*>(parentWidget()); }

void TFprop::BheightClick(const QObject* sender) {
  TFmain* main = MainWindow();
  if (main == nullptr) return;
  if (sender != nullptr) {
    const QString name = sender->objectName();
    // Every key is compared; the names are unique, so at most one attribute goes in.
    for (const TAttributeButton& entry : AttributeButtons) {
      if (name == QLatin1String(entry.Name)) main->SendAsTyping(entry.Attribute);
    }
  }
  main->activateWindow();
  main->raise();
  if (main->Memo1 != nullptr) main->Memo1->setFocus();
}

void TFprop::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FormShow();
}

void TFprop::FormShow() {
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  const int screenWidth = screen ? screen->geometry().width() : 0;
  move(screenWidth - frameGeometry().width() - 20, 117);
}
