// The tip-of-the-day component and its dialog.
#include "widgets/TipOfDay.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QToolButton>
#include <vector>

namespace {

const QColor Grey(0x80, 0x80, 0x80);
const QEvent::Type StartUpEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

// A filled rectangle, outlined inside its frame when it has an outline colour.
struct TShape {
  QRect Rect;
  QColor Fill;
  QColor Outline;
};

// One style's places of the dialog's parts.
struct TTipLayout {
  QSize Client;
  const char* Picture;
  std::vector<TShape> Shapes;  // Fill left invalid: the tip panel's colour
  QRect PictureRect, Header, Tip, CheckBox, Next, Close;
};

TTipLayout LayoutFor(TTipOfDayStyle style) {
  if (style == tsVC) {
    return {QSize(400, 258), ":/TIPOFDAYPIC1",
            {{QRect(8, 8, 384, 206), QColor(), Grey}, {QRect(8, 8, 53, 205), Grey, Grey},
             {QRect(61, 63, 330, 1), Grey, QColor()}},
            QRect(21, 22, 41, 43), QRect(71, 24, 135, 23), QRect(71, 75, 306, 134),
            QRect(8, 225, 200, 17), QRect(227, 225, 77, 25), QRect(317, 225, 75, 25)};
  }
  return {QSize(347, 267), ":/TIPOFDAYPIC2",
          {{QRect(12, 12, 323, 210), QColor(), Grey}, {QRect(62, 56, 263, 1), Grey, QColor()}},
          QRect(22, 22, 30, 34), QRect(62, 26, 200, 23), QRect(62, 66, 263, 146),
          QRect(12, 236, 160, 17), QRect(176, 232, 77, 25), QRect(260, 232, 75, 25)};
}

// The dialog paints its shapes under the controls. Esc closes it only while the close
// button is a push button, as the cancel button of the dialog.
class TTipDialog : public QDialog {
 public:
  TTipDialog(std::vector<TShape> shapes, QColor panelColor)
      : shapes_(std::move(shapes)), panelColor_(panelColor) {}
  bool EscapeCloses = true;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    for (const TShape& shape : shapes_) {
      painter.fillRect(shape.Rect, shape.Fill.isValid() ? shape.Fill : panelColor_);
      if (!shape.Outline.isValid()) continue;
      painter.setPen(shape.Outline);
      painter.drawRect(shape.Rect.adjusted(0, 0, -1, -1));
    }
  }
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Escape && !EscapeCloses) return;
    QDialog::keyPressEvent(event);
  }

 private:
  std::vector<TShape> shapes_;
  QColor panelColor_;
};

// A label on the tip panel: its colour behind the text.
QLabel* PanelLabel(QDialog& dialog, const char* name, const QRect& geometry, const QColor& color, const QFont& font) {
  auto* label = new QLabel(&dialog);
  label->setObjectName(QLatin1String(name));
  label->setGeometry(geometry);
  label->setFont(font);
  label->setAutoFillBackground(true);
  QPalette colours = label->palette();
  colours.setColor(QPalette::Window, color);
  label->setPalette(colours);
  return label;
}

// Swaps the button's font for the hot-tracking one while the pointer is over it.
class THotTrack : public QObject {
 public:
  THotTrack(QWidget* button, const QFont& hot) : QObject(button), normal_(button->font()), hot_(hot) {
    button->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* button = static_cast<QWidget*>(watched);
    if (event->type() == QEvent::Enter) button->setFont(hot_);
    if (event->type() == QEvent::Leave) button->setFont(normal_);
    return false;
  }

 private:
  QFont normal_;
  QFont hot_;
};

}  // namespace

TTipOfDay::TTipOfDay(QObject* owner)
    : QObject(owner),
      CheckBoxText(QStringLiteral("&Show Tips on Startup")),
      Color(Qt::white),
      HeaderText(QStringLiteral("Did you know...")),
      Title(QStringLiteral("Tips and Tricks")) {
  ButtonNext.Caption = QStringLiteral("&Next Tip");
  ButtonClose.Caption = QStringLiteral("&Close");
  ApplyDefaultFonts();
}

TTipOfDay::~TTipOfDay() {
  if (hookedForm_) hookedForm_->removeEventFilter(this);
}

// ---- Fonts and style ----

void TTipOfDay::ApplyDefaultFonts() {
  tipFont_ = QFont(QStringLiteral("MS Sans Serif"), 8);
  headerFont_ = style_ == tsVC ? QFont(QStringLiteral("Times New Roman"), 15) : QFont(QStringLiteral("System"), 10);
  headerFont_.setBold(true);
}

void TTipOfDay::SetDefaultFonts(bool value) {
  defaultFonts_ = value;
  if (value) ApplyDefaultFonts();
}

void TTipOfDay::SetHeaderFont(const QFont& font) {
  headerFont_ = font;
  defaultFonts_ = false;
}

void TTipOfDay::SetTipFont(const QFont& font) {
  tipFont_ = font;
  defaultFonts_ = false;
}

void TTipOfDay::SetStyle(TTipOfDayStyle style) {
  style_ = style;
  if (defaultFonts_) ApplyDefaultFonts();
}

// ---- Executing ----

void TTipOfDay::Execute() { Run(false); }

void TTipOfDay::Run(bool startUp) {
  if (executing_) return;
  executing_ = true;
  struct Clear {
    bool& flag;
    ~Clear() { flag = false; }
  } clear{executing_};

  if (Options & toUseAppStorage) {
    const bool show = AppStorage != nullptr && AppStorage->ReadBoolean(AppStoragePath + QStringLiteral("/Show_On_Startup"),
                                                                     (Options & toShowOnStartUp) != 0);
    Options = show ? Options | toShowOnStartUp : Options & ~toShowOnStartUp;
  }
  if (!MayShow(startUp)) return;

  QDialog* dialog = CreateDialog();
  current_ = Tips.isEmpty() ? 0 : static_cast<int>(QRandomGenerator::global()->bounded(Tips.size()));
  ShowTip();
  dialog->exec();

  Options = checkBox_->isChecked() ? Options | toShowOnStartUp : Options & ~toShowOnStartUp;
  delete dialog;
  if (OnAfterExecute) OnAfterExecute(this);
  if ((Options & toUseAppStorage) && AppStorage != nullptr) {
    AppStorage->WriteBoolean(AppStoragePath + QStringLiteral("/Show_On_Startup"), (Options & toShowOnStartUp) != 0);
  }
}

bool TTipOfDay::MayShow(bool startUp) {
  bool canShow = !startUp || (Options & toShowOnStartUp) != 0;
  if (OnCanShow) OnCanShow(this, canShow);
  return canShow;
}

QDialog* TTipOfDay::CreateDialog() {
  const TTipLayout layout = LayoutFor(style_);
  auto* dialog = new TTipDialog(layout.Shapes, Color);
  dialog->setObjectName(QStringLiteral("TipDialog"));
  dialog->setWindowTitle(Title);
  dialog->setFixedSize(layout.Client);
  if (const QScreen* screen = dialog->screen()) {
    dialog->move(screen->geometry().center() - QPoint(layout.Client.width() / 2, layout.Client.height() / 2));
  }

  auto* header = PanelLabel(*dialog, "HeaderLabel", layout.Header, Color, headerFont_);
  header->setText(HeaderText);
  header->adjustSize();

  auto* picture = new QLabel(dialog);
  picture->setObjectName(QStringLiteral("Picture"));
  picture->setGeometry(layout.PictureRect);
  picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  picture->setPixmap(QPixmap(QLatin1String(layout.Picture)));

  checkBox_ = new QCheckBox(CheckBoxText, dialog);
  checkBox_->setObjectName(QStringLiteral("CheckBox"));
  checkBox_->setGeometry(layout.CheckBox);
  checkBox_->setChecked((Options & toShowOnStartUp) != 0);

  nextButton_ = CreateButton(*dialog, ButtonNext, layout.Next);
  nextButton_->setObjectName(QStringLiteral("NextButton"));
  connect(nextButton_, &QAbstractButton::clicked, this, &TTipOfDay::NextTip);

  QAbstractButton* close = CreateButton(*dialog, ButtonClose, layout.Close);
  close->setObjectName(QStringLiteral("CloseButton"));
  connect(close, &QAbstractButton::clicked, dialog, &QDialog::accept);
  if (auto* push = qobject_cast<QPushButton*>(close)) push->setDefault(true);
  dialog->EscapeCloses = !ButtonClose.Flat;

  tipLabel_ = PanelLabel(*dialog, "TipLabel", layout.Tip, Color, tipFont_);
  tipLabel_->setWordWrap(true);
  tipLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return dialog;
}

QAbstractButton* TTipOfDay::CreateButton(QDialog& dialog, const TButtonPersistent& settings, const QRect& geometry) {
  QAbstractButton* button = nullptr;
  if (settings.Flat) {
    auto* speed = new QToolButton(&dialog);
    speed->setAutoRaise(true);
    speed->setFocusPolicy(Qt::NoFocus);
    button = speed;
  } else {
    button = new QPushButton(&dialog);
  }
  button->setText(settings.Caption);
  button->setGeometry(geometry);
  if (settings.HotTrack) new THotTrack(button, settings.HotTrackFont);
  return button;
}

void TTipOfDay::ShowTip() {
  if (!Tips.isEmpty()) tipLabel_->setText(Tips.at(current_));
  nextButton_->setEnabled(Tips.size() >= 2);
}

void TTipOfDay::NextTip() {
  if (Tips.isEmpty()) return;
  current_ = (current_ + 1) % Tips.size();
  ShowTip();
}

// ---- Start-up showing ----

void TTipOfDay::Loaded() {
  if (!(Options & toShowWhenFormShown)) {
    Run(true);
    return;
  }
  // The form that owns this component: its activation starts the start-up call.
  QObject* form = parent();
  if (auto* widget = qobject_cast<QWidget*>(form)) form = widget->window();
  if (form == nullptr) return;
  hookedForm_ = form;
  form->installEventFilter(this);
}

bool TTipOfDay::eventFilter(QObject* watched, QEvent* event) {
  if (watched != hookedForm_) return QObject::eventFilter(watched, event);
  if (event->type() == QEvent::WindowActivate) {
    // Let the activation finish first; the start-up call runs from the posted event.
    QCoreApplication::postEvent(watched, new QEvent(StartUpEvent));
    waitingForStartUp_ = true;
  } else if (event->type() == StartUpEvent) {
    if (!executing_ && waitingForStartUp_) {
      waitingForStartUp_ = false;
      hookedForm_->removeEventFilter(this);
      hookedForm_ = nullptr;
      Run(true);
    }
    return true;
  }
  return QObject::eventFilter(watched, event);
}
