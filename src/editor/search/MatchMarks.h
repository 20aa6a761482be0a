// TMatchMarks: every match in the rows being painted gets a background of its own, under
// the highlighter's colours.
#pragma once

#include <memory>

#include "editor/LineAttrs.h"
#include "editor/search/SearchPattern.h"
#include "editor/search/SearchRegion.h"
#include "platform/Colors.h"

namespace editor {
class TCustomEditorBase;
}

namespace editor::search {

// Holds the editor's row-colouring hook while it lives and repaints the control when the
// marks change. The marks go under the selection, which is painted over them.
class TMatchMarks {
 public:
  // Dark green: the highlighter's yellow, orange and aqua stay readable on it.
  static constexpr platform::TColor MarkColor = 0x004A00;

  explicit TMatchMarks(TCustomEditorBase& editor);
  ~TMatchMarks();
  TMatchMarks(const TMatchMarks&) = delete;
  TMatchMarks& operator=(const TMatchMarks&) = delete;

  // Marks the matches of the pattern inside the region; a null pattern removes the marks.
  void Show(std::shared_ptr<const TSearchPattern> pattern, const TSearchRegion& region);
  void Hide() { Show(nullptr, TSearchRegion()); }

 private:
  void MarkRow(const std::string& text, int row, TLineAttrs& attrs) const;

  TCustomEditorBase& editor_;
  std::shared_ptr<const TSearchPattern> pattern_;
  TSearchRegion region_;
};

}  // namespace editor::search
