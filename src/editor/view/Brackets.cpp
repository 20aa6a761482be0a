// Bracket highlighting: the bracket or paired word at the caret and its match, found by
// walking the text with a nesting depth.
#include <algorithm>
#include <string>

#include "editor/CustomEditorBase.h"

namespace editor {

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool SameText(const std::string& a, const std::string& b, bool caseSensitive) {
  if (a.size() != b.size()) return false;
  if (caseSensitive) return a == b;
  return std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

// What the walk looks for: the token at the caret (which nests) and its partner.
struct TPairSearch {
  std::string Own;
  std::string Partner;
  bool Forward = true;
  bool Words = false;
  bool CaseSensitive = true;
};

bool IsSep(const std::string& s, int i) {
  return i < 0 || i >= static_cast<int>(s.size()) || IsWordSeparator(static_cast<unsigned char>(s[static_cast<std::size_t>(i)]));
}

// Does `token` stand at column i of `line` (as a whole word when searching words)?
bool TokenAt(const std::string& line, int i, const std::string& token, const TPairSearch& search) {
  const int n = static_cast<int>(token.size());
  if (i < 0 || i + n > static_cast<int>(line.size())) return false;
  if (!SameText(line.substr(static_cast<std::size_t>(i), static_cast<std::size_t>(n)), token, search.CaseSensitive))
    return false;
  return !search.Words || (IsSep(line, i - 1) && IsSep(line, i + n));
}

}  // namespace

bool TCustomEditorBase::FindBracketMatch() {
  std::string line;
  if (!LineText(CaretY, line) || CaretX >= static_cast<int>(line.size())) return false;
  TBracketHighlighting& bh = BracketHighlighting;
  TPairSearch search;
  search.CaseSensitive = bh.CaseSensitiveWordPairs;
  int first = CaretX;
  int last = CaretX;
  static const std::string openers = "(<[{";
  static const std::string closers = ")>]}";
  const char c = line[static_cast<std::size_t>(CaretX)];
  if (openers.find(c) != std::string::npos) {
    search = {std::string(1, c), std::string(1, closers[openers.find(c)]), true, false, true};
  } else if (closers.find(c) != std::string::npos) {
    search = {std::string(1, c), std::string(1, openers[closers.find(c)]), false, false, true};
  } else {
    if (IsSep(line, CaretX)) return false;
    while (!IsSep(line, first - 1)) --first;
    while (!IsSep(line, last + 1)) ++last;
    const std::string word = line.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(last - first + 1));
    bool found = false;
    for (const std::string& pair : bh.WordPairs) {
      const std::size_t eq = pair.find('=');
      if (eq == std::string::npos) continue;
      const std::string open = pair.substr(0, eq);
      const std::string close = pair.substr(eq + 1);
      if (SameText(word, open, search.CaseSensitive)) {
        search = {open, close, true, true, search.CaseSensitive};
      } else if (SameText(word, close, search.CaseSensitive)) {
        search = {close, open, false, true, search.CaseSensitive};
      } else {
        continue;
      }
      found = true;
      break;
    }
    if (!found) return false;
  }
  bh.Ranges[0] = {first, CaretY, last, CaretY};
  int depth = 1;
  int row = CaretY;
  int col = search.Forward ? last + 1 : first - 1;
  const int lines = LineCount();
  while (row >= 0 && row < lines) {
    LineText(row, line);
    const int length = static_cast<int>(line.size());
    if (!search.Forward) col = std::min(col, length - 1);
    for (; search.Forward ? col < length : col >= 0; col += search.Forward ? 1 : -1) {
      if (TokenAt(line, col, search.Partner, search)) {
        if (--depth == 0) {
          bh.Ranges[1] = {col, row, col + static_cast<int>(search.Partner.size()) - 1, row};
          return true;
        }
      } else if (TokenAt(line, col, search.Own, search)) {
        ++depth;
      }
    }
    row += search.Forward ? 1 : -1;
    col = search.Forward ? 0 : (1 << 30);
  }
  return false;
}

void TCustomEditorBase::UpdateBracketHighlighting() {
  TBracketHighlighting& bh = BracketHighlighting;
  for (TBracketHighlighting::TRange& range : bh.Ranges) {
    if (range.FirstCol < 0) continue;
    const int row = range.Row;
    range = TBracketHighlighting::TRange{};
    view_.RepaintRow(row);
  }
  if (!bh.Active || !host_.IsVisible() || !host_.IsEnabled()) return;
  if (FindBracketMatch()) {
    view_.RepaintRow(bh.Ranges[0].Row);
    view_.RepaintRow(bh.Ranges[1].Row);
  } else {
    bh.Ranges[0] = TBracketHighlighting::TRange{};
  }
}

}  // namespace editor
