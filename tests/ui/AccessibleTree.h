// Walking a window's accessible tree as a screen reader does, for the controls it could
// only call "button" or "text": those without a name.
#pragma once

#include <QAccessible>
#include <QStringList>
#include <QWidget>
#include <string>

namespace accessible_tree {

// What a person acts on, and hears by its name.
inline bool IsControl(QAccessible::Role role) {
  switch (role) {
    case QAccessible::Button:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::PageTab:
      return true;
    default:
      return false;
  }
}

inline void CollectUnnamed(QAccessibleInterface* node, int depth, QStringList& unnamed) {
  if (node == nullptr || depth > 30) return;
  if (IsControl(node->role()) && node->text(QAccessible::Name).trimmed().isEmpty()) {
    const QObject* object = node->object();
    unnamed << (object ? QString::fromLatin1(object->metaObject()->className()) + " " + object->objectName()
                       : QStringLiteral("role %1").arg(node->role()));
  }
  for (int i = 0; i < node->childCount(); ++i) CollectUnnamed(node->child(i), depth + 1, unnamed);
}

}  // namespace accessible_tree

// The buttons, check boxes, combo boxes and text fields of the window that have no
// accessible name, each as its class and object name; empty when all have one.
inline std::string UnnamedControls(QWidget* window) {
  QStringList unnamed;
  accessible_tree::CollectUnnamed(QAccessible::queryAccessibleInterface(window), 0, unnamed);
  return unnamed.join(QStringLiteral(", ")).toStdString();
}
