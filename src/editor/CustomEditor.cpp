// The string editor's control surface: text access for the base, change notifications
// and the edit-control messages.
#include "editor/CustomEditor.h"

#include <algorithm>
#include <cstring>

namespace editor {

TCustomEditor::TCustomEditor(platform::Host& host)
    : TCustomEditorBase(host), lines_(std::make_unique<TEditorStrings>(*this)) {
  lines_->OnChange = [this] { Modified = true; };
  lines_->Model().AddListener(*this, TLineModel::lfMoves);
}

TCustomEditor::~TCustomEditor() = default;

int TCustomEditor::LineCount() const { return lines_->Count(); }

int TCustomEditor::LineLength(int row) const {
  if (row < 0 || row >= lines_->Count()) return 0;
  return static_cast<int>(lines_->Get(row).size());
}

const std::string* TCustomEditor::StoredLine(int row) const {
  if (row < 0 || row >= lines_->Count()) return nullptr;
  return &lines_->Get(row);
}

void TCustomEditor::SetLines(const std::vector<std::string>& lines) {
  lines_->Assign(lines);
  EmptyUndoHistory();
}

// ---- Notifications ----

void TCustomEditor::TextChanged() {
  Modified = true;
  if (OnChange) OnChange();
  StatusChanged();
}

void TCustomEditor::WholeTextReplaced() {
  View().DropFontCache();
  Sel.Selected = false;
  Sel.Selecting = false;
  UpdateBracketHighlighting();
  TextEdited(0, 0, taWholeText, "");
  View().UpdateLayout();
  if (host_.IsVisible() && UpdateLock == 0) View().InvalidateControl();
}

void TCustomEditor::EmptyUndoHistory() { UndoBuffer().Clear(); }

void TCustomEditor::TextEdited(int, int, int, std::string_view) {}

void TCustomEditor::LinesMoved(int, int) {}

// Lines appended after the last one move nothing.
void TCustomEditor::LinesInserted(int index, int count) {
  View().MoveWaitingRows(index, count);
  if (index + count < lines_->Count()) LinesMoved(index, count);
}

// The line that moves up into index starts where the first removed one did, so what is
// kept for row index stays; what was kept for the count rows after it goes.
void TCustomEditor::LinesRemoved(int index, int count) {
  View().MoveWaitingRows(index, -count);
  LinesMoved(index + 1, -count);
}

void TCustomEditor::Refresh() {
  host_.InvalidateAll();
  host_.UpdateWindow();
}

// ---- Edit-control messages ----

namespace {

// WM_GETTEXTLENGTH: the lines with a CR LF between each two of them.
platform::LRESULT TextLength(const TEditorStrings& lines) {
  long long length = 0;
  for (int i = 0; i < lines.Count(); ++i) length += static_cast<long long>(lines.Get(i).size()) + 2;
  return static_cast<platform::LRESULT>(std::max(length - 2, 0LL));
}

// WM_GETTEXT: the text (every line followed by CR LF) and a zero byte, cut to the
// buffer's size.
platform::LRESULT CopyText(const TEditorStrings& lines, platform::WPARAM size, platform::LPARAM buffer) {
  if (buffer == 0) return 0;
  const std::string text = lines.Text();
  const std::size_t count = std::min<std::size_t>(text.size() + 1, size);
  std::memcpy(reinterpret_cast<char*>(buffer), text.c_str(), count);
  return static_cast<platform::LRESULT>(count);
}

}  // namespace

platform::LRESULT TCustomEditor::Perform(platform::TMessage msg, platform::WPARAM wParam,
                                         platform::LPARAM lParam) {
  switch (msg) {
    case platform::WM_CUT:
      if (!ReadOnly) host_.PostEditCommand(ecCut);
      return 1;
    case platform::WM_COPY:
      host_.PostEditCommand(ecCopy);
      return 1;
    case platform::WM_PASTE:
      if (!ReadOnly) host_.PostEditCommand(ecPaste);
      return 1;
    case platform::WM_CLEAR:
      if (ReadOnly) return 1;
      RemoveSelection();
      return 0;
    case platform::WM_UNDO:
      UndoBuffer().Undo();
      return 1;
    case platform::EM_CANUNDO:
      return UndoBuffer().HasUndo() ? 1 : 0;
    case platform::EM_SETREADONLY:
      SetReadOnly(wParam == 1);
      return 0;
    case platform::WM_GETTEXTLENGTH:
      return TextLength(*lines_);
    case platform::WM_GETTEXT:
      return CopyText(*lines_, wParam, lParam);
    case platform::WM_EDITCOMMAND:
      Command(static_cast<TCommand>(wParam));
      return 1;
    case platform::WM_CHAR: {
      char ch = static_cast<char>(wParam & 0xFF);
      KeyPress(ch);
      return 0;
    }
    case platform::EM_GETSEL:
    case platform::EM_SETSEL:
      return PerformSelectionMessage(msg, wParam, lParam);
    default:
      return 0;
  }
}

}  // namespace editor
