// The line store: list operations, whole-text loading and the block operations.
#include "editor/EditorStrings.h"

#include <algorithm>

#include "editor/CustomEditor.h"
#include "editor/edit/EditingGuards.h"
#include "platform/Errors.h"
#include "platform/TextFile.h"

namespace editor {

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

// The length of s without its trailing run of codes 0..32.
std::size_t TrimmedLength(std::string_view s) {
  std::size_t kept = s.size();
  while (kept > 0 && IsBlank(s[kept - 1])) --kept;
  return kept;
}

}  // namespace

std::vector<std::string_view> SplitAtBreaks(std::string_view text, TFinalBreak finalBreak) {
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') continue;
    pieces.push_back(text.substr(start, i - start));
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size() || finalBreak == TFinalBreak::fbEmptyPiece) pieces.push_back(text.substr(start));
  return pieces;
}

// Opens the list's update bracket for its life.
class TEditorStrings::TListUpdate {
 public:
  explicit TListUpdate(TEditorStrings& strings) : strings_(strings) { strings_.BeginUpdate(); }
  ~TListUpdate() { strings_.EndUpdate(); }
  TListUpdate(const TListUpdate&) = delete;
  TListUpdate& operator=(const TListUpdate&) = delete;

 private:
  TEditorStrings& strings_;
};

TEditorStrings::TEditorStrings(TCustomEditor& editor) : editor_(editor) { model_.AddListener(*this); }

void TEditorStrings::LinesChanged() {
  if (OnChange) OnChange();
}

// ---- List operations ----

void TEditorStrings::Add(std::string_view s) { model_.Insert(Count(), editor_.TabsToBlanks(s)); }

// Indexes are checked before tabs are expanded or a record is made: a refused change
// leaves nothing behind.
void TEditorStrings::Insert(int index, std::string_view s) {
  TLineModel::CheckIndex(index, Count() + 1);
  model_.Insert(index, editor_.TabsToBlanks(s));
}

void TEditorStrings::Put(int index, std::string_view s) {
  TLineModel::CheckIndex(index, Count());
  if (editor_.KeepTrailingBlanks) {
    model_.Replace(index, std::string(s));
    return;
  }
  const std::size_t kept = TrimmedLength(s);
  RecordDroppedEnd(index, s, kept);
  model_.Replace(index, std::string(s.substr(0, kept)));
}

// The bytes themselves and the column they started at: undo puts a control code back
// as it was, not a blank in its place.
void TEditorStrings::RecordDroppedEnd(int index, std::string_view s, std::size_t kept) {
  if (kept == s.size()) return;
  editor_.UndoBuffer().Add(
      std::make_unique<TDeleteTrailUndo>(editor_, static_cast<int>(kept), index, std::string(s.substr(kept))));
}

void TEditorStrings::RestoreDroppedEnd(int x, int y, std::string_view bytes) {
  if (y < 0 || y >= Count()) return;
  TUpdateLockGuard lock(editor_);
  std::string line = Get(y);
  const auto column = static_cast<std::size_t>(std::max(x, 0));
  if (line.size() < column) line.resize(column, ' ');
  line.insert(column, bytes);
  model_.Replace(y, std::move(line));
}

void TEditorStrings::Delete(int index) { model_.Remove(index, 1); }

void TEditorStrings::Clear() {
  if (Count() > 0) model_.ReplaceAll({});
}

// ---- Whole text ----

std::string TEditorStrings::Text() const {
  std::size_t size = 0;
  for (int i = 0; i < Count(); ++i) size += Get(i).size() + 2;
  std::string text;
  text.reserve(size);
  for (int i = 0; i < Count(); ++i) {
    text += Get(i);
    text += "\r\n";
  }
  return text;
}

void TEditorStrings::SetText(std::string_view text) {
  text = text.substr(0, std::min(text.size(), text.find('\0')));
  // Most texts hold no TAB: they are cut into lines without an expanded copy.
  std::string expanded;
  if (text.find('\t') != std::string_view::npos) {
    expanded = editor_.TabsToBlanks(text);
    text = expanded;
  }
  const std::vector<std::string_view> pieces = SplitAtBreaks(text, TFinalBreak::fbNoPiece);
  model_.ReplaceAll(std::vector<std::string>(pieces.begin(), pieces.end()));
  if (editor_.UpdateLock == 0) editor_.EmptyUndoHistory();
  editor_.WholeTextReplaced();
}

void TEditorStrings::LoadWholeFile(const std::string& fileName) { SetText(platform::ReadWholeFile(fileName)); }

void TEditorStrings::Assign(std::vector<std::string> source) {
  TUpdateBracket update(editor_);
  for (std::string& line : source) {
    if (line.find('\t') != std::string::npos) line = editor_.TabsToBlanks(line);
  }
  model_.ReplaceAll(std::move(source));
  editor_.EmptyUndoHistory();
  editor_.WholeTextReplaced();
}

void TEditorStrings::AppendLines(const std::vector<std::string>& source) {
  TUpdateBracket update(editor_);
  {
    TListUpdate bracket(*this);
    for (const std::string& line : source) Add(line);
  }
  editor_.EmptyUndoHistory();
}

// ---- Block operations ----

void TEditorStrings::ReplaceLine(int index, std::string_view s) {
  TLineModel::CheckIndex(index, Count());
  TUpdateLockGuard lock(editor_);
  std::string line = editor_.TabsToBlanks(s);
  if (!editor_.KeepTrailingBlanks) {
    const std::size_t kept = TrimmedLength(line);
    RecordDroppedEnd(index, line, kept);
    line.resize(kept);
  }
  model_.Replace(index, std::move(line));
}

void TEditorStrings::PadToCaret() {
  TUpdateLockGuard lock(editor_);
  const int caretX = editor_.CaretX;
  const int caretY = editor_.CaretY;
  int column = Count() == 0 ? caretX : static_cast<int>(Get(Count() - 1).size());
  while (Count() < caretY + 1) {
    // The record sits where the new line break goes, at the end of the current last line,
    // so that undoing the run joins the appended lines back onto that line.
    editor_.UndoBuffer().Add(std::make_unique<TReLineUndo>(editor_, column, Count() - 1, "\r\n"));
    model_.Insert(Count(), std::string());
    column = 0;
  }
  if (caretY < 0 || caretY >= Count()) return;
  if (static_cast<int>(Get(caretY).size()) < caretX) {
    std::string line = Get(caretY);
    line.resize(static_cast<std::size_t>(caretX), ' ');
    model_.Replace(caretY, std::move(line));
  }
}

void TEditorStrings::InsertLines(int index, const std::vector<std::string_view>& pieces) {
  std::vector<std::string> lines;
  lines.reserve(pieces.size());
  for (std::string_view piece : pieces) lines.push_back(editor_.TabsToBlanks(piece));
  model_.Insert(index, std::move(lines));
}

void TEditorStrings::InsertBlock(int x, int y, std::string_view text) {
  if (y < 0) throw platform::EListError(y);
  x = std::max(x, 0);
  while (Count() <= y) Add("");
  TUpdateLockGuard lock(editor_);
  TListUpdate bracket(*this);
  WriteAround(x, y, Get(y), text);
}

void TEditorStrings::WriteAround(int x, int y, std::string_view line, std::string_view text) {
  std::string head(line.substr(0, std::min(line.size(), static_cast<std::size_t>(x))));
  head.resize(static_cast<std::size_t>(x), ' ');
  const std::string tail(static_cast<std::size_t>(x) < line.size() ? line.substr(static_cast<std::size_t>(x)) : "");
  const std::vector<std::string_view> pieces = SplitAtBreaks(text, TFinalBreak::fbEmptyPiece);
  if (pieces.size() == 1) {
    ReplaceLine(y, head.append(pieces[0]).append(tail));
    return;
  }
  ReplaceLine(y, head.append(pieces[0]));
  InsertLines(y + 1, std::vector<std::string_view>(pieces.begin() + 1, pieces.end()));
  const int last = y + static_cast<int>(pieces.size()) - 1;
  ReplaceLine(last, Get(last) + tail);
}

bool TEditorStrings::ClampBlockRows(TPosition& first, TPosition& last) const {
  if (first.Y < 0) first = {0, 0};
  if (first.Y >= Count()) return false;
  if (last.Y >= Count()) last = {2147483646, Count() - 1};
  first.X = std::max(first.X, 0);
  return true;
}

std::string TEditorStrings::JoinedAround(TPosition first, TPosition last) const {
  const std::string& lastLine = Get(last.Y);
  long long cut = std::max(static_cast<long long>(last.X) + 1, 0LL);
  if (last.Y == first.Y) cut = std::max(cut, static_cast<long long>(first.X));
  std::string joined = Get(first.Y);
  joined.resize(static_cast<std::size_t>(first.X), ' ');
  joined.append(lastLine, static_cast<std::size_t>(std::min(cut, static_cast<long long>(lastLine.size()))));
  return joined;
}

void TEditorStrings::DeleteBlock(TPosition first, TPosition last) {
  // A range that ends before it starts deletes nothing; joining such a range would copy
  // text instead of removing it.
  if (!ClampBlockRows(first, last) || last.Y < first.Y) return;
  std::string joined = JoinedAround(first, last);
  TUpdateLockGuard lock(editor_);
  TListUpdate bracket(*this);
  // Rows first.Y up to last.Y go; row last.Y moves up to first.Y and takes the joined text.
  model_.Remove(first.Y, last.Y - first.Y);
  ReplaceLine(first.Y, joined);
}

void TEditorStrings::ReplaceBlock(TPosition first, TPosition last, std::string_view text) {
  if (!ClampBlockRows(first, last) || last.Y < first.Y) {
    InsertBlock(first.X, first.Y, text);
    return;
  }
  const std::string joined = JoinedAround(first, last);
  TUpdateLockGuard lock(editor_);
  TListUpdate bracket(*this);
  model_.Remove(first.Y, last.Y - first.Y);
  WriteAround(first.X, first.Y, joined, text);
}

void TEditorStrings::InsertColumnBlock(int x, int y, std::string_view text) {
  if (y < 0) throw platform::EListError(y);
  x = std::max(x, 0);
  TUpdateLockGuard lock(editor_);
  TListUpdate bracket(*this);
  const std::vector<std::string_view> pieces = SplitAtBreaks(text, TFinalBreak::fbNoPiece);
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    const int row = y + static_cast<int>(k);
    while (Count() <= row) Add("");
    std::string line = Get(row);
    if (line.size() < static_cast<std::size_t>(x)) line.resize(static_cast<std::size_t>(x), ' ');
    line.insert(static_cast<std::size_t>(x), pieces[k]);
    ReplaceLine(row, line);
  }
}

void TEditorStrings::DeleteColumnBlock(TPosition first, TPosition last) {
  if (!ClampBlockRows(first, last)) return;
  const long long width = static_cast<long long>(last.X) - first.X + 1;
  if (width <= 0 || last.Y < first.Y) return;
  TUpdateLockGuard lock(editor_);
  TListUpdate bracket(*this);
  for (int row = first.Y; row <= last.Y; ++row) {
    std::string line = Get(row);
    if (static_cast<std::size_t>(first.X) < line.size()) {
      line.erase(static_cast<std::size_t>(first.X), static_cast<std::size_t>(std::min<long long>(width, static_cast<long long>(line.size()))));
    }
    ReplaceLine(row, line);
  }
}

platform::TPoint TEditorStrings::BlockEnd(int x, int y, std::string_view text) const {
  const std::string stored = editor_.TabsToBlanks(text);
  const std::vector<std::string_view> pieces = SplitAtBreaks(stored, TFinalBreak::fbEmptyPiece);
  const int breaks = static_cast<int>(pieces.size()) - 1;
  const int lastLength = static_cast<int>(pieces.back().size());
  if (breaks == 0) return {x + lastLength - 1, y};
  return {lastLength - 1, y + breaks};
}

}  // namespace editor
