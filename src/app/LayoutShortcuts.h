// TLayoutShortcuts: the window's menu shortcuts by the key's place on the keyboard, so that
// Ctrl+F is the key marked F also while a layout without Latin letters (Russian) is on.
#pragma once

#include <QObject>

class QKeyEvent;
class QWidget;

// Watches the key presses of one window. Qt matches a shortcut by the letter a key types;
// where the layout types no Latin letter, a Ctrl or Alt key finds no shortcut. Such a key
// is matched again by the Latin letter of its place on the keyboard, against the window's
// menu actions. A control that claims the key first (as the editor does for the second
// key of its two-key sequences) keeps it.
class TLayoutShortcuts : public QObject {
  Q_OBJECT

 public:
  explicit TLayoutShortcuts(QWidget& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool TriggerByPlace(QWidget& receiver, const QKeyEvent& key);

  QWidget& window_;
};
