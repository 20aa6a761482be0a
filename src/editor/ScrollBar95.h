// TControlScrollBar95: one of the editor's two scroll-bar objects; it keeps the range,
// page and position of a standard window scroll bar and writes them to the window.
#pragma once

#include <cstdint>

#include "platform/Host.h"

namespace editor {

// Position stays within Min..Max − Page + 1 (the furthest the window's own bar lets the
// thumb go); setting a range with Max < Min raises "Scrollbar property out of range".
// While not attached the object keeps its values but drives no window bar.
class TControlScrollBar95 {
 public:
  TControlScrollBar95(platform::Host& host, platform::TScrollBarKind kind) : host_(host), kind_(kind) {}
  TControlScrollBar95(const TControlScrollBar95&) = delete;
  TControlScrollBar95& operator=(const TControlScrollBar95&) = delete;

  platform::TScrollBarKind Kind() const { return kind_; }
  int Position() const { return position_; }
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Page() const { return page_; }
  void SetPosition(int position);
  void SetMin(int min);
  void SetMax(int max);
  void SetPage(int page);
  // Range and page at once, written to the window once.
  void SetParams(int min, int max, int page);

  std::uint16_t SmallChange = 1;
  std::uint16_t LargeChange = 1;

  // The position a scroll code asks for, clamped; SB_ENDSCROLL keeps the position.
  int PositionForCode(int code) const;

  void Attach(bool attached);
  bool Attached() const { return attached_; }

 private:
  void Validate(int min, int max) const;
  int Clamp(int position) const;
  void Update();

  platform::Host& host_;
  platform::TScrollBarKind kind_;
  bool attached_ = false;
  int position_ = 0;
  int min_ = 0;
  int max_ = 0;
  int page_ = 1;
};

}  // namespace editor
