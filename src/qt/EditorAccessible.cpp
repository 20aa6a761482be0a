// The editor's accessible text: offsets over the Windows-1251 lines shown as Unicode.
#include "qt/EditorAccessible.h"

#include <QAccessible>
#include <algorithm>

#include "platform/Cp1251.h"
#include "qt/EditorWidget.h"

namespace {

using editor::THLEditor;

QString LineText(const THLEditor& memo, int row) {
  return QString::fromStdU16String(platform::Cp1251ToUtf16(memo.Lines().Get(row)));
}

QString WholeText(const THLEditor& memo) {
  QString text;
  const int count = memo.Lines().Count();
  for (int row = 0; row < count; ++row) {
    if (row > 0) text += QLatin1Char('\n');
    text += LineText(memo, row);
  }
  return text;
}

int TextLength(const THLEditor& memo) {
  const int count = memo.Lines().Count();
  int length = std::max(count - 1, 0);
  for (int row = 0; row < count; ++row) length += memo.LineLength(row);
  return length;
}

// The offset of (column, row); columns past a line's end stand at its end.
int OffsetOf(const THLEditor& memo, int column, int row) {
  const int count = memo.Lines().Count();
  if (count == 0) return 0;
  row = std::clamp(row, 0, count - 1);
  int offset = 0;
  for (int r = 0; r < row; ++r) offset += memo.LineLength(r) + 1;
  return offset + std::clamp(column, 0, memo.LineLength(row));
}

// The (column, row) of an offset, clamped into the text.
std::pair<int, int> PositionOf(const THLEditor& memo, int offset) {
  const int count = memo.Lines().Count();
  offset = std::max(offset, 0);
  for (int row = 0; row < count; ++row) {
    const int length = memo.LineLength(row);
    if (offset <= length) return {offset, row};
    offset -= length + 1;
  }
  return count == 0 ? std::pair{0, 0} : std::pair{memo.LineLength(count - 1), count - 1};
}

// The selected spans as offsets: one for a stream or line selection, one per row for a
// column block.
std::vector<std::pair<int, int>> SelectionSpans(const THLEditor& memo) {
  std::vector<std::pair<int, int>> spans;
  if (!memo.Sel.Selected || memo.Lines().Count() == 0) return spans;
  if (memo.Sel.BlockFormat == editor::bfColumn) {
    for (int row = memo.Sel.Beg.Y; row <= memo.Sel.End.Y; ++row) {
      const int start = OffsetOf(memo, memo.Sel.Beg.X, row);
      const int end = OffsetOf(memo, memo.Sel.End.X + 1, row);
      if (start < end) spans.emplace_back(start, end);
    }
    return spans;
  }
  const int inclusive = memo.Sel.BlockFormat == editor::bfInclusive ? 1 : 0;
  const int start = OffsetOf(memo, memo.Sel.Beg.X, memo.Sel.Beg.Y);
  const int end = OffsetOf(memo, memo.Sel.End.X + inclusive, memo.Sel.End.Y);
  if (start < end) spans.emplace_back(start, end);
  return spans;
}

}  // namespace

EditorAccessible::EditorAccessible(EditorWidget* widget) : QAccessibleWidget(widget, QAccessible::EditableText) {}

QAccessibleInterface* EditorAccessible::Factory(const QString& className, QObject* object) {
  if (className != QLatin1String("EditorWidget")) return nullptr;
  auto* widget = qobject_cast<EditorWidget*>(object);
  return widget ? new EditorAccessible(widget) : nullptr;
}

EditorWidget& EditorAccessible::Widget() const { return *static_cast<EditorWidget*>(widget()); }

void* EditorAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

QAccessible::State EditorAccessible::state() const {
  QAccessible::State s = QAccessibleWidget::state();
  s.editable = !Widget().Editor().ReadOnly;
  s.readOnly = Widget().Editor().ReadOnly;
  s.multiLine = true;
  s.selectableText = true;
  return s;
}

QString EditorAccessible::text(QAccessible::Text which) const {
  if (which == QAccessible::Value) return WholeText(Widget().Editor());
  return QAccessibleWidget::text(which);
}

void EditorAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
  const auto spans = SelectionSpans(Widget().Editor());
  if (selectionIndex < 0 || selectionIndex >= static_cast<int>(spans.size())) {
    *startOffset = *endOffset = 0;
    return;
  }
  *startOffset = spans[static_cast<size_t>(selectionIndex)].first;
  *endOffset = spans[static_cast<size_t>(selectionIndex)].second;
}

int EditorAccessible::selectionCount() const { return static_cast<int>(SelectionSpans(Widget().Editor()).size()); }

// The editor holds one selection: adding one replaces it.
void EditorAccessible::addSelection(int startOffset, int endOffset) { setSelection(0, startOffset, endOffset); }

void EditorAccessible::removeSelection(int) {
  Widget().Editor().CancelSelection();
  Widget().Editor().StatusChanged();
}

void EditorAccessible::setSelection(int, int startOffset, int endOffset) {
  THLEditor& memo = Widget().Editor();
  const auto [begX, begY] = PositionOf(memo, std::min(startOffset, endOffset));
  const auto [endX, endY] = PositionOf(memo, std::max(startOffset, endOffset));
  memo.Sel.BlockFormat = editor::bfNonInclusive;
  memo.SelectRange(begX, begY, endX, endY);
  memo.SetCaret(endX, endY);
  memo.StatusChanged();
}

int EditorAccessible::cursorPosition() const {
  const THLEditor& memo = Widget().Editor();
  return OffsetOf(memo, memo.CaretX, memo.CaretY);
}

void EditorAccessible::setCursorPosition(int position) {
  THLEditor& memo = Widget().Editor();
  const auto [x, y] = PositionOf(memo, position);
  memo.CancelSelection();
  memo.SetCaret(x, y);
}

QString EditorAccessible::text(int startOffset, int endOffset) const {
  const QString whole = WholeText(Widget().Editor());
  if (endOffset < 0 || endOffset > whole.size()) endOffset = static_cast<int>(whole.size());
  startOffset = std::clamp(startOffset, 0, endOffset);
  return whole.mid(startOffset, endOffset - startOffset);
}

int EditorAccessible::characterCount() const { return TextLength(Widget().Editor()); }

QRect EditorAccessible::characterRect(int offset) const {
  const THLEditor& memo = Widget().Editor();
  const auto [column, row] = PositionOf(memo, offset);
  const platform::TRect cell = memo.View().CellRect(column - memo.View().LeftCol, row - memo.View().TopRow);
  const QRect local(cell.Left, cell.Top, cell.Width(), cell.Height());
  return QRect(Widget().viewport()->mapToGlobal(local.topLeft()), local.size());
}

int EditorAccessible::offsetAtPoint(const QPoint& point) const {
  const THLEditor& memo = Widget().Editor();
  const QPoint local = Widget().viewport()->mapFromGlobal(point);
  if (!Widget().viewport()->rect().contains(local)) return -1;
  const platform::TPoint cell = memo.View().PositionFromPoint(local.x(), local.y());
  return OffsetOf(memo, cell.X, cell.Y);
}

void EditorAccessible::scrollToSubstring(int startIndex, int) {
  THLEditor& memo = Widget().Editor();
  memo.View().ScrollToRow(PositionOf(memo, startIndex).second);
}

// The colours are the highlighter's; no text attributes are reported.
QString EditorAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
  *startOffset = 0;
  *endOffset = characterCount();
  Q_UNUSED(offset);
  return {};
}

void AccessibleEditorNotifier::Sync(EditorWidget& widget) {
  SyncText(widget);
  SyncCaret(widget);
}

void AccessibleEditorNotifier::SyncText(EditorWidget& widget) {
  if (!QAccessible::isActive()) return;
  const QString text = WholeText(widget.Editor());
  if (text != text_) {
    // The changed span: what lies between the common start and the common end.
    const qsizetype shorter = std::min(text.size(), text_.size());
    qsizetype head = 0;
    while (head < shorter && text[head] == text_[head]) ++head;
    qsizetype tail = 0;
    while (tail < shorter - head && text[text.size() - 1 - tail] == text_[text_.size() - 1 - tail]) ++tail;
    const QString removed = text_.mid(head, text_.size() - head - tail);
    const QString inserted = text.mid(head, text.size() - head - tail);
    const int position = static_cast<int>(head);
    text_ = text;
    if (removed.isEmpty()) {
      QAccessibleTextInsertEvent event(&widget, position, inserted);
      QAccessible::updateAccessibility(&event);
    } else if (inserted.isEmpty()) {
      QAccessibleTextRemoveEvent event(&widget, position, removed);
      QAccessible::updateAccessibility(&event);
    } else {
      QAccessibleTextUpdateEvent event(&widget, position, removed, inserted);
      QAccessible::updateAccessibility(&event);
    }
  }
}

void AccessibleEditorNotifier::SyncCaret(EditorWidget& widget) {
  if (!QAccessible::isActive()) return;
  const THLEditor& memo = widget.Editor();
  const int caret = OffsetOf(memo, memo.CaretX, memo.CaretY);
  if (caret != caret_) {
    caret_ = caret;
    QAccessibleTextCursorEvent event(&widget, caret);
    QAccessible::updateAccessibility(&event);
  }
  auto selections = SelectionSpans(memo);
  if (selections != selections_) {
    selections_ = std::move(selections);
    const auto span = selections_.empty() ? std::pair{caret, caret} : selections_.front();
    QAccessibleTextSelectionEvent event(&widget, span.first, span.second);
    QAccessible::updateAccessibility(&event);
  }
}
