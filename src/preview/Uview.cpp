// The preview window.
#include "preview/Uview.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlatformSurfaceEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

#include "widgets/XPButtons.h"

TFview* Fview = nullptr;

namespace {

constexpr int PanelHeight = 40;
// Bexit keeps this gap to the right edge of the top panel.
constexpr int ExitRightGap = 10;

QFont SansSerif(int pixelHeight) {
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPixelSize(pixelHeight);
  return font;
}

TXPSpeedButton* MakeGlyphButton(QWidget* parent, const char* name, const QRect& bounds,
                                const QString& glyph, int glyphSize) {
  auto* button = new TXPSpeedButton(parent);
  button->setObjectName(QLatin1String(name));
  button->setGeometry(bounds);
  button->SetGlyph(QIcon(glyph));
  button->setIconSize(QSize(glyphSize, glyphSize));
  return button;
}

bool IsEnter(const QKeyEvent& key) {
  return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

}  // namespace

TFview::TFview(const TBrowserFactory& browserFactory, QWidget* parent) : QDialog(parent) {
  Fview = this;
  setObjectName(QStringLiteral("Fview"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
  setWindowTitle(QStringLiteral("Просмотр"));
  setFont(SansSerif(11));
  resize(800, 600);

  CreateTopPanel();
  Browser1 = browserFactory(this);
  Browser1->setObjectName(QStringLiteral("Browser1"));
  connect(Browser1, &TWebBrowser::CommandStateChange, this, &TFview::Browser1CommandStateChange);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(P1);
  layout->addWidget(Browser1, 1);

  // Key preview: the window's filter sees the keys of every control first, the
  // browser's own (created on demand) included.
  qApp->installEventFilter(this);
  FormCreate();
  setWindowState(windowState() | Qt::WindowMaximized);
}

TFview::~TFview() {
  if (Fview == this) Fview = nullptr;
}

// The restored bounds are the screen's available area, so that a window manager that
// ignores the maximised state still shows the page over the whole screen.
void TFview::FormCreate() {
  if (const QScreen* screen = this->screen()) setGeometry(screen->availableGeometry());
}

void TFview::CreateTopPanel() {
  P1 = new QFrame(this);
  P1->setObjectName(QStringLiteral("P1"));
  P1->setFixedHeight(PanelHeight);

  Im1 = new QLabel(P1);
  Im1->setObjectName(QStringLiteral("Im1"));
  Im1->setPixmap(QPixmap(QStringLiteral(":/icons/preview/panel.svg")));
  Im1->setScaledContents(true);

  // The glyph buttons and the address have neither caption nor label: a screen reader
  // gets names of their own.
  Bprior = MakeGlyphButton(P1, "Bprior", {12, 5, 33, 30}, QStringLiteral(":/icons/preview/back.svg"), 23);
  Bprior->setAccessibleName(QStringLiteral("Назад"));
  Bnext = MakeGlyphButton(P1, "Bnext", {48, 5, 33, 30}, QStringLiteral(":/icons/preview/forward.svg"), 23);
  Bnext->setAccessibleName(QStringLiteral("Вперёд"));

  Epath = new QLineEdit(P1);
  Epath->setObjectName(QStringLiteral("Epath"));
  Epath->setGeometry(124, 8, 509, 24);
  Epath->setFont(SansSerif(13));
  Epath->setAccessibleName(QStringLiteral("Адрес"));
  QPalette palette = Epath->palette();
  palette.setColor(QPalette::Base, QColor(0xE8, 0xE8, 0xE8));
  Epath->setPalette(palette);

  Bgoto = MakeGlyphButton(P1, "Bgoto", {637, 7, 26, 26}, QStringLiteral(":/icons/preview/go.svg"), 20);
  Bgoto->SetHint(QStringLiteral("Переход"));
  Bexit = MakeGlyphButton(P1, "Bexit", {680, 5, 105, 30}, QStringLiteral(":/icons/preview/exit.svg"), 24);
  Bexit->setAccessibleName(QStringLiteral("Закрыть"));

  connect(Bgoto, &QAbstractButton::clicked, this, &TFview::BgotoClick);
  connect(Bprior, &QAbstractButton::clicked, this, &TFview::BpriorClick);
  connect(Bnext, &QAbstractButton::clicked, this, &TFview::BnextClick);
  connect(Bexit, &QAbstractButton::clicked, this, &TFview::BexitClick);
}

void TFview::BgotoClick() { Browser1->Navigate(Epath->text()); }

// Back and forward without history are no error to the user: nothing happens.
void TFview::BpriorClick() {
  try {
    Browser1->GoBack();
  } catch (...) {
  }
}

void TFview::BnextClick() {
  try {
    Browser1->GoForward();
  } catch (...) {
  }
}

void TFview::BexitClick() { close(); }

void TFview::Browser1CommandStateChange() { Epath->setText(Browser1->LocationURL()); }

void TFview::P1Resize() {
  Im1->setGeometry(P1->rect());
  Bexit->move(P1->width() - Bexit->width() - ExitRightGap, Bexit->y());
}

bool TFview::event(QEvent* event) {
  // The browser's view renders into a texture, so Qt makes the window anew as it is first
  // shown, and the new one starts in the normal state: the window manager would never
  // hear that it is maximised. It gets this window's state before it appears.
  if (event->type() == QEvent::PlatformSurface &&
      static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() == QPlatformSurfaceEvent::SurfaceCreated &&
      windowHandle() != nullptr && windowHandle()->windowStates() != windowState()) {
    windowHandle()->setWindowStates(windowState());
  }
  return QDialog::event(event);
}

void TFview::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The address is loaded as soon as the window appears, not when the user asks.
  if (!event->spontaneous()) Bgoto->click();
}

void TFview::keyPressEvent(QKeyEvent* event) {
  // Esc closes this window when it is released (FormKeyUp), not when it goes down.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool TFview::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Resize:
      if (watched == P1) P1Resize();
      break;
    case QEvent::KeyPress:
      if (watched == Epath) return EpathKeyDown(static_cast<const QKeyEvent&>(*event));
      break;
    case QEvent::KeyRelease:
      if (IsInside(watched)) return FormKeyUp(static_cast<const QKeyEvent&>(*event));
      break;
    case QEvent::ToolTip:
      // The window shows no hints, though its buttons have them.
      if (watched != P1 && P1->isAncestorOf(qobject_cast<QWidget*>(watched))) return true;
      break;
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

bool TFview::EpathKeyDown(const QKeyEvent& key) {
  if (!IsEnter(key)) return false;
  Bgoto->click();
  return true;
}

bool TFview::FormKeyUp(const QKeyEvent& key) {
  if (key.key() != Qt::Key_Escape) return false;
  close();
  return true;
}

bool TFview::IsInside(QObject* object) const {
  auto* widget = qobject_cast<QWidget*>(object);
  return widget && (widget == this || isAncestorOf(widget));
}
