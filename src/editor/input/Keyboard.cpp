// The key-binding table: lookups and the default layout of the editor's keys.
#include "editor/Keyboard.h"

#include "platform/VirtualKeys.h"

namespace editor {

using namespace platform;

void TKeyboard::Add(TCommand command, std::uint16_t key, TShiftState shift) {
  keys_.push_back(TEditKey{key, 0, shift, ssNone, command});
}

void TKeyboard::AddSequence(TCommand command, std::uint16_t key1, TShiftState shift1, std::uint16_t key2,
                            TShiftState shift2) {
  keys_.push_back(TEditKey{key1, key2, shift1, shift2, command});
}

void TKeyboard::AddSequenceEitherCtrl(TCommand command, std::uint16_t key1, TShiftState shift1,
                                      std::uint16_t key2) {
  AddSequence(command, key1, shift1, key2, ssCtrl);
  AddSequence(command, key1, shift1, key2, ssNone);
}

void TKeyboard::Assign(const TKeyboard& source) {
  if (&source == this) return;
  keys_ = source.keys_;
}

TCommand TKeyboard::FindCommand(std::uint16_t key, TShiftState shift) const {
  for (const TEditKey& k : keys_) {
    if (k.Key1 == key && k.Shift1 == shift) return k.Key2 == 0 ? k.Command : ecWaitSecondKey;
  }
  return 0;
}

TCommand TKeyboard::FindCommand2(std::uint16_t key1, TShiftState shift1, std::uint16_t key2,
                                 TShiftState shift2) {
  for (const TEditKey& k : keys_) {
    if (k.Key1 == key1 && k.Shift1 == shift1 && k.Key2 == key2 && k.Shift2 == shift2) return k.Command;
  }
  TCommand code = 0;
  if (OnSequence) OnSequence(*this, key1, shift1, key2, shift2, code);
  return code;
}

namespace {

constexpr TShiftState ssCtrlShift = ssCtrl | ssShift;

void AddMoves(TKeyboard& kb) {
  kb.Add(ecLeft, VK_LEFT, ssNone);
  kb.Add(ecRight, VK_RIGHT, ssNone);
  kb.Add(ecUp, VK_UP, ssNone);
  kb.Add(ecDown, VK_DOWN, ssNone);
  kb.Add(ecSelLeft, VK_LEFT, ssShift);
  kb.Add(ecSelRight, VK_RIGHT, ssShift);
  kb.Add(ecSelUp, VK_UP, ssShift);
  kb.Add(ecSelDown, VK_DOWN, ssShift);
  kb.Add(ecColumnSelLeft, VK_LEFT, ssShift | ssAlt);
  kb.Add(ecColumnSelRight, VK_RIGHT, ssShift | ssAlt);
  kb.Add(ecColumnSelUp, VK_UP, ssShift | ssAlt);
  kb.Add(ecColumnSelDown, VK_DOWN, ssShift | ssAlt);
  kb.Add(ecLineStart, VK_HOME, ssNone);
  kb.Add(ecSelLineStart, VK_HOME, ssShift);
  kb.Add(ecDocStart, VK_HOME, ssCtrl);
  kb.Add(ecSelDocStart, VK_HOME, ssCtrlShift);
  kb.Add(ecLineEnd, VK_END, ssNone);
  kb.Add(ecSelLineEnd, VK_END, ssShift);
  kb.Add(ecDocEnd, VK_END, ssCtrl);
  kb.Add(ecSelDocEnd, VK_END, ssCtrlShift);
  kb.Add(ecWordLeft, VK_LEFT, ssCtrl);
  kb.Add(ecWordRight, VK_RIGHT, ssCtrl);
  kb.Add(ecSelWordLeft, VK_LEFT, ssCtrlShift);
  kb.Add(ecSelWordRight, VK_RIGHT, ssCtrlShift);
  kb.Add(ecSelectAll, VkLetter('A'), ssCtrl);
  kb.Add(ecViewTop, VK_PRIOR, ssCtrl);
  kb.Add(ecViewBottom, VK_NEXT, ssCtrl);
  kb.Add(ecPageUp, VK_PRIOR, ssNone);
  kb.Add(ecPageDown, VK_NEXT, ssNone);
  kb.Add(ecSelPageUp, VK_PRIOR, ssShift);
  kb.Add(ecSelPageDown, VK_NEXT, ssShift);
  kb.Add(ecScrollUp, VK_UP, ssCtrl);
  kb.Add(ecScrollDown, VK_DOWN, ssCtrl);
}

void AddEditing(TKeyboard& kb) {
  kb.Add(ecToggleInsert, VK_INSERT, ssNone);
  kb.Add(ecNewLine, VK_RETURN, ssNone);
  kb.Add(ecBackspace, VK_BACK, ssNone);
  kb.Add(ecBackspace, VK_BACK, ssShift);
  kb.Add(ecBackspaceWord, VK_BACK, ssCtrl);
  kb.Add(ecDelete, VK_DELETE, ssNone);
  kb.Add(ecTab, VK_TAB, ssNone);
  kb.Add(ecBackTab, VK_TAB, ssShift);
  kb.Add(ecDeleteSelection, VK_DELETE, ssCtrl);
  kb.Add(ecCopy, VK_INSERT, ssCtrl);
  kb.Add(ecCut, VK_DELETE, ssShift);
  kb.Add(ecPaste, VK_INSERT, ssShift);
  kb.Add(ecCopy, VkLetter('C'), ssCtrl);
  kb.Add(ecCut, VkLetter('X'), ssCtrl);
  kb.Add(ecPaste, VkLetter('V'), ssCtrl);
}

void AddBookmarks(TKeyboard& kb) {
  for (int i = 0; i < 10; ++i) kb.Add(static_cast<TCommand>(ecSetBookmark0 + i), VkDigit(i), ssCtrlShift);
  for (int i = 0; i < 10; ++i) kb.Add(static_cast<TCommand>(ecGotoBookmark0 + i), VkDigit(i), ssCtrl);
  for (int i = 0; i < 10; ++i)
    kb.AddSequenceEitherCtrl(static_cast<TCommand>(ecSetBookmark0 + i), VkLetter('K'), ssCtrl, VkDigit(i));
  for (int i = 0; i < 10; ++i)
    kb.AddSequenceEitherCtrl(static_cast<TCommand>(ecGotoBookmark0 + i), VkLetter('Q'), ssCtrl, VkDigit(i));
}

void AddSequencesAndRest(TKeyboard& kb) {
  const auto ctrlO = [&kb](TCommand c, char k) { kb.AddSequenceEitherCtrl(c, VkLetter('O'), ssCtrl, VkLetter(k)); };
  const auto ctrlQ = [&kb](TCommand c, char k) { kb.AddSequenceEitherCtrl(c, VkLetter('Q'), ssCtrl, VkLetter(k)); };
  const auto ctrlK = [&kb](TCommand c, char k) { kb.AddSequenceEitherCtrl(c, VkLetter('K'), ssCtrl, VkLetter(k)); };
  ctrlO(ecBlockNonInclusive, 'K');
  ctrlO(ecBlockInclusive, 'I');
  ctrlO(ecBlockColumn, 'C');
  ctrlO(ecBlockLine, 'L');
  kb.Add(ecUndo, VkLetter('Z'), ssCtrl);
  kb.Add(ecUndo, VK_BACK, ssAlt);
  kb.Add(ecCompleteIdentifier, VK_SPACE, ssCtrl);
  kb.Add(ecCompleteTemplate, VkLetter('J'), ssCtrl);
  ctrlQ(ecDocEnd, 'C');
  ctrlQ(ecLineEnd, 'D');
  ctrlQ(ecViewTop, 'E');
  ctrlQ(ecDocStart, 'R');
  ctrlQ(ecLineStart, 'S');
  ctrlQ(ecViewTop, 'T');
  ctrlQ(ecViewBottom, 'U');
  kb.Add(ecDeleteWord, VkLetter('T'), ssCtrl);
  kb.Add(ecNewLine, VkLetter('N'), ssCtrl);
  kb.Add(ecDeleteLine, VkLetter('Y'), ssCtrl);
  ctrlK(ecSelectWord, 'T');
  ctrlK(ecUpperCase, 'O');
  ctrlK(ecLowerCase, 'N');
  ctrlO(ecToggleCase, 'U');
  ctrlK(ecIndentBlock, 'I');
  ctrlK(ecUnindentBlock, 'U');
  kb.Add(ecIndentBlock, VkLetter('I'), ssCtrlShift);
  kb.Add(ecUnindentBlock, VkLetter('U'), ssCtrlShift);
  kb.Add(ecMacroRecord, VkLetter('R'), ssCtrlShift);
  kb.Add(ecMacroPlay, VkLetter('P'), ssCtrlShift);
}

// Find and replace, which the control hands to its owner: after the control's own table,
// on letters no sequence of it uses.
void AddOwnerCommands(TKeyboard& kb) {
  kb.AddSequenceEitherCtrl(ecFind, VkLetter('Q'), ssCtrl, VkLetter('F'));
  kb.AddSequenceEitherCtrl(ecReplace, VkLetter('Q'), ssCtrl, VkLetter('A'));
}

}  // namespace

void TKeyboard::SetDefaultLayout() {
  Clear();
  AddMoves(*this);
  AddEditing(*this);
  AddBookmarks(*this);
  AddSequencesAndRest(*this);
  AddOwnerCommands(*this);
}

}  // namespace editor
