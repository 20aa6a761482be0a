// The key-down and character paths, the command dispatcher and macros: every key,
// character message and posted command ends in Command.
#include "editor/CustomEditorBase.h"

#include "platform/Types.h"

namespace editor {

TKeyDispatcher::TKeyDispatcher(TCustomEditorBase& editor) : editor_(editor) { Keyboard.SetDefaultLayout(); }

void TKeyDispatcher::KeyDown(std::uint16_t& key, std::uint8_t shift) {
  if (editor_.CompletionKeyDown(key, shift)) {
    IgnoreKeyPress = true;
    return;
  }
  if ((shift & platform::ssShift) == 0) editor_.Sel.Selecting = false;
  TCommand code = 0;
  if (WaitSecondKey) {
    // Any key ends the wait, a bare modifier key too.
    code = Keyboard.FindCommand2(firstKey_, firstShift_, key, shift);
    WaitSecondKey = false;
    IgnoreKeyPress = true;
  } else {
    if (editor_.OnKeyDown) editor_.OnKeyDown(key, shift);
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
  if (code == ecBackspace) editor_.CompletionKeyPress('\b');
}

void TKeyDispatcher::KeyPress(char& ch) {
  if (IgnoreKeyPress || editor_.ReadOnly) {
    IgnoreKeyPress = false;
    return;
  }
  TCaretHider hider(editor_.View());
  if (editor_.OnKeyPress) editor_.OnKeyPress(ch);
  Command(static_cast<unsigned char>(ch));
}

void TKeyDispatcher::SendText(std::string_view text) {
  IgnoreKeyPress = false;
  for (char ch : text) KeyPress(ch);
}

void TKeyDispatcher::RecordMacroCode(TCommand code) {
  if (code == ecMacroRecord || code == ecBeginGroup || editor_.GroupDepth > 0) return;
  MacroBuffer.push_back(static_cast<char>(code & 0xFF));
  MacroBuffer.push_back(static_cast<char>(code >> 8));
}

void TKeyDispatcher::PlayMacro() {
  // A macro that holds its own play command would replay itself without end.
  if (macroPlaying_) return;
  macroPlaying_ = true;
  editor_.OpenUpdate();
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
    editor_.CloseUpdate();
    throw;
  }
  Command(ecEndGroup);
  macroPlaying_ = false;
  editor_.CloseUpdate();
}

// Deletes up to the start of the next word as one undo step: a word-right selection in
// the stream format, then the selection deletion. The user's block format comes back
// only after the deletion: deleting in the inclusive or column format would take the
// first character of the next word too.
void TKeyDispatcher::DeleteWordRight() {
  Command(ecBeginGroup);
  Command(ecOpenUpdate);
  const TSelBlockFormat format = editor_.Sel.BlockFormat;
  try {
    editor_.Sel.BlockFormat = bfNonInclusive;
    Command(ecSelWordRight);
    Command(ecDeleteSelection);
  } catch (...) {
    editor_.Sel.BlockFormat = format;
    Command(ecCloseUpdate);
    Command(ecEndGroup);
    throw;
  }
  editor_.Sel.BlockFormat = format;
  Command(ecCloseUpdate);
  Command(ecEndGroup);
}

void TKeyDispatcher::Command(TCommand code) {
  if (MacroRecording) RecordMacroCode(code);
  TCaretHider hider(editor_.View());
  TPosition pos{editor_.CaretX, editor_.CaretY};
  bool useSetCaret = true;
  if (code <= 255) {
    if (!editor_.ReadOnly) editor_.TypeChar(static_cast<unsigned char>(code));
    return;
  }
  switch (ViewCommand(code, pos, useSetCaret)) {
    case TCommandResult::Stop: return;
    case TCommandResult::Place: break;
    case TCommandResult::NotMine:
      if (!RunOtherCommand(code, pos, useSetCaret)) return;
      break;
  }
  if (useSetCaret) {
    editor_.SetCaret(pos.X, pos.Y);
  } else {
    editor_.MoveCaretTo(pos.X, pos.Y);
  }
}

void TKeyDispatcher::RunBlockIndent(bool unindent) {
  if (editor_.Sel.BlockFormat == bfColumn) {
    if (unindent) {
      editor_.UnindentRows(editor_.Sel.Beg.X, editor_.Sel.Beg.Y, editor_.Sel.End.Y);
    } else {
      editor_.IndentRows(editor_.Sel.Beg.X, editor_.Sel.Beg.Y, editor_.Sel.End.Y);
    }
  } else if (unindent) {
    editor_.UnindentSelection();
  } else {
    editor_.IndentSelection();
  }
}

// The editing, clipboard, undo, group, update and macro commands; answers whether the
// caret is still to be placed at pos.
bool TKeyDispatcher::RunOtherCommand(TCommand code, TPosition& pos, bool& useSetCaret) {
  switch (code) {
    case ecNewLine:
      if (!editor_.ReadOnly) editor_.TypeChar('\r');
      return false;
    case ecIndentBlock:
    case ecUnindentBlock:
      if (!editor_.ReadOnly && editor_.Sel.Selected) RunBlockIndent(code == ecUnindentBlock);
      return false;
    case ecDeleteSelection:
      if (!editor_.ReadOnly && editor_.Sel.Selected) editor_.RemoveSelection();
      pos = {editor_.CaretX, editor_.CaretY};
      useSetCaret = false;
      return true;
    case ecCopy:
      editor_.Copy();
      return true;
    case ecCut:
    case ecPaste:
      if (!editor_.ReadOnly) {
        if (code == ecCut) {
          editor_.Cut();
        } else {
          editor_.Paste();
        }
      }
      pos = {editor_.CaretX, editor_.CaretY};
      useSetCaret = false;
      return true;
    case ecDeleteWord:
      if (!editor_.ReadOnly) DeleteWordRight();
      return false;
    case ecUndo:
    case ecRedo:
      if (!editor_.ReadOnly) {
        if (code == ecUndo) {
          editor_.UndoBuffer().Undo();
        } else {
          editor_.UndoBuffer().Redo();
        }
      }
      return false;
    case ecBeginGroup:
      ++editor_.GroupDepth;
      editor_.UndoBuffer().Add(std::make_unique<TBeginCompoundUndo>(editor_));
      return false;
    case ecEndGroup:
      editor_.UndoBuffer().Add(std::make_unique<TEndCompoundUndo>(editor_));
      --editor_.GroupDepth;
      return false;
    case ecOpenUpdate:
      editor_.OpenUpdate();
      return false;
    case ecCloseUpdate:
      editor_.CloseUpdate();
      return false;
    case ecCompleteIdentifier:
    case ecCompleteTemplate:
      if (!editor_.ReadOnly) {
        editor_.OpenCompletion(code == ecCompleteIdentifier ? TCustomEditorBase::cmIdentifiers
                                                            : TCustomEditorBase::cmTemplates);
      }
      return false;
    case ecFind:
    case ecReplace:
      if (editor_.OnOwnerCommand) editor_.OnOwnerCommand(code);
      return false;
    case ecMacroRecord:
      if (MacroRecording) {
        MacroRecording = false;
        RecordedMacro = MacroBuffer;
      } else {
        MacroBuffer.clear();
        MacroRecording = true;
      }
      editor_.StatusChanged();
      return false;
    case ecMacroPlay:
      PlayMacro();
      return false;
    default:
      return !editor_.EditCommand(code, pos, useSetCaret);
  }
}

}  // namespace editor
