// Copy, cut and paste through the editor's commands on the in-memory clipboard: the
// block format travels with the text, and each paste and cut goes back in one undo.
#include "core/EditingFixture.h"

namespace {

using editor::bfColumn;
using editor::bfInclusive;
using editor::bfLine;
using editor::bfNonInclusive;
using testing_support::EditingTest;

class ClipboardTest : public EditingTest {
 protected:
  // Selects (begX, begY)..(endX, endY) in `format` and copies it.
  void CopyRange(editor::TSelBlockFormat format, int begX, int begY, int endX, int endY) {
    editor.Sel.BlockFormat = format;
    editor.SelectRange(begX, begY, endX, endY);
    Run(editor::ecCopy);
  }
  void PasteAt(int x, int y) {
    editor.CancelSelection();
    editor.MoveCaretTo(x, y);
    Run(editor::ecPaste);
  }
};

TEST_F(ClipboardTest, StreamFormatsRoundTripTheirText) {
  SetText({"alpha beta", "gamma"});
  CopyRange(bfNonInclusive, 6, 0, 2, 1);
  EXPECT_EQ(host.Clipboard, "beta\r\nga");
  EXPECT_EQ(host.ClipboardFormat, bfNonInclusive);
  PasteAt(0, 0);
  EXPECT_EQ(Text(), (std::vector<std::string>{"beta", "gaalpha beta", "gamma"}));
  EXPECT_EQ(Caret(), (platform::TPoint{2, 1}));

  SetText({"abcdef"});
  CopyRange(bfInclusive, 1, 0, 3, 0);
  EXPECT_EQ(host.Clipboard, "bcd");
  EXPECT_EQ(host.ClipboardFormat, bfInclusive);
  PasteAt(6, 0);
  EXPECT_EQ(Text(), (std::vector<std::string>{"abcdefbcd"}));
  EXPECT_EQ(Caret(), (platform::TPoint{9, 0}));
  EXPECT_EQ(editor.Sel.BlockFormat, bfInclusive);
}

TEST_F(ClipboardTest, LineFormatPastesWholeLinesAtColumnZero) {
  SetText({"one", "two", "three"});
  editor.Sel.BlockFormat = bfLine;
  editor.SelectRange(1, 0, 2, 0);
  Run(editor::ecCopy);
  EXPECT_EQ(host.ClipboardFormat, bfLine);
  // The caret stands mid-row: the lines still go in at column 0 and end with a break.
  PasteAt(2, 2);
  EXPECT_EQ(Text(), (std::vector<std::string>{"one", "two", "one", "three"}));
  EXPECT_EQ(Caret(), (platform::TPoint{0, 3}));
}

TEST_F(ClipboardTest, ColumnBlockPastesAsAColumnAgain) {
  SetText({"abcd", "efgh", "ijkl"});
  CopyRange(bfColumn, 1, 0, 2, 1);
  EXPECT_EQ(host.Clipboard, "bc\r\nfg");
  EXPECT_EQ(host.ClipboardFormat, bfColumn);
  PasteAt(4, 1);
  EXPECT_EQ(Text(), (std::vector<std::string>{"abcd", "efghbc", "ijklfg"}));
  EXPECT_EQ(Caret(), (platform::TPoint{4, 1}));

  // A block reaching below the text adds rows, and one undo removes them again.
  PasteAt(0, 2);
  EXPECT_EQ(Text(), (std::vector<std::string>{"abcd", "efghbc", "bcijklfg", "fg"}));
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), (std::vector<std::string>{"abcd", "efghbc", "ijklfg"}));
}

TEST_F(ClipboardTest, ForeignTextIsStreamTextWithNormalisedBreaks) {
  SetText({"xy"});
  editor.Sel.BlockFormat = bfColumn;
  host.Clipboard = std::string("a\nb\r\ncd\0ignored", 15);
  host.ClipboardFormat.reset();
  PasteAt(1, 0);
  EXPECT_EQ(editor.Sel.BlockFormat, bfNonInclusive);
  EXPECT_EQ(Text(), (std::vector<std::string>{"xa", "b", "cdy"}));

  // A format byte outside the four formats is not trusted.
  SetText({"xy"});
  host.Clipboard = "q";
  host.ClipboardFormat = 77;
  PasteAt(0, 0);
  EXPECT_EQ(editor.Sel.BlockFormat, bfNonInclusive);
  EXPECT_EQ(Text(), (std::vector<std::string>{"qxy"}));
}

TEST_F(ClipboardTest, PasteReplacesTheSelectionInOneUndoStep) {
  SetText({"hello world"});
  host.Clipboard = "there";
  host.ClipboardFormat = bfNonInclusive;
  editor.Sel.BlockFormat = bfNonInclusive;
  editor.SelectRange(6, 0, 11, 0);
  Run(editor::ecPaste);
  EXPECT_EQ(Text(), (std::vector<std::string>{"hello there"}));
  EXPECT_FALSE(editor.Sel.Selected);
  EXPECT_EQ(changes, 2);  // the deletion and the paste
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), (std::vector<std::string>{"hello world"}));
}

TEST_F(ClipboardTest, PasteBelowTheTextBeepsAndStillPastes) {
  SetText({"a"});
  editor.CursorBeyondEOF = true;
  host.Clipboard = "z";
  PasteAt(1, 2);
  EXPECT_EQ(host.Beeps, 1);
  EXPECT_EQ(Text(), (std::vector<std::string>{"a", "", " z"}));
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), (std::vector<std::string>{"a"}));
}

TEST_F(ClipboardTest, CutRemovesTheSelectionAndUndoBringsItBack) {
  SetText({"keep cut keep"});
  editor.Sel.BlockFormat = bfNonInclusive;
  editor.SelectRange(5, 0, 9, 0);
  Run(editor::ecCut);
  EXPECT_EQ(host.Clipboard, "cut ");
  EXPECT_EQ(Text(), (std::vector<std::string>{"keep keep"}));
  Run(editor::ecUndo);
  EXPECT_EQ(Text(), (std::vector<std::string>{"keep cut keep"}));
}

TEST_F(ClipboardTest, CopyWithoutASelectionEmptiesTheClipboard) {
  SetText({"text"});
  host.Clipboard = "old";
  Run(editor::ecCopy);
  EXPECT_EQ(host.Clipboard, "");
}

}  // namespace
