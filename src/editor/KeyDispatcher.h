// TKeyDispatcher: the way from a key to a command and from a command to its handler. It
// holds the key-binding table, the key-down and character paths with the two-key wait,
// the command dispatcher with the caret, selection and view commands it runs itself
// (CaretCommands.cpp), and macro recording and playing (KeyDispatch.cpp). Editing
// commands go on to the editor's EditCommand.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "editor/Commands.h"
#include "editor/EditorTypes.h"
#include "editor/Keyboard.h"

namespace editor {

class TCustomEditorBase;

class TKeyDispatcher {
 public:
  explicit TKeyDispatcher(TCustomEditorBase& editor);
  TKeyDispatcher(const TKeyDispatcher&) = delete;
  TKeyDispatcher& operator=(const TKeyDispatcher&) = delete;

  TKeyboard Keyboard;
  bool IgnoreKeyPress = false;
  bool WaitSecondKey = false;
  bool MacroRecording = false;
  std::string MacroBuffer;
  std::string RecordedMacro;
  void KeyDown(std::uint16_t& key, std::uint8_t shift);
  void KeyPress(char& ch);
  // A text sent as if typed (the palettes' snippets, the media dialog's tags): every byte
  // takes the character path, and all of them arrive. The character a command key left
  // to be skipped was that key's own, never the first of a sent text.
  void SendText(std::string_view text);
  void Command(TCommand code);

 private:
  enum class TCommandResult { Place, Stop, NotMine };

  // Command helpers.
  TCommandResult ViewCommand(TCommand code, TPosition& pos, bool& useSetCaret);
  TCommandResult SelectionCommand(TCommand code, TPosition& pos, bool& useSetCaret);
  bool RunOtherCommand(TCommand code, TPosition& pos, bool& useSetCaret);
  void RunBlockIndent(bool unindent);
  bool PlainMoveTarget(TCommand code, TPosition& pos);
  bool CanMoveDown(int y) const;
  void PageScroll(int direction, int& y);
  void ScrollLineCommand(TCommand code, int& y);
  void ReadOnlyNewLine(TPosition& pos) const;
  void ChangeBlockFormat(TSelBlockFormat format);
  void SelectWordAtCaret(int& x);
  void DeleteWordRight();
  void PlayMacro();
  // Adds code to the macro being recorded; Command calls it only while recording.
  void RecordMacroCode(TCommand code);

  TCustomEditorBase& editor_;
  bool macroPlaying_ = false;
  std::uint16_t firstKey_ = 0;
  std::uint8_t firstShift_ = 0;
};

}  // namespace editor
