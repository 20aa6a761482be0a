// TFimage: the modal dialog that builds an image, video or background-sound tag for a
// file on disk; TSpinField, its unbounded integer field.
#pragma once

#include <QDialog>
#include <QString>
#include <QWidget>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QToolButton;
class TDocumentWindow;
class TXPButton;
class TXPSpeedButton;

// An integer field with an up/down pair (and the Up/Down keys) stepping by 1, with no
// lower or upper bound. The user may type any text; a text that does not read as an
// integer counts as 0. Its face takes the window colour while enabled and the button
// face colour while disabled.
class TSpinField : public QWidget {
  Q_OBJECT

 public:
  TSpinField(int value, QWidget* parent = nullptr);

  int Value() const;
  void SetValue(int value);
  QLineEdit* Edit() const { return edit_; }
  void SetActive(bool active);
  // The name a screen reader gives the field and its arrows: the caption of the check
  // box beside it.
  void SetAccessibleCaption(const QString& caption);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void StepBy(int delta);

  QLineEdit* edit_;
  QToolButton* up_;
  QToolButton* down_;
};

// The media dialog. Its Tag (1 image, 2 video, 3 sound) is set before it is shown; Bok
// types the built tag into the document (whose window is its parent) and closes, Bcancel
// or Esc closes without inserting. A new window is made for every use and frees itself when
// closed.
class TFimage : public QDialog {
  Q_OBJECT

 public:
  explicit TFimage(TDocumentWindow& document);
  ~TFimage() override;

  int Tag = 0;

  QLabel* L1 = nullptr;
  QLineEdit* Efile = nullptr;
  TXPSpeedButton* Bselect = nullptr;
  QCheckBox* bHeight = nullptr;
  QCheckBox* bWidth = nullptr;
  QCheckBox* bBorder = nullptr;
  TSpinField* eHeight = nullptr;
  TSpinField* eWidth = nullptr;
  TSpinField* eBorder = nullptr;
  QFrame* P1 = nullptr;
  TXPButton* Bok = nullptr;
  TXPButton* Bcancel = nullptr;

  void BselectClick();
  void BokClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // A sound has no size or border: its check boxes are disabled.
  void FormShow();
  void CreateControls();
  QCheckBox* AddSizeBox(const QString& name, const QString& caption, int left, int top);
  TSpinField* AddSpinField(const QString& name, int value, int left, int top, int width);

  TDocumentWindow& document_;
};

// The media dialog being shown, if any.
extern TFimage* Fimage;

// The handler of the palette's media buttons: opens a new dialog of the button's kind
// (its "Tag" property) modally over the document's window.
void BimageClick(TDocumentWindow& document, const QObject* sender);
