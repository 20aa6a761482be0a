// The key-down and character paths and the command dispatcher: every key, character
// message and posted command ends in Command.
#include "editor/CustomEditorBase.h"

#include "platform/Types.h"

namespace editor {

void TCustomEditorBase::KeyDown(std::uint16_t& key, std::uint8_t shift) {
  if (CompletionKeyDown(key, shift)) {
    IgnoreKeyPress = true;
    return;
  }
  if ((shift & platform::ssShift) == 0) Selecting = false;
  TCommand code = 0;
  if (WaitSecondKey) {
    // Any key ends the wait, a bare modifier key too.
    code = Keyboard.FindCommand2(firstKey_, firstShift_, key, shift);
    WaitSecondKey = false;
    IgnoreKeyPress = true;
  } else {
    if (OnKeyDown) OnKeyDown(key, shift);
    firstKey_ = key;
    firstShift_ = shift;
    code = Keyboard.FindCommand(key, shift);
    if (code == ecWaitSecondKey) {
      IgnoreKeyPress = true;
      WaitSecondKey = true;
    } else {
      // A bound key's own character message must not be typed as well.
      IgnoreKeyPress = code != 0;
    }
  }
  if (code != 0 && code != ecWaitSecondKey) {
    Command(code);
    key = 0;
  }
  if (code == ecBackspace) CompletionKeyPress('\b');
}

void TCustomEditorBase::KeyPress(char& ch) {
  if (IgnoreKeyPress || ReadOnly) {
    IgnoreKeyPress = false;
    return;
  }
  TCaretHider hider(*this);
  if (OnKeyPress) OnKeyPress(ch);
  Command(static_cast<unsigned char>(ch));
}

void TCustomEditorBase::RecordMacroCode(TCommand code) {
  if (!MacroRecording || code == ecMacroRecord || code == ecBeginGroup || GroupDepth > 0) return;
  MacroBuffer.push_back(static_cast<char>(code & 0xFF));
  MacroBuffer.push_back(static_cast<char>(code >> 8));
}

void TCustomEditorBase::PlayMacro() {
  // A macro that holds its own play command would replay itself without end.
  if (macroPlaying_) return;
  macroPlaying_ = true;
  OpenUpdate();
  Command(ecBeginGroup);
  try {
    const std::string macro = RecordedMacro;
    for (std::size_t i = 0; i + 1 < macro.size(); i += 2) {
      const auto low = static_cast<unsigned char>(macro[i]);
      const auto high = static_cast<unsigned char>(macro[i + 1]);
      Command(static_cast<TCommand>(low | (high << 8)));
    }
  } catch (...) {
    Command(ecEndGroup);
    macroPlaying_ = false;
    CloseUpdate();
    throw;
  }
  Command(ecEndGroup);
  macroPlaying_ = false;
  CloseUpdate();
}

// Deletes up to the start of the next word as one undo step: a word-right selection in
// the stream format, then the selection deletion. The user's block format comes back
// only after the deletion: deleting in the inclusive or column format would take the
// first character of the next word too.
void TCustomEditorBase::DeleteWordRight() {
  Command(ecBeginGroup);
  Command(ecOpenUpdate);
  const TSelBlockFormat format = SelBlockFormat;
  try {
    SelBlockFormat = bfNonInclusive;
    Command(ecSelWordRight);
    Command(ecDeleteSelection);
  } catch (...) {
    SelBlockFormat = format;
    Command(ecCloseUpdate);
    Command(ecEndGroup);
    throw;
  }
  SelBlockFormat = format;
  Command(ecCloseUpdate);
  Command(ecEndGroup);
}

void TCustomEditorBase::Command(TCommand code) {
  RecordMacroCode(code);
  TCaretHider hider(*this);
  int x = CaretX;
  int y = CaretY;
  bool useSetCaret = true;
  if (code <= 255) {
    if (!ReadOnly) TypeChar(static_cast<unsigned char>(code));
    return;
  }
  switch (ViewCommand(code, x, y, useSetCaret)) {
    case TCommandResult::Stop: return;
    case TCommandResult::Place: break;
    case TCommandResult::NotMine:
      if (!RunOtherCommand(code, x, y, useSetCaret)) return;
      break;
  }
  if (useSetCaret) {
    SetCaret(x, y);
  } else {
    MoveCaretTo(x, y);
  }
}

void TCustomEditorBase::RunBlockIndent(bool unindent) {
  if (SelBlockFormat == bfColumn) {
    if (unindent) {
      UnindentRows(SelBegX, SelBegY, SelEndY);
    } else {
      IndentRows(SelBegX, SelBegY, SelEndY);
    }
  } else if (unindent) {
    UnindentSelection();
  } else {
    IndentSelection();
  }
}

// The editing, clipboard, undo, group, update and macro commands; answers whether the
// caret is still to be placed at (x, y).
bool TCustomEditorBase::RunOtherCommand(TCommand code, int& x, int& y, bool& useSetCaret) {
  switch (code) {
    case ecNewLine:
      if (!ReadOnly) TypeChar('\r');
      return false;
    case ecIndentBlock:
    case ecUnindentBlock:
      if (!ReadOnly && Selected) RunBlockIndent(code == ecUnindentBlock);
      return false;
    case ecDeleteSelection:
      if (!ReadOnly && Selected) RemoveSelection();
      x = CaretX;
      y = CaretY;
      useSetCaret = false;
      return true;
    case ecCopy:
      Copy();
      return true;
    case ecCut:
    case ecPaste:
      if (!ReadOnly) {
        if (code == ecCut) {
          Cut();
        } else {
          Paste();
        }
      }
      x = CaretX;
      y = CaretY;
      useSetCaret = false;
      return true;
    case ecDeleteWord:
      if (!ReadOnly) DeleteWordRight();
      return false;
    case ecUndo:
    case ecRedo:
      if (!ReadOnly) {
        if (code == ecUndo) {
          UndoBuffer().Undo();
        } else {
          UndoBuffer().Redo();
        }
      }
      return false;
    case ecBeginGroup:
      ++GroupDepth;
      UndoBuffer().Add(std::make_unique<TBeginCompoundUndo>(*this));
      return false;
    case ecEndGroup:
      UndoBuffer().Add(std::make_unique<TEndCompoundUndo>(*this));
      --GroupDepth;
      return false;
    case ecOpenUpdate:
      OpenUpdate();
      return false;
    case ecCloseUpdate:
      CloseUpdate();
      return false;
    case ecCompleteIdentifier:
    case ecCompleteTemplate:
      if (!ReadOnly) OpenCompletion(code == ecCompleteIdentifier ? cmIdentifiers : cmTemplates);
      return false;
    case ecMacroRecord:
      if (MacroRecording) {
        MacroRecording = false;
        RecordedMacro = MacroBuffer;
      } else {
        MacroBuffer.clear();
        MacroRecording = true;
      }
      StatusChanged();
      return false;
    case ecMacroPlay:
      PlayMacro();
      return false;
    default:
      return !EditCommand(code, x, y, useSetCaret);
  }
}

}  // namespace editor
