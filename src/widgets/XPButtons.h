// TXPSpeedButton and TXPButton: the gradient-shaded tool and push buttons of every window.
// Both paint themselves the same on every desktop, stay ordinary accessible buttons (their
// hint is their tooltip and accessible name) and emit clicked() when clicked.
#pragma once

#include <QAbstractButton>
#include <QIcon>
#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QString>

#include "widgets/XPGlyph.h"
#include "widgets/XPScheme.h"

class QTimer;

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// A tool button with a glyph and an optional caption. It never takes the keyboard focus,
// so the editor keeps it. Buttons of one parent with the same GroupIndex form a group of
// which at most one is Down.
class TXPSpeedButton : public QAbstractButton {
  Q_OBJECT

 public:
  explicit TXPSpeedButton(QWidget* parent = nullptr);

  // The hint shown when the mouse rests on the button, and its accessible name.
  void SetHint(const QString& hint);
  QString Hint() const { return toolTip(); }
  // The glyph, drawn at iconSize() (16 x 16 unless set).
  void SetGlyph(const QIcon& glyph);
  // A glyph strip bitmap; see TXPBGlyph for how it splits into images.
  void SetGlyphBitmap(const QImage& bitmap);
  TXPBGlyph& Glyph() { return glyph_; }
  void SetCaption(const QString& caption) { setText(caption); }

  void SetFlat(bool flat);
  bool Flat() const { return flat_; }
  void SetTransparent(bool transparent);
  void SetLayout(TButtonLayout layout);
  void SetMargin(int margin);
  void SetSpacing(int spacing);
  void SetGroupIndex(int index);
  int GroupIndex() const { return groupIndex_; }
  void SetAllowAllUp(bool allow);
  bool AllowAllUp() const { return allowAllUp_; }
  // Down only in a group; a down button of a group with AllowAllUp off stays down.
  void SetDown(bool down);
  bool Down() const { return down_; }
  // While held, the button clicks again after 400 ms and then every 100 ms.
  void SetRepeatAction(bool repeat) { repeatAction_ = repeat; }
  // Popped up under the button after a release (not with RepeatAction).
  void SetDropDownMenu(QMenu* menu) { dropDownMenu_ = menu; }

  TXPButtonState State() const { return state_; }
  bool MouseInControl() const { return mouseIn_; }

  // Where the glyph and the caption go for the current size, layout and state.
  struct TLayoutResult {
    QPoint GlyphPos;
    QRect TextRect;
  };
  TLayoutResult CalcLayout();

 signals:
  void doubleClicked();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  bool Inside(const QPoint& pos) const;
  void FixState();
  // Tells the other buttons of the group that this one went down or changed its settings.
  void NotifyGroup();
  void GroupChanged(const TXPSpeedButton& sender);
  void RepeatTick();
  void RecheckMouseIn();
  void SyncIconGlyph();
  void PaintFace(QImage& canvas);
  void PaintBorder(QImage& canvas);
  void PaintGlyphAndCaption(QPainter& painter);

  TXPBGlyph glyph_;
  // The glyph is the icon, rendered at glyphIconSize_.
  bool glyphFromIcon_ = false;
  QSize glyphIconSize_;
  TXPButtonState state_ = TXPButtonState::bsUp;
  bool dragging_ = false;
  bool mouseIn_ = false;
  bool flat_ = false;
  bool transparent_ = true;
  bool down_ = false;
  bool allowAllUp_ = false;
  bool repeatAction_ = false;
  int groupIndex_ = 0;
  int margin_ = -1;
  int spacing_ = 4;
  TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
  QTimer* repeatTimer_ = nullptr;
  QPointer<QMenu> dropDownMenu_;
};

// A focusable push button with a caption. Enter clicks it while it is the active default
// (focused, or Default with no other push button focused); Escape clicks it when it is a
// Cancel button. A ModalResult closes its dialog with that result after the click.
class TXPButton : public QAbstractButton {
  Q_OBJECT

 public:
  explicit TXPButton(const QString& caption = {}, QWidget* parent = nullptr);

  void SetHint(const QString& hint);
  QString Hint() const { return toolTip(); }

  void SetXPScheme(TXPScheme scheme);
  TXPScheme XPScheme() const { return scheme_; }
  // The palette it paints with: the scheme's, or the desktop's for xpAutomatic.
  TXPPalette Palette() const { return palette_; }
  void SetDefault(bool isDefault);
  bool Default() const { return default_; }
  void SetCancel(bool cancel) { cancel_ = cancel; }
  bool Cancel() const { return cancel_; }
  // 1 accepts its dialog, 2 rejects it, 0 leaves it open.
  void SetModalResult(int result) { modalResult_ = result; }
  int ModalResult() const { return modalResult_; }
  void SetShowAccelChar(bool show);
  void SetWordWrap(bool wrap);
  void SetDrawFocusRect(bool draw);

  bool IsDown() const { return down_; }
  bool Pressing() const { return pressing_; }
  bool Hot() const { return hot_; }
  bool ActiveDefault() const { return activeDefault_; }

  // Runs the click and then applies ModalResult to the dialog.
  void Click();

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  bool Inside(const QPoint& pos) const;
  bool CanFocus() const;
  void Press();
  // Follows the focus within the form: the focused push button is the active default.
  void FocusMoved(QWidget* now);
  void WatchWindowKeys();
  bool DialogKey(const QKeyEvent& key);
  void PaintCaption(QPainter& painter);

  TXPScheme scheme_ = TXPScheme::xpBlue;
  TXPPalette palette_ = xpPaletteBlue;
  bool default_ = false;
  bool cancel_ = false;
  int modalResult_ = 0;
  bool showAccelChar_ = true;
  bool wordWrap_ = false;
  bool drawFocusRect_ = false;
  bool down_ = false;
  bool pressing_ = false;
  bool hot_ = false;
  bool spaceHeld_ = false;
  bool activeDefault_ = false;
  QPointer<QWidget> watchedWindow_;
};
