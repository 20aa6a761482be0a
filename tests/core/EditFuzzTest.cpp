// Thousands of random keys, characters and commands through the editor's entry points:
// the caret and the selection stay in range, every bracket an operation opens is closed,
// and nothing crashes (this also runs under the sanitizers).
#include <random>

#include "core/EditSoak.h"
#include "core/EditingFixture.h"
#include "editor/Commands.h"
#include "platform/VirtualKeys.h"

using testing_support::EditingTest;

namespace {

class EditFuzz : public EditingTest {
 protected:
  // A document with indents, words, separators, blank and long lines.
  void SeedText() {
    SetText({"<html>", "  <body>", "    if (a) then b;", "", "      deep  ", "x",
             std::string(1100, 'w') + " tail", "  </body>", "</html>"});
  }

  void CheckInvariants(int step) {
    SCOPED_TRACE(::testing::Message() << "step " << step << ": " << lastAction_);
    const int count = editor.Lines().Count();
    ASSERT_GE(editor.CaretX, 0);
    ASSERT_LE(editor.CaretX, editor::MaxColumn);
    ASSERT_GE(editor.CaretY, 0);
    // Deleting the last line may leave the caret one row below the text.
    ASSERT_LE(editor.CaretY, std::max(count, 1));
    ASSERT_EQ(editor.UpdateLock, 0);
    ASSERT_EQ(editor.GroupDepth, 0);
    if (editor.Sel.Selected) {
      ASSERT_GE(editor.Sel.Beg.X, 0);
      // A stream selection may run to the end of a line longer than the caret's range.
      if (editor.Sel.BlockFormat != editor::bfColumn) {
        ASSERT_LE(editor.Sel.End.X, std::max(editor::MaxColumn, editor.LineLength(editor.Sel.End.Y)));
      }
      ASSERT_GE(editor.Sel.Beg.Y, 0);
      ASSERT_LE(editor.Sel.Beg.Y, editor.Sel.End.Y);
      // Reading the selection never reaches outside the store (the sanitizers watch).
      editor.SelectionText();
    }
  }

  void RandomKey(std::mt19937& random) {
    static const std::uint16_t keys[] = {
        platform::VK_LEFT, platform::VK_RIGHT, platform::VK_UP,     platform::VK_DOWN,
        platform::VK_HOME, platform::VK_END,   platform::VK_PRIOR,  platform::VK_NEXT,
        platform::VK_BACK, platform::VK_TAB,   platform::VK_RETURN, platform::VK_DELETE,
        platform::VK_INSERT, platform::VkLetter('T'), platform::VkLetter('Y'),
        platform::VkLetter('K'), platform::VkLetter('O'), platform::VkLetter('Z'),
        platform::VkDigit(3)};
    std::uint16_t key = keys[random() % std::size(keys)];
    const auto shift = static_cast<std::uint8_t>(random() % 8);
    lastAction_ = "key " + std::to_string(key) + " shift " + std::to_string(shift);
    editor.KeyDown(key, shift);
  }

  void RandomCharacter(std::mt19937& random) {
    // Mostly printable text, sometimes blanks, control codes and high bytes.
    static const std::string common = "abc xyz <>/=\"'_09(){}.;\r";
    const unsigned roll = random() % 10;
    const unsigned char ch = roll < 7 ? static_cast<unsigned char>(common[random() % common.size()])
                                      : static_cast<unsigned char>(random() % 256);
    lastAction_ = "character " + std::to_string(ch);
    Send(std::string(1, static_cast<char>(ch)));
  }

  void RandomCommand(std::mt19937& random) {
    static const editor::TCommand commands[] = {
        editor::ecBackspace, editor::ecBackspaceWord, editor::ecDelete, editor::ecDeleteLine,
        editor::ecTab, editor::ecBackTab, editor::ecNewLine, editor::ecDeleteSelection,
        editor::ecDeleteWord, editor::ecUndo, editor::ecSelLeft, editor::ecSelRight,
        editor::ecSelUp, editor::ecSelDown, editor::ecSelWordLeft, editor::ecSelWordRight,
        editor::ecSelectAll, editor::ecSelDocEnd, editor::ecColumnSelDown, editor::ecColumnSelRight,
        editor::ecBlockInclusive, editor::ecBlockLine, editor::ecBlockColumn,
        editor::ecBlockNonInclusive, editor::ecToggleInsert, editor::ecDocEnd, editor::ecLineEnd,
        editor::ecWordLeft, editor::ecWordRight, editor::ecPageDown, editor::ecRedo, 5000};
    const editor::TCommand code = commands[random() % std::size(commands)];
    lastAction_ = "command " + std::to_string(code);
    Run(code);
  }

  void Drive(std::uint32_t seed, int steps) {
    std::mt19937 random(seed);
    SeedText();
    for (int step = 0; step < steps; ++step) {
      switch (random() % 4) {
        case 0: RandomKey(random); break;
        case 1:
        case 2: RandomCharacter(random); break;
        default: RandomCommand(random); break;
      }
      // Now and then jump far right or below the text, where padding happens.
      if (random() % 50 == 0) editor.MoveCaretTo(static_cast<int>(random() % 1100), static_cast<int>(random() % 20));
      if (random() % 400 == 0) editor.ReadOnly = !editor.ReadOnly;
      CheckInvariants(step);
      if (HasFatalFailure()) return;
    }
  }

  std::string lastAction_;
};

TEST_F(EditFuzz, RandomInputKeepsTheEditorConsistent) {
  for (std::uint32_t seed = 1; seed <= 6; ++seed) {
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    Drive(seed, 2500);
    if (HasFatalFailure()) return;
  }
}

TEST_F(EditFuzz, RandomInputWithoutAutoIndentOrSmartTab) {
  editor.AutoIndent = false;
  editor.SmartTab = false;
  editor.BackSpaceUnindents = false;
  Drive(77, 3000);
}

// A short run of the long random use (tests/soak/edit_soak runs it for millions of
// operations): no exception, caret and selection in range, highlighting states equal to a
// scan, undo back to the opened text byte for byte (control codes inside rows too), save
// and reopen unchanged. Seed 18 is among them: it once found undo writing blanks where a
// row had control codes.
TEST(EditSoak, ShortRandomRunFindsNoFault) {
  long long operations = 0;
  for (std::uint32_t seed = 1; seed <= 32; ++seed) {
    testing_support::EditSoak soak(seed);
    EXPECT_EQ(soak.RunSession(1500, operations), "") << "seed " << seed;
  }
  testing_support::EditSoak big(97);
  EXPECT_EQ(big.RunSession(300, operations, true), "") << "a text above 65,536 rows";
}

}  // namespace
