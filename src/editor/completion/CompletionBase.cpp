// The popup mechanics of the completion: the key hooks, the auto-popup timer, dropping
// the list below or above the caret, and closing it.
#include <algorithm>

#include "editor/Completion.h"
#include "editor/CustomEditorBase.h"
#include "platform/VirtualKeys.h"

namespace editor {

namespace {

// Backspace, the digits and the ASCII letters follow the word; anything else ends it.
bool IsWordKey(char ch) {
  const auto c = static_cast<unsigned char>(ch);
  return c == 8 || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

TCompletionBase::TCompletionBase(TCustomEditorBase& editor) : editor_(editor) {}

TCompletionBase::~TCompletionBase() = default;

int TCompletionBase::ItemIndex() const { return list_ ? list_->ItemIndex() : -1; }

void TCompletionBase::StopTimer() { editor_.Host().KillTimer(TCustomEditorBase::CompletionTimerId); }

bool TCompletionBase::KeyDown(std::uint16_t key) {
  if (!dropped_) {
    StopTimer();
    return false;
  }
  switch (key) {
    case platform::VK_RETURN:
      Close(true);
      return true;
    case platform::VK_ESCAPE:
      Close(false);
      return true;
    case platform::VK_PRIOR:
    case platform::VK_NEXT:
    case platform::VK_END:
    case platform::VK_HOME:
    case platform::VK_UP:
    case platform::VK_DOWN:
      list_->KeyDown(key);
      return true;
    default:
      return false;
  }
}

void TCompletionBase::KeyPress(char ch) {
  if (!dropped_) {
    if (Enabled) editor_.Host().SetTimer(TCustomEditorBase::CompletionTimerId, Interval);
    return;
  }
  if (!IsWordKey(ch)) {
    Close(true);
    return;
  }
  // The word grew or shrank: follow it within the items already listed.
  list_->SetItemIndex(FindSelection().Index);
  const bool cancel = RaiseModeEvent(mode_);
  if (cancel || SourceEmpty(mode_)) Close(false);
}

void TCompletionBase::Open(TMode mode) { Show(mode, true); }

void TCompletionBase::TimerTick() {
  StopTimer();
  Show(timerMode_, false);
}

void TCompletionBase::Close(bool apply) {
  if (!dropped_) return;
  dropped_ = false;
  const int index = list_->ItemIndex();
  list_->Hide();
  if (apply && index >= 0 && index < static_cast<int>(items_.size())) ApplyItem(index);
}

void TCompletionBase::Show(TMode mode, bool alwaysShow) {
  Close(false);
  mode_ = mode;
  const bool cancel = RaiseModeEvent(mode);
  BuildItems(mode);
  const TMatch match = FindSelection();
  if (cancel || items_.empty()) return;
  if (!alwaysShow && (match.Index < 0 || match.Exact)) return;
  platform::PopupList* list = EnsureList();
  if (list == nullptr) return;
  list->SetItemHeight(ItemHeight);
  list->SetItemCount(static_cast<int>(items_.size()));
  list->SetItemIndex(match.Index);
  list->Popup(DropDownBounds(*list));
  dropped_ = true;
}

platform::PopupList* TCompletionBase::EnsureList() {
  if (!list_) list_ = editor_.Host().CreatePopupList(*this);
  return list_.get();
}

// Below the caret, at the caret's column, so that the items line up with the word; above
// the caret line when the list would run off the bottom of the screen and fits above.
platform::TRect TCompletionBase::DropDownBounds(platform::PopupList& list) const {
  const platform::TRect cell =
      editor_.View().CellRect(editor_.CaretX - editor_.View().LeftCol, editor_.CaretY - editor_.View().TopRow + 1);
  const platform::TPoint below = list.ClientToScreen({cell.Left, cell.Top});
  const int left = below.X - 2 * BorderWidth;
  int top = below.Y - BorderWidth;
  const int shown = std::min(DropDownCount, static_cast<int>(items_.size()));
  const int height = shown * ItemHeight + 2 * BorderWidth;
  if (top + height > list.ScreenRect().Bottom) {
    const int above = top - height - editor_.View().CellHeight + 1;
    if (above >= 0) top = above;
  }
  const int width = DropDownWidth != 0 ? DropDownWidth : editor_.Host().ClientSize().Width + 2 * BorderWidth;
  return platform::Bounds(left, top, width, height);
}

void TCompletionBase::DrawListItem(platform::Surface& surface, int index, const platform::TRect& rect,
                                   bool selected) {
  if (index < 0 || index >= static_cast<int>(items_.size())) return;
  DrawItem(surface, index, rect, selected);
}

void TCompletionBase::ListReleased(bool inside) { Close(inside); }

}  // namespace editor
