// The flat speed button and the push button.
#include "widgets/XPButtons.h"

TXPSpeedButton::TXPSpeedButton(QWidget* parent) : QToolButton(parent) {
  // Clicking a toolbar or palette button must leave the focus (and the caret) in the editor.
  setFocusPolicy(Qt::NoFocus);
  setAutoRaise(true);
  setToolButtonStyle(Qt::ToolButtonIconOnly);
}

void TXPSpeedButton::SetHint(const QString& hint) { setToolTip(hint); }

void TXPSpeedButton::SetGlyph(const QIcon& glyph) {
  setIcon(glyph);
  setToolButtonStyle(glyph.isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonIconOnly);
}

void TXPSpeedButton::SetCaption(const QString& caption) {
  setText(caption);
  if (icon().isNull()) setToolButtonStyle(Qt::ToolButtonTextOnly);
}

TXPButton::TXPButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

void TXPButton::SetHint(const QString& hint) { setToolTip(hint); }

void TXPButton::SetGlyph(const QIcon& glyph) { setIcon(glyph); }
