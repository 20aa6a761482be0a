// The main window's "Правка" menu: find, replace, find next and previous, go to line, and
// the find panel they open.
#include <QAction>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>

#include "app/LayoutShortcuts.h"
#include "app/Umain.h"
#include "editor/Commands.h"
#include "find/FindPanel.h"
#include "find/GoToLineDialog.h"
#include "qt/EditorWidget.h"

void TFmain::CreateEditMenu() {
  N_edit = Main1->addMenu(QStringLiteral("Правка"));
  N_edit->setObjectName(QStringLiteral("N_edit"));
  const auto item = [this](QAction*& action, const char* name, const QString& caption, QKeySequence shortcut) {
    action = N_edit->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
  };
  item(N_find, "N_find", QStringLiteral("Найти…"), QKeySequence(Qt::CTRL | Qt::Key_F));
  item(N_replace, "N_replace", QStringLiteral("Заменить…"), QKeySequence(Qt::CTRL | Qt::Key_R));
  item(N_findnext, "N_findnext", QStringLiteral("Найти далее"), QKeySequence(Qt::CTRL | Qt::Key_L));
  item(N_findprev, "N_findprev", QStringLiteral("Найти ранее"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
  N_edit->addSeparator();
  item(N_goto, "N_goto", QStringLiteral("Перейти к строке…"), QKeySequence(Qt::CTRL | Qt::Key_G));
  connect(N_find, &QAction::triggered, this, &TFmain::N_findClick);
  connect(N_replace, &QAction::triggered, this, &TFmain::N_replaceClick);
  connect(N_findnext, &QAction::triggered, this, &TFmain::N_findnextClick);
  connect(N_findprev, &QAction::triggered, this, &TFmain::N_findprevClick);
  connect(N_goto, &QAction::triggered, this, &TFmain::N_gotoClick);
  // Ctrl+F and the others by the keys' places also on a Russian keyboard.
  new TLayoutShortcuts(*this);
}

void TFmain::CreateFindPanel() {
  FindPanel1 = new TFindPanel(*this, centralWidget());
  centralWidget()->layout()->addWidget(FindPanel1);
  // The editor's own Ctrl+Q, F and Ctrl+Q, A run the menu's commands.
  connect(Memo1, &EditorWidget::ownerCommand, this, [this](int code) {
    if (code == editor::ecFind) N_find->trigger();
    if (code == editor::ecReplace) N_replace->trigger();
  });
}

void TFmain::N_findClick() { FindPanel1->Open(false); }

void TFmain::N_replaceClick() { FindPanel1->Open(true); }

void TFmain::N_findnextClick() { FindPanel1->FindNext(false); }

void TFmain::N_findprevClick() { FindPanel1->FindNext(true); }

void TFmain::N_gotoClick() {
  // The dialog frees itself when it closes.
  auto* dialog = new TFgoto(*this, this);
  dialog->exec();
}
