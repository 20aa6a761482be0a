// TMouseHandler: the mouse on the editor. Clicks place the caret, Shift+click and drags
// select (scrolling by timer beyond the window's edges), double clicks select a word or
// a line, gutter clicks are reported, the wheel scrolls. It holds the drag and wheel state.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/Types.h"

namespace editor {

class TCustomEditorBase;

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

// Wheel turns summed on one axis: a touchpad or a fine wheel sends many small turns,
// and each full step of them counts, whatever the size of the turns it came in.
class TWheelSum {
 public:
  // Adds delta and answers the whole steps now reached (negative the other way); the
  // rest waits for the next turn. A turn the other way starts afresh.
  int Steps(int delta, int step);
  void Reset() { sum_ = 0; }

 private:
  int sum_ = 0;
};

class TMouseHandler {
 public:
  explicit TMouseHandler(TCustomEditorBase& editor) : editor_(editor) {}
  TMouseHandler(const TMouseHandler&) = delete;
  TMouseHandler& operator=(const TMouseHandler&) = delete;

  // A held middle button drags once the pointer is this many pixels or more away from
  // where it went down.
  static constexpr int DragThreshold = 4;

  bool MouseIsDown = false;
  bool IgnoreNextPress = false;
  int DragY = 0, DragCol = 0, DragRow = 0;
  // A middle press only focuses; without Shift, once the pointer moves on with the button
  // held, it selects a column block from the pressed cell, as a left drag with Alt does.
  void MouseDown(TMouseButton button, std::uint8_t shift, int x, int y);
  // leftHeld: a selecting button (the left, or the middle one) is down during the move.
  void MouseMove(std::uint8_t shift, bool leftHeld, int x, int y);
  void MouseUp(TMouseButton button, std::uint8_t shift, int x, int y);
  void DblClick(int x, int y);
  // The wheel, in the platform's units (120 a notch; positive away from the user).
  void MouseWheel(std::uint8_t shift, int delta);
  // A sideways wheel or swipe (positive to the left): the view scrolls sideways by the
  // vertical wheel's steps.
  void MouseHWheel(std::uint8_t shift, int delta);
  // The drag-scroll timer went off.
  void DragScrollTick();

 private:
  void PlaceByLeftPress(std::uint8_t shift, platform::TPoint cell);
  // A middle press waits to become a drag, and the pointer has moved far enough for it.
  bool MiddleMovedOn(int x, int y) const;
  void StartMiddleDrag();
  void SetDragTimer(bool on);
  // The wheel's modifiers (Shift, Alt, Ctrl); the sums start afresh when they change.
  std::uint8_t WheelModifiers(std::uint8_t shift);
  void ScrollBy(bool vertical, int cells);
  void SelectWordOnDoubleClick();
  void SelectLineOnDoubleClick();

  TCustomEditorBase& editor_;
  bool bracketOpen_ = false;  // a left press (or a middle drag) opened the gesture's undo bracket
  bool dragTimerOn_ = false;
  std::optional<platform::TPoint> middlePress_;  // where a middle press may start a drag
  TWheelSum wheelY_, wheelX_;
  std::uint8_t wheelModifiers_ = 0;
};

}  // namespace editor
