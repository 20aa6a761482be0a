// TFsetting: the settings dialog, where the test address of the preview is set.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class TDocumentWindow;
class TXPButton;
class TXPSpeedButton;

// A fixed-size modal dialog that edits the document's test address. "Готово" sets it to
// E_url exactly as it stands (an empty text means "preview the file"); "Отмена", Esc and
// the frame change nothing. It frees itself when closed.
class TFsetting : public QDialog {
  Q_OBJECT

 public:
  explicit TFsetting(TDocumentWindow& document, QWidget* parent = nullptr);
  ~TFsetting() override;

  QLabel* L1 = nullptr;
  QLineEdit* E_url = nullptr;
  TXPSpeedButton* Bopen = nullptr;
  QFrame* P1 = nullptr;
  QLabel* Im1 = nullptr;
  TXPButton* Bok = nullptr;
  TXPButton* Bcancel = nullptr;

  void BokClick();
  // Dialog1: a plain open dialog; a chosen file's full path serves as a test address.
  void BopenClick();

 private:
  void CreateBottomPanel();
  void CenterOnScreen();

  TDocumentWindow& document_;
};

// The settings dialog while one is open.
extern TFsetting* Fsetting;
