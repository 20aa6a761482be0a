// EditorWidget: the Qt window of the editor control. It owns a THLEditor, implements
// its Host, and turns Qt events into the editor's entry points.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <memory>

#include "editor/HLEditor.h"
#include "platform/Host.h"

class QtSurface;

class EditorWidget : public QAbstractScrollArea, public platform::Host {
  Q_OBJECT

 public:
  explicit EditorWidget(QWidget* parent = nullptr);
  ~EditorWidget() override;

  editor::THLEditor& Editor() { return *editor_; }

  // ---- platform::Host ----
  platform::Surface& Canvas() override;
  platform::TSize ClientSize() const override;
  bool HasWindow() const override { return true; }
  bool IsVisible() const override { return isVisible(); }
  bool IsEnabled() const override { return isEnabled(); }
  bool Focused() const override { return hasFocus(); }
  void InvalidateAll() override;
  void InvalidateRect(const platform::TRect& rect) override;
  void ScrollPixels(int dx, int dy, const platform::TRect& scroll, const platform::TRect& clip) override;
  void UpdateWindow() override;
  void CreateCaret(int, int) override {}
  void DestroyCaret() override {}
  void ShowCaret() override {}
  void HideCaret() override {}
  void SetCaretPos(int, int) override {}
  void SetScrollInfo(platform::TScrollBarKind, const platform::TScrollInfo&) override {}
  int ScrollTrackPos(platform::TScrollBarKind) const override { return 0; }
  void SetTimer(int, int) override {}
  void KillTimer(int) override {}
  void PostEditCommand(std::uint16_t) override {}
  void Beep() override;
  void SetClipboard(const std::string&, std::optional<int>) override {}
  std::optional<std::string> ClipboardText() const override { return std::nullopt; }
  std::optional<int> ClipboardPrivateFormat() const override { return std::nullopt; }

 signals:
  void changed();
  void keyReleased();
  void mouseReleased();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  std::unique_ptr<QtSurface> surface_;
  std::unique_ptr<editor::THLEditor> editor_;
};
