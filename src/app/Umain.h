// TFmain: the main window — menus, file toolbar, snippet palette, the editor Memo1 and
// the status bar whose panels hold the document's state.
#pragma once

#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Encodings.h"
#include "platform/TextFile.h"
#include "widgets/Dialogs.h"
#include "widgets/DocumentWindow.h"

class EditorWidget;
class QAction;
class QMenu;
class QMenuBar;
class QFrame;
class TDocumentStatus;
class TFindPanel;
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
  QMenu* N_edit = nullptr;
  QMenu* N_project = nullptr;
  QMenu* N_vid = nullptr;
  QMenu* N_windows = nullptr;
  QMenu* N_help = nullptr;
  QAction* N_new = nullptr;
  QAction* N_open = nullptr;
  QAction* N_save = nullptr;
  QAction* N_saveas = nullptr;
  QAction* N_exit = nullptr;
  QAction* N_find = nullptr;
  QAction* N_replace = nullptr;
  QAction* N_findnext = nullptr;
  QAction* N_findprev = nullptr;
  QAction* N_goto = nullptr;
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

  // The find and replace bar above the status bar.
  TFindPanel* FindPanel1 = nullptr;

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
  EditorWidget& DocumentEditor() override { return *Memo1; }

  // ---- Document commands ----
  void N_newClick();
  void N_openClick();
  void N_saveClick();
  void N_saveasClick();
  void N_exitClick();
  // Open's reading step and panels, for a name already chosen (the command line and a
  // file dropped on the window open through it too). When the file cannot be read the
  // error escapes and the editor keeps the text it had. The file is read in `encoding`,
  // or in the one its bytes tell when none is given.
  void OpenDocument(const QString& fileName, std::optional<platform::TEncoding> encoding = std::nullopt);
  // True when the current command must stop: the document is modified and the user
  // answered No to the question.
  bool DiscardStops();
  // Writes every line of Memo1 followed by CR LF to the file, then clears the marker.
  void WriteDocument(const QString& fileName);
  // Shows the caret's position in the status bar.
  void ShowCaretPos() override;
  void Memo1Change();
  void Memo1KeyUp();
  void Memo1MouseUp();

  // ---- Edit menu: find, replace, go to line (UmainFind.cpp) ----
  void N_findClick();
  void N_replaceClick();
  void N_findnextClick();
  void N_findprevClick();
  void N_gotoClick();

  // ---- Project commands: the preview and its test URL ----
  void N_viewClick();
  void N_settingClick();

  // ---- The document's encoding (UmainEncoding.cpp) ----
  // "Кодировка": the encoding the next Save writes. "Открыть заново в кодировке": the
  // file read again in another one.
  QMenu* N_encoding = nullptr;
  QMenu* N_reopen = nullptr;
  QString PageCharset() const override;
  // The change of encoding is a change to save, so the document is marked modified. An
  // encoding that cannot hold the text is refused with a message.
  void SetSaveEncoding(platform::TEncoding encoding);
  // After the question about unsaved changes; nothing for a document without a file.
  void ReopenInEncoding(platform::TEncoding encoding);
  // True when Save or Save As must write nothing: a read-only document, a character the
  // encoding lacks (both told), or a meta charset naming another encoding that the user
  // does not want written anyway (asked).
  bool SaveStops();

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
  // The menu "Правка" and the find panel under the editor (UmainFind.cpp).
  void CreateEditMenu();
  void CreateFindPanel();
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
  // The File menu's two encoding submenus after "сохранить как", and a beep for keys
  // typed into a read-only document (UmainEncoding.cpp).
  void CreateEncodingMenus();
  // The document on screen is in `encoding`; `unmapped`, its first character without a
  // Windows-1251 code, makes it read-only. The editor and the status bar follow.
  void ShowDocumentEncoding(platform::TEncoding encoding, std::optional<platform::TUnmappedCharacter> unmapped);
  // After Open: what the user must be told of the encoding the file was read in.
  void TellEncoding(const platform::TTextFileReader& reader);
  // As the File menu opens: the submenus' check mark and the items that apply.
  void ShowEncodingMenus();

  // Why the document is read-only; none while it is not.
  std::optional<platform::TUnmappedCharacter> unmapped_;
  // UTF-16 is offered in the submenus only for a document that was read in it.
  bool readAsUtf16_ = false;

  // Set while N_exitClick closes the window, so the close handler does not ask again.
  bool closingConfirmed_ = false;
};

// The main window, set when it is created.
extern TFmain* Fmain;
