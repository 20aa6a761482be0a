// The document's state in the status bar's panels.
#include "app/DocumentStatus.h"

#include <QLabel>

namespace {

const QString kUntitled = QStringLiteral("Новый");
const QString kModified = QStringLiteral("*");

}  // namespace

TDocumentStatus::TDocumentStatus(QWidget* parent) : TStatusPanels(parent) {
  AddPanel(80, Qt::AlignHCenter, TBevel::bvLowered, QStringLiteral("HTML"));
  AddPanel(400, Qt::AlignLeft, TBevel::bvLowered);
  AddPanel(20, Qt::AlignHCenter, TBevel::bvNone);
  AddPanel(50, Qt::AlignHCenter, TBevel::bvLowered, QStringLiteral("0:0"));
  AddPanel(300, Qt::AlignHCenter, TBevel::bvLowered);
  AddPanel(50, Qt::AlignLeft, TBevel::bvLowered);
  connect(this, &TStatusPanels::textChanged, this, [this](int index, const QString& text) {
    if (index == FilePanel) emit fileNameChanged(text);
  });
  encodingLabel_ = new QLabel(this);
  encodingLabel_->setObjectName(QStringLiteral("EncodingLabel"));
  encodingLabel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  encodingLabel_->setTextFormat(Qt::PlainText);
  addPermanentWidget(encodingLabel_);
  ShowEncoding(platform::TEncoding::Windows1251, false);
}

QString TDocumentStatus::FileName() const { return Text(FilePanel); }

bool TDocumentStatus::Untitled() const { return FileName() == kUntitled; }

void TDocumentStatus::SetFileName(const QString& fileName) { SetText(FilePanel, fileName); }

void TDocumentStatus::SetUntitled() { SetFileName(kUntitled); }

bool TDocumentStatus::Modified() const { return Text(ModifiedPanel) == kModified; }

void TDocumentStatus::SetModified(bool modified) { SetText(ModifiedPanel, modified ? kModified : QString()); }

void TDocumentStatus::ShowCaretPos(int column, int row) {
  SetText(CaretPanel, QStringLiteral("%1:%2").arg(column + 1).arg(row + 1));
}

QString TDocumentStatus::TestUrl() const { return Text(TestUrlPanel); }

void TDocumentStatus::SetTestUrl(const QString& url) { SetText(TestUrlPanel, url); }

void TDocumentStatus::ShowEncoding(platform::TEncoding encoding, bool readOnly) {
  encoding_ = encoding;
  QString text = QString::fromUtf8(platform::EncodingName(encoding));
  if (readOnly) text += QStringLiteral(", только чтение");
  encodingLabel_->setText(text);
  // A screen reader says a label's name, not its text: the name carries both.
  encodingLabel_->setAccessibleName(QStringLiteral("Кодировка: ") + text);
  encodingLabel_->setVisible(encoding != platform::TEncoding::Windows1251 || readOnly);
}
