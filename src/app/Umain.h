// TFmain: the main window — menus, file toolbar, snippet palette, the editor Memo1 and
// the status bar whose panels hold the document's state.
#pragma once

#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <string>

#include "widgets/Dialogs.h"
#include "widgets/DocumentWindow.h"

class EditorWidget;
class QAction;
class QMenu;
class QMenuBar;
class QFrame;
class TDocumentStatus;
class TPageControl;
class TXPSpeedButton;

// The program's one document window. It owns the editor and the status bar; the status
// bar's panels are the only record of the document's state (see TDocumentStatus). The
// palettes, the media dialog and the preview reach it as a TDocumentWindow. The document
// commands let errors escape to the application's error box.
class TFmain : public QMainWindow, public TDocumentWindow {
  Q_OBJECT

 public:
  explicit TFmain(QWidget* parent = nullptr);
  ~TFmain() override;

  // The controls the other windows reach through Fmain.
  EditorWidget* Memo1 = nullptr;
  TDocumentStatus* Status1 = nullptr;
  QFrame* P1 = nullptr;
  QFrame* P11 = nullptr;
  TPageControl* PageControl1 = nullptr;
  QWidget* TabBasic = nullptr;
  QWidget* Tadvanced = nullptr;
  QWidget* TabControl = nullptr;
  QWidget* TabHypper = nullptr;
  QWidget* TabMedia = nullptr;
  QWidget* TabPHP = nullptr;

  // The file toolbar.
  TXPSpeedButton* Bnew = nullptr;
  TXPSpeedButton* Bopen = nullptr;
  TXPSpeedButton* Bsave = nullptr;
  TXPSpeedButton* BsaveAs = nullptr;
  TXPSpeedButton* Bprior = nullptr;
  TXPSpeedButton* Bnext = nullptr;
  TXPSpeedButton* Bview = nullptr;
  TXPSpeedButton* Bclose = nullptr;

  QMenuBar* Main1 = nullptr;
  QMenu* N_file = nullptr;
  QMenu* N_project = nullptr;
  QMenu* N_vid = nullptr;
  QMenu* N_windows = nullptr;
  QMenu* N_help = nullptr;
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

  // The open and save dialogs' settings; each keeps the last chosen name for the run.
  TFileDialogOptions Open1;
  TFileDialogOptions Save1;

  // ---- The document as the other windows see it (UmainDocument.cpp) ----
  void SendAsTyping(const std::string& text) override;
  // Triggers N_save.
  void Save() override;
  QString FileName() const override;
  bool Modified() const override;
  QString TestUrl() const override;
  void SetTestUrl(const QString& url) override;
  QWidget* Window() override { return this; }

  // ---- Document commands ----
  void N_newClick();
  void N_openClick();
  void N_saveClick();
  void N_saveasClick();
  void N_exitClick();
  // Open's reading step and panels, for a name already chosen (the command line and a
  // file dropped on the window open through it too). When the file cannot be read the
  // error escapes and the editor keeps the text it had.
  void OpenDocument(const QString& fileName);
  // True when the current command must stop: the document is modified and the user
  // answered No to the question.
  bool DiscardStops();
  // Writes every line of Memo1 followed by CR LF to the file, then clears the marker.
  void WriteDocument(const QString& fileName);
  // Shows the caret's position in the status bar.
  void ShowCaretPos();
  void Memo1Change();
  void Memo1KeyUp();
  void Memo1MouseUp();

  // ---- Project commands: the preview and its test URL ----
  void N_viewClick();
  void N_settingClick();

  // ---- Window commands ----
  void N_vidClick();
  void N_standClick();
  void N_allClick();
  void N_propClick();
  void N_tipClick();
  void N_colorClick();
  void N_aboutClick();
  void BsaveClick();
  void BsaveAsClick();

 signals:
  // The text on screen is about to be given up unsaved or closed: New or Open replace it,
  // or the window closes (after the question about unsaved changes, when it was asked).
  void documentDropped();
  // The text on screen is now the document as stored, or New's page: after New, Open
  // and Save.
  void documentStored();

 protected:
  void showEvent(QShowEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateMenu();
  void CreateToolbar();
  void CreatePalette();
  void CreateEditor();
  void CreateStatusBar();
  void FormCreate();
  void FormShow();
  // Files dropped from the file manager, and the editor's accessible name following
  // panel 1 (UmainDesktop.cpp).
  void ConnectDesktop();
  // Tells how much of a file a Ctrl+Z at a line start left unread, before a Save cuts it.
  void WarnTextCut(std::uint64_t markLine, std::uint64_t unreadBytes);
  // New and Open refill the lines: the caret goes to the top, and the line states and the
  // scroll range are rebuilt before the text is shown, so nothing of the previous
  // document remains.
  void ShowReloadedText();
  // Queues a press and a release of the key to this window, as if typed.
  void PostKeyStroke(int key);

  // Set while N_exitClick closes the window, so the close handler does not ask again.
  bool closingConfirmed_ = false;
};

// The main window, set when it is created.
extern TFmain* Fmain;
