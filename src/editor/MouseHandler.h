// TMouseHandler: the mouse on the editor. Clicks place the caret, Shift+click and drags
// select (scrolling by timer beyond the window's edges), double clicks select a word or
// a line, gutter clicks are reported, the wheel scrolls. It holds the drag state.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/Types.h"

namespace editor {

class TCustomEditorBase;

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

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
  // A middle press without Shift only focuses; once the pointer moves on with the button
  // held, it selects a column block from the pressed cell, as a left drag with Alt does.
  void MouseDown(TMouseButton button, std::uint8_t shift, int x, int y);
  // leftHeld: a selecting button (the left, or the middle one) is down during the move.
  void MouseMove(std::uint8_t shift, bool leftHeld, int x, int y);
  void MouseUp(TMouseButton button, std::uint8_t shift, int x, int y);
  void DblClick(int x, int y);
  void MouseWheel(std::uint8_t shift, int delta);
  // The drag-scroll timer went off.
  void DragScrollTick();

 private:
  void PlaceByLeftPress(std::uint8_t shift, platform::TPoint cell);
  void StartMiddleDrag();
  void SetDragTimer(bool on);
  void SelectWordOnDoubleClick();
  void SelectLineOnDoubleClick();

  TCustomEditorBase& editor_;
  bool bracketOpen_ = false;  // a left press (or a middle drag) opened the gesture's undo bracket
  bool dragTimerOn_ = false;
  std::optional<platform::TPoint> middlePress_;  // where a middle press may start a drag
};

}  // namespace editor
