// THLEditor: the editor with syntax highlighting (HTML for the program's Memo1).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/html/Colors.h"
#include "editor/Editor.h"
#include "editor/html/HLParser.h"

namespace editor {

// The colouring modes, in declaration order. Only hlHtml colours tokens; hlNone and
// every other mode paint each line in the base colour alone.
enum THighlighter : std::uint8_t {
  hlNone,
  hlPascal,
  hlCBuilder,
  hlSql,
  hlPython,
  hlJava,
  hlVB,
  hlHtml,
  hlPerl,
  hlIni,
  hlCocoR,
  hlPhp,
  hlNQC,
  hlCSharp,
  hlSyntaxHighlighter,
};

class THLEditor;

// Asked for every token before the mode's own rules; answering Reserved = true colours
// the token as a reserved word.
using TOnReservedWord =
    std::function<void(THLEditor& sender, std::string_view token, bool& reserved)>;

// The string editor with per-character colouring. For each painted row it rewrites
// Attrs entries 1..1024 from the row's text and the row's start state: whether the row
// begins inside a tag left open on an earlier row. Tokens are classified up to the last
// column painted; text further right takes the plain text colour. Start states are
// cached for rows 0..65536 and refreshed from the edited row (at most 5000 rows on) when
// an edit adds or removes "<", ">" or a line break; rows beyond a refresh are recomputed
// when painted. The rows whose cached start state changed are repainted.
class THLEditor : public TEditor {
 public:
  // Start states: outside any tag, inside a tag, and not yet computed.
  static constexpr std::uint8_t StateOutside = 0;
  static constexpr std::uint8_t StateInTag = 5;
  static constexpr std::uint8_t StateUnknown = 255;
  // Rows 0..MaxStateLine have a cached start state; later rows start outside a tag.
  static constexpr int MaxStateLine = 65536;
  // How many rows a refresh scans past the row it starts at.
  static constexpr int RescanWindow = 5000;

  explicit THLEditor(platform::Host& host);

  THighlighter Highlighter() const { return highlighter_; }
  // A different mode rebuilds the start states from row 0 and repaints the control.
  void SetHighlighter(THighlighter mode);

  const TColors& Colors() const { return colors_; }
  // Copies the set into the editor's own; repaints nothing.
  void SetColors(const TColors& colors) { colors_ = colors; }

  // When false no start states are kept and every row starts outside a tag.
  bool LongTokens() const { return longTokens_; }
  void SetLongTokens(bool value);

  // When false the painter's own defaults stay in Attrs.
  bool SyntaxHighlighting() const { return syntaxHighlighting_; }
  void SetSyntaxHighlighting(bool value);

  TOnReservedWord OnReservedWord;

  // The component has been configured: build the start states from row 0.
  void Loaded();

  void ComputeLineAttrs(int row, int colBeg, int colEnd) override;
  void TextEdited(int column, int row, int action, std::string_view text) override;
  // Start states move with their rows, so that a rescan after the edit finds only what
  // the edit itself changed.
  void LinesMoved(int index, int delta) override;

  // The rows whose cached start state a rescan changed (none when First > Last).
  struct TChangedRows {
    int First = 0;
    int Last = -1;
    bool Any() const { return First <= Last; }
  };
  // Recomputes start states from fromLine (fromLine < 0: all of them, from scratch).
  TChangedRows RescanLineStates(int fromLine);
  // A text just loaded is shown from its top: the caret at (0, 0), the line states and
  // the layout rebuilt, the view scrolled home and repainted.
  void ShowFromTop();
  // The cached start state of a row (StateOutside for rows past MaxStateLine).
  std::uint8_t LineStartState(int line) const;

 private:
  bool KeepsLineStates() const;
  std::uint8_t StartStateForColouring(int row);
  // Columns up to textLength in the plain text colours, the rest as past the line's end.
  void FillBaseColours(std::size_t textLength);
  void ColourHtmlTokens(bool inTag);
  const TSymbolColor& ClassifyInTag(std::string_view token, std::string_view p1,
                                    std::string_view p2, bool& inTag) const;
  const TSymbolColor& ClassifyGeneric(std::string_view token) const;
  void SetTokenColor(const TSymbolColor& color);
  void SetColumnsColor(int first, int last, const TSymbolColor& color);
  void ColourEntities(std::string_view token);

  THighlighter highlighter_ = hlPascal;
  TColors colors_;
  bool longTokens_ = true;
  bool syntaxHighlighting_ = true;

  TIParser parser_;
  // The text of the row being coloured; the parser's tokens point into it.
  std::string currentLine_;
  // Entry i: the state at the start of row i.
  std::vector<std::uint8_t> LineStartStates;
};

// Gives an editor the highlighting configuration of the main window's Memo1: its colour
// set and the HTML mode, then rebuilds the start states as after loading the form.
void ApplyMemo1Highlighting(THLEditor& memo);

}  // namespace editor
