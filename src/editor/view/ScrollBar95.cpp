// The editor's scroll-bar objects: range checks, clamping, scroll codes and the window bar.
#include "editor/ScrollBar95.h"

#include <algorithm>

#include "platform/Errors.h"
#include "platform/Messages.h"

namespace editor {

void TControlScrollBar95::Validate(int min, int max) const {
  if (max < min) throw platform::EInvalidOperation("Scrollbar property out of range");
}

int TControlScrollBar95::Clamp(int position) const {
  // The window's bar never lets the thumb pass Max − Page + 1; keeping the object to the
  // same limit stops line and page steps from scrolling past the last text row.
  const int last = std::max(min_, max_ - std::max(page_, 1) + 1);
  return std::clamp(position, min_, last);
}

void TControlScrollBar95::SetPosition(int position) {
  Validate(min_, max_);
  position_ = Clamp(position);
  Update();
}

void TControlScrollBar95::SetMin(int min) { SetParams(min, max_, page_); }
void TControlScrollBar95::SetMax(int max) { SetParams(min_, max, page_); }
void TControlScrollBar95::SetPage(int page) { SetParams(min_, max_, page); }

void TControlScrollBar95::SetParams(int min, int max, int page) {
  Validate(min, max);
  min_ = min;
  max_ = max;
  page_ = page;
  position_ = Clamp(position_);
  Update();
}

int TControlScrollBar95::PositionForCode(int code) const {
  int position = position_;
  switch (code) {
    case platform::SB_LINEUP: position -= SmallChange; break;
    case platform::SB_LINEDOWN: position += SmallChange; break;
    case platform::SB_PAGEUP: position -= LargeChange; break;
    case platform::SB_PAGEDOWN: position += LargeChange; break;
    case platform::SB_THUMBPOSITION:
    case platform::SB_THUMBTRACK: position = host_.ScrollTrackPos(kind_); break;
    case platform::SB_TOP: position = min_; break;
    case platform::SB_BOTTOM: position = max_; break;
    default: break;
  }
  return Clamp(position);
}

void TControlScrollBar95::Attach(bool attached) {
  attached_ = attached;
  Update();
}

void TControlScrollBar95::Update() {
  if (!attached_) return;
  platform::TScrollInfo info;
  info.Mask = platform::SIF_DISABLENOSCROLL;
  if (min_ >= 0 || max_ >= 0) info.Mask |= platform::SIF_RANGE;
  if (position_ >= 0) info.Mask |= platform::SIF_POS;
  if (page_ >= 0) info.Mask |= platform::SIF_PAGE;
  info.Min = min_;
  info.Max = max_;
  info.Page = page_;
  info.Position = position_;
  host_.SetScrollInfo(kind_, info);
}

}  // namespace editor
