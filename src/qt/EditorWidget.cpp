// The editor's Qt window.
#include "qt/EditorWidget.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

#include "platform/Cp1251.h"

// A placeholder surface until the real painter lands.
class QtSurface : public platform::Surface {
 public:
  void SetFont(const platform::TFontSpec&) override {}
  int TextWidth(std::string_view text) override { return static_cast<int>(text.size()) * 8; }
  int TextHeight(std::string_view) override { return 15; }
  void FillRect(const platform::TRect&, platform::TColor) override {}
  void TextRun(int, int, std::string_view, int, platform::TFontStyles, platform::TColor,
               platform::TColor, const platform::TRect&) override {}
  void VerticalLine(int, int, int, int, platform::TColor) override {}
  void FrameRect(const platform::TRect&, platform::TColor) override {}
};

EditorWidget::EditorWidget(QWidget* parent)
    : QAbstractScrollArea(parent),
      surface_(std::make_unique<QtSurface>()),
      editor_(std::make_unique<editor::THLEditor>(*this)) {
  setObjectName("Memo1");
  setFocusPolicy(Qt::StrongFocus);
  editor_->OnChange = [this] { emit changed(); };
}

EditorWidget::~EditorWidget() = default;

platform::Surface& EditorWidget::Canvas() { return *surface_; }

platform::TSize EditorWidget::ClientSize() const {
  return {viewport()->width(), viewport()->height()};
}

void EditorWidget::InvalidateAll() { viewport()->update(); }

void EditorWidget::InvalidateRect(const platform::TRect& r) {
  viewport()->update(QRect(r.Left, r.Top, r.Width(), r.Height()));
}

void EditorWidget::ScrollPixels(int, int, const platform::TRect&, const platform::TRect&) {
  viewport()->update();
}

void EditorWidget::UpdateWindow() { viewport()->repaint(); }

void EditorWidget::Beep() { QApplication::beep(); }

void EditorWidget::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), QColor(0, 0, 128));
  painter.setPen(QColor(255, 255, 0));
  const auto& lines = editor_->Lines();
  const int lineHeight = fontMetrics().height();
  for (int row = 0; row < lines.Count() && row * lineHeight < viewport()->height(); ++row) {
    const std::u16string text = platform::Cp1251ToUtf16(lines.Get(row));
    painter.drawText(30, (row + 1) * lineHeight, QString::fromStdU16String(text));
  }
}

void EditorWidget::keyReleaseEvent(QKeyEvent* event) {
  QAbstractScrollArea::keyReleaseEvent(event);
  emit keyReleased();
}

void EditorWidget::mouseReleaseEvent(QMouseEvent* event) {
  QAbstractScrollArea::mouseReleaseEvent(event);
  emit mouseReleased();
}
