// The dispatcher's own branches: undo groups, update brackets, the composed delete-word,
// macro recording and replay, and routing to the editing handler.
#include <gtest/gtest.h>

#include "core/ViewTestEditor.h"
#include "platform/Errors.h"
#include "platform/VirtualKeys.h"

using namespace editor;
using namespace platform;
using testing_support::ViewEditor;

namespace {

int CountKind(const TUndoBuffer& undo, TUndoKind kind) {
  int n = 0;
  for (int i = 0; i < undo.Count(); ++i) n += undo.Record(i).Kind() == kind ? 1 : 0;
  return n;
}

}  // namespace

TEST(Dispatch, GroupCommandsNestAndRecordMarkers) {
  ViewEditor v({"abc"});
  auto& e = v.Editor;
  e.Command(ecBeginGroup);
  e.Command(ecBeginGroup);
  EXPECT_EQ(e.GroupDepth, 2);
  e.Command(ecEndGroup);
  e.Command(ecEndGroup);
  EXPECT_EQ(e.GroupDepth, 0);
  EXPECT_EQ(CountKind(e.UndoBuffer(), TUndoKind::BeginCompound), 2);
  EXPECT_EQ(CountKind(e.UndoBuffer(), TUndoKind::EndCompound), 2);
  e.Command(ecOpenUpdate);
  EXPECT_EQ(e.UpdateLock, 1);
  e.Command(ecCloseUpdate);
  EXPECT_THROW(e.Command(ecCloseUpdate), EAssertionFailed);
}

TEST(Dispatch, SelectionChangesInsideAGroupDoNotNotify) {
  ViewEditor v({"abcdef"});
  auto& e = v.Editor;
  int notifications = 0;
  e.OnSelectionChange = [&] { ++notifications; };
  e.Command(ecSelRight);
  EXPECT_EQ(notifications, 2);
  e.Command(ecBeginGroup);
  e.Command(ecSelRight);
  e.Command(ecEndGroup);
  EXPECT_EQ(notifications, 2);
}

TEST(Dispatch, DeleteWordRemovesUpToTheNextWordAsOneGroup) {
  ViewEditor v({"abc def ghi"});
  auto& e = v.Editor;
  e.Sel.BlockFormat = bfColumn;
  v.Caret(4, 0);
  e.Command(ecDeleteWord);
  EXPECT_EQ(v.Line(0), "abc ghi");
  EXPECT_EQ(e.CaretX, 4);
  EXPECT_EQ(e.Sel.BlockFormat, bfColumn);  // restored, but only after the stream deletion
  EXPECT_EQ(e.GroupDepth, 0);
  EXPECT_EQ(e.UpdateLock, 0);
  const TUndoBuffer& undo = e.UndoBuffer();
  EXPECT_EQ(undo.Record(0).Kind(), TUndoKind::BeginCompound);
  EXPECT_EQ(undo.Record(undo.Count() - 1).Kind(), TUndoKind::EndCompound);
  EXPECT_EQ(CountKind(undo, TUndoKind::DeleteSelected), 1);
  e.Command(ecUndo);
  EXPECT_EQ(v.Line(0), "abc def ghi");
}

TEST(Dispatch, DeleteWordInTheInclusiveFormatKeepsTheNextWord) {
  ViewEditor v({"abc def ghi"});
  v.Editor.Sel.BlockFormat = bfInclusive;
  v.Caret(4, 0);
  v.Editor.Command(ecDeleteWord);
  EXPECT_EQ(v.Line(0), "abc ghi");
  EXPECT_EQ(v.Editor.Sel.BlockFormat, bfInclusive);
}

TEST(Dispatch, DeleteWordDoesNothingWhenReadOnly) {
  ViewEditor v({"abc def"});
  v.Editor.ReadOnly = true;
  v.Editor.Command(ecDeleteWord);
  EXPECT_EQ(v.Line(0), "abc def");
  EXPECT_EQ(v.Editor.UndoBuffer().Count(), 0);
}

TEST(Dispatch, MacroReplaysTheRecordedKeysInOneGroup) {
  ViewEditor v;
  auto& e = v.Editor;
  v.Key(VkLetter('R'), ssCtrl | ssShift);
  EXPECT_TRUE(e.Dispatcher().MacroRecording);
  v.Key(VkLetter('A'));
  v.Char('a');
  v.Key(VkLetter('B'));
  v.Char('b');
  v.Key(VkLetter('R'), ssCtrl | ssShift);
  EXPECT_FALSE(e.Dispatcher().MacroRecording);
  EXPECT_EQ(e.Dispatcher().RecordedMacro, std::string("a\0b\0", 4));
  const int before = e.UndoBuffer().Count();
  v.Key(VkLetter('P'), ssCtrl | ssShift);
  EXPECT_EQ(v.Line(0), "abab");
  EXPECT_EQ(e.UndoBuffer().Record(before).Kind(), TUndoKind::BeginCompound);
  EXPECT_EQ(e.UndoBuffer().Record(e.UndoBuffer().Count() - 1).Kind(), TUndoKind::EndCompound);
  EXPECT_EQ(e.UpdateLock, 0);
  e.Command(ecUndo);
  EXPECT_EQ(v.Line(0), "ab");
}

TEST(Dispatch, MacroRecordingSkipsTheInnerStepsOfGroupedCommands) {
  ViewEditor v({"abc def"});
  auto& e = v.Editor;
  e.Command(ecMacroRecord);
  e.Command(ecDeleteWord);
  e.Command(ecMacroRecord);
  EXPECT_EQ(e.Dispatcher().RecordedMacro, std::string("\x88\x01", 2));  // ecDeleteWord alone
}

TEST(Dispatch, AMacroThatPlaysItselfDoesNotRecurse) {
  ViewEditor v;
  auto& e = v.Editor;
  e.Command(ecMacroRecord);
  e.Command('x');
  e.Command(ecMacroPlay);
  e.Command(ecMacroRecord);
  e.Command(ecMacroPlay);
  EXPECT_EQ(e.GroupDepth, 0);
  EXPECT_EQ(e.UpdateLock, 0);
  EXPECT_EQ(v.Line(0), "xx");
}

TEST(Dispatch, CharactersGoToTypingUnlessReadOnly) {
  ViewEditor v;
  auto& e = v.Editor;
  e.Command('a');
  e.Command(ecNewLine);
  e.Command('b');
  EXPECT_EQ(e.Lines().Count(), 2);
  EXPECT_EQ(v.Line(1), "b");
  e.ReadOnly = true;
  e.Command('c');
  EXPECT_EQ(v.Line(1), "b");
}

TEST(Dispatch, DeleteSelectionPlacesTheCaretWithoutARecord) {
  ViewEditor v({"abcdef"});
  auto& e = v.Editor;
  e.SelectRange(1, 0, 4, 0);
  v.Caret(5, 0);
  e.Command(ecDeleteSelection);
  EXPECT_EQ(v.Line(0), "aef");
  EXPECT_EQ(e.CaretX, 1);
  EXPECT_EQ(CountKind(e.UndoBuffer(), TUndoKind::Caret), 0);
}

namespace {

// Records which clipboard and block handlers the dispatcher reached.
class HandlerLog : public TEditor {
 public:
  using TEditor::TEditor;
  std::string Log;

 protected:
  void Copy() override { Log += "copy "; }
  void Cut() override { Log += "cut "; }
  void Paste() override { Log += "paste "; }
  void IndentRows(int x, int y1, int y2) override {
    Log += "rows" + std::to_string(x) + std::to_string(y1) + std::to_string(y2) + " ";
  }
  void UnindentRows(int, int, int) override { Log += "unrows "; }
  void IndentSelection() override { Log += "lines "; }
  void UnindentSelection() override { Log += "unlines "; }
};

}  // namespace

TEST(Dispatch, ClipboardAndBlockCommandsRespectReadOnlyAndTheSelection) {
  testing_support::FakeHost host;
  HandlerLog e(host);
  e.Lines().Add("abc");
  e.Lines().Add("def");
  e.WindowCreated();
  e.Command(ecIndentBlock);  // no selection: nothing
  e.SelectRange(1, 0, 2, 1);
  e.Command(ecIndentBlock);
  e.Command(ecUnindentBlock);
  e.Sel.BlockFormat = bfColumn;
  e.Command(ecIndentBlock);
  e.Command(ecUnindentBlock);
  e.Command(ecCopy);
  e.Command(ecCut);
  e.Command(ecPaste);
  e.ReadOnly = true;
  e.Command(ecCopy);
  e.Command(ecCut);
  e.Command(ecPaste);
  e.Command(ecIndentBlock);
  EXPECT_EQ(e.Log, "lines unlines rows101 unrows copy cut paste copy ");
}
