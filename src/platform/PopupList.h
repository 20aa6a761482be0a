// The drop-down list box of the completion popup: a window of the platform that the
// editor fills through a small interface, and what the list asks of its owner.
#pragma once

#include <cstdint>

#include "platform/Surface.h"
#include "platform/Types.h"

namespace platform {

// What the list asks of the one who fills it: how an item looks, and what a mouse
// release after a press in the list means.
class PopupListClient {
 public:
  virtual ~PopupListClient() = default;
  // Paints item `index` into rect (list pixels); the owner fills the whole rectangle.
  virtual void DrawListItem(Surface& surface, int index, const TRect& rect, bool selected) = 0;
  // The left button went up after a press in the list, over the list or outside it.
  virtual void ListReleased(bool inside) = 0;
};

// A list box in a top-level window of its own, with a one-pixel border, that never
// takes the activation (nor the keyboard focus) from the window that owns it: keys reach
// it only through KeyDown. It is created hidden. Items are fixed-height rows drawn by
// the client; the list keeps the selected item and its scroll position.
class PopupList {
 public:
  virtual ~PopupList() = default;

  virtual void SetItemCount(int count) = 0;
  virtual int ItemCount() const = 0;
  virtual void SetItemHeight(int height) = 0;
  // -1: no item is selected. Selecting an item scrolls it into view.
  virtual int ItemIndex() const = 0;
  virtual void SetItemIndex(int index) = 0;
  // The first item in view.
  virtual int TopIndex() const = 0;
  // Page Up, Page Down, Home, End, Up and Down move the selection as in any list box.
  virtual void KeyDown(std::uint16_t key) = 0;

  // Where a client point of the owning editor window lies on the screen, and the
  // rectangle of the screen it is on.
  virtual TPoint ClientToScreen(TPoint point) const = 0;
  virtual TRect ScreenRect() const = 0;

  // Shows the window (or moves it) at bounds, in screen pixels, without activating it.
  virtual void Popup(const TRect& bounds) = 0;
  virtual void Hide() = 0;
  virtual bool Shown() const = 0;
  // Draws the items again (the client's drawing changed).
  virtual void Repaint() = 0;
};

}  // namespace platform
