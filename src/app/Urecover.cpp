// The recovery offer's dialog: what one orphaned journal holds, and the three choices.
#include "app/Urecover.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QScreen>

#include "widgets/DialogFrame.h"
#include "widgets/XPButtons.h"

namespace {

constexpr int ClientWidth = 470;
constexpr int ClientHeight = 236;
constexpr int PanelHeight = 44;

// "1 строка", "3 строки", "12 строк": the count with the noun's form that follows it.
QString Counted(std::uint64_t count, const char* one, const char* few, const char* many) {
  const std::uint64_t tens = count % 100;
  const std::uint64_t units = count % 10;
  const char* word = (tens >= 11 && tens <= 14) ? many : units == 1 ? one : (units >= 2 && units <= 4) ? few : many;
  return QStringLiteral("%1 %2").arg(count).arg(QString::fromUtf8(word));
}

QString DocumentName(const journal::TOrphanInfo& info) {
  if (!journal::Recoverable(info.state)) return QStringLiteral("неизвестен");
  if (info.document.path.empty()) return QStringLiteral("Новый");
  return QFile::decodeName(QByteArray::fromStdString(info.document.path));
}

// What the user should know before choosing; empty when nothing.
QString Note(const journal::TOrphanInfo& info) {
  switch (info.state) {
    case journal::TJournalState::notAJournal:
      return QStringLiteral("Этот файл не является журналом восстановления: восстановить из него нечего.");
    case journal::TJournalState::otherVersion:
      return QStringLiteral("Журнал записан другой версией программы: восстановить из него нечего.");
    case journal::TJournalState::damaged: return QStringLiteral("Журнал повреждён: восстановить из него нечего.");
    case journal::TJournalState::unreadable:
      return QStringLiteral("Журнал не удалось прочитать: восстановить из него нечего.");
    case journal::TJournalState::whole:
    case journal::TJournalState::tailDropped: break;
  }
  QStringList notes;
  if (info.state == journal::TJournalState::tailDropped) {
    notes << QStringLiteral("Конец журнала повреждён: восстановится текст до последнего целого изменения.");
  }
  if (info.documentChanged) {
    const QString path = QFile::decodeName(QByteArray::fromStdString(info.document.path));
    notes << (QFileInfo::exists(path)
                  ? QStringLiteral("Файл на диске изменился с тех пор, как документ был открыт или сохранён.")
                  : QStringLiteral("Файла на диске больше нет."));
  }
  return notes.join(QLatin1Char(' '));
}

}  // namespace

TFrecover::TFrecover(const journal::TOrphanInfo& info, QWidget* parent) : QDialog(parent) {
  SetUpFixedDialog(*this, QStringLiteral("Frecover"), QStringLiteral("Восстановление документа"), 13,
                   QSize(ClientWidth, ClientHeight));
  const bool recoverable = journal::Recoverable(info.state);
  LHead = AddLabel("LHead",
                   QStringLiteral("Программа завершилась, не сохранив изменения документа. "
                                  "Они остались в журнале восстановления."),
                   QRect(16, 10, 438, 36));
  LName = AddLabel("LName", QStringLiteral("Документ: ") + DocumentName(info), QRect(16, 56, 438, 18));
  // A long path keeps both its ends in sight; the accessible name keeps it whole.
  LName->setWordWrap(false);
  LName->setText(LName->fontMetrics().elidedText(LName->text(), Qt::ElideMiddle, LName->width()));
  LChanged =
      AddLabel("LChanged",
               QStringLiteral("Последнее изменение: ") +
                   QDateTime::fromMSecsSinceEpoch(info.lastChange).toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")),
               QRect(16, 84, 438, 18));
  LSize = AddLabel("LSize",
                   QStringLiteral("Текст: ") + Counted(info.textLines, "строка", "строки", "строк") +
                       QStringLiteral(", ") + Counted(info.textBytes, "байт", "байта", "байт"),
                   QRect(16, 106, 438, 18));
  LChanged->setVisible(recoverable);
  LSize->setVisible(recoverable);
  LNote = AddLabel("LNote", Note(info), QRect(16, 132, 438, 54));
  QPalette red = LNote->palette();
  red.setColor(QPalette::WindowText, QColor(128, 0, 0));
  LNote->setPalette(red);
  CreateButtons(recoverable);
  if (QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
}

QLabel* TFrecover::AddLabel(const char* name, const QString& text, QRect geometry) {
  auto* label = new QLabel(text, this);
  label->setObjectName(QLatin1String(name));
  label->setAccessibleName(text);
  label->setWordWrap(true);
  label->setGeometry(geometry);
  return label;
}

TXPButton* TFrecover::AddButton(QWidget* panel, const char* name, const QString& caption, int left, int modalResult) {
  auto* button = new TXPButton(caption, panel);
  button->setObjectName(QLatin1String(name));
  button->setAccessibleName(caption);
  button->setGeometry(left, 8, 120, 28);
  button->SetModalResult(modalResult);
  return button;
}

void TFrecover::CreateButtons(bool recoverable) {
  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("P1"));
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setGeometry(0, ClientHeight - PanelHeight, ClientWidth, PanelHeight);
  Brestore = AddButton(panel, "Brestore", QStringLiteral("Восстановить"), 25, crRestore);
  Bdelete = AddButton(panel, "Bdelete", QStringLiteral("Удалить"), 175, crDelete);
  Blater = AddButton(panel, "Blater", QStringLiteral("Позже"), 325, 2);
  Blater->SetCancel(true);
  Brestore->setEnabled(recoverable);
  TXPButton* const first = recoverable ? Brestore : Blater;
  first->SetDefault(true);
  first->setFocus();
}
