// TStatusPanels: a status bar made of labelled panels (the main window's holds the
// document's state: see TDocumentStatus).
#pragma once

#include <QStatusBar>
#include <QString>
#include <vector>

class QLabel;

// A status bar made of fixed-width labels, addressed by panel index from 0.
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
