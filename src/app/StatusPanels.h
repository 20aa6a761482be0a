// TStatusPanels: the main window's status bar, six labelled panels that hold the
// document's state (file name, modified marker, caret position, test URL).
#pragma once

#include <QStatusBar>
#include <QString>
#include <vector>

class QLabel;

// A status bar made of fixed-width labels, addressed by panel index from 0. The panel
// texts are the only record of the document's state: whoever needs the file name, the
// modified marker or the test URL reads and writes them here.
class TStatusPanels : public QStatusBar {
  Q_OBJECT

 public:
  enum class TBevel { bvNone, bvLowered };

  explicit TStatusPanels(QWidget* parent = nullptr);

  // Appends a panel; returns its index.
  int AddPanel(int width, Qt::Alignment alignment, TBevel bevel, const QString& text = {});
  int Count() const { return static_cast<int>(panels_.size()); }

  // The panel's text; an index outside the panels reads as empty.
  QString Text(int index) const;
  // Sets the panel's text; an index outside the panels is ignored.
  void SetText(int index, const QString& text);

  // The label widget of a panel (for tests and for looks), nullptr outside the panels.
  QLabel* Panel(int index) const;

 signals:
  // After every SetText, changed or not.
  void textChanged(int index, const QString& text);

 private:
  std::vector<QLabel*> panels_;
};
