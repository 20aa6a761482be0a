// TXPSpeedButton and TXPButton: the flat toolbar button and the push button used on
// every window of the program.
#pragma once

#include <QIcon>
#include <QPushButton>
#include <QString>
#include <QToolButton>

// A flat speed button: shows a glyph (or a caption when it has none), never takes the
// keyboard focus so the editor keeps it, and shows its hint as a tooltip.
class TXPSpeedButton : public QToolButton {
  Q_OBJECT

 public:
  explicit TXPSpeedButton(QWidget* parent = nullptr);

  // The hint shown when the mouse rests on the button (empty: none).
  void SetHint(const QString& hint);
  QString Hint() const { return toolTip(); }
  void SetGlyph(const QIcon& glyph);
  void SetCaption(const QString& caption);
};

// A push button with a caption, optionally a glyph, and its hint as tooltip.
class TXPButton : public QPushButton {
  Q_OBJECT

 public:
  explicit TXPButton(const QString& caption = {}, QWidget* parent = nullptr);

  void SetHint(const QString& hint);
  QString Hint() const { return toolTip(); }
  void SetGlyph(const QIcon& glyph);
};
