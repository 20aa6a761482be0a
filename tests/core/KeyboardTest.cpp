// The key table and the key paths: the default layout, two-key sequences, the dropped
// character after a bound key, read-only input.
#include <gtest/gtest.h>

#include "core/ViewTestEditor.h"
#include "editor/Keyboard.h"
#include "platform/VirtualKeys.h"

using namespace editor;
using namespace platform;
using testing_support::ViewEditor;

TEST(Keyboard, DefaultLayoutHasItsEntriesInOrder) {
  TKeyboard kb;
  kb.SetDefaultLayout();
  // The control's own 153 entries, then find and replace (Ctrl+Q, F and Ctrl+Q, A).
  ASSERT_EQ(kb.Count(), 157);
  EXPECT_EQ(kb.Key(0), (TEditKey{VK_LEFT, 0, ssNone, ssNone, ecLeft}));
  EXPECT_EQ(kb.Key(1).Command, ecRight);
  EXPECT_EQ(kb.Key(2).Command, ecUp);
  EXPECT_EQ(kb.Key(67), (TEditKey{VkDigit(9), 0, ssCtrl, ssNone, TCommand(ecGotoBookmark0 + 9)}));
  // The sequences follow the 68 single keys, each as a pair with and without Ctrl.
  EXPECT_EQ(kb.Key(68), (TEditKey{VkLetter('K'), VkDigit(0), ssCtrl, ssCtrl, ecSetBookmark0}));
  EXPECT_EQ(kb.Key(75), (TEditKey{VkLetter('K'), VkDigit(3), ssCtrl, ssNone, TCommand(ecSetBookmark0 + 3)}));
  EXPECT_EQ(kb.Key(152), (TEditKey{VkLetter('P'), 0, ssCtrl | ssShift, ssNone, ecMacroPlay}));
  EXPECT_EQ(kb.Key(153), (TEditKey{VkLetter('Q'), VkLetter('F'), ssCtrl, ssCtrl, ecFind}));
  EXPECT_EQ(kb.Key(156), (TEditKey{VkLetter('Q'), VkLetter('A'), ssCtrl, ssNone, ecReplace}));
  int sequences = 0;
  for (int i = 0; i < kb.Count(); ++i) sequences += kb.Key(i).Key2 != 0 ? 1 : 0;
  EXPECT_EQ(sequences, 78);
}

TEST(Keyboard, LookupsTakeTheFirstMatchAndFlagSequences) {
  TKeyboard kb;
  kb.SetDefaultLayout();
  EXPECT_EQ(kb.FindCommand(VK_BACK, ssShift), ecBackspace);
  EXPECT_EQ(kb.FindCommand(VK_BACK, ssAlt), ecUndo);
  EXPECT_EQ(kb.FindCommand(VkLetter('C'), ssCtrl), ecCopy);
  EXPECT_EQ(kb.FindCommand(VkLetter('K'), ssCtrl), ecWaitSecondKey);
  EXPECT_EQ(kb.FindCommand(VkLetter('Q'), ssCtrl), ecWaitSecondKey);
  EXPECT_EQ(kb.FindCommand(VkLetter('K'), ssNone), 0);
  EXPECT_EQ(kb.FindCommand2(VkLetter('Q'), ssCtrl, VkLetter('T'), ssNone), ecViewTop);
  EXPECT_EQ(kb.FindCommand2(VkLetter('O'), ssCtrl, VkLetter('U'), ssCtrl), ecToggleCase);
  EXPECT_EQ(kb.FindCommand2(VkLetter('K'), ssCtrl, VkDigit(3), ssShift), 0);
  kb.OnSequence = [](TKeyboard&, std::uint16_t, TShiftState, std::uint16_t key2, TShiftState, TCommand& code) {
    if (key2 == VkLetter('Z')) code = 4321;
  };
  EXPECT_EQ(kb.FindCommand2(VkLetter('K'), ssCtrl, VkLetter('Z'), ssNone), 4321);
  TKeyboard copy;
  copy.Add(ecLeft, VK_F2, ssNone);
  copy.Assign(kb);
  EXPECT_EQ(copy.Count(), 157);
  EXPECT_EQ(copy.FindCommand(VK_F2, ssNone), 0);
}

TEST(Keyboard, BookmarkSequencesTakeTheDigitWithOrWithoutCtrl) {
  ViewEditor v({"a", "b", "c"});
  v.Caret(0, 1);
  v.Key(VkLetter('K'), ssCtrl);
  EXPECT_TRUE(v.Editor.Dispatcher().WaitSecondKey);
  v.Key(VkDigit(3));
  EXPECT_TRUE(v.Editor.Bookmarks[3].Valid);
  EXPECT_EQ(v.Editor.Bookmarks[3].Y, 1);

  v.Caret(0, 2);
  v.Key(VkLetter('K'), ssCtrl);
  v.Key(VkDigit(5), ssCtrl);
  EXPECT_TRUE(v.Editor.Bookmarks[5].Valid);

  v.Key(VkLetter('K'), ssCtrl);
  v.Key(VkDigit(7), ssShift);
  v.Char('&');  // the character of Shift+7 is dropped with the unmatched sequence
  EXPECT_FALSE(v.Editor.Bookmarks[7].Valid);
  EXPECT_FALSE(v.Editor.Dispatcher().WaitSecondKey);
  EXPECT_EQ(v.Line(2), "c");
}

TEST(Keyboard, BoundKeysSwallowTheNextLoneCharacter) {
  ViewEditor v({"abc"});
  v.Key(VK_RIGHT);
  v.Char('x');  // no key-down of its own: dropped
  v.Char('y');
  EXPECT_EQ(v.Line(0), "aybc");
  v.Key(VkLetter('Q'));  // unbound: its character is typed
  v.Char('q');
  EXPECT_EQ(v.Line(0), "ayqbc");
}

TEST(Keyboard, KeyDownHandlerMaySwallowAKey) {
  ViewEditor v({"abc"});
  v.Editor.OnKeyDown = [](std::uint16_t& key, std::uint8_t) {
    if (key == VK_RIGHT) key = 0;
  };
  std::uint16_t key = VK_RIGHT;
  v.Editor.KeyDown(key, ssNone);
  EXPECT_EQ(v.Editor.CaretX, 0);
  key = VK_END;
  v.Editor.KeyDown(key, ssNone);
  EXPECT_EQ(key, 0);  // consumed by its command
  EXPECT_EQ(v.Editor.CaretX, 3);
}

TEST(Keyboard, ReadOnlyDropsCharactersButMovesTheCaret) {
  ViewEditor v({"abc"});
  v.Editor.SetReadOnly(true);
  v.Char('z');
  v.Key(VK_END);
  v.Key(VK_DELETE);
  v.Key(VK_BACK);
  EXPECT_EQ(v.Line(0), "abc");
  EXPECT_EQ(v.Editor.CaretX, 3);
}

TEST(Keyboard, KeyPressHandlerMayChangeTheCharacter) {
  ViewEditor v;
  v.Editor.OnKeyPress = [](char& ch) { ch = static_cast<char>(ch - 32); };
  v.Char('a');
  EXPECT_EQ(v.Line(0), "A");
}
