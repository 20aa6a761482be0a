// Completion from identifier and template lists: the items for the word at the caret,
// the default item drawing, and the replacement of the word by the chosen entry.
#include "editor/Completion.h"

#include <algorithm>
#include <cctype>
#include <memory>

#include "editor/Editor.h"
#include "editor/edit/EditingGuards.h"
#include "editor/UndoBuffer.h"

namespace editor {

namespace {

bool IsDelimiter(char c) { return IsWordSeparator(static_cast<unsigned char>(c)); }

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  if (prefix.size() > s.size()) return false;
  return std::equal(prefix.begin(), prefix.end(), s.begin(), [](char a, char b) { return Lower(a) == Lower(b); });
}

bool EqualNoCase(std::string_view a, std::string_view b) { return a.size() == b.size() && StartsWithNoCase(a, b); }

std::string_view Trimmed(std::string_view s) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

// The list's own font: the platform's proportional dialog font.
platform::TFontSpec ListFont(platform::TFontStyles style) {
  platform::TFontSpec font;
  font.Name = "Arial";
  font.Height = -11;
  font.Style = style;
  return font;
}

}  // namespace

TCaretWord WordAtColumn(std::string_view line, int x) {
  TCaretWord word{x, x, {}};
  if (x <= 0 || x > static_cast<int>(line.size()) || IsDelimiter(line[static_cast<std::size_t>(x - 1)])) return word;
  int start = x - 1;
  while (start > 0 && !IsDelimiter(line[static_cast<std::size_t>(start - 1)])) --start;
  int end = x;
  while (end < static_cast<int>(line.size()) && !IsDelimiter(line[static_cast<std::size_t>(end)])) ++end;
  word.Start = start;
  word.End = end;
  word.Text = std::string(line.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)));
  return word;
}

TCompletion::TCompletion(TEditor& editor) : TCompletionBase(editor), editor_(editor) {}

std::string TCompletion::Field(std::string_view item, int k) const {
  if (Separator.empty()) return k == 0 ? std::string(item) : std::string();
  std::size_t begin = 0;
  for (int i = 0; i < k; ++i) {
    const std::size_t next = item.find(Separator, begin);
    if (next == std::string_view::npos) return {};
    begin = next + Separator.size();
  }
  const std::size_t end = item.find(Separator, begin);
  return std::string(item.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin));
}

std::string TCompletion::ExpandTemplate(std::string_view body, int wordColumn,
                                        std::optional<platform::TPoint>& caretMark) const {
  std::string text(body);
  if (!CRLF.empty()) {
    const std::string lineBreak = "\r\n" + std::string(static_cast<std::size_t>(std::max(wordColumn, 0)), ' ');
    for (std::size_t at = text.find(CRLF); at != std::string::npos; at = text.find(CRLF, at + lineBreak.size())) {
      text.replace(at, CRLF.size(), lineBreak);
    }
  }
  caretMark.reset();
  const std::size_t mark = text.find(CaretChar);
  if (mark != std::string::npos) {
    const std::string_view before = std::string_view(text).substr(0, mark);
    const std::size_t lastBreak = before.rfind('\n');
    const int column = static_cast<int>(lastBreak == std::string_view::npos ? mark : mark - lastBreak - 1);
    caretMark = platform::TPoint{column, static_cast<int>(std::count(before.begin(), before.end(), '\n'))};
    std::erase(text, CaretChar);
  }
  return text;
}

// ---- Filling the list ----

void TCompletion::Open(TMode mode) {
  if (mode == cmIdentifiers) {
    TCompletionBase::Open(mode);
    return;
  }
  Close(false);
  if (RaiseModeEvent(cmTemplates) || Templates.empty()) return;
  SetMode(cmTemplates);
  BuildItems(cmTemplates);
  const TMatch match = FindSelection();
  // The word already names a template: no choice to make.
  if (match.Index >= 0 && match.Exact) {
    ApplyItem(match.Index);
    return;
  }
  TCompletionBase::Open(mode);
}

bool TCompletion::RaiseModeEvent(TMode mode) {
  bool cancel = false;
  const TOnCompletion& handler = mode == cmIdentifiers ? editor_.OnCompletionIdentifier : editor_.OnCompletionTemplate;
  if (handler) handler(editor_, cancel);
  return cancel;
}

bool TCompletion::SourceEmpty(TMode mode) const {
  return mode == cmIdentifiers ? Identifiers.empty() : Templates.empty();
}

namespace {

std::string CaretWordText(const TCustomEditor& editor) {
  std::string line;
  editor.LineText(editor.CaretY, line);
  return WordAtColumn(line, editor.CaretX).Text;
}

}  // namespace

void TCompletion::BuildItems(TMode mode) {
  std::vector<std::string>& items = MutableItems();
  if (mode == cmIdentifiers) {
    items = Identifiers;
    return;
  }
  const std::string word(Trimmed(CaretWordText(editor_)));
  items.clear();
  std::copy_if(Templates.begin(), Templates.end(), std::back_inserter(items),
               [&](const std::string& t) { return StartsWithNoCase(t, word); });
  if (items.empty()) items = Templates;
}

TCompletionBase::TMatch TCompletion::FindSelection() const {
  const std::string word(Trimmed(CaretWordText(editor_)));
  if (word.empty()) return {};
  const std::vector<std::string>& items = Items();
  const auto it = std::find_if(items.begin(), items.end(), [&](const std::string& i) { return StartsWithNoCase(i, word); });
  if (it == items.end()) return {};
  return {static_cast<int>(it - items.begin()), EqualNoCase(Trimmed(Field(*it, 0)), word)};
}

// ---- Drawing ----

void TCompletion::DrawItem(platform::Surface& surface, int index, const platform::TRect& rect, bool selected) {
  if (editor_.OnCompletionDrawItem) {
    editor_.OnCompletionDrawItem(surface, index, rect, selected);
    return;
  }
  const platform::TColor back = selected ? platform::clHighlight : platform::clWindow;
  const platform::TColor fore = selected ? platform::clHighlightText : platform::clWindowText;
  const std::string& item = Items()[static_cast<std::size_t>(index)];
  surface.FillRect(rect, back);
  surface.SetFont(ListFont(0));
  surface.TextRun(rect.Left + 3, rect.Top, Field(item, 1), 0, 0, fore, back, rect);
  if (Mode() != cmTemplates) return;
  const std::string name = Field(item, 0);
  surface.SetFont(ListFont(platform::fsBold));
  const int width = surface.TextWidth(name);
  surface.TextRun(rect.Right - 6 - width, rect.Top, name, 0, platform::fsBold, fore, back, rect);
}

// ---- Applying ----

void TCompletion::ApplyItem(int index) {
  const std::string& item = Items()[static_cast<std::size_t>(index)];
  ReplaceWordAtCaret(Field(item, Mode() == cmIdentifiers ? 0 : 2));
}

void TCompletion::ReplaceWordAtCaret(std::string text) {
  const int row = editor_.CaretY;
  std::string line;
  editor_.LineText(row, line);
  const TCaretWord word = WordAtColumn(line, editor_.CaretX);
  if (text == word.Text) return;
  std::optional<platform::TPoint> mark;
  if (Mode() == cmIdentifiers) {
    if (editor_.OnCompletionApply) editor_.OnCompletionApply(editor_, word.Text, text);
  } else {
    text = ExpandTemplate(text, word.Start, mark);
  }
  {
    TUpdateBracket update(editor_);
    TEditorStrings& lines = editor_.Lines();
    // With no word the text goes in at the caret, which may stand beyond the text.
    lines.PadToCaret();
    editor_.UndoBuffer().Add(
        std::make_unique<TReplaceUndo>(editor_, editor_.CaretX, row, word.Start, row, word.Text, text));
    lines.ReplaceBlock({word.Start, row}, {word.End - 1, row}, text);
    editor_.TextEdited(word.Start, row, taReplace, text);
    if (mark) {
      editor_.MoveCaretTo(mark->Y == 0 ? word.Start + mark->X : mark->X, row + mark->Y);
    } else {
      const platform::TPoint end = lines.BlockEnd(word.Start, row, text);
      editor_.MoveCaretTo(end.X + 1, end.Y);
    }
  }
  editor_.TextChanged();
}

}  // namespace editor
