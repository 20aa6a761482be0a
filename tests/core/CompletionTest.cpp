// The completion popup in the core: the program's empty configuration, dropping and
// placing the list, following the word, applying identifiers and templates, the timer.
#include <gtest/gtest.h>

#include "core/EditingFixture.h"
#include "editor/Completion.h"
#include "platform/VirtualKeys.h"

namespace {

using editor::TCompletion;
using editor::TCustomEditorBase;
using editor::TUndoKind;
using platform::TPoint;
using platform::TRect;

// A list window that records what the completion asks of it. The editor's client area
// starts at screen point (100, 200) on a 1280 x 1024 screen.
class FakeList : public platform::PopupList {
 public:
  void SetItemCount(int count) override { Count = count, Index = -1; }
  int ItemCount() const override { return Count; }
  void SetItemHeight(int height) override { Height = height; }
  int ItemIndex() const override { return Index; }
  void SetItemIndex(int index) override { Index = index; }
  int TopIndex() const override { return 0; }
  void KeyDown(std::uint16_t key) override {
    if (key == platform::VK_DOWN) Index = std::min(Index + 1, Count - 1);
  }
  TPoint ClientToScreen(TPoint p) const override { return {p.X + Origin.X, p.Y + Origin.Y}; }
  TRect ScreenRect() const override { return {0, 0, 1280, 1024}; }
  void Popup(const TRect& bounds) override { Bounds = bounds, Visible = true; }
  void Hide() override { Visible = false; }
  bool Shown() const override { return Visible; }
  void Repaint() override {}

  int Count = 0, Height = 0, Index = -1;
  bool Visible = false;
  TRect Bounds;
  TPoint Origin{100, 200};
};

class PopupHost : public testing_support::FakeHost {
 public:
  std::unique_ptr<platform::PopupList> CreatePopupList(platform::PopupListClient&) override {
    auto list = std::make_unique<FakeList>();
    List = list.get();
    return list;
  }
  FakeList* List = nullptr;
};

class CompletionTest : public ::testing::Test {
 protected:
  CompletionTest() { editor.WindowCreated(); }

  void SetText(const std::vector<std::string>& lines, int x, int y = 0) {
    editor.SetLines(lines);
    editor.MoveCaretTo(x, y);
  }
  std::vector<std::string> Text() const {
    std::vector<std::string> lines;
    for (int i = 0; i < editor.Lines().Count(); ++i) lines.push_back(editor.Lines().Get(i));
    return lines;
  }
  // A keystroke as the window delivers it: key-down, then its character, if any.
  void Key(std::uint16_t vk, std::uint8_t shift = 0, int ch = -1) {
    editor.KeyDown(vk, shift);
    if (ch >= 0) editor.Perform(platform::WM_CHAR, static_cast<unsigned char>(ch), 0);
  }
  void Type(std::string_view chars) {
    for (const char c : chars) Key(static_cast<std::uint16_t>(std::toupper(c)), 0, c);
  }
  TPoint Caret() const { return {editor.CaretX, editor.CaretY}; }
  TCompletion& Completion() { return editor.Completion; }

  PopupHost host;
  testing_support::RecordingEditor editor{host};
};

TEST_F(CompletionTest, ProgramConfigurationKeysChangeNothingAndSwallowTheNextCharacter) {
  SetText({"abc"}, 3);
  const int records = editor.UndoBuffer().UndoPointer;
  // The character message that follows each key, whichever it is, is dropped.
  Key(platform::VK_SPACE, platform::ssCtrl, 'x');
  Key('J', platform::ssCtrl, 'y');
  EXPECT_EQ(Text(), std::vector<std::string>{"abc"});
  EXPECT_EQ(Caret(), (TPoint{3, 0}));
  EXPECT_EQ(editor.UndoBuffer().UndoPointer, records);
  EXPECT_EQ(host.List, nullptr);
  // Not enabled: typing never starts the auto-popup timer.
  Type("de");
  EXPECT_EQ(Text(), std::vector<std::string>{"abcde"});
  EXPECT_FALSE(host.Timers.contains(TCustomEditorBase::CompletionTimerId));
}

TEST_F(CompletionTest, IdentifierListDropsBelowTheCaretAndEnterAppliesAsOneUndoStep) {
  Completion().Identifiers = {"alpha=Alpha", "beta=Beta", "alphabet=ABC"};
  SetText({"x al"}, 4);
  Key(platform::VK_SPACE, platform::ssCtrl, ' ');
  ASSERT_TRUE(Completion().Dropped());
  FakeList& list = *host.List;
  EXPECT_EQ(list.Count, 3);
  EXPECT_EQ(list.Index, 0);
  EXPECT_EQ(list.Height, 13);
  const TRect cell = editor.View().CellRect(4, 1);
  EXPECT_EQ(list.Bounds, platform::Bounds(cell.Left + 100 - 2, cell.Top + 200 - 1, 300, 3 * 13 + 2));
  EXPECT_EQ(Text(), std::vector<std::string>{"x al"});

  Key(platform::VK_DOWN);
  Key(platform::VK_RETURN, 0, '\r');  // the Enter's own character is swallowed too
  EXPECT_FALSE(list.Visible);
  EXPECT_EQ(Text(), std::vector<std::string>{"x beta"});
  EXPECT_EQ(Caret(), (TPoint{6, 0}));
  EXPECT_EQ(editor.Edits.back(), (testing_support::TEditReport{2, 0, 5, "beta"}));
  EXPECT_EQ(editor.UndoBuffer().TopRecord()->Kind(), TUndoKind::Replace);
  editor.Command(editor::ecUndo);
  EXPECT_EQ(Text(), std::vector<std::string>{"x al"});
  EXPECT_EQ(Caret(), (TPoint{4, 0}));
}

TEST_F(CompletionTest, TypingFollowsTheWordAndASeparatorOrEscapeCloses) {
  Completion().Identifiers = {"alpha", "alphabet", "beta"};
  SetText({"a"}, 1);
  Key(platform::VK_SPACE, platform::ssCtrl, ' ');
  Type("lphab");
  EXPECT_EQ(host.List->Index, 1);
  Key(platform::VK_BACK, 0, 8);
  Key(platform::VK_BACK, 0, 8);
  EXPECT_EQ(host.List->Index, 0);
  Type("q");  // no item starts with "alphq": nothing selected, nothing applied
  EXPECT_EQ(host.List->Index, -1);
  Key(platform::VK_ESCAPE, 0, 27);
  EXPECT_FALSE(Completion().Dropped());
  EXPECT_EQ(Text(), std::vector<std::string>{"alphq"});

  Key(platform::VK_BACK, 0, 8);
  Key(platform::VK_SPACE, platform::ssCtrl, ' ');
  Key(0xBE, 0, '.');  // the period key applies the selection, then types its character
  EXPECT_EQ(Text(), std::vector<std::string>{"alpha."});
  EXPECT_FALSE(Completion().Dropped());
}

TEST_F(CompletionTest, ListGoesAboveTheCaretNearTheBottomOfTheScreenWhenItFits) {
  Completion().Identifiers = {"a", "b", "c", "d", "e", "f", "g", "h"};
  SetText({"", "", "x"}, 0, 2);
  host.List = nullptr;
  Completion().Open(TCompletion::cmIdentifiers);
  FakeList& list = *host.List;
  const int height = 6 * 13 + 2;
  const int below = editor.View().CellRect(0, 3).Top + 200 - 1;
  EXPECT_EQ(list.Bounds.Top, below);
  // Moved down the screen until the list would pass its bottom.
  list.Origin.Y = 1024 - editor.View().CellRect(0, 3).Top - height + 10;
  Completion().Open(TCompletion::cmIdentifiers);
  EXPECT_EQ(list.Bounds.Top,
            editor.View().CellRect(0, 3).Top + list.Origin.Y - 1 - height - editor.View().CellHeight + 1);
  EXPECT_EQ(list.Bounds.Height(), height);
  // A width of 0 follows the editor.
  Completion().DropDownWidth = 0;
  Completion().Open(TCompletion::cmIdentifiers);
  EXPECT_EQ(list.Bounds.Width(), host.Size.Width + 2);
}

TEST_F(CompletionTest, TemplateNamedByTheWordGoesInAtOnceWithTheCaretAtItsMark) {
  Completion().Templates = {"if=condition=if (|) {/n}", "for=loop=for (|;;)/n{/n}"};
  SetText({"  for"}, 5);
  Key('J', platform::ssCtrl, 10);
  EXPECT_EQ(host.List, nullptr);
  EXPECT_EQ(Text(), (std::vector<std::string>{"  for (;;)", "  {", "  }"}));
  EXPECT_EQ(Caret(), (TPoint{7, 0}));
  editor.Command(editor::ecUndo);
  EXPECT_EQ(Text(), std::vector<std::string>{"  for"});

  // A mark after a line break lands where it shows in the indented text.
  Completion().Templates = {"tr=row=<tr>/n  <td>|</td>/n</tr>"};
  SetText({"  tr"}, 4);
  Key('J', platform::ssCtrl, 10);
  EXPECT_EQ(Text(), (std::vector<std::string>{"  <tr>", "    <td></td>", "  </tr>"}));
  EXPECT_EQ(Caret(), (TPoint{8, 1}));
}

TEST_F(CompletionTest, TemplateListShowsTheMatchingTemplatesAndDrawsNamesInBoldOnTheRight) {
  Completion().Templates = {"if=condition=if ()", "for=loop=for ()", "form=form=<form>"};
  SetText({"fo"}, 2);
  Key('J', platform::ssCtrl, 10);
  ASSERT_TRUE(Completion().Dropped());
  EXPECT_EQ(Completion().Items(), (std::vector<std::string>{"for=loop=for ()", "form=form=<form>"}));
  EXPECT_EQ(host.List->Index, 0);

  testing_support::RecordingSurface surface;
  Completion().DrawListItem(surface, 0, TRect{0, 13, 300, 26}, true);
  ASSERT_EQ(surface.Runs.size(), 2u);
  EXPECT_EQ(surface.Fills.front().Color, platform::clHighlight);
  EXPECT_EQ(surface.Runs[0].Text, "loop");
  EXPECT_EQ(surface.Runs[0].X, 3);
  EXPECT_EQ(surface.Runs[1].Text, "for");
  EXPECT_EQ(surface.Runs[1].X, 300 - 6 - 3 * 8);
  EXPECT_EQ(surface.Runs[1].Style, platform::fsBold);
}

TEST_F(CompletionTest, ItemWithoutSeparatorShowsEmptyButAppliesWholeText) {
  Completion().Identifiers = {"plain text"};
  SetText({"", "p"}, 1, 1);
  Key(platform::VK_SPACE, platform::ssCtrl, ' ');
  testing_support::RecordingSurface surface;
  Completion().DrawListItem(surface, 0, TRect{0, 0, 300, 13}, false);
  for (const auto& run : surface.Runs) EXPECT_EQ(run.Text, "");
  Key(platform::VK_RETURN, 0, '\r');
  EXPECT_EQ(Text(), (std::vector<std::string>{"", "plain text"}));
}

TEST_F(CompletionTest, EventsCancelAndRewriteAndClickOrFocusLossCloseWithoutApplying) {
  Completion().Identifiers = {"alpha"};
  SetText({"al"}, 2);
  bool cancel = true;
  editor.OnCompletionIdentifier = [&](editor::TEditor&, bool& c) { c = cancel; };
  Key(platform::VK_SPACE, platform::ssCtrl, ' ');
  EXPECT_FALSE(Completion().Dropped());
  cancel = false;
  Key(platform::VK_SPACE, platform::ssCtrl, ' ');
  ASSERT_TRUE(Completion().Dropped());
  cancel = true;  // the event cancels while the word grows
  Type("p");
  EXPECT_FALSE(Completion().Dropped());
  EXPECT_EQ(Text(), std::vector<std::string>{"alp"});

  cancel = false;
  Key(platform::VK_SPACE, platform::ssCtrl, ' ');
  editor.MouseDown(editor::mbLeft, 0, 200, 5);
  editor.MouseUp(editor::mbLeft, 0, 200, 5);
  EXPECT_FALSE(Completion().Dropped());
  Key(platform::VK_SPACE, platform::ssCtrl, ' ');
  editor.FocusLeave();
  EXPECT_FALSE(Completion().Dropped());
  EXPECT_EQ(Text(), std::vector<std::string>{"alp"});

  editor.OnCompletionApply = [](editor::TEditor&, const std::string& old, std::string& text) { text += "/" + old; };
  editor.MoveCaretTo(3, 0);
  Key(platform::VK_SPACE, platform::ssCtrl, ' ');
  Key(platform::VK_RETURN, 0, '\r');
  EXPECT_EQ(Text(), std::vector<std::string>{"alpha/alp"});
}

TEST_F(CompletionTest, EnabledTypingStartsTheTimerWhichShowsOnlyAnUnfinishedWord) {
  Completion().Identifiers = {"alpha", "beta"};
  Completion().Enabled = true;
  SetText({""}, 0);
  Type("al");
  EXPECT_EQ(host.Timers[TCustomEditorBase::CompletionTimerId], 800);
  editor.Timer(TCustomEditorBase::CompletionTimerId);
  EXPECT_TRUE(Completion().Dropped());
  EXPECT_FALSE(host.Timers.contains(TCustomEditorBase::CompletionTimerId));
  Key(platform::VK_ESCAPE, 0, 27);

  Type("pha");  // the word is an item already: the timer shows nothing
  editor.Timer(TCustomEditorBase::CompletionTimerId);
  EXPECT_FALSE(Completion().Dropped());
  Type("x");  // nothing starts with "alphax"
  editor.Timer(TCustomEditorBase::CompletionTimerId);
  EXPECT_FALSE(Completion().Dropped());
  // A key-down stops a pending timer.
  Type("y");
  Key(platform::VK_LEFT);
  EXPECT_FALSE(host.Timers.contains(TCustomEditorBase::CompletionTimerId));
}

}  // namespace
