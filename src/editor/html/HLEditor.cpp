// THLEditor: per-row HTML colouring, the cached start state of every row and its
// refresh after edits.
#include "editor/html/HLEditor.h"

#include <algorithm>
#include <exception>

#include "editor/html/HtmlWords.h"

namespace editor {

namespace {

constexpr int LastAttrColumn = 1024;

// A line as the state scanner and the tokenizer read it: a NUL byte ends it.
std::string_view UpToNul(std::string_view line) {
  const std::size_t nul = line.find('\0');
  return nul == std::string_view::npos ? line : line.substr(0, nul);
}

// The state at the end of a line that starts in `state`. Only "<" and ">" count, even
// inside quotes: a "<" opens a tag until the next ">", on this line or a later one.
std::uint8_t EndState(std::string_view line, std::uint8_t state) {
  line = UpToNul(line);
  for (std::size_t pos = 0;; ++pos) {
    pos = line.find(state == THLEditor::StateOutside ? '<' : '>', pos);
    if (pos == std::string_view::npos) return state;
    state = state == THLEditor::StateOutside ? THLEditor::StateInTag : THLEditor::StateOutside;
  }
}

// Where the colouring of a line may stop when only its first `shown` columns are drawn:
// the tokens before the cut are classified exactly as in the whole line. The cut goes
// before a "<" or ">" (which end any word), or at a blank not followed by "=" (the only
// look past a token), at or after that column; a quoted string cut there keeps its
// class, and its colour past the column is never shown.
std::size_t ColouredLength(std::string_view line, std::size_t shown) {
  for (std::size_t pos = shown; pos < line.size(); ++pos) {
    const char c = line[pos];
    if (c == '<' || c == '>') return pos;
    if (c != ' ') continue;
    const std::size_t next = line.find_first_not_of(" \t\r\n", pos);
    if (next == std::string_view::npos || line[next] != '=') return pos;
    pos = next;
  }
  return line.size();
}

// Edits that add or remove these can move where a tag opens or closes. Line breaks
// count in either spelling: pasted text may carry bare LF line ends. A NUL byte (a file
// may hold one) ends the row for the scanner, so it counts too.
bool ContainsHtmlTrigger(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n<>\0", 5)) != std::string_view::npos;
}

}  // namespace

THLEditor::THLEditor(platform::Host& host)
    : TEditor(host), LineStartStates(MaxStateLine + 1, StateOutside) {}

void THLEditor::SetHighlighter(THighlighter mode) {
  if (mode == highlighter_) return;
  highlighter_ = mode;
  RescanLineStates(0);
  View().InvalidateControl();
}

void THLEditor::SetLongTokens(bool value) {
  if (value == longTokens_) return;
  longTokens_ = value;
  // No state was kept while it was off, so the cache is rebuilt rather than trusted.
  if (value) RescanLineStates(-1);
  View().InvalidateControl();
}

void THLEditor::SetSyntaxHighlighting(bool value) {
  if (value == syntaxHighlighting_) return;
  syntaxHighlighting_ = value;
  // Edits made while it was off did not refresh the cache.
  if (value) RescanLineStates(-1);
  View().InvalidateControl();
}

void THLEditor::Loaded() { RescanLineStates(0); }

std::uint8_t THLEditor::LineStartState(int line) const {
  if (line < 0 || line > MaxStateLine) return StateOutside;
  return LineStartStates[line];
}

// ---- Start states ----

bool THLEditor::KeepsLineStates() const {
  return syntaxHighlighting_ && longTokens_ && highlighter_ == hlHtml;
}

THLEditor::TChangedRows THLEditor::RescanLineStates(int fromLine) {
  if (!KeepsLineStates()) return {};
  // States past the last row belonged to rows deleted since; rows appended later (padding
  // up to the caret reports no line break) must not inherit them.
  const auto pastEnd = LineStartStates.begin() + std::clamp(LineCount(), 1, MaxStateLine + 1);
  std::fill(pastEnd, LineStartStates.end(), StateUnknown);
  if (LineCount() == 0) return {};
  const int lastLine = std::min(LineCount() - 1, MaxStateLine);
  if (fromLine > lastLine) return {};

  int startLine = 0;
  int scanEnd = lastLine;
  std::uint8_t state = StateOutside;
  if (fromLine < 0) {
    std::fill(LineStartStates.begin(), LineStartStates.begin() + lastLine + 1, StateUnknown);
    LineStartStates[0] = StateOutside;
  } else if (LineStartStates[fromLine] != StateUnknown) {
    startLine = fromLine;
    state = LineStartStates[fromLine];
    scanEnd = std::min(fromLine + RescanWindow, lastLine);
  } else if (fromLine > 0 && LineStartStates[fromLine - 1] != StateUnknown) {
    // The row above is known: one row of context is enough to continue from.
    startLine = fromLine - 1;
    state = LineStartStates[startLine];
    scanEnd = std::min(startLine + RescanWindow, lastLine);
  }
  // Otherwise nothing near is known and the scan runs from row 0 to the end.

  TChangedRows changed;
  for (int line = startLine; line < scanEnd; ++line) {
    state = EndState(Lines().Get(line), state);
    if (LineStartStates[line + 1] != state) {
      LineStartStates[line + 1] = state;
      if (!changed.Any()) changed.First = line + 1;
      changed.Last = line + 1;
    }
  }
  // What lies past the window may now be stale: it is recomputed when painted.
  if (scanEnd < lastLine)
    std::fill(LineStartStates.begin() + scanEnd + 1, LineStartStates.begin() + lastLine + 1,
              StateUnknown);
  return changed;
}

void THLEditor::TextEdited(int, int row, int action, std::string_view text) {
  if (!longTokens_) return;
  TChangedRows changed;
  if (action == taWholeText) {
    changed = RescanLineStates(-1);
  } else if (action == taReplace || (highlighter_ == hlHtml && ContainsHtmlTrigger(text))) {
    changed = RescanLineStates(row);
  }
  // Only those rows look different; a line break at the end of the text, say, gives just
  // the new row a state, and repainting every row for it cost a whole paint per Enter.
  if (changed.Any()) View().InvalidateRows(changed.First, changed.Last);
}

void THLEditor::ShowFromTop() {
  MoveCaretTo(0, 0);
  RescanLineStates(-1);
  View().UpdateLayout();
  // Through SetLeftTop, so that the scroll bars come home with the view: a bar left
  // further down would send the next wheel turn from there.
  View().SetLeftTop(0, 0);
  Refresh();
}

void THLEditor::LinesMoved(int index, int delta) {
  if (index < 0 || index > MaxStateLine || delta == 0) return;
  const auto at = LineStartStates.begin() + index;
  if (delta > 0) {
    // New rows start as the row at index did: the state where the break went in.
    const std::uint8_t state = LineStartStates[static_cast<std::size_t>(index)];
    const auto count = std::min<std::ptrdiff_t>(delta, LineStartStates.end() - at);
    std::move_backward(at, LineStartStates.end() - count, LineStartStates.end());
    std::fill(at, at + count, state);
  } else {
    const auto count = std::min<std::ptrdiff_t>(-delta, LineStartStates.end() - at);
    std::move(at + count, LineStartStates.end(), at);
    std::fill(LineStartStates.end() - count, LineStartStates.end(), StateUnknown);
  }
}

// ---- Colouring one row ----

std::uint8_t THLEditor::StartStateForColouring(int row) {
  if (!longTokens_ || row < 0 || row > MaxStateLine) return StateOutside;
  if (LineStartStates[row] == StateUnknown) RescanLineStates(row);
  return LineStartStates[row];
}

void THLEditor::ComputeLineAttrs(int row, int, int colEnd) {
  if (!syntaxHighlighting_) return;
  // The painter asks only for rows of the text; any other row colours as an empty one.
  // Only the columns it shows are tokenized: on a line of a few hundred thousand
  // characters the rest would be read again at every key.
  std::size_t textLength = 0;
  if (row >= 0 && row < LineCount()) {
    const std::string& line = Lines().Get(row);
    const auto shown = static_cast<std::size_t>(std::clamp(colEnd + 1, 1, LastAttrColumn));
    currentLine_.assign(line, 0, ColouredLength(line, shown));
    textLength = line.size();
  } else {
    currentLine_.clear();
  }
  FillBaseColours(textLength);
  if (highlighter_ != hlHtml) return;
  const bool inTag = StartStateForColouring(row) == StateInTag;
  parser_.SetText(currentLine_);
  try {
    ColourHtmlTokens(inTag);
  } catch (const std::exception&) {
    // A failing reserved-word handler ends the row; the columns written so far stay.
  }
}

void THLEditor::FillBaseColours(std::size_t textLength) {
  const int length = static_cast<int>(std::min<std::size_t>(textLength, LastAttrColumn));
  const TLineAttr plain{colors_.PlainText.ForeColor, colors_.PlainText.BackColor,
                        colors_.PlainText.Style, platform::clNone};
  std::fill(View().Attrs.begin() + 1, View().Attrs.begin() + length + 1, plain);
  // Past the end of the text the row shows the control's own font colour and background.
  const TLineAttr pastEnd{Font.Color, Color, Font.Style, platform::clNone};
  std::fill(View().Attrs.begin() + length + 1, View().Attrs.begin() + LastAttrColumn + 1, pastEnd);
}

void THLEditor::ColourHtmlTokens(bool inTag) {
  std::string_view previous, beforePrevious;
  for (std::string_view token = parser_.NextToken(); !token.empty(); token = parser_.NextToken()) {
    if (OnReservedWord) {
      // The handler decides alone; the tag rules and the in-tag flag are bypassed.
      bool reserved = false;
      OnReservedWord(*this, token, reserved);
      SetTokenColor(reserved ? colors_.Reserved : ClassifyGeneric(token));
    } else if (!inTag) {
      // Outside a tag only the "<" that opens one is coloured.
      if (token == "<") {
        inTag = true;
        SetTokenColor(colors_.Reserved);
      }
    } else {
      SetTokenColor(ClassifyInTag(token, previous, beforePrevious, inTag));
    }
    ColourEntities(token);
    beforePrevious = previous;
    previous = token;
  }
}

const TSymbolColor& THLEditor::ClassifyInTag(std::string_view token, std::string_view p1,
                                             std::string_view p2, bool& inTag) const {
  if (token == ">") {
    inTag = false;
    return colors_.Reserved;
  }
  if (token == "/" && p1 == "<") return colors_.Reserved;
  // An attribute name: the "=" may stand after blanks.
  if (parser_.NextNonBlankChar() == '=' && IsIdentifier(token)) return colors_.Identifier;
  if (p1 == "=") return colors_.Strings;
  if (HtmlTagList().Contains(token)) return colors_.Reserved;
  // A tag name the list does not know.
  if (p1 == "<" || (p1 == "/" && p2 == "<")) return colors_.Statement;
  return ClassifyGeneric(token);
}

const TSymbolColor& THLEditor::ClassifyGeneric(std::string_view token) const {
  if (token.size() == 1 && IsSymbolChar(token.front())) return colors_.Symbol;
  if (IsIntegerNumber(token) || IsRealNumber(token)) return colors_.Number;
  return colors_.PlainText;
}

void THLEditor::SetTokenColor(const TSymbolColor& color) {
  SetColumnsColor(parser_.TokenStart(0) + 1, parser_.TokenEnd(0), color);
}

// Columns are 1-based and both ends inclusive; nothing past column 1024 is written.
void THLEditor::SetColumnsColor(int first, int last, const TSymbolColor& color) {
  last = std::min(last, LastAttrColumn);
  if (first > last) return;
  const TLineAttr attr{color.ForeColor, color.BackColor, color.Style, platform::clNone};
  std::fill(View().Attrs.begin() + first, View().Attrs.begin() + last + 1, attr);
}

void THLEditor::ColourEntities(std::string_view token) {
  const int tokenColumn = parser_.TokenStart(0) + 1;  // column of token[0]
  std::size_t i = 0;
  while (i < token.size()) {
    if (token[i] != '&') {
      ++i;
      continue;
    }
    const std::size_t semicolon = token.find(';', i + 1);
    if (semicolon == std::string_view::npos) return;
    const std::string_view name = token.substr(i + 1, semicolon - i - 1);
    if (!name.empty() && HtmlEntityList().Contains(name))
      SetColumnsColor(tokenColumn + static_cast<int>(i), tokenColumn + static_cast<int>(semicolon),
                      colors_.Preproc);
    // The search goes on after the ";" even when the name was unknown.
    i = semicolon + 1;
  }
}

void ApplyMemo1Highlighting(THLEditor& memo) {
  memo.SetColors(Memo1Colors());
  memo.SetHighlighter(hlHtml);
  memo.Loaded();
}

}  // namespace editor
