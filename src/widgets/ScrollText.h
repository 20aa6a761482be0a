// TScrollText: a box whose lines of text scroll continuously in one direction, moved one
// step per tick of its own worker thread, and can be dragged with the mouse.
// TStaticText: the borderless caption panel it moves.
#pragma once

#include <QColor>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <memory>

class TImageDrawThread;

enum TScrollTextDirection { drFromLeft, drFromRight, drFromTop, drFromBottom };

// A multi-line caption drawn at the top of its area, aligned left, right or centre, on
// its background colour. "&" underlines the next character and "&&" shows "&".
class TStaticText : public QWidget {
 public:
  explicit TStaticText(QWidget* parent = nullptr);

  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  Qt::Alignment Alignment() const { return alignment_; }
  void SetAlignment(Qt::Alignment alignment);
  QColor Color() const { return color_; }
  void SetColor(const QColor& color);
  QColor FontColor() const;
  void SetFontColor(const QColor& color);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString caption_;
  Qt::Alignment alignment_ = Qt::AlignLeft;
  QColor color_;
};

class TScrollText : public QWidget {
 public:
  explicit TScrollText(QWidget* parent = nullptr);
  ~TScrollText() override;

  Qt::Alignment Alignment() const;
  void SetAlignment(Qt::Alignment alignment);
  const QStringList& Items() const { return items_; }
  void SetItems(const QStringList& items);
  // Scrolling: the worker is not suspended.
  bool Active() const;
  void SetActive(bool active);
  std::uint32_t Delay() const;
  void SetDelay(std::uint32_t milliseconds);
  int ScrollPixels() const { return scrollPixels_; }
  void SetScrollPixels(int pixels) { scrollPixels_ = pixels; }
  TScrollTextDirection ScrollDirection() const { return direction_; }
  void SetScrollDirection(TScrollTextDirection direction);
  QColor BackgroundColor() const;
  void SetBackgroundColor(const QColor& color);
  // The font is the widget's own (setFont); its colour is the text's colour.
  QColor FontColor() const;
  void SetFontColor(const QColor& color);

  // Slows down by one pixel per tick, then stops (Active becomes false).
  void Pause();
  // Starts again from the reset position, speeding up by one pixel per tick.
  void Unpause();
  // Puts the scroll position where the text enters; the next tick moves the panel.
  void Reset();

  // One step of the scroll. The worker thread runs it on the user-interface thread.
  void Tick();

  int Position() const { return position_; }
  TStaticText* TextPanel() const { return panel_; }
  TImageDrawThread* Thread() const { return thread_.get(); }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class TPauseState { Steady, Slowing, Speeding };

  bool Horizontal() const { return direction_ == drFromLeft || direction_ == drFromRight; }
  // The panel's height from the lines and the font; then Reset.
  void MeasureText();
  // The step of this tick, or -1 when a pause has just run out.
  int StepSize();
  void MovePanel();
  void DragStart(const QPoint& globalPos);
  void DragMove(const QPoint& globalPos);

  TStaticText* panel_;
  QStringList items_;
  int scrollPixels_ = 1;
  TScrollTextDirection direction_ = drFromBottom;
  int position_ = 0;
  TPauseState pauseState_ = TPauseState::Steady;
  int rampSpeed_ = 0;
  bool dragging_ = false;
  int dragOrigin_ = 0;
  // Last, so that the worker ends while the panel it moves still exists.
  std::unique_ptr<TImageDrawThread> thread_;
};
