// TFsetting: the settings dialog, where the test address of the preview is set.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class TStatusPanels;
class TXPButton;
class TXPSpeedButton;

// A fixed-size modal dialog that edits the test address kept in the panels' test-URL
// panel. "Готово" writes E_url there exactly as it stands (an empty text means "preview
// the file"); "Отмена", Esc and the frame change nothing. It frees itself when closed.
class TFsetting : public QDialog {
  Q_OBJECT

 public:
  // The index of the status panel that holds the test address.
  static constexpr int TestUrlPanel = 4;

  explicit TFsetting(TStatusPanels& panels, QWidget* parent = nullptr);
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

  TStatusPanels& panels_;
};

// The settings dialog while one is open.
extern TFsetting* Fsetting;
