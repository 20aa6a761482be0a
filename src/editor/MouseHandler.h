// TMouseHandler: the mouse on the editor. Clicks place the caret, Shift+click and drags
// select (scrolling by timer beyond the window's edges), double clicks select a word or
// a line, gutter clicks are reported, the wheel scrolls. It holds the drag state.
#pragma once

#include <cstdint>

namespace editor {

class TCustomEditorBase;

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

class TMouseHandler {
 public:
  explicit TMouseHandler(TCustomEditorBase& editor) : editor_(editor) {}
  TMouseHandler(const TMouseHandler&) = delete;
  TMouseHandler& operator=(const TMouseHandler&) = delete;

  bool MouseIsDown = false;
  bool IgnoreNextPress = false;
  int DragY = 0, DragCol = 0, DragRow = 0;
  // A middle press without Shift starts a column block, as a left press with Alt does.
  void MouseDown(TMouseButton button, std::uint8_t shift, int x, int y);
  // leftHeld: a selecting button (the left, or the middle one) is down during the move.
  void MouseMove(std::uint8_t shift, bool leftHeld, int x, int y);
  void MouseUp(TMouseButton button, std::uint8_t shift, int x, int y);
  void DblClick(int x, int y);
  void MouseWheel(std::uint8_t shift, int delta);
  // The drag-scroll timer went off.
  void DragScrollTick();

 private:
  void SelectWordOnDoubleClick();
  void SelectLineOnDoubleClick();

  TCustomEditorBase& editor_;
};

}  // namespace editor
