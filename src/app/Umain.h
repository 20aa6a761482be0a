// TFmain: the main window — menus, file toolbar, snippet palette, the editor Memo1 and
// the status bar whose panels hold the document's state.
#pragma once

#include <QMainWindow>
#include <string>

class EditorWidget;
class QAction;
class QMenu;
class QTabWidget;
class QFrame;
class TStatusPanels;

class TFmain : public QMainWindow {
  Q_OBJECT

 public:
  explicit TFmain(QWidget* parent = nullptr);
  ~TFmain() override;

  // The controls the other windows reach through Fmain.
  EditorWidget* Memo1 = nullptr;
  TStatusPanels* Status1 = nullptr;
  QFrame* P1 = nullptr;
  QFrame* P11 = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QWidget* TabBasic = nullptr;
  QWidget* Tadvanced = nullptr;
  QWidget* TabControl = nullptr;
  QWidget* TabHypper = nullptr;
  QWidget* TabMedia = nullptr;
  QWidget* TabPHP = nullptr;

  QMenu* N_vid = nullptr;
  QAction* N_new = nullptr;
  QAction* N_open = nullptr;
  QAction* N_save = nullptr;
  QAction* N_saveas = nullptr;
  QAction* N_exit = nullptr;
  QAction* N_view = nullptr;
  QAction* N_setting = nullptr;
  QAction* N_stand = nullptr;
  QAction* N_all = nullptr;
  QAction* N_tip = nullptr;
  QAction* N_color = nullptr;
  QAction* N_prop = nullptr;
  QAction* N_prior = nullptr;
  QAction* N_next = nullptr;
  QAction* N_about = nullptr;

  // Feeds text to Memo1 as one synchronous character message per byte (Windows-1251).
  void SendAsTyping(const std::string& text);
};

// The main window, set when it is created.
extern TFmain* Fmain;
