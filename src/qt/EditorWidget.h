// EditorWidget: the Qt window of the editor control. It owns a THLEditor, implements
// its Host, and turns Qt events into the editor's entry points.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QRegion>
#include <QTimer>
#include <map>
#include <memory>

#include "editor/html/HLEditor.h"
#include "platform/Host.h"
#include "qt/EditorAccessible.h"

class QtColorPalette;
class QtSurface;
class QScrollBar;

// The editor draws into a backing image the size of the viewport (in the screen's real
// pixels) at any time; what it
// asks to have repainted is painted into the image at the next paint event, and pixel
// scrolls shift the image. The system caret is an overlay blinking at the platform's
// rate. The window's scroll bars follow the editor's scroll-bar objects and report their
// actions back as scroll codes.
class EditorWidget : public QAbstractScrollArea, public platform::Host {
  Q_OBJECT

 public:
  explicit EditorWidget(QWidget* parent = nullptr);
  ~EditorWidget() override;

  editor::THLEditor& Editor() { return *editor_; }
  // The backing image as last painted, in device pixels (for tests and screenshots).
  const QImage& CanvasImage() const { return image_; }

  // The name assistive technology announces for the editor: the document's file name
  // or "Новый". A new name means a new text, which is reported too.
  void SetDocumentName(const QString& name);

  // ---- platform::Host ----
  platform::Surface& Canvas() override;
  platform::TSize ClientSize() const override;
  bool HasWindow() const override { return true; }
  bool IsVisible() const override { return isVisible(); }
  bool IsEnabled() const override { return isEnabled(); }
  bool Focused() const override { return hasFocus(); }
  void SetFocus() override { setFocus(Qt::MouseFocusReason); }
  void InvalidateAll() override;
  void InvalidateRect(const platform::TRect& rect) override;
  void ScrollPixels(int dx, int dy, const platform::TRect& scroll, const platform::TRect& clip) override;
  void UpdateWindow() override;
  void CreateCaret(int width, int height) override;
  void DestroyCaret() override;
  void ShowCaret() override;
  void HideCaret() override;
  void SetCaretPos(int x, int y) override;
  void SetScrollInfo(platform::TScrollBarKind kind, const platform::TScrollInfo& info) override;
  int ScrollTrackPos(platform::TScrollBarKind kind) const override;
  void SetTimer(int id, int milliseconds) override;
  void KillTimer(int id) override;
  void PostEditCommand(std::uint16_t code) override;
  void Beep() override;
  void SetClipboard(const std::string& text, std::optional<int> privateFormat) override;
  std::optional<std::string> ClipboardText() const override;
  std::optional<int> ClipboardPrivateFormat() const override;
  std::unique_ptr<platform::PopupList> CreatePopupList(platform::PopupListClient& client) override;

  // Where the caret overlay stands and whether it is showing now (blink phase aside).
  QRect CaretRect() const { return QRect(caretPos_, caretSize_); }
  bool CaretShowing() const { return caretCreated_ && caretHideLevel_ == 0; }

 signals:
  void changed();
  void keyReleased();
  void mouseReleased();
  // A command the editor hands to its owner (editor::ecFind, editor::ecReplace).
  void ownerCommand(int code);

 protected:
  bool event(QEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  QScrollBar* BarOf(platform::TScrollBarKind kind) const;
  void BarAction(platform::TScrollBarKind kind, int action);
  void ReplaceImage(const QSize& size);
  // The view in the editor's (logical) pixels, and a rectangle of it in the image's.
  QRect ViewRect() const;
  QRect ToDevice(const QRect& rect) const;
  // Shows what is in the image at rect at the next paint.
  void Show(const QRect& rect);
  void PaintInvalidArea();
  void UpdateCaretArea();
  void Blink();

  QImage image_;
  std::unique_ptr<QtColorPalette> palette_;
  std::unique_ptr<QtSurface> surface_;
  std::unique_ptr<editor::THLEditor> editor_;
  QRegion invalid_;  // what the editor must paint before the image is shown
  QRegion shown_;    // what the image already holds and only needs showing
  bool painting_ = false;
  // The caret overlay.
  bool caretCreated_ = false;
  int caretHideLevel_ = 0;
  bool blinkOn_ = true;
  QPoint caretPos_;
  QSize caretSize_;
  QTimer blinkTimer_;
  std::map<int, std::unique_ptr<QTimer>> timers_;
  AccessibleEditorNotifier accessibility_;
};
