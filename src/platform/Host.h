// What the editor needs of its window: invalidation and pixel scrolling, the system
// caret, the standard scroll bars, timers, posting a message to itself, focus, beep,
// client size, the clipboard and the completion popup's list window.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/PopupList.h"
#include "platform/Surface.h"
#include "platform/Types.h"

namespace platform {

// Which fields of TScrollInfo the window takes; a bar whose range is empty is shown
// disabled rather than hidden.
inline constexpr unsigned SIF_RANGE = 0x1;
inline constexpr unsigned SIF_PAGE = 0x2;
inline constexpr unsigned SIF_POS = 0x4;
inline constexpr unsigned SIF_DISABLENOSCROLL = 0x8;

struct TScrollInfo {
  unsigned Mask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  int Min = 0;
  int Max = 0;
  int Page = 0;
  int Position = 0;
  bool operator==(const TScrollInfo&) const = default;
};

enum class TScrollBarKind { sbHorizontal, sbVertical };

class Host {
 public:
  virtual ~Host() = default;

  // The window's canvas; what is drawn on it shows at the next flush.
  virtual Surface& Canvas() = 0;
  virtual TSize ClientSize() const = 0;
  virtual bool HasWindow() const = 0;
  virtual bool IsVisible() const = 0;
  virtual bool IsEnabled() const = 0;
  virtual bool Focused() const = 0;
  // Gives the window the keyboard focus (a click in it).
  virtual void SetFocus() = 0;

  virtual void InvalidateAll() = 0;
  virtual void InvalidateRect(const TRect& rect) = 0;
  // Shifts the pixels of `scroll` by (dx, dy) inside `clip` (the ScrollDC of a scroll
  // step); the caller invalidates what was uncovered.
  virtual void ScrollPixels(int dx, int dy, const TRect& scroll, const TRect& clip) = 0;
  // Paints what is invalid now instead of at the next paint cycle.
  virtual void UpdateWindow() = 0;

  // The system caret: created hidden; ShowCaret and HideCaret nest like a counter, and
  // both do nothing while no caret exists.
  virtual void CreateCaret(int width, int height) = 0;
  virtual void DestroyCaret() = 0;
  virtual void ShowCaret() = 0;
  virtual void HideCaret() = 0;
  virtual void SetCaretPos(int x, int y) = 0;

  virtual void SetScrollInfo(TScrollBarKind kind, const TScrollInfo& info) = 0;
  virtual int ScrollTrackPos(TScrollBarKind kind) const = 0;

  virtual void SetTimer(int id, int milliseconds) = 0;
  virtual void KillTimer(int id) = 0;

  // Posts WM_EDITCOMMAND with `code` to the editor: it runs after the current message.
  virtual void PostEditCommand(std::uint16_t code) = 0;
  virtual void Beep() = 0;

  // Clipboard: text in Windows-1251 bytes, plus one private format carrying a small
  // integer (the block format of the copied selection).
  virtual void SetClipboard(const std::string& text, std::optional<int> privateFormat) = 0;
  virtual std::optional<std::string> ClipboardText() const = 0;
  virtual std::optional<int> ClipboardPrivateFormat() const = 0;

  // A drop-down list window for the completion popup, owned by the caller and drawn
  // through client. A window without one answers none: the editor then drops no list.
  virtual std::unique_ptr<PopupList> CreatePopupList(PopupListClient& client) {
    (void)client;
    return nullptr;
  }
};

}  // namespace platform
