// The status bar of fixed-width text panels.
#include "app/StatusPanels.h"

#include <QLabel>

TStatusPanels::TStatusPanels(QWidget* parent) : QStatusBar(parent) {
  // The size grip would eat into the last panel; the window is shown maximised anyway.
  setSizeGripEnabled(false);
  // The panels together are wider than a narrow window: the window may still narrow, and
  // the last panels are cut off.
  setMinimumWidth(1);
}

int TStatusPanels::AddPanel(int width, Qt::Alignment alignment, TBevel bevel, const QString& text) {
  auto* label = new QLabel(text, this);
  label->setObjectName(QStringLiteral("Panel%1").arg(panels_.size()));
  label->setFixedWidth(width);
  label->setAlignment(alignment | Qt::AlignVCenter);
  if (bevel == TBevel::bvLowered) {
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  } else {
    label->setFrameStyle(QFrame::NoFrame);
  }
  // Panels keep their width; a long path is cut off rather than widening the bar.
  label->setTextFormat(Qt::PlainText);
  addWidget(label);
  panels_.push_back(label);
  return static_cast<int>(panels_.size()) - 1;
}

QString TStatusPanels::Text(int index) const {
  QLabel* label = Panel(index);
  return label ? label->text() : QString();
}

void TStatusPanels::SetText(int index, const QString& text) {
  QLabel* label = Panel(index);
  if (label == nullptr) return;
  label->setText(text);
  emit textChanged(index, text);
}

QLabel* TStatusPanels::Panel(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return panels_[static_cast<size_t>(index)];
}
