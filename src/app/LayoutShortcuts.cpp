// Menu shortcuts matched by the key's place when the layout has no Latin letter.
#include "app/LayoutShortcuts.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

#include "qt/KeyMap.h"

TLayoutShortcuts::TLayoutShortcuts(QWidget& window) : QObject(&window), window_(window) {
  qApp->installEventFilter(this);
}

bool TLayoutShortcuts::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
  auto& receiver = static_cast<QWidget&>(*watched);
  if (receiver.window() != &window_) return false;
  return TriggerByPlace(receiver, static_cast<const QKeyEvent&>(*event));
}

bool TLayoutShortcuts::TriggerByPlace(QWidget& receiver, const QKeyEvent& key) {
  const Qt::KeyboardModifiers modifiers = key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
  // Latin keys already found their shortcut (or have none); plain typing is not a shortcut.
  if (key.key() < 0x100 || key.key() >= Qt::Key_Escape || !(modifiers & (Qt::ControlModifier | Qt::AltModifier))) {
    return false;
  }
  const std::uint16_t place = TranslateKey(key).VirtualKey;
  if (place < 'A' || place > 'Z') return false;
  // The control under the keyboard may want the key for itself, as it would before any
  // shortcut.
  QKeyEvent claim(QEvent::ShortcutOverride, key.key(), key.modifiers(), key.nativeScanCode(), key.nativeVirtualKey(),
                  key.nativeModifiers(), key.text());
  claim.ignore();
  QApplication::sendEvent(&receiver, &claim);
  if (claim.isAccepted()) return false;
  const QKeySequence wanted(QKeyCombination(modifiers, static_cast<Qt::Key>(place)));
  for (QAction* action : window_.findChildren<QAction*>()) {
    if (action->shortcut() == wanted && action->isEnabled()) {
      action->trigger();
      return true;
    }
  }
  return false;
}
