// The find and replace bar: its controls, finding as you type, the next and previous
// match, replacing, and the messages and count it shows.
#include "find/FindPanel.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "editor/search/MatchMarks.h"
#include "editor/search/Replace.h"
#include "find/SearchRunner.h"
#include "platform/Cp1251.h"
#include "qt/EditorWidget.h"
#include "widgets/DocumentWindow.h"
#include "widgets/XPButtons.h"

using namespace editor::search;

namespace {

constexpr int CaptionWidth = 80;
constexpr int FieldWidth = 260;
// A selection longer than this is not taken as the text to find.
constexpr int LongestTakenSelection = 200;

TXPButton* Button(QWidget* parent, const char* name, const QString& caption, int width) {
  auto* button = new TXPButton(caption, parent);
  button->setObjectName(QLatin1String(name));
  button->SetHint(caption);
  button->setFixedSize(width, 22);
  return button;
}

QLabel* Caption(QWidget* parent, const char* name, const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QLatin1String(name));
  label->setFixedWidth(CaptionWidth);
  label->setBuddy(buddy);
  return label;
}

QString FromDocument(const std::string& bytes) {
  const std::u16string text = platform::Cp1251ToUtf16(bytes);
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

TFindPanel::TFindPanel(TDocumentWindow& document, QWidget* parent)
    : QFrame(parent), document_(document),
      runner_(std::make_unique<TSearchRunner>(document.DocumentEditor().Editor().Lines())),
      marks_(std::make_unique<TMatchMarks>(document.DocumentEditor().Editor())) {
  setObjectName(QStringLiteral("FindPanel1"));
  setAccessibleName(QStringLiteral("Поиск и замена"));
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  auto* rows = new QVBoxLayout(this);
  rows->setContentsMargins(4, 3, 4, 3);
  rows->setSpacing(3);
  CreateFindRow();
  CreateOptionsRow();
  CreateReplaceRow();
  hide();

  connect(runner_.get(), &TSearchRunner::found, this, &TFindPanel::ShowFound);
  connect(runner_.get(), &TSearchRunner::notFound, this, &TFindPanel::ShowNotFound);
  connect(runner_.get(), &TSearchRunner::counted, this, &TFindPanel::ShowCount);
  connect(runner_.get(), &TSearchRunner::stopped, this, &TFindPanel::ShowStopped);
  connect(&document.DocumentEditor(), &EditorWidget::changed, this, &TFindPanel::DocumentChanged);
}

TFindPanel::~TFindPanel() = default;

// ---- Controls ----

void TFindPanel::CreateFindRow() {
  auto* row = new QHBoxLayout();
  Efind = new QLineEdit(this);
  Efind->setObjectName(QStringLiteral("Efind"));
  Efind->setAccessibleName(QStringLiteral("Найти"));
  Efind->setFixedWidth(FieldWidth);
  Efind->installEventFilter(this);
  Lfind = Caption(this, "Lfind", QStringLiteral("Найти:"), Efind);
  Bnext = Button(this, "Bnext", QStringLiteral("Найти далее"), 100);
  Bprior = Button(this, "Bprior", QStringLiteral("Найти ранее"), 100);
  Lmessage = new QLabel(this);
  Lmessage->setObjectName(QStringLiteral("Lmessage"));
  Lmessage->setAccessibleName(QStringLiteral("Результат поиска"));
  Lcount = new QLabel(this);
  Lcount->setObjectName(QStringLiteral("Lcount"));
  Lcount->setAccessibleName(QStringLiteral("Число совпадений"));
  Bclose = new TXPSpeedButton(this);
  Bclose->setObjectName(QStringLiteral("Bclose"));
  Bclose->SetCaption(QStringLiteral("×"));
  Bclose->SetHint(QStringLiteral("Закрыть панель поиска"));
  Bclose->setFixedSize(22, 22);
  for (QWidget* w : std::initializer_list<QWidget*>{Lfind, Efind, Bnext, Bprior}) row->addWidget(w);
  row->addSpacing(8);
  row->addWidget(Lmessage, 1);
  row->addWidget(Lcount);
  row->addWidget(Bclose);
  static_cast<QVBoxLayout*>(layout())->addLayout(row);

  connect(Efind, &QLineEdit::textEdited, this, &TFindPanel::TypedInField);
  connect(Bnext, &QAbstractButton::clicked, this, [this] { FindNext(false); });
  connect(Bprior, &QAbstractButton::clicked, this, [this] { FindNext(true); });
  connect(Bclose, &QAbstractButton::clicked, this, &TFindPanel::Close);
}

void TFindPanel::CreateOptionsRow() {
  auto* row = new QHBoxLayout();
  row->addSpacing(CaptionWidth + row->spacing());
  const auto option = [&](QCheckBox*& box, const char* name, const QString& caption) {
    box = new QCheckBox(caption, this);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(caption);
    row->addWidget(box);
  };
  option(Ccase, "Ccase", QStringLiteral("С учётом регистра"));
  option(Cwords, "Cwords", QStringLiteral("Слова целиком"));
  option(Cregex, "Cregex", QStringLiteral("Регулярное выражение"));
  option(Csel, "Csel", QStringLiteral("В выделенном"));
  row->addSpacing(12);
  auto* direction = new QLabel(QStringLiteral("Направление:"), this);
  direction->setObjectName(QStringLiteral("Ldirection"));
  row->addWidget(direction);
  Rdown = new QRadioButton(QStringLiteral("вниз"), this);
  Rdown->setObjectName(QStringLiteral("Rdown"));
  Rdown->setAccessibleName(QStringLiteral("Направление: вниз"));
  Rdown->setChecked(true);
  Rup = new QRadioButton(QStringLiteral("вверх"), this);
  Rup->setObjectName(QStringLiteral("Rup"));
  Rup->setAccessibleName(QStringLiteral("Направление: вверх"));
  row->addWidget(Rdown);
  row->addWidget(Rup);
  row->addStretch(1);
  static_cast<QVBoxLayout*>(layout())->addLayout(row);

  for (QCheckBox* box : {Ccase, Cwords, Cregex}) connect(box, &QCheckBox::toggled, this, &TFindPanel::OptionsChanged);
  connect(Csel, &QCheckBox::toggled, this, &TFindPanel::SelectionOptionToggled);
}

void TFindPanel::CreateReplaceRow() {
  auto* row = new QHBoxLayout();
  Ereplace = new QLineEdit(this);
  Ereplace->setObjectName(QStringLiteral("Ereplace"));
  Ereplace->setAccessibleName(QStringLiteral("Заменить на"));
  Ereplace->setFixedWidth(FieldWidth);
  Ereplace->installEventFilter(this);
  Lreplace = Caption(this, "Lreplace", QStringLiteral("Заменить на:"), Ereplace);
  Breplace = Button(this, "Breplace", QStringLiteral("Заменить"), 100);
  BreplaceAll = Button(this, "BreplaceAll", QStringLiteral("Заменить все"), 100);
  for (QWidget* w : std::initializer_list<QWidget*>{Lreplace, Ereplace, Breplace, BreplaceAll}) row->addWidget(w);
  row->addStretch(1);
  static_cast<QVBoxLayout*>(layout())->addLayout(row);

  connect(Breplace, &QAbstractButton::clicked, this, &TFindPanel::ReplaceCurrent);
  connect(BreplaceAll, &QAbstractButton::clicked, this, &TFindPanel::ReplaceAllMatches);
}

// ---- Opening and closing ----

void TFindPanel::Open(bool replace) {
  for (QWidget* w : std::initializer_list<QWidget*>{Lreplace, Ereplace, Breplace, BreplaceAll}) w->setVisible(replace);
  show();
  editor::THLEditor& memo = document_.DocumentEditor().Editor();
  const editor::TSelection& sel = memo.Sel;
  const bool severalRows = sel.Selected && sel.End.Y > sel.Beg.Y;
  {
    const QSignalBlocker blocker(Csel);
    Csel->setChecked(severalRows);
  }
  region_ = severalRows ? TSearchRegion::FromSelection(sel, memo.LineCount()) : TSearchRegion::WholeText();
  anchor_ = sel.Selected ? sel.Beg : editor::TPosition{memo.CaretX, memo.CaretY};
  if (sel.Selected && !severalRows && sel.BlockFormat != editor::bfLine) {
    const std::string selected = memo.SelectionText();
    if (!selected.empty() && selected.size() <= LongestTakenSelection) {
      Efind->setText(FromDocument(selected));
      shown_ = TTextMatch{sel.Beg.Y, sel.Beg.X, static_cast<int>(selected.size())};
    }
  }
  Say({});
  Lcount->clear();
  Efind->setFocus(Qt::ShortcutFocusReason);
  Efind->selectAll();
  if (RebuildPattern()) runner_->Count(pattern_, region_);
}

void TFindPanel::Close() {
  runner_->Stop();
  marks_->Hide();
  hide();
  document_.DocumentEditor().setFocus(Qt::OtherFocusReason);
}

void TFindPanel::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    Close();
    return;
  }
  QFrame::keyPressEvent(event);
}

bool TFindPanel::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      if (watched == Efind) FindNext((key->modifiers() & Qt::ShiftModifier) != 0);
      if (watched == Ereplace) ReplaceCurrent();
      return true;
    }
  }
  return QFrame::eventFilter(watched, event);
}

// ---- The pattern ----

std::optional<std::string> TFindPanel::DocumentBytes(const QString& text, const QString& what) {
  for (const QChar ch : text) {
    if (platform::UnicodeToCp1251(ch.unicode()) < 0) {
      Say(QStringLiteral("%1 содержит символ «%2», которого нет в кодировке документа (Windows-1251)").arg(what, ch));
      return std::nullopt;
    }
  }
  const std::u16string_view utf16(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
  return platform::Utf16ToCp1251(utf16);
}

bool TFindPanel::RebuildPattern() {
  const auto forget = [this] {
    runner_->Stop();
    pattern_.reset();
    marks_->Hide();
    Lcount->clear();
    return false;
  };
  if (Efind->text().isEmpty()) {
    Say({});
    return forget();
  }
  const std::optional<std::string> bytes = DocumentBytes(Efind->text(), QStringLiteral("Искомый текст"));
  if (!bytes) return forget();
  const TSearchOptions options{Ccase->isChecked(), Cwords->isChecked(), Cregex->isChecked()};
  auto pattern = std::make_shared<const TSearchPattern>(*bytes, options);
  if (const TRegexError* error = pattern->RegexError()) {
    Say(QStringLiteral("Ошибка в выражении (смещение %1): %2")
            .arg(error->Offset)
            .arg(QString::fromStdString(error->Message)));
    return forget();
  }
  pattern_ = std::move(pattern);
  marks_->Show(pattern_, region_);
  return true;
}

void TFindPanel::OptionsChanged() {
  Say({});
  if (RebuildPattern()) runner_->Count(pattern_, region_);
}

void TFindPanel::SelectionOptionToggled(bool checked) {
  const editor::THLEditor& memo = document_.DocumentEditor().Editor();
  const bool matchShown = shown_ && IsShownMatch(memo, *shown_);
  // The region is the selection the user made, not a match the panel selected since.
  if (!checked) {
    region_ = TSearchRegion::WholeText();
  } else if (memo.Sel.Selected && !matchShown) {
    region_ = TSearchRegion::FromSelection(memo.Sel, memo.LineCount());
  }
  OptionsChanged();
}

void TFindPanel::DocumentChanged() {
  if (!isVisible() || pattern_ == nullptr) return;
  runner_->Count(pattern_, region_);
}

// ---- Finding ----

bool TFindPanel::Backward(bool previous) const { return Rup->isChecked() != previous; }

void TFindPanel::TypedInField() {
  const editor::THLEditor& memo = document_.DocumentEditor().Editor();
  // The search goes on from the match shown; from wherever the user has moved since.
  if (!(shown_ && IsShownMatch(memo, *shown_))) {
    anchor_ = memo.Sel.Selected ? memo.Sel.Beg : editor::TPosition{memo.CaretX, memo.CaretY};
  }
  Say({});
  if (!RebuildPattern()) return;
  lastBackward_ = Backward(false);
  runner_->Find(pattern_, region_, anchor_, lastBackward_, true);
}

void TFindPanel::FindNext(bool previous) {
  if (!RebuildPattern()) {
    if (Efind->text().isEmpty()) Open(false);
    return;
  }
  // With the panel hidden the search still reports in it, but the keyboard stays put.
  show();
  const editor::THLEditor& memo = document_.DocumentEditor().Editor();
  lastBackward_ = Backward(previous);
  editor::TPosition from{memo.CaretX, memo.CaretY};
  bool emptyAllowed = true;
  if (shown_ && IsShownMatch(memo, *shown_)) {
    from = {lastBackward_ ? shown_->Column : shown_->End(), shown_->Row};
    emptyAllowed = lastBackward_ || shown_->Length > 0;
  } else if (memo.Sel.Selected && lastBackward_) {
    from = memo.Sel.Beg;
  }
  runner_->Find(pattern_, region_, from, lastBackward_, emptyAllowed);
}

void TFindPanel::ShowFound(const TTextMatch& match, bool wrapped) {
  shown_ = match;
  ShowMatch(document_.DocumentEditor().Editor(), match);
  SayFound(match, wrapped);
  document_.ShowCaretPos();
}

void TFindPanel::SayFound(const TTextMatch& match, bool wrapped) {
  if (match.Length > 0 && match.End() > editor::MaxColumn) {
    Say(QStringLiteral("Совпадение в строке %1, столбце %2 — дальше %3-го столбца: редактор не может его выделить")
            .arg(match.Row + 1)
            .arg(match.Column + 1)
            .arg(editor::MaxColumn));
  } else if (wrapped) {
    Say(lastBackward_ ? QStringLiteral("Поиск продолжен с конца") : QStringLiteral("Поиск продолжен с начала"));
  } else {
    Say({});
  }
}

void TFindPanel::ShowNotFound() { Say(QStringLiteral("Не найдено")); }

void TFindPanel::ShowStopped(int row) {
  Lcount->clear();
  Say(QStringLiteral("Поиск остановлен в строке %1: выражение перебирает слишком много вариантов").arg(row + 1));
}

void TFindPanel::ShowCount(long long count) {
  Lcount->setText(Csel->isChecked() ? QStringLiteral("В выделенном совпадений: %1").arg(count)
                                    : QStringLiteral("Совпадений: %1").arg(count));
}

void TFindPanel::Say(const QString& message) { Lmessage->setText(message); }

// ---- Replacing ----

void TFindPanel::ReplaceCurrent() {
  if (!RebuildPattern()) return;
  editor::THLEditor& memo = document_.DocumentEditor().Editor();
  // The first press only finds: what is replaced is always a match the user has seen.
  if (!(shown_ && IsShownMatch(memo, *shown_))) {
    FindNext();
    return;
  }
  const std::optional<std::string> replacement = DocumentBytes(Ereplace->text(), QStringLiteral("Текст замены"));
  if (!replacement) return;
  lastBackward_ = Backward(false);
  TReplaceResult result;
  try {
    result = ReplaceMatch(memo, *pattern_, region_, *shown_, *replacement, lastBackward_);
  } catch (const ESearchStopped& stop) {
    ShowStopped(stop.Row);
    return;
  }
  if (!result.Replaced) {
    if (memo.ReadOnly) {
      Say(QStringLiteral("Документ только для чтения: заменять в нём нельзя"));
    } else {
      FindNext();
    }
    return;
  }
  shown_.reset();
  if (result.NextFound) {
    shown_ = result.Next;
    SayFound(result.Next, result.NextWrapped);
  } else {
    Say(QStringLiteral("Больше совпадений нет"));
  }
  document_.ShowCaretPos();
}

void TFindPanel::ReplaceAllMatches() {
  if (!RebuildPattern()) return;
  const std::optional<std::string> replacement = DocumentBytes(Ereplace->text(), QStringLiteral("Текст замены"));
  if (!replacement) return;
  editor::THLEditor& memo = document_.DocumentEditor().Editor();
  TReplaceResult result;
  try {
    result = ReplaceAll(memo, *pattern_, region_, *replacement);
  } catch (const ESearchStopped& stop) {
    ShowStopped(stop.Row);
    return;
  }
  shown_.reset();
  if (memo.ReadOnly) {
    Say(QStringLiteral("Документ только для чтения: заменять в нём нельзя"));
  } else if (result.Count == 0) {
    Say(QStringLiteral("Не найдено: ничего не заменено"));
  } else {
    Say(QStringLiteral("Заменено: %1").arg(result.Count));
  }
  document_.ShowCaretPos();
}
