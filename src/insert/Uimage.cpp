// The media dialog: its controls, the file browser and the tag it inserts.
#include "insert/Uimage.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QToolButton>
#include <algorithm>
#include <limits>

#include "insert/MediaTag.h"
#include "platform/Cp1251.h"
#include "widgets/DialogFrame.h"
#include "widgets/Dialogs.h"
#include "widgets/DocumentWindow.h"
#include "widgets/XPButtons.h"

TFimage* Fimage = nullptr;

namespace {

constexpr int ClientWidth = 420;
constexpr int ClientHeight = 332;
constexpr int SpinHeight = 21;
constexpr int ArrowWidth = 15;

const char* const FileFilter =
    "Файлы (bmp, jpg, gif)|*.bmp;*.jpg;*.gif|Файлы (avi, mpg, mpeg)|*.avi;*.mpg;*.mpeg|"
    "Файлы (wav, mp3)|*.wav;*.mp3|Все файлы|*.*";

QToolButton* ArrowButton(Qt::ArrowType arrow, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setArrowType(arrow);
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoRepeat(true);
  return button;
}

}  // namespace

// ---- TSpinField ----

TSpinField::TSpinField(int value, QWidget* parent)
    : QWidget(parent),
      edit_(new QLineEdit(this)),
      up_(ArrowButton(Qt::UpArrow, this)),
      down_(ArrowButton(Qt::DownArrow, this)) {
  SetValue(value);
  edit_->installEventFilter(this);
  connect(up_, &QToolButton::clicked, this, [this] { StepBy(1); });
  connect(down_, &QToolButton::clicked, this, [this] { StepBy(-1); });
}

int TSpinField::Value() const {
  // toInt gives 0 for any text that is not an integer, which is what the field means.
  return edit_->text().trimmed().toInt();
}

void TSpinField::SetValue(int value) { edit_->setText(QString::number(value)); }

void TSpinField::SetAccessibleCaption(const QString& caption) {
  edit_->setAccessibleName(caption);
  up_->setAccessibleName(caption + QStringLiteral(": больше"));
  down_->setAccessibleName(caption + QStringLiteral(": меньше"));
}

void TSpinField::SetActive(bool active) {
  setEnabled(active);
  QPalette colours = edit_->palette();
  colours.setColor(QPalette::Base, active ? palette().color(QPalette::Active, QPalette::Base)
                                          : palette().color(QPalette::Active, QPalette::Button));
  edit_->setPalette(colours);
}

void TSpinField::StepBy(int delta) {
  // Stepping past the largest or smallest integer stays there instead of wrapping.
  const long long stepped = static_cast<long long>(Value()) + delta;
  SetValue(static_cast<int>(std::clamp<long long>(stepped, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max())));
}

void TSpinField::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int editWidth = width() - ArrowWidth;
  edit_->setGeometry(0, 0, editWidth, height());
  up_->setGeometry(editWidth, 0, ArrowWidth, height() / 2);
  down_->setGeometry(editWidth, height() / 2, ArrowWidth, height() - height() / 2);
}

bool TSpinField::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      StepBy(key == Qt::Key_Up ? 1 : -1);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

// ---- TFimage ----

TFimage::TFimage(TDocumentWindow& document) : QDialog(document.Window()), document_(document) {
  Fimage = this;
  SetUpFixedDialog(*this, QStringLiteral("Fimage"), QStringLiteral("Выбор файла"), 11,
                   QSize(ClientWidth, ClientHeight));
  CreateControls();
}

TFimage::~TFimage() {
  if (Fimage == this) Fimage = nullptr;
}

QCheckBox* TFimage::AddSizeBox(const QString& name, const QString& caption, int left, int top) {
  auto* box = new QCheckBox(caption, this);
  box->setObjectName(name);
  box->move(left, top);
  box->adjustSize();
  return box;
}

TSpinField* TFimage::AddSpinField(const QString& name, int value, int left, int top, int width) {
  auto* field = new TSpinField(value, this);
  field->setObjectName(name);
  field->setGeometry(left, top, width, SpinHeight);
  field->SetActive(false);
  return field;
}

void TFimage::CreateControls() {
  L1 = new QLabel(QStringLiteral("Файл"), this);
  L1->setObjectName(QStringLiteral("L1"));
  L1->move(25, 35);
  L1->adjustSize();
  Efile = new QLineEdit(this);
  Efile->setObjectName(QStringLiteral("Efile"));
  Efile->setGeometry(61, 32, 313, SpinHeight);
  L1->setBuddy(Efile);  // the field's name to a screen reader
  Bselect = new TXPSpeedButton(this);
  Bselect->setObjectName(QStringLiteral("Bselect"));
  Bselect->SetCaption(QStringLiteral("..."));
  Bselect->setGeometry(376, 31, 23, 22);
  connect(Bselect, &TXPSpeedButton::clicked, this, &TFimage::BselectClick);

  bHeight = AddSizeBox(QStringLiteral("bHeight"), QStringLiteral("Высота"), 64, 88);
  bWidth = AddSizeBox(QStringLiteral("bWidth"), QStringLiteral("Ширина"), 64, 116);
  bBorder = AddSizeBox(QStringLiteral("bBorder"), QStringLiteral("Бордюр"), 256, 88);
  eHeight = AddSpinField(QStringLiteral("eHeight"), 100, 136, 86, 57);
  eWidth = AddSpinField(QStringLiteral("eWidth"), 100, 136, 114, 57);
  eBorder = AddSpinField(QStringLiteral("eBorder"), 1, 328, 86, 42);
  // Each box switches its own field on and off, and names it.
  const std::pair<QCheckBox*, TSpinField*> pairs[] = {{bHeight, eHeight}, {bWidth, eWidth}, {bBorder, eBorder}};
  for (const auto& [box, field] : pairs) {
    connect(box, &QCheckBox::toggled, field, &TSpinField::SetActive);
    field->SetAccessibleCaption(box->text());
  }

  const TOkCancelPanel panel = CreateOkCancelPanel(*this, QStringLiteral(":/page-background.png"),
                                                   QRect(89, 7, 90, 27), QRect(247, 7, 90, 27));
  P1 = panel.Panel;
  Bok = panel.Ok;
  Bcancel = panel.Cancel;
  connect(Bok, &TXPButton::clicked, this, &TFimage::BokClick);
}

void TFimage::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TFimage::FormShow() {
  if (Tag != insert::MediaSound) return;
  for (QCheckBox* box : {bBorder, bWidth, bHeight}) box->setEnabled(false);
}

void TFimage::BselectClick() {
  TFileDialogOptions options;
  options.Title = QStringLiteral("Выбор файла");
  options.Filter = QString::fromUtf8(FileFilter);
  options.FilterIndex = Tag;
  if (const std::optional<QString> chosen = Dialogs().OpenFile(this, options)) Efile->setText(*chosen);
}

void TFimage::BokClick() {
  insert::TMediaChoice choice;
  choice.Tag = Tag;
  // The editor's text is in the document code page.
  choice.File = platform::Utf16ToCp1251(Efile->text().toStdU16String());
  choice.Border = bBorder->isChecked();
  choice.BorderValue = eBorder->Value();
  choice.Height = bHeight->isChecked();
  choice.HeightValue = eHeight->Value();
  choice.Width = bWidth->isChecked();
  choice.WidthValue = eWidth->Value();
  const std::string tag = insert::BuildMediaTag(choice);
  if (!tag.empty()) document_.SendAsTyping(tag);
  accept();
}

void BimageClick(TDocumentWindow& document, const QObject* sender) {
  auto* dialog = new TFimage(document);
  dialog->Tag = sender != nullptr ? sender->property("Tag").toInt() : 0;
  dialog->exec();
}
