// Replacing matches: the current one (then on to the next) and all of a region, each as
// one undo step whose record puts the rewritten rows back at once.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "editor/UndoBuffer.h"
#include "editor/search/TextSearch.h"

namespace editor {
class TCustomEditor;
}

namespace editor::search {

// Rows a replace rewrote, with their text before it. A replace changes only the matched
// bytes: the rows are written as they come out, trailing blanks and all, so that undo can
// give back every row byte for byte. Taking it back rewrites every row in one pass with
// one refresh of the highlighting, however many there are; the caret and the selection go
// back to where they were.
class TReplaceRowsUndo : public TUndo {
 public:
  explicit TReplaceRowsUndo(TCustomEditor& editor);
  TUndoKind Kind() const override { return TUndoKind::ReplaceRows; }
  void Undo() override;
  void KeepRow(int row, std::string oldText) { rows_.emplace_back(row, std::move(oldText)); }

 private:
  int caretX_;
  int caretY_;
  std::vector<std::pair<int, std::string>> rows_;
};

// What a replace did.
struct TReplaceResult {
  // False when nothing was replaced: the editor is read-only (it beeped), or the match is
  // no longer in the text as found.
  bool Replaced = false;
  long long Count = 0;
  // Replace: whether a next match was found and shown, and where.
  bool NextFound = false;
  bool NextWrapped = false;
  TTextMatch Next;
};

// Replaces `match` (found before with this pattern in this region) with the replacement
// and shows the next match in the given direction; one undo step takes back both. The
// replacement may not hold a line break. Raises ESearchStopped (nothing is changed when
// the match itself cannot be checked).
TReplaceResult ReplaceMatch(TCustomEditor& editor, const TSearchPattern& pattern, TSearchRegion& region,
                            const TTextMatch& match, std::string_view replacement, bool backward);

// Replaces every match of the region; one undo step takes them all back. A stream region
// (and the selection it came from) keeps covering the same text; in the whole text the
// selection is dropped. The rows are rewritten only once every match has been
// found: when a row's match runs into the expression's limit, ESearchStopped is raised
// and nothing is changed.
TReplaceResult ReplaceAll(TCustomEditor& editor, const TSearchPattern& pattern, TSearchRegion& region,
                          std::string_view replacement);

}  // namespace editor::search
