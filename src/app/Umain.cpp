// The main window: layout, menus, file toolbar, and the document commands.
#include "app/Umain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "app/DocumentStatus.h"
#include "app/MainTip.h"
#include "app/PalettePage.h"
#include "app/Uprop.h"
#include "editor/html/Memo1Settings.h"
#include "find/FindPanel.h"
#include "insert/TagPalette.h"
#include "platform/TextFile.h"
#include "preview/PreviewCommands.h"
#include "qt/EditorWidget.h"
#include "widgets/LocalPath.h"
#include "widgets/PageControl.h"
#include "widgets/TipOfDay.h"
#include "widgets/Uabout.h"
#include "widgets/XPButtons.h"

TFmain* Fmain = nullptr;

namespace {

const QString kFileFilter = QStringLiteral("Файлы ( html )|*.html;*.htm|Все файлы|*.*");

// The page New starts with.
const char* const kPageTemplate[] = {"<html>", "<title> </title>", "<body>", "  ", "</body>", "</html>"};

QIcon Glyph(const char* name) { return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name))); }

}  // namespace

TFmain::TFmain(QWidget* parent) : QMainWindow(parent) {
  Fmain = this;
  setObjectName(QStringLiteral("Fmain"));
  setWindowTitle(QStringLiteral("Quorvel 2.0"));
  setWindowIcon(Glyph("quorvel"));
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPixelSize(11);
  setFont(font);

  Open1.Title = QStringLiteral("Выбор файла");
  Open1.Filter = kFileFilter;
  Save1.Title = QStringLiteral("Сохранить как");
  Save1.Filter = kFileFilter;
  Save1.DefaultExt = QStringLiteral("html");
  Save1.FileName = QStringLiteral("main");

  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("Client"));
  // The form's own colour shows only where no control covers it (the top panels).
  QPalette gray = client->palette();
  gray.setColor(QPalette::Window, QColor(128, 128, 128));
  client->setPalette(gray);
  client->setAutoFillBackground(true);
  auto* column = new QVBoxLayout(client);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  setCentralWidget(client);

  CreateMenu();
  CreateToolbar();
  CreatePalette();
  CreateEditor();
  CreateFindPanel();
  CreateStatusBar();
  ConnectDesktop();
  CreateEncodingMenus();
  FormCreate();
}

TFmain::~TFmain() {
  // The find panel lets go of the editor's colouring hook when it goes: before the editor.
  delete FindPanel1;
  if (Fmain == this) Fmain = nullptr;
}

// ---- Construction ----

void TFmain::CreateMenu() {
  Main1 = menuBar();
  Main1->setObjectName(QStringLiteral("Main1"));
  Main1->setFont(QApplication::font());
  const auto item = [this](QMenu* menu, QAction*& action, const char* name, const QString& caption,
                           QKeySequence shortcut = {}) {
    action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
  };

  N_file = Main1->addMenu(QStringLiteral("Файл"));
  item(N_file, N_new, "N_new", QStringLiteral("новый"));
  item(N_file, N_open, "N_open", QStringLiteral("открыть"));
  item(N_file, N_save, "N_save", QStringLiteral("сохранить"), QKeySequence(Qt::Key_F2));
  item(N_file, N_saveas, "N_saveas", QStringLiteral("сохранить как"), QKeySequence(Qt::Key_F3));
  N_file->addSeparator();
  item(N_file, N_exit, "N_exit", QStringLiteral("завершить работу"));

  CreateEditMenu();

  N_project = Main1->addMenu(QStringLiteral("Проект"));
  item(N_project, N_view, "N_view", QStringLiteral("просмотр"), QKeySequence(Qt::Key_F12));
  N_project->addSeparator();
  item(N_project, N_setting, "N_setting", QStringLiteral("настройки"));

  N_vid = Main1->addMenu(QStringLiteral("Вид"));
  N_vid->setObjectName(QStringLiteral("N_vid"));
  item(N_vid, N_stand, "N_stand", QStringLiteral("стандартная"));
  item(N_vid, N_all, "N_all", QStringLiteral("вся панель"));
  item(N_vid, N_tip, "N_tip", QStringLiteral("подсказка"));
  item(N_vid, N_color, "N_color", QStringLiteral("выбрать цвет"));
  N_vid->addSeparator();
  item(N_vid, N_prop, "N_prop", QStringLiteral("свойства"), QKeySequence(Qt::Key_F11));
  for (QAction* toggle : {N_stand, N_all, N_prop}) toggle->setCheckable(true);

  N_windows = Main1->addMenu(QStringLiteral("Окна"));
  item(N_windows, N_prior, "N_prior", QStringLiteral("предыдущее"));
  item(N_windows, N_next, "N_next", QStringLiteral("следующее"));
  N_windows->addSeparator();

  N_help = Main1->addMenu(QStringLiteral("Помощь"));
  item(N_help, N_about, "N_about", QStringLiteral("о программе"));

  connect(N_new, &QAction::triggered, this, &TFmain::N_newClick);
  connect(N_open, &QAction::triggered, this, &TFmain::N_openClick);
  connect(N_save, &QAction::triggered, this, &TFmain::N_saveClick);
  connect(N_saveas, &QAction::triggered, this, &TFmain::N_saveasClick);
  connect(N_exit, &QAction::triggered, this, &TFmain::N_exitClick);
  connect(N_view, &QAction::triggered, this, &TFmain::N_viewClick);
  connect(N_setting, &QAction::triggered, this, &TFmain::N_settingClick);
  connect(N_vid, &QMenu::aboutToShow, this, &TFmain::N_vidClick);
  connect(N_stand, &QAction::triggered, this, &TFmain::N_standClick);
  connect(N_all, &QAction::triggered, this, &TFmain::N_allClick);
  connect(N_tip, &QAction::triggered, this, &TFmain::N_tipClick);
  connect(N_color, &QAction::triggered, this, &TFmain::N_colorClick);
  connect(N_prop, &QAction::triggered, this, &TFmain::N_propClick);
  connect(N_about, &QAction::triggered, this, &TFmain::N_aboutClick);
}

void TFmain::CreateToolbar() {
  P1 = new QFrame(centralWidget());
  P1->setObjectName(QStringLiteral("P1"));
  P1->setFixedHeight(67);
  // A lowered outer and a raised inner bevel: an etched groove.
  P1->setFrameStyle(QFrame::Box | QFrame::Sunken);
  centralWidget()->layout()->addWidget(P1);
  auto* row = new QHBoxLayout(P1);
  row->setContentsMargins(2, 2, 2, 2);
  row->setSpacing(0);

  P11 = new QFrame(P1);
  P11->setObjectName(QStringLiteral("P11"));
  P11->setFixedWidth(120);
  P11->setFrameStyle(QFrame::Panel | QFrame::Raised);
  row->addWidget(P11);

  struct ButtonSpec {
    TXPSpeedButton* TFmain::*member;
    const char* name;
    const char* glyph;
    QString hint;
    int left;
    int top;
  };
  const ButtonSpec specs[] = {
      {&TFmain::Bnew, "Bnew", "new", QStringLiteral("Новый"), 4, 5},
      {&TFmain::Bopen, "Bopen", "open", QStringLiteral("Открыть"), 32, 5},
      {&TFmain::Bsave, "Bsave", "save", QStringLiteral("Сохранить"), 60, 5},
      {&TFmain::BsaveAs, "BsaveAs", "saveas", QStringLiteral("Сохранить как"), 88, 5},
      {&TFmain::Bprior, "Bprior", "prior", QStringLiteral("Предыдущее окно"), 4, 33},
      {&TFmain::Bnext, "Bnext", "next", QStringLiteral("Следующее окно"), 32, 33},
      {&TFmain::Bview, "Bview", "view", QStringLiteral("Просмотр"), 60, 33},
      {&TFmain::Bclose, "Bclose", "close", QStringLiteral("Закрыть"), 88, 33},
  };
  for (const ButtonSpec& spec : specs) {
    auto* button = new TXPSpeedButton(P11);
    button->setObjectName(QLatin1String(spec.name));
    button->SetGlyph(Glyph(spec.glyph));
    button->SetHint(spec.hint);
    button->setGeometry(spec.left, spec.top, 26, 24);
    this->*spec.member = button;
  }
  connect(Bnew, &QAbstractButton::clicked, this, &TFmain::N_newClick);
  connect(Bopen, &QAbstractButton::clicked, this, &TFmain::N_openClick);
  connect(Bsave, &QAbstractButton::clicked, this, &TFmain::BsaveClick);
  connect(BsaveAs, &QAbstractButton::clicked, this, &TFmain::BsaveAsClick);
  connect(Bview, &QAbstractButton::clicked, this, &TFmain::N_viewClick);
  connect(Bclose, &QAbstractButton::clicked, this, &TFmain::N_exitClick);
}

void TFmain::CreatePalette() {
  PageControl1 = new TPageControl(P1);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  PageControl1->setPalette(QApplication::palette());
  // Tabs wrapped into more rows push the pages down: the top panel grows by those rows.
  connect(PageControl1, &TPageControl::rowCountChanged, this, [this](int rows) {
    P1->setFixedHeight(67 + (std::max(rows, 1) - 1) * PageControl1->RowHeight());
  });
  P1->layout()->addWidget(PageControl1);

  const auto page = [this](QWidget*& member, const char* name, const QString& caption) {
    auto* widget = new TPalettePage(PageControl1);
    widget->setObjectName(QLatin1String(name));
    PageControl1->addTab(widget, caption);
    member = widget;
  };
  page(TabBasic, "TabBasic", QStringLiteral("Стандартные"));
  page(Tadvanced, "Tadvanced", QStringLiteral("Дополнительные"));
  page(TabControl, "TabControl", QStringLiteral("Управление"));
  page(TabHypper, "TabHypper", QStringLiteral("Гиперссылки"));
  page(TabMedia, "TabMedia", QStringLiteral("Мультимедиа"));
  page(TabPHP, "TabPHP", QStringLiteral("  PHP  "));
  PageControl1->setCurrentIndex(0);
  BuildTagPalette(*this, {TabBasic, Tadvanced, TabControl, TabHypper, TabMedia, TabPHP});
}

void TFmain::CreateEditor() {
  Memo1 = new EditorWidget(centralWidget());
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->viewport()->setCursor(Qt::IBeamCursor);
  editor::ConfigureMemo1(Memo1->Editor());
  centralWidget()->layout()->addWidget(Memo1);
  connect(Memo1, &EditorWidget::changed, this, &TFmain::Memo1Change);
  connect(Memo1, &EditorWidget::keyReleased, this, &TFmain::Memo1KeyUp);
  connect(Memo1, &EditorWidget::mouseReleased, this, &TFmain::Memo1MouseUp);
  // The editor is the window's focused control from the first show on; dialogs and menus
  // hand the keyboard back to it when they close.
  Memo1->setFocus();
}

void TFmain::CreateStatusBar() {
  Status1 = new TDocumentStatus(this);
  Status1->setObjectName(QStringLiteral("Status1"));
  setStatusBar(Status1);
}

void TFmain::FormCreate() {
  // The restored bounds; the program shows the window maximised.
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize screenSize = screen ? screen->geometry().size() : QSize(1024, 768);
  setGeometry(1, 1, screenSize.width(), screenSize.height());

  QPalette hints = QToolTip::palette();
  hints.setColor(QPalette::ToolTipBase, QColor(0, 255, 255));  // clAqua
  hints.setColor(QPalette::ToolTipText, Qt::black);
  QToolTip::setPalette(hints);

  Memo1->Editor().Lines().Clear();
  Status1->SetUntitled();
  Status1->SetModified(false);
}

// ---- Showing and closing ----

void TFmain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TFmain::FormShow() {
  N_prop->trigger();
  Memo1->setFocus();
}

void TFmain::closeEvent(QCloseEvent* event) {
  // Closing through the frame asks like Exit does, so unsaved work is not lost silently.
  if (!closingConfirmed_ && DiscardStops()) {
    event->ignore();
    return;
  }
  closingConfirmed_ = false;
  event->accept();
  emit documentDropped();
}

// ---- Project menu ----

void TFmain::N_viewClick() { RunPreviewCommand(*this); }

void TFmain::N_settingClick() { RunSettingsCommand(*this); }

// ---- View menu ----

void TFmain::N_vidClick() {
  N_stand->setChecked(!P11->isHidden());
  N_all->setChecked(!P1->isHidden());
  N_prop->setChecked(Fprop != nullptr && Fprop->isVisible());
}

void TFmain::N_standClick() { P11->setVisible(P11->isHidden()); }

void TFmain::N_allClick() { P1->setVisible(P1->isHidden()); }

void TFmain::N_propClick() {
  if (Fprop == nullptr) return;
  if (Fprop->isVisible()) {
    Fprop->close();
  } else {
    Fprop->show();
  }
}

void TFmain::N_tipClick() { MainTip(*this).Execute(); }

void TFmain::N_colorClick() { Dialogs().ChooseColor(this); }

void TFmain::N_aboutClick() {
  // The window frees itself when it closes.
  auto* about = new TFAbout(this);
  about->exec();
}

// ---- Toolbar save buttons ----

void TFmain::BsaveClick() { PostKeyStroke(Qt::Key_F2); }

void TFmain::BsaveAsClick() { PostKeyStroke(Qt::Key_F3); }

void TFmain::PostKeyStroke(int key) {
  // Queued, so the menu shortcut runs after this click handler has returned.
  QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
  QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
}

// ---- Document commands ----

bool TFmain::DiscardStops() {
  if (!Status1->Modified()) return false;
  return !Dialogs().AskYesNo(this, QStringLiteral("Внимание"),
                             QStringLiteral("Документ был редактирован, вы уверены что хотите продолжить?"));
}

void TFmain::N_newClick() {
  if (DiscardStops()) return;
  emit documentDropped();
  Memo1->Editor().Lines().Assign(std::vector<std::string>(std::begin(kPageTemplate), std::end(kPageTemplate)));
  ShowReloadedText();
  ShowDocumentEncoding(platform::TEncoding::Windows1251, std::nullopt);
  Status1->SetUntitled();
  Status1->SetModified(false);
  emit documentStored();
}

void TFmain::N_openClick() {
  if (DiscardStops()) return;
  const std::optional<QString> chosen = Dialogs().OpenFile(this, Open1);
  if (!chosen) return;
  Open1.FileName = *chosen;
  OpenDocument(*chosen);
}

void TFmain::OpenDocument(const QString& fileName, std::optional<platform::TEncoding> encoding) {
  // The new text is read aside and takes the old one's place only once it is complete:
  // when the file cannot be read, the text on display stays with the panels that name it,
  // and a later Save cannot write an empty editor over the previous file.
  platform::TTextFileReader reader(LocalPath(fileName), encoding);
  std::vector<std::string> text;
  for (std::string line; reader.ReadLine(line);) text.push_back(std::move(line));
  emit documentDropped();
  Memo1->Editor().Lines().Assign(std::move(text));
  ShowReloadedText();
  ShowDocumentEncoding(reader.Encoding().encoding, reader.FirstUnmapped());
  Status1->SetFileName(fileName);
  Status1->SetModified(false);
  emit documentStored();
  if (reader.UnreadBytes() > 0) WarnTextCut(reader.MarkLine(), reader.UnreadBytes());
  TellEncoding(reader);
}

void TFmain::WarnTextCut(std::uint64_t markLine, std::uint64_t unreadBytes) {
  Dialogs().Inform(this, QStringLiteral("Внимание"),
                   QStringLiteral("Файл загружен не полностью: строка %1 начинается с символа конца текста "
                                  "(Ctrl+Z), и %2 байт от него до конца файла не прочитаны. Если сохранить "
                                  "документ под тем же именем, эта часть файла будет потеряна.")
                       .arg(markLine + 1)
                       .arg(unreadBytes));
}

void TFmain::ShowReloadedText() {
  // A new text starts at its top: a caret left far below it would pad the text with empty
  // lines at the first key.
  Memo1->Editor().ShowFromTop();
  ShowCaretPos();
}

void TFmain::N_saveClick() {
  if (!Status1->Untitled()) {
    if (SaveStops()) return;
    WriteDocument(Status1->FileName());
  } else {
    N_saveas->trigger();
  }
}

void TFmain::N_saveasClick() {
  if (SaveStops()) return;
  const std::optional<QString> chosen = Dialogs().SaveFile(this, Save1);
  if (!chosen) return;
  Save1.FileName = *chosen;
  WriteDocument(*chosen);
  Status1->SetFileName(*chosen);
}

void TFmain::WriteDocument(const QString& fileName) {
  platform::TTextFileWriter writer(LocalPath(fileName), Status1->Encoding());
  const editor::TEditorStrings& lines = Memo1->Editor().Lines();
  for (int i = 0; i < lines.Count(); ++i) writer.WriteLine(lines.Get(i));
  writer.Commit();
  Status1->SetModified(false);
  emit documentStored();
}

void TFmain::N_exitClick() {
  if (DiscardStops()) return;
  closingConfirmed_ = true;
  close();
  closingConfirmed_ = false;
}

// ---- Modified marker and caret indicator ----

void TFmain::Memo1Change() {
  Status1->SetModified(true);
  ShowCaretPos();
}

void TFmain::Memo1KeyUp() { ShowCaretPos(); }

void TFmain::Memo1MouseUp() { ShowCaretPos(); }

void TFmain::ShowCaretPos() {
  const editor::THLEditor& memo = Memo1->Editor();
  Status1->ShowCaretPos(memo.CaretX, memo.CaretY);
}
