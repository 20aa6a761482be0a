// The edit-control messages the editor answers: text length and text, clipboard
// messages posted as commands, clear, undo, read-only, characters and commands.
#include <cstring>

#include "core/EditingFixture.h"
#include "editor/Commands.h"

using namespace platform;
using testing_support::EditingTest;
using Lines = std::vector<std::string>;

namespace {

class EditorMessages : public EditingTest {
 protected:
  LRESULT Message(TMessage msg, WPARAM wParam = 0, LPARAM lParam = 0) { return editor.Perform(msg, wParam, lParam); }
};

TEST_F(EditorMessages, TextLengthCountsBreaksBetweenLines) {
  EXPECT_EQ(Message(WM_GETTEXTLENGTH), 0);
  SetText({"ab", "c"});
  EXPECT_EQ(Message(WM_GETTEXTLENGTH), 5);
  SetText({""});
  EXPECT_EQ(Message(WM_GETTEXTLENGTH), 0);
  SetText({"", ""});
  EXPECT_EQ(Message(WM_GETTEXTLENGTH), 2);
}

TEST_F(EditorMessages, GetTextCopiesNoMoreThanTheBufferHolds) {
  SetText({"ab", "c"});
  char buffer[16];
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(Message(WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer)), 8);
  EXPECT_EQ(std::string(buffer, 9), std::string("ab\r\nc\r\n\0#", 9));

  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(Message(WM_GETTEXT, 3, reinterpret_cast<LPARAM>(buffer)), 3);
  EXPECT_EQ(std::string(buffer, 4), "ab\r#");

  EXPECT_EQ(Message(WM_GETTEXT, sizeof buffer, 0), 0);
}

TEST_F(EditorMessages, ClipboardMessagesPostTheirCommands) {
  EXPECT_EQ(Message(WM_CUT), 1);
  EXPECT_EQ(Message(WM_COPY), 1);
  EXPECT_EQ(Message(WM_PASTE), 1);
  EXPECT_EQ(host.Posted, (std::vector<std::uint16_t>{editor::ecCut, editor::ecCopy, editor::ecPaste}));

  host.Posted.clear();
  editor.ReadOnly = true;
  EXPECT_EQ(Message(WM_CUT), 1);
  EXPECT_EQ(Message(WM_COPY), 1);
  EXPECT_EQ(Message(WM_PASTE), 1);
  EXPECT_EQ(host.Posted, std::vector<std::uint16_t>{editor::ecCopy});
  EXPECT_EQ(Text(), Lines{}) << "posting changes nothing by itself";
}

TEST_F(EditorMessages, ClearDeletesTheSelectionUnlessReadOnly) {
  SetText({"abcdef"});
  editor.SelectRange(1, 0, 3, 0);
  editor.ReadOnly = true;
  EXPECT_EQ(Message(WM_CLEAR), 1);
  EXPECT_EQ(Text(), Lines{"abcdef"});
  editor.ReadOnly = false;
  EXPECT_EQ(Message(WM_CLEAR), 0);
  EXPECT_EQ(Text(), Lines{"adef"});
}

TEST_F(EditorMessages, CanUndoFollowsTheHistory) {
  SetText({""});
  EXPECT_EQ(Message(EM_CANUNDO), 0);
  Message(WM_CHAR, 'x');
  EXPECT_EQ(Message(EM_CANUNDO), 1);
  EXPECT_EQ(Message(WM_UNDO), 1);
  EXPECT_EQ(Text(), Lines{""});
  EXPECT_EQ(Message(EM_CANUNDO), 0);
}

TEST_F(EditorMessages, SetReadOnlyTakesOnlyOne) {
  int status = 0;
  editor.OnChangeStatus = [&] { ++status; };
  Message(EM_SETREADONLY, 1);
  EXPECT_TRUE(editor.ReadOnly);
  EXPECT_EQ(status, 1);
  Message(EM_SETREADONLY, 1);
  EXPECT_EQ(status, 1) << "no change, no notification";
  Message(EM_SETREADONLY, 2);
  EXPECT_FALSE(editor.ReadOnly);
  EXPECT_EQ(status, 2);
}

TEST_F(EditorMessages, CharactersAndCommandsReachTheDispatcher) {
  SetText({"ab"}, 2, 0);
  EXPECT_EQ(Message(WM_CHAR, 0xE9), 0);
  EXPECT_EQ(Text(), Lines{"ab\xE9"});
  EXPECT_EQ(Message(WM_EDITCOMMAND, editor::ecLineStart), 1);
  EXPECT_EQ(Caret(), (platform::TPoint{0, 0}));
  EXPECT_EQ(Message(WM_EDITCOMMAND, editor::ecDelete), 1);
  EXPECT_EQ(Text(), Lines{"b\xE9"});
}

}  // namespace
