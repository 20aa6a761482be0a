// Construction, the update lock and status notifications of the editor base.
#include "editor/CustomEditorBase.h"

#include "platform/Errors.h"

namespace editor {

TCustomEditorBase::TCustomEditorBase(platform::Host& host)
    : host_(host), undoBuffer_(std::make_unique<TUndoBuffer>(*this)) {}

TCustomEditorBase::~TCustomEditorBase() = default;

void TCustomEditorBase::OpenUpdate() { ++UpdateLock; }

void TCustomEditorBase::CloseUpdate() {
  if (UpdateLock <= 0) throw platform::EAssertionFailed("Assertion failure");
  if (--UpdateLock == 0) {
    StatusChanged();
    host_.InvalidateAll();
  }
}

void TCustomEditorBase::ComputeLineAttrs(int, int, int) {}

void TCustomEditorBase::StatusChanged() {
  if (OnChangeStatus) OnChangeStatus();
}

}  // namespace editor
