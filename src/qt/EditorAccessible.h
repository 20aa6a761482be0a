// EditorAccessible: the editor as assistive technology sees it — an editable text whose
// name is the document's, read as Unicode, with its caret and selection; and the notifier
// that tells it what the user's typing and moving changed.
#pragma once

#include <QAccessibleWidget>
#include <QString>
#include <utility>
#include <vector>

class EditorWidget;

// A text offset counts characters from the start of the text, every line break counting
// one; a caret beyond the end of its line stands at that line's end.
class EditorAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit EditorAccessible(EditorWidget* widget);

  // The factory Qt asks for the interface of an EditorWidget.
  static QAccessibleInterface* Factory(const QString& className, QObject* object);

  void* interface_cast(QAccessible::InterfaceType type) override;
  QAccessible::State state() const override;
  QString text(QAccessible::Text which) const override;

  // ---- QAccessibleTextInterface ----
  void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
  int selectionCount() const override;
  void addSelection(int startOffset, int endOffset) override;
  void removeSelection(int selectionIndex) override;
  void setSelection(int selectionIndex, int startOffset, int endOffset) override;
  int cursorPosition() const override;
  void setCursorPosition(int position) override;
  QString text(int startOffset, int endOffset) const override;
  int characterCount() const override;
  QRect characterRect(int offset) const override;
  int offsetAtPoint(const QPoint& point) const override;
  void scrollToSubstring(int startIndex, int endIndex) override;
  QString attributes(int offset, int* startOffset, int* endOffset) const override;

 private:
  EditorWidget& Widget() const;
};

// Remembers what assistive technology was last told and reports the difference: the
// changed span of the text, the caret offset and the selection. Nothing is computed
// while no assistive technology listens.
class AccessibleEditorNotifier {
 public:
  // After a new document: the text, then the caret and the selection.
  void Sync(EditorWidget& widget);
  // After an edit; the editor's status change that follows every edit brings the caret.
  void SyncText(EditorWidget& widget);
  // After a caret or selection change, which leaves the text as it was.
  void SyncCaret(EditorWidget& widget);

 private:

  QString text_;
  int caret_ = -1;
  std::vector<std::pair<int, int>> selections_;
};
