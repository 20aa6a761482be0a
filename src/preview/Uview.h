// TFview: the preview window, the page of the document (or of the test address) in an
// embedded browser under a small address bar.
#pragma once

#include <QDialog>

#include "preview/WebBrowser.h"

class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class TXPSpeedButton;

// A maximised window that loads the address in Epath as soon as it is shown and keeps
// Epath on the page shown, whatever brought it there (a link, back, forward). The window
// sees key events before its controls: a released Esc closes it wherever the focus is.
// It frees itself, browser and history included, when closed.
class TFview : public QDialog {
  Q_OBJECT

 public:
  // The browser comes from the factory, so tests can put a stand-in in its place.
  explicit TFview(const TBrowserFactory& browserFactory, QWidget* parent = nullptr);
  ~TFview() override;

  QFrame* P1 = nullptr;
  QLabel* Im1 = nullptr;
  TXPSpeedButton* Bprior = nullptr;
  TXPSpeedButton* Bnext = nullptr;
  QLineEdit* Epath = nullptr;
  TXPSpeedButton* Bgoto = nullptr;
  TXPSpeedButton* Bexit = nullptr;
  TWebBrowser* Browser1 = nullptr;

  void BgotoClick();
  void BpriorClick();
  void BnextClick();
  void BexitClick();
  void Browser1CommandStateChange();
  void P1Resize();

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormCreate();
  void CreateTopPanel();
  // Enter in the address field goes to the address and is swallowed, so it leaves no
  // character and no beep; returns whether the key was taken.
  bool EpathKeyDown(const QKeyEvent& key);
  // Esc released anywhere in the window closes it; returns whether the key was taken.
  bool FormKeyUp(const QKeyEvent& key);
  bool IsInside(QObject* object) const;
};

// The preview window while one is open.
extern TFview* Fview;
