// The editor's Qt window: the backing image and its paint cycle, the caret overlay, the
// scroll bars, timers, clipboard, and the translation of Qt events to the editor.
#include "qt/EditorWidget.h"

#include <cstring>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>

#include "platform/Cp1251.h"
#include "platform/Messages.h"
#include "qt/KeyMap.h"
#include "qt/QtSurface.h"
#include "qt/TEditorCompletionList.h"

namespace {

// The registered clipboard format that carries the block format of a copied selection.
const char* const kBlockTypeFormat = "application/x-quorvel-block-type";

QRect ToQRect(const platform::TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

platform::TRect ToTRect(const QRect& r) { return platform::TRect{r.left(), r.top(), r.right() + 1, r.bottom() + 1}; }

// Moves the pixels of `from` by `shift` inside the image, in place: the two blocks may
// overlap, so rows moving down are copied from the bottom up. What would fall outside the
// image is left out.
void MoveImageBlock(QImage& image, QRect from, const QPoint& shift) {
  from &= image.rect() & image.rect().translated(-shift);
  if (from.isEmpty()) return;
  const int bytesPerPixel = image.depth() / 8;
  const std::size_t rowBytes = static_cast<std::size_t>(from.width()) * bytesPerPixel;
  uchar* const bits = image.bits();
  const qsizetype stride = image.bytesPerLine();
  for (int i = 0; i < from.height(); ++i) {
    const int row = shift.y() > 0 ? from.bottom() - i : from.top() + i;
    const uchar* const source = bits + row * stride + from.left() * bytesPerPixel;
    uchar* const target = bits + (row + shift.y()) * stride + (from.left() + shift.x()) * bytesPerPixel;
    std::memmove(target, source, rowBytes);
  }
}

editor::TMouseButton ButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::RightButton: return editor::mbRight;
    case Qt::MiddleButton: return editor::mbMiddle;
    default: return editor::mbLeft;
  }
}

}  // namespace

EditorWidget::EditorWidget(QWidget* parent)
    : QAbstractScrollArea(parent),
      palette_(std::make_unique<QtColorPalette>(palette())),
      surface_(std::make_unique<QtSurface>(image_)),
      editor_(std::make_unique<editor::THLEditor>(*this)) {
  setObjectName("Memo1");
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  viewport()->setMouseTracking(true);
  viewport()->setCursor(Qt::IBeamCursor);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  surface_->SetPalette(palette_.get());
  surface_->OnDrawn = [this](const QRect& rect) {
    if (!painting_) Show(rect);
  };
  for (const auto kind : {platform::TScrollBarKind::sbHorizontal, platform::TScrollBarKind::sbVertical}) {
    connect(BarOf(kind), &QScrollBar::actionTriggered, this, [this, kind](int action) { BarAction(kind, action); });
    connect(BarOf(kind), &QScrollBar::sliderReleased, this, [this, kind] {
      editor_->ScrollMessage(kind, platform::SB_THUMBPOSITION);
      editor_->ScrollMessage(kind, platform::SB_ENDSCROLL);
    });
  }
  const int flash = QApplication::cursorFlashTime();
  if (flash > 0) {
    blinkTimer_.setInterval(flash / 2);
    connect(&blinkTimer_, &QTimer::timeout, this, [this] { Blink(); });
  }
  editor_->OnChange = [this] {
    accessibility_.SyncText(*this);
    emit changed();
  };
  editor_->OnChangeStatus = [this] { accessibility_.SyncCaret(*this); };
  editor_->OnOwnerCommand = [this](editor::TCommand code) { emit ownerCommand(code); };
  static const bool accessibleInstalled = (QAccessible::installFactory(&EditorAccessible::Factory), true);
  Q_UNUSED(accessibleInstalled);
  setAccessibleName(QStringLiteral("Новый"));
  ReplaceImage(viewport()->size());
  editor_->WindowCreated();
}

EditorWidget::~EditorWidget() {
  // The editor may still touch its host while it goes.
  editor_.reset();
  surface_.reset();
}

void EditorWidget::SetDocumentName(const QString& name) {
  setAccessibleName(name);
  accessibility_.Sync(*this);
}

// ---- Canvas and invalidation ----

platform::Surface& EditorWidget::Canvas() { return *surface_; }

platform::TSize EditorWidget::ClientSize() const { return {viewport()->width(), viewport()->height()}; }

void EditorWidget::Show(const QRect& rect) {
  shown_ += rect;
  viewport()->update(rect);
}

QRect EditorWidget::ViewRect() const { return QRect(QPoint(0, 0), image_.deviceIndependentSize().toSize()); }

void EditorWidget::InvalidateAll() {
  invalid_ = QRegion(ViewRect());
  Show(ViewRect());
}

void EditorWidget::InvalidateRect(const platform::TRect& rect) {
  const QRect r = ToQRect(rect) & ViewRect();
  if (r.isEmpty()) return;
  invalid_ += r;
  Show(r);
}

void EditorWidget::ScrollPixels(int dx, int dy, const platform::TRect& scroll, const platform::TRect& clip) {
  surface_->Flush();
  const QRect target = ToQRect(scroll).translated(dx, dy) & ToQRect(clip) & ViewRect();
  if (target.isEmpty()) return;
  // The image holds device pixels: the shift moves those, so nothing is resampled. At a
  // fractional scale the two blocks may round to sizes a pixel apart; then the copy is
  // drawn to fit.
  const QRect from = ToDevice(target.translated(-dx, -dy));
  const QRect to = ToDevice(target);
  if (from.size() == to.size()) {
    MoveImageBlock(image_, from, to.topLeft() - from.topLeft());
  } else {
    const QImage moved = image_.copy(from);
    QPainter p(&image_);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QRectF(target), moved);
  }
  Show(ToQRect(clip));
}

void EditorWidget::UpdateWindow() {
  if (!invalid_.isEmpty()) viewport()->repaint(invalid_);
}

// The image has the screen's real pixels: at a scale of 2 every logical pixel of the
// editor's grid is 2 x 2 of them, and text is drawn at that resolution, not stretched.
void EditorWidget::ReplaceImage(const QSize& size) {
  surface_->Flush();
  const qreal ratio = viewport()->devicePixelRatioF();
  const QSize logical = size.expandedTo(QSize(1, 1));
  QImage fresh((QSizeF(logical) * ratio).toSize().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  fresh.setDevicePixelRatio(ratio);
  fresh.fill(surface_->Resolve(editor_ ? editor_->Color : platform::clWindow));
  image_.swap(fresh);
  invalid_ = QRegion(ViewRect());
}

QRect EditorWidget::ToDevice(const QRect& rect) const {
  const qreal ratio = image_.devicePixelRatio();
  return QRectF(QPointF(rect.topLeft()) * ratio, QSizeF(rect.size()) * ratio).toAlignedRect();
}

// Paints what the editor was asked to repaint, each area on a background erased to the
// editor's colour first, as the window system does before a paint.
void EditorWidget::PaintInvalidArea() {
  if (invalid_.isEmpty() || editor_->UpdateLock > 0) return;
  const QRegion area = invalid_;
  invalid_ = QRegion();
  painting_ = true;
  const auto paintRect = [&](const QRect& r) {
    surface_->SetClip(r);
    surface_->FillRect(ToTRect(r), editor_->Color);
    editor_->Paint(ToTRect(r));
  };
  if (area.rectCount() > 8) {
    paintRect(area.boundingRect());
  } else {
    for (const QRect& r : area) paintRect(r);
  }
  surface_->SetClip(std::nullopt);
  surface_->Flush();
  painting_ = false;
}

void EditorWidget::paintEvent(QPaintEvent* event) {
  // Moved to a screen of another scale: the whole view is drawn anew at its pixels.
  if (viewport()->devicePixelRatioF() != image_.devicePixelRatio()) {
    ReplaceImage(viewport()->size());
    viewport()->update();
  }
  // Areas the editor did not ask to show (an expose, an update from outside) are
  // repainted by the editor, as the platform does with any invalid area.
  invalid_ += event->region() - shown_ - invalid_;
  shown_ -= event->region();
  PaintInvalidArea();
  surface_->Flush();
  QPainter p(viewport());
  p.drawImage(QRectF(event->rect()), image_, QRectF(ToDevice(event->rect())));
  if (CaretShowing() && blinkOn_ && hasFocus()) {
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.fillRect(CaretRect(), Qt::white);
  }
}

void EditorWidget::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  ReplaceImage(viewport()->size());
  editor_->Resized();
}

void EditorWidget::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::PaletteChange) {
    palette_ = std::make_unique<QtColorPalette>(palette());
    surface_->SetPalette(palette_.get());
    InvalidateAll();
  }
}

// The view scrolls through the editor, never by the scroll area's own shifting.
void EditorWidget::scrollContentsBy(int, int) {}

// ---- Caret overlay ----

void EditorWidget::UpdateCaretArea() { Show(CaretRect()); }

void EditorWidget::CreateCaret(int width, int height) {
  if (caretCreated_) UpdateCaretArea();
  caretCreated_ = true;
  caretHideLevel_ = 1;  // a new caret starts hidden
  caretSize_ = QSize(width, std::max(height, 1));
  blinkOn_ = true;
  if (blinkTimer_.interval() > 0) blinkTimer_.start();
}

void EditorWidget::DestroyCaret() {
  if (!caretCreated_) return;
  UpdateCaretArea();
  caretCreated_ = false;
  blinkTimer_.stop();
}

void EditorWidget::ShowCaret() {
  if (!caretCreated_ || caretHideLevel_ == 0) return;
  if (--caretHideLevel_ == 0) {
    blinkOn_ = true;
    UpdateCaretArea();
  }
}

void EditorWidget::HideCaret() {
  if (!caretCreated_) return;
  if (caretHideLevel_++ == 0) UpdateCaretArea();
}

void EditorWidget::SetCaretPos(int x, int y) {
  if (caretPos_ == QPoint(x, y)) return;
  UpdateCaretArea();
  caretPos_ = QPoint(x, y);
  blinkOn_ = true;
  UpdateCaretArea();
}

void EditorWidget::Blink() {
  blinkOn_ = !blinkOn_;
  if (CaretShowing()) UpdateCaretArea();
}

// ---- Scroll bars ----

QScrollBar* EditorWidget::BarOf(platform::TScrollBarKind kind) const {
  return kind == platform::TScrollBarKind::sbVertical ? verticalScrollBar() : horizontalScrollBar();
}

void EditorWidget::SetScrollInfo(platform::TScrollBarKind kind, const platform::TScrollInfo& info) {
  QScrollBar* bar = BarOf(kind);
  const QSignalBlocker blocker(bar);
  if (info.Mask & platform::SIF_PAGE) bar->setPageStep(std::max(info.Page, 1));
  if (info.Mask & platform::SIF_RANGE) {
    // The thumb stops where the last page begins, as the platform's bar does.
    const int last = std::max(info.Min, info.Max - std::max(info.Page, 1) + 1);
    bar->setRange(info.Min, last);
    bar->setEnabled(last > info.Min || !(info.Mask & platform::SIF_DISABLENOSCROLL));
  }
  if (info.Mask & platform::SIF_POS) bar->setValue(info.Position);
}

int EditorWidget::ScrollTrackPos(platform::TScrollBarKind kind) const { return BarOf(kind)->sliderPosition(); }

void EditorWidget::BarAction(platform::TScrollBarKind kind, int action) {
  int code = -1;
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: code = platform::SB_LINEDOWN; break;
    case QAbstractSlider::SliderSingleStepSub: code = platform::SB_LINEUP; break;
    case QAbstractSlider::SliderPageStepAdd: code = platform::SB_PAGEDOWN; break;
    case QAbstractSlider::SliderPageStepSub: code = platform::SB_PAGEUP; break;
    case QAbstractSlider::SliderToMinimum: code = platform::SB_TOP; break;
    case QAbstractSlider::SliderToMaximum: code = platform::SB_BOTTOM; break;
    case QAbstractSlider::SliderMove: code = platform::SB_THUMBTRACK; break;
    default: return;
  }
  editor_->ScrollMessage(kind, code);
  // The bar shows the position the editor chose, not the one it computed itself.
  const editor::TControlScrollBar95& own =
      kind == platform::TScrollBarKind::sbVertical ? editor_->View().VertScrollBar : editor_->View().HorzScrollBar;
  BarOf(kind)->setSliderPosition(own.Position());
}

// ---- Timers, posted commands, beep, clipboard ----

void EditorWidget::SetTimer(int id, int milliseconds) {
  std::unique_ptr<QTimer>& timer = timers_[id];
  if (!timer) {
    timer = std::make_unique<QTimer>();
    connect(timer.get(), &QTimer::timeout, this, [this, id] { editor_->Timer(id); });
  }
  timer->start(milliseconds);
}

void EditorWidget::KillTimer(int id) {
  const auto it = timers_.find(id);
  if (it != timers_.end()) it->second->stop();
}

void EditorWidget::PostEditCommand(std::uint16_t code) {
  QMetaObject::invokeMethod(
      this, [this, code] { editor_->Perform(platform::WM_EDITCOMMAND, code, 0); }, Qt::QueuedConnection);
}

void EditorWidget::Beep() { QApplication::beep(); }

void EditorWidget::SetClipboard(const std::string& text, std::optional<int> privateFormat) {
  auto* data = new QMimeData;
  data->setText(QString::fromStdU16String(platform::Cp1251ToUtf16(text)));
  if (privateFormat) data->setData(kBlockTypeFormat, QByteArray(1, static_cast<char>(*privateFormat)));
  QGuiApplication::clipboard()->setMimeData(data);
}

std::optional<std::string> EditorWidget::ClipboardText() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data == nullptr || !data->hasText()) return std::nullopt;
  return platform::Utf16ToCp1251(data->text().toStdU16String());
}

std::optional<int> EditorWidget::ClipboardPrivateFormat() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data == nullptr || !data->hasFormat(kBlockTypeFormat)) return std::nullopt;
  const QByteArray bytes = data->data(kBlockTypeFormat);
  if (bytes.isEmpty()) return std::nullopt;
  return static_cast<unsigned char>(bytes.at(0));
}

std::unique_ptr<platform::PopupList> EditorWidget::CreatePopupList(platform::PopupListClient& client) {
  return std::make_unique<TEditorCompletionList>(*viewport(), client);
}

// ---- Input ----

// Tab and Back-Tab are the editor's keys, not focus moves.
bool EditorWidget::event(QEvent* event) {
  // The second key of a two-key sequence is the editor's, even where the window has a
  // shortcut on it: Ctrl+Q, Ctrl+R stays "top of the text", not the menu's Replace.
  if (event->type() == QEvent::ShortcutOverride && editor_->Dispatcher().WaitSecondKey) {
    event->accept();
    return true;
  }
  return QAbstractScrollArea::event(event);
}

bool EditorWidget::focusNextPrevChild(bool) { return false; }

void EditorWidget::keyPressEvent(QKeyEvent* event) {
  const TranslatedKey key = TranslateKey(*event);
  std::uint16_t vk = key.VirtualKey;
  if (vk != 0) editor_->KeyDown(vk, key.Shift);
  if (key.Char) {
    char ch = static_cast<char>(*key.Char);
    editor_->KeyPress(ch);
  }
  event->accept();
}

void EditorWidget::keyReleaseEvent(QKeyEvent* event) {
  QAbstractScrollArea::keyReleaseEvent(event);
  emit keyReleased();
}

void EditorWidget::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  editor_->MouseDown(ButtonOf(event->button()), ShiftStateOf(event->modifiers()), p.x(), p.y());
}

void EditorWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  // Over the gutter the pointer is the arrow.
  viewport()->setCursor(p.x() < editor_->View().GutterWidth ? Qt::ArrowCursor : Qt::IBeamCursor);
  // The middle button drags a column block as the left one drags any selection.
  const bool dragging = (event->buttons() & (Qt::LeftButton | Qt::MiddleButton)) != 0;
  editor_->MouseMove(ShiftStateOf(event->modifiers()), dragging, p.x(), p.y());
}

void EditorWidget::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  editor_->MouseUp(ButtonOf(event->button()), ShiftStateOf(event->modifiers()), p.x(), p.y());
  emit mouseReleased();
}

// The double click comes first; the press that goes with it is then skipped.
void EditorWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (event->button() == Qt::LeftButton) editor_->DblClick(p.x(), p.y());
  editor_->MouseDown(ButtonOf(event->button()), ShiftStateOf(event->modifiers()), p.x(), p.y());
}

// A touchpad swipe may carry both axes in one event.
void EditorWidget::wheelEvent(QWheelEvent* event) {
  const QPoint angle = event->angleDelta();
  const std::uint8_t shift = ShiftStateOf(event->modifiers());
  if (angle.y() != 0) editor_->MouseWheel(shift, angle.y());
  if (angle.x() != 0) editor_->MouseHWheel(shift, angle.x());
  event->accept();
}

void EditorWidget::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  editor_->FocusEnter();
}

void EditorWidget::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  editor_->FocusLeave();
}
