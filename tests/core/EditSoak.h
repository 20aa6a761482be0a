// A random user of the highlighting editor: characters of every byte value, every bound
// key and command, mouse clicks and drags, the edit-control messages, text pasted from
// other programs, macros and read-only switches. After every operation it checks what
// must always hold and answers the first fault it sees as a sentence (empty when none):
// no exception leaves a user command, the caret and the selection stay in range, the
// cached start-of-row highlighting states equal a scan from the top, and undoing every
// step brings back the opened text byte for byte, control codes inside rows included
// (but for the codes 0..32 at the ends of rows, which the store's writes drop, and for
// appended empty rows), which also survives a save and reopen unchanged.
//
// The driver bounds its own input: once the text exceeds MaxTextBytes (doubling pastes,
// replayed macros) the session ends and a new text is opened, as a user would.
#pragma once

#include <algorithm>
#include <cstdint>
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <optional>
#include <utility>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/FakeHost.h"
#include "editor/Commands.h"
#include "editor/html/HLEditor.h"
#include "platform/Messages.h"
#include "platform/TextFile.h"
#include "platform/VirtualKeys.h"

namespace testing_support {

class EditSoak {
 public:
  static constexpr std::size_t MaxTextBytes = 4u << 20;

  explicit EditSoak(std::uint32_t seed) : random_(seed) {
    host_.Size = {400, 300};
    memo_.WindowCreated();
    editor::ApplyMemo1Highlighting(memo_);
  }

  // Runs one session of `steps` operations on a freshly opened text; a text that grows
  // past the bound ends the session early. Answers the operations run, or the fault.
  std::string RunSession(int steps, long long& operations, bool bigText = false) {
    Open(bigText);
    for (int step = 0; step < steps && TextBytes() <= MaxTextBytes; ++step) {
      std::string fault = Guarded([this] { RandomOperation(); });
      ++operations;
      if (fault.empty()) fault = CheckInvariants(bigText ? (step % 500 == 0) : true);
      if (!fault.empty()) return Describe(step, fault);
    }
    std::string fault;
    std::string raised = Guarded([&] { fault = CheckSaveAndReopen(); });
    if (raised.empty() && fault.empty()) raised = Guarded([&] { fault = CheckUndoToStart(); });
    if (!raised.empty()) fault = raised;
    return fault.empty() ? fault : Describe(-1, fault);
  }

  editor::THLEditor& Memo() { return memo_; }
  // What the session did, one entry per operation.
  const std::vector<std::string>& Log() const { return log_; }

 private:
  using Lines = std::vector<std::string>;

  // ---- Opening a text ----

  void Open(bool bigText) {
    Lines lines;
    const int count = bigText ? 65536 + Pick(40) : Pick(40);
    // Open stores each line as Lines.Add does: tabs become blanks.
    for (int i = 0; i < count; ++i) lines.push_back(memo_.TabsToBlanks(SeedLine(bigText)));
    memo_.ReadOnly = false;
    memo_.SetLines(lines);
    memo_.MoveCaretTo(0, 0);
    opened_ = Normalised(AllLines());
    log_.clear();
  }

  std::string SeedLine(bool bigText) {
    static const char* const pool[] = {"<html>", "  <body>", "    if (a) then b;", "", "      deep  ",
                                       "<p class=\"x\">text", "  </p>", "<a", "  href=x>", "a > b < c",
                                       "\t<td>\tx", "&amp; &lt;", "</body></html>", "   ",
                                       // Control codes inside rows: edits that leave one at a row's
                                       // end drop it, and undo must put the byte back.
                                       "a\x05" "b", "<b>\x01</b>\x1f;", "  x\x02 y\x7f"};
    const unsigned roll = Pick(bigText ? 1000 : 30);
    if (roll == 0) return std::string(1000 + Pick(1200), 'w') + " <tail";
    if (roll == 1) {
      std::string bytes = RandomBytes(Pick(60));
      std::erase_if(bytes, [](char c) { return c == '\r' || c == '\n'; });
      return bytes;
    }
    return pool[Pick(std::size(pool))];
  }

  // ---- Operations ----

  void RandomOperation() {
    const unsigned roll = Pick(100);
    if (roll < 38) return TypeCharacter();
    if (roll < 75) return RunCommand();
    if (roll < 83) return PressKey();
    if (roll < 89) return Mouse();
    if (roll < 94) return Message();
    if (roll < 96) return ForeignClipboard();
    if (roll < 98) return Macro();
    log_.push_back("read-only switch");
    memo_.Perform(platform::EM_SETREADONLY, memo_.ReadOnly ? 0 : Pick(4) == 0, 0);
  }

  void TypeCharacter() {
    static const std::string common = "abc xyz <>/=\"'_09(){}.;\r\r<>";
    const unsigned char ch = Pick(10) < 7 ? static_cast<unsigned char>(common[Pick(common.size())])
                                          : static_cast<unsigned char>(Pick(256));
    log_.push_back("char " + std::to_string(ch));
    memo_.Perform(platform::WM_CHAR, ch, 0);
  }

  void RunCommand() {
    using namespace editor;
    static const TCommand commands[] = {
        ecLeft, ecUp, ecRight, ecDown, ecSelLeft, ecSelUp, ecSelRight, ecSelDown, ecWordLeft,
        ecWordRight, ecSelWordLeft, ecSelWordRight, ecSelectWord, ecViewTop, ecViewBottom, ecPageUp,
        ecPageDown, ecSelPageUp, ecSelPageDown, ecLineStart, ecLineEnd, ecDocStart, ecDocEnd,
        ecSelLineStart, ecSelLineEnd, ecSelDocStart, ecSelDocEnd, ecSelectAll, ecScrollUp,
        ecScrollDown, ecBlockInclusive, ecBlockLine, ecBlockColumn, ecBlockNonInclusive, ecNewLine,
        ecBackspace, ecBackspace, ecBackspace, ecDelete, ecDelete, ecToggleInsert, ecTab, ecBackTab,
        ecIndentBlock, ecUnindentBlock, ecDeleteSelection, ecCopy, ecCut, ecPaste, ecPaste,
        ecDeleteLine, ecDeleteLine, ecDeleteWord, ecUpperCase, ecLowerCase, ecToggleCase, ecUndo,
        ecUndo, ecUndo, ecUndo, ecRedo, ecSetBookmark0, ecSetBookmark0 + 1, ecGotoBookmark0,
        ecGotoBookmark0 + 1, ecColumnSelLeft, ecColumnSelUp, ecColumnSelRight, ecColumnSelDown,
        ecColumnSelDown, ecBackspaceWord, ecCompleteIdentifier, ecCompleteTemplate};
    const TCommand code = commands[Pick(std::size(commands))];
    log_.push_back("command " + std::to_string(code));
    memo_.Command(code);
  }

  void PressKey() {
    static const std::uint16_t keys[] = {
        platform::VK_LEFT,   platform::VK_RIGHT,  platform::VK_UP,     platform::VK_DOWN,
        platform::VK_HOME,   platform::VK_END,    platform::VK_PRIOR,  platform::VK_NEXT,
        platform::VK_BACK,   platform::VK_TAB,    platform::VK_RETURN, platform::VK_DELETE,
        platform::VK_INSERT, platform::VK_ESCAPE, platform::VK_SPACE,  platform::VkLetter('T'),
        platform::VkLetter('Y'), platform::VkLetter('K'), platform::VkLetter('O'),
        platform::VkLetter('Q'), platform::VkLetter('Z'), platform::VkLetter('V'),
        platform::VkLetter('I'), platform::VkLetter('U'), platform::VkLetter('C'),
        platform::VkLetter('L'), platform::VkLetter('N'), platform::VkDigit(1), platform::VkDigit(3)};
    std::uint16_t key = keys[Pick(std::size(keys))];
    const auto shift = static_cast<std::uint8_t>(Pick(8));
    log_.push_back("key " + std::to_string(key) + " shift " + std::to_string(shift));
    memo_.KeyDown(key, shift);
  }

  void Mouse() {
    const int x = static_cast<int>(Pick(500)) - 50;
    const int y = static_cast<int>(Pick(400)) - 50;
    const auto button = static_cast<editor::TMouseButton>(Pick(4) == 0 ? Pick(3) : 0);
    const auto shift = static_cast<std::uint8_t>(Pick(3) == 0 ? 1 : 0);
    log_.push_back("mouse " + std::to_string(button) + " at " + std::to_string(x) + "," + std::to_string(y));
    switch (Pick(4)) {
      case 0: memo_.DblClick(x, y); break;
      case 1: memo_.MouseWheel(0, Pick(2) ? 120 : -120); break;
      default:
        memo_.MouseDown(button, shift, x, y);
        if (Pick(2)) memo_.MouseMove(shift, button != editor::mbRight, x + static_cast<int>(Pick(200)) - 100, y + static_cast<int>(Pick(200)) - 100);
        if (Pick(2)) memo_.Timer(editor::TCustomEditorBase::DragScrollTimerId);
        memo_.MouseUp(button, shift, x, y);
    }
  }

  // The edit-control messages the program's windows send; the clipboard ones post a
  // command that arrives next. (EM_SETSEL has no sender in the program.)
  void Message() {
    static const platform::TMessage messages[] = {platform::WM_UNDO, platform::WM_CLEAR, platform::WM_CUT,
                                                  platform::WM_COPY, platform::WM_PASTE};
    const platform::TMessage message = messages[Pick(std::size(messages))];
    log_.push_back("message " + std::to_string(message));
    memo_.Perform(message, 0, 0);
    for (const std::uint16_t code : std::exchange(host_.Posted, {}))
      memo_.Perform(platform::WM_EDITCOMMAND, code, 0);
  }

  // Another program's text on the clipboard: any bytes, line breaks of every kind.
  void ForeignClipboard() {
    std::string text = RandomBytes(Pick(3) == 0 ? Pick(400) : Pick(12));
    log_.push_back("foreign clipboard of " + std::to_string(text.size()) + " bytes");
    host_.SetClipboard(text, std::nullopt);
  }

  void Macro() {
    const editor::TCommand code = Pick(3) == 0 ? editor::ecMacroRecord : editor::ecMacroPlay;
    log_.push_back("macro " + std::to_string(code));
    memo_.Command(code);
  }

  // ---- Checks ----

  std::string CheckInvariants(bool withHighlighting) {
    const int count = memo_.LineCount();
    std::ostringstream fault;
    if (memo_.CaretX < 0 || memo_.CaretX > editor::MaxColumn) fault << "caret column " << memo_.CaretX;
    // Deleting the last line may leave the caret one row below the text.
    else if (memo_.CaretY < 0 || memo_.CaretY > count) fault << "caret row " << memo_.CaretY << " of " << count;
    else if (memo_.UpdateLock != 0 || memo_.GroupDepth != 0) fault << "update lock or undo group left open";
    else if (memo_.Sel.Selected) fault << CheckSelection(count);
    if (fault.str().empty() && withHighlighting) fault << CheckHighlighting();
    return fault.str();
  }

  // Rows inside the text; columns not negative. The end column is not bound by the rows'
  // lengths: Ctrl+Y keeps the selection while the rows under it change.
  std::string CheckSelection(int count) {
    std::ostringstream fault;
    // On an empty text a selection can only stand on row 0.
    if (memo_.Sel.Beg.Y < 0 || memo_.Sel.Beg.Y > memo_.Sel.End.Y || memo_.Sel.End.Y >= std::max(count, 1))
      fault << "selection rows " << memo_.Sel.Beg.Y << ".." << memo_.Sel.End.Y << " of " << count;
    else if (memo_.Sel.Beg.X < 0 || memo_.Sel.End.X < 0)
      fault << "selection columns " << memo_.Sel.Beg.X << ".." << memo_.Sel.End.X;
    else
      memo_.SelectionText();  // reading it stays inside the rows (the sanitizers watch)
    return fault.str();
  }

  // Entry i of the cache against a walk from the top ("<" opens, ">" closes a tag).
  std::string CheckHighlighting() {
    const int last = std::min(memo_.LineCount() - 1, editor::THLEditor::MaxStateLine);
    bool inTag = false;
    for (int row = 0; row <= last; ++row) {
      const std::uint8_t cached = memo_.LineStartState(row);
      const std::uint8_t expected = inTag ? editor::THLEditor::StateInTag : editor::THLEditor::StateOutside;
      if (cached != editor::THLEditor::StateUnknown && cached != expected)
        return "row " + std::to_string(row) + " starts in state " + std::to_string(cached) + ", a scan gives " +
               std::to_string(expected);
      // The scanner reads a row as a C string: a NUL byte (a file may hold one) ends it.
      for (const char ch : memo_.Lines().Get(row)) {
        if (ch == '\0') break;
        if (ch == (inTag ? '>' : '<')) inTag = !inTag;
      }
    }
    return {};
  }

  // What a save writes (every line and CR LF) read back by the file reading rule.
  std::string CheckSaveAndReopen() {
    const std::string name =
        (std::filesystem::temp_directory_path() / ("soak-" + std::to_string(::getpid()) + ".htm")).string();
    {
      std::ofstream file(name, std::ios::binary);
      for (int i = 0; i < memo_.LineCount(); ++i) file << memo_.Lines().Get(i) << "\r\n";
    }
    Lines reopened;
    {
      platform::TTextFileReader reader(name);
      for (std::string line; reader.ReadLine(line);) reopened.push_back(line);
    }
    std::remove(name.c_str());
    // By the reading rule a Ctrl+Z at the start of a row (pasted there) ends the text; Open
    // warns about the rest.
    Lines expected = AllLines();
    const auto mark = std::find_if(expected.begin(), expected.end(), [](const std::string& line) {
      return !line.empty() && line[0] == '\x1a';
    });
    expected.erase(mark, expected.end());
    if (reopened == expected) return {};
    std::size_t row = 0;
    while (row < reopened.size() && row < expected.size() && reopened[row] == expected[row]) ++row;
    return "a save and reopen changes row " + std::to_string(row);
  }

  // Undo after undo until the history is used up: the opened text is back.
  std::string CheckUndoToStart() {
    memo_.ReadOnly = false;
    while (memo_.UndoBuffer().HasUndo()) {
      const int pointer = memo_.UndoBuffer().UndoPointer;
      memo_.Command(editor::ecUndo);
      if (memo_.UndoBuffer().UndoPointer >= pointer) return "an undo step takes nothing back";
      if (std::string fault = CheckInvariants(true); !fault.empty()) return "while undoing: " + fault;
    }
    const Lines now = Normalised(AllLines());
    if (now == opened_) return {};
    std::size_t row = 0;
    while (row < now.size() && row < opened_.size() && now[row] == opened_[row]) ++row;
    return "undoing every step leaves row " + std::to_string(row) + " \"" +
           (row < now.size() ? now[row].substr(0, 60) : std::string("(none)")) + "\", opened \"" +
           (row < opened_.size() ? opened_[row].substr(0, 60) : std::string("(none)")) + "\"";
  }

  // ---- Helpers ----

  template <typename F>
  static std::string Guarded(F&& operation) {
    try {
      operation();
    } catch (const std::exception& error) {
      return std::string("exception \"") + error.what() + "\"";
    }
    return {};
  }

  std::string Describe(int step, const std::string& fault) {
    std::ostringstream text;
    text << fault << (step >= 0 ? " after step " + std::to_string(step) : std::string(" at the end")) << "; last:";
    for (std::size_t i = log_.size() > 8 ? log_.size() - 8 : 0; i < log_.size(); ++i) text << " [" << log_[i] << "]";
    return text.str();
  }

  Lines AllLines() const {
    Lines lines;
    for (int i = 0; i < memo_.LineCount(); ++i) lines.push_back(memo_.Lines().Get(i));
    return lines;
  }

  // Without the codes 0..32 at the ends of rows and without empty last rows: every write
  // of a row drops its end of such codes, undo's own writes too, and rows appended up to
  // a caret below the text may stay. Every other byte counts as it is.
  static Lines Normalised(Lines lines) {
    for (std::string& line : lines) {
      while (!line.empty() && static_cast<unsigned char>(line.back()) <= 32) line.pop_back();
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
  }

  std::size_t TextBytes() const {
    std::size_t bytes = 0;
    for (int i = 0; i < memo_.LineCount(); ++i) bytes += memo_.Lines().Get(i).size() + 2;
    return bytes;
  }

  std::string RandomBytes(unsigned length) {
    std::string text;
    for (unsigned i = 0; i < length; ++i) {
      const unsigned roll = Pick(10);
      text += roll == 0 ? "\r\n"[Pick(2)] : roll == 1 ? '\t' : static_cast<char>(roll < 5 ? "<> a"[Pick(4)] : Pick(256));
    }
    return text;
  }

  unsigned Pick(std::size_t n) { return static_cast<unsigned>(random_() % n); }

  std::mt19937 random_;
  FakeHost host_;
  editor::THLEditor memo_{host_};
  Lines opened_;
  std::vector<std::string> log_;
};

}  // namespace testing_support
