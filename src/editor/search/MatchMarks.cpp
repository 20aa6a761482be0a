// Marking the matches of the painted rows.
#include "editor/search/MatchMarks.h"

#include <algorithm>

#include "editor/CustomEditorBase.h"

namespace editor::search {

TMatchMarks::TMatchMarks(TCustomEditorBase& editor) : editor_(editor) {
  editor_.OnGetLineAttr = [this](const std::string& text, int row, TLineAttrs& attrs) { MarkRow(text, row, attrs); };
}

TMatchMarks::~TMatchMarks() { editor_.OnGetLineAttr = nullptr; }

void TMatchMarks::Show(std::shared_ptr<const TSearchPattern> pattern, const TSearchRegion& region) {
  if (pattern != nullptr && !pattern->Usable()) pattern = nullptr;
  if (pattern == nullptr && pattern_ == nullptr) return;
  pattern_ = std::move(pattern);
  region_ = region;
  editor_.View().InvalidateControl();
}

void TMatchMarks::MarkRow(const std::string& text, int row, TLineAttrs& attrs) const {
  if (pattern_ == nullptr) return;
  int from = 0;
  int to = 0;
  if (!pattern_->MayMatch(text) || !region_.RowSpan(row, static_cast<int>(text.size()), from, to)) return;
  try {
    TRowMatch m;
    for (bool more = pattern_->FindIn(text, from, to, false, m); more && m.Column < MaxColumn;
         more = pattern_->FindAfter(text, m, to, m)) {
      // Entry i is column i - 1; nothing past the last column is painted.
      for (int c = m.Column; c < std::min(m.End(), MaxColumn); ++c) attrs[static_cast<std::size_t>(c + 1)].Back = MarkColor;
    }
  } catch (const ERegexLimit&) {
    // A row the expression cannot get through keeps the marks it got so far.
  }
}

}  // namespace editor::search
