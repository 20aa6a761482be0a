// Painting through the recording surface: runs of equal attributes, the selection
// colours of each format, rows below the text, gutter lines, the margin, line marks,
// bracket highlighting and what caret moves and scrolls repaint.
#include <gtest/gtest.h>

#include <set>

#include "core/ViewTestEditor.h"

using namespace editor;
using namespace platform;
using testing_support::RecordingSurface;
using testing_support::ViewEditor;

namespace {

// A view 40 columns wide: 2 + 40 × 8 pixels.
constexpr int kFortyColumns = 2 + 40 * 8;

// The fill that paints what follows the text cells of the row at y.
const RecordingSurface::Fill* RestOfRow(const RecordingSurface& s, int y) {
  const RecordingSurface::Fill* found = nullptr;
  for (const auto& f : s.Fills)
    if (f.Rect.Top == y && f.Rect.Height() == 16 && f.Rect.Width() > 1) found = &f;
  return found;
}

}  // namespace

TEST(Paint, ARowIsOneRunPerAttributeWithBlanksPastTheText) {
  ViewEditor v({"0123456789"});
  v.Resize(kFortyColumns, 480);
  v.Host.Surface.Reset();
  v.Editor.View().RepaintRow(0);
  const auto& s = v.Host.Surface;
  ASSERT_EQ(s.Runs.size(), 1u);
  EXPECT_EQ(s.Runs[0].Text, "0123456789" + std::string(30, ' '));
  EXPECT_EQ(s.Runs[0].X, 3);
  EXPECT_EQ(s.Runs[0].Advance, 8);
  EXPECT_EQ(s.Runs[0].Fore, clWindowText);
  EXPECT_EQ(s.Runs[0].Back, clWindow);
  const auto* rest = RestOfRow(s, 0);
  ASSERT_NE(rest, nullptr);
  EXPECT_EQ(rest->Rect.Left, 3 + 40 * 8);
  EXPECT_EQ(rest->Color, clWindow);
}

TEST(Paint, StreamSelectionSplitsTheRowIntoRuns) {
  ViewEditor v({"abcdefgh"});
  v.Resize(kFortyColumns, 480);
  v.Editor.SetSelForeColor(clYellow);
  v.Editor.SelectRange(2, 0, 5, 0);
  v.Host.Surface.Reset();
  v.Editor.View().RepaintRow(0);
  const auto& runs = v.Host.Surface.Runs;
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].Text, "ab");
  EXPECT_EQ(runs[1].Text, "cde");
  EXPECT_EQ(runs[1].X, 3 + 2 * 8);
  EXPECT_EQ(runs[1].Fore, clYellow);
  EXPECT_EQ(runs[1].Back, clHighlight);
  EXPECT_EQ(runs[2].Fore, clWindowText);
  v.Editor.Sel.BlockFormat = bfInclusive;
  v.Host.Surface.Reset();
  v.Editor.View().RepaintRow(0);
  EXPECT_EQ(v.Host.Surface.Runs[1].Text, "cdef");
}

TEST(Paint, SpaceAfterEverySelectedRowButTheLastIsSelected) {
  ViewEditor v({"r0", "r1", "r2", "r3", "r4", "r5"});
  v.Resize(kFortyColumns, 480);
  v.Editor.SelectRange(1, 2, 1, 4);
  v.Host.Surface.Reset();
  for (int row = 1; row <= 5; ++row) v.Editor.View().RepaintRow(row);
  const auto& s = v.Host.Surface;
  EXPECT_EQ(RestOfRow(s, 1 * 16)->Color, clWindow);
  EXPECT_EQ(RestOfRow(s, 2 * 16)->Color, clHighlight);
  EXPECT_EQ(RestOfRow(s, 3 * 16)->Color, clHighlight);
  EXPECT_EQ(RestOfRow(s, 4 * 16)->Color, clWindow);
  // Row 3, between the ends, is selected across the whole painted range.
  for (const auto& run : s.Runs) {
    if (run.Y == 3 * 16) {
      EXPECT_EQ(run.Back, clHighlight);
    }
  }
}

TEST(Paint, ColumnAndLineSelectionColours) {
  ViewEditor v({"abcdef", "ghijkl", "mnopqr"});
  v.Resize(kFortyColumns, 480);
  auto& e = v.Editor;
  e.Sel.BlockFormat = bfColumn;
  e.SelectRange(1, 0, 2, 1);
  v.Host.Surface.Reset();
  e.View().RepaintRow(1);
  const auto& runs = v.Host.Surface.Runs;
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[1].Text, "hi");  // both end columns included
  EXPECT_EQ(RestOfRow(v.Host.Surface, 16)->Color, clWindow);  // no colour past a column block
  e.Sel.BlockFormat = bfLine;
  e.SelectRange(3, 1, 0, 1);
  v.Host.Surface.Reset();
  e.View().RepaintRow(1);
  ASSERT_EQ(v.Host.Surface.Runs.size(), 1u);
  EXPECT_EQ(v.Host.Surface.Runs[0].Back, clHighlight);
}

TEST(Paint, RowsBelowTheTextShowTheBackground) {
  ViewEditor v({"only"});
  v.Editor.SetColor(clNavy);
  v.Host.Surface.Reset();
  v.Editor.View().RepaintRow(3);
  const auto& s = v.Host.Surface;
  EXPECT_TRUE(s.Runs.empty());
  ASSERT_EQ(s.Fills.size(), 2u);
  EXPECT_EQ(s.Fills[0].Rect, (TRect{2, 48, 3, 64}));
  EXPECT_EQ(s.Fills[0].Color, clNavy);
  EXPECT_EQ(s.Fills[1].Color, clNavy);
  EXPECT_EQ(s.Fills[1].Rect.Left, 3);
}

TEST(Paint, CaretMovesPaintNothing) {
  ViewEditor v({"abc", "def"});
  v.Host.Surface.Reset();
  v.Editor.Command(ecRight);
  v.Editor.Command(ecDown);
  v.Editor.Command(ecLineEnd);
  EXPECT_TRUE(v.Host.Surface.Runs.empty());
  EXPECT_TRUE(v.Host.Surface.Fills.empty());
  EXPECT_EQ(v.Host.InvalidateAllCount, 0);
  EXPECT_TRUE(v.Host.Invalidated.empty());
}

TEST(Paint, GutterLinesStandAtTheirColumns) {
  ViewEditor v;
  v.Editor.SetColor(clNavy);
  v.Editor.View().SetGutterWidth(25);
  v.Host.Surface.Reset();
  v.Editor.View().PaintGutter();
  const auto& s = v.Host.Surface;
  ASSERT_EQ(s.Fills.size(), 1u);
  EXPECT_EQ(s.Fills[0].Rect, (TRect{0, 0, 25, 480}));
  EXPECT_EQ(s.Fills[0].Color, clBtnFace);
  ASSERT_EQ(s.Lines.size(), 3u);
  EXPECT_EQ(s.Lines[0].Rect, (TRect{23, 0, 24, 480}));
  EXPECT_EQ(s.Lines[0].Color, clNavy);
  EXPECT_EQ(s.Lines[1].Rect, (TRect{26, 0, 28, 480}));
  EXPECT_EQ(s.Lines[1].Color, clNavy);
  EXPECT_EQ(s.Lines[2].Rect, (TRect{24, 0, 25, 480}));
  EXPECT_EQ(s.Lines[2].Color, clGray);
}

TEST(Paint, RightMarginNeedsNinetyNineVisibleColumns) {
  ViewEditor v({"x"});
  auto& e = v.Editor;
  e.View().SetRightMargin(100);
  e.View().SetGutterWidth(25);
  v.Resize(27 + 98 * 8, 480);
  v.Host.Surface.Reset();
  e.View().RepaintRow(0);
  EXPECT_TRUE(v.Host.Surface.Lines.empty());
  v.Resize(27 + 99 * 8, 480);
  v.Host.Surface.Reset();
  e.View().RepaintRow(0);
  ASSERT_EQ(v.Host.Surface.Lines.size(), 1u);
  EXPECT_EQ(v.Host.Surface.Lines[0].Rect.Left, 25 + 3 + 100 * 8);
  EXPECT_EQ(v.Host.Surface.Lines[0].Color, clSilver);
  e.View().SetLeftTop(10, 0);
  v.Host.Surface.Reset();
  e.View().RepaintRow(0);
  EXPECT_EQ(v.Host.Surface.Lines[0].Rect.Left, 25 + 3 + 90 * 8);
}

TEST(Paint, LineMarksRecolourTheRowAndSelectionSwapsThem) {
  ViewEditor v({"marked"});
  v.Resize(kFortyColumns, 480);
  v.Editor.LineInformation.SetMark(0, 1);
  v.Host.Surface.Reset();
  v.Editor.View().RepaintRow(0);
  ASSERT_EQ(v.Host.Surface.Runs.size(), 1u);
  EXPECT_EQ(v.Host.Surface.Runs[0].Fore, clWhite);
  EXPECT_EQ(v.Host.Surface.Runs[0].Back, 0x0000FF);
  v.Editor.SelectRange(0, 0, 2, 0);
  v.Host.Surface.Reset();
  v.Editor.View().RepaintRow(0);
  EXPECT_EQ(v.Host.Surface.Runs[0].Fore, 0x0000FF);
  EXPECT_EQ(v.Host.Surface.Runs[0].Back, clWhite);
}

namespace {

// Colours every character of a row red on the default background, the way a
// highlighter writes its entries.
class ColouringEditor : public TEditor {
 public:
  using TEditor::TEditor;
  void ComputeLineAttrs(int, int colBeg, int colEnd) override {
    for (int i = colBeg; i <= colEnd; ++i) View().Attrs[static_cast<std::size_t>(i)].Fore = clRed;
  }
};

}  // namespace

TEST(Paint, HighlighterThenHandlerThenSelection) {
  testing_support::FakeHost host;
  host.Size = {kFortyColumns, 480};
  ColouringEditor e(host);
  e.Lines().Add("abcdef");
  e.WindowCreated();
  e.OnGetLineAttr = [](const std::string& text, int row, TLineAttrs& attrs) {
    EXPECT_EQ(text, "abcdef");
    EXPECT_EQ(row, 0);
    EXPECT_EQ(attrs[1].Fore, clRed);
    attrs[2].Style = fsBold;
  };
  e.SelectRange(4, 0, 5, 0);
  host.Surface.Reset();
  e.View().RepaintRow(0);
  const auto& runs = host.Surface.Runs;
  ASSERT_EQ(runs.size(), 5u);
  EXPECT_EQ(runs[0].Text, "a");
  EXPECT_EQ(runs[0].Fore, clRed);
  EXPECT_EQ(runs[1].Text, "b");
  EXPECT_EQ(runs[1].Style, fsBold);
  EXPECT_EQ(runs[3].Text, "e");
  EXPECT_EQ(runs[3].Fore, clHighlightText);
}

TEST(Paint, BracketAtTheCaretAndItsMatchAreFramed) {
  ViewEditor v({"f(a(b)c)", "x"});
  v.Resize(kFortyColumns, 480);
  auto& e = v.Editor;
  e.BracketHighlighting.Active = true;
  e.MoveCaretTo(1, 0);
  EXPECT_EQ(e.BracketHighlighting.Ranges[0].FirstCol, 1);
  EXPECT_EQ(e.BracketHighlighting.Ranges[1].FirstCol, 7);
  v.Host.Surface.Reset();
  e.View().RepaintRow(0);
  const auto& frames = v.Host.Surface.Frames;
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0].Rect, (TRect{3 + 8 - 1, 0, 3 + 16, 16}));
  EXPECT_EQ(frames[0].Color, clSilver);
  EXPECT_EQ(frames[1].Rect.Left, 3 + 7 * 8 - 1);
  e.MoveCaretTo(7, 0);  // the closer searches back
  EXPECT_EQ(e.BracketHighlighting.Ranges[1].FirstCol, 1);
  e.MoveCaretTo(0, 1);  // nothing under the caret
  EXPECT_EQ(e.BracketHighlighting.Ranges[0].FirstCol, -1);
}

TEST(Paint, PairedWordsMatchAcrossLinesWithNesting) {
  ViewEditor v({"begin x", "  begin end", "end"});
  auto& e = v.Editor;
  e.BracketHighlighting.Active = true;
  e.BracketHighlighting.CaseSensitiveWordPairs = false;
  e.BracketHighlighting.WordPairs = {"nopair", "BEGIN=END"};
  e.MoveCaretTo(2, 0);
  EXPECT_EQ(e.BracketHighlighting.Ranges[0].FirstCol, 0);
  EXPECT_EQ(e.BracketHighlighting.Ranges[0].LastCol, 4);
  EXPECT_EQ(e.BracketHighlighting.Ranges[1].Row, 2);
  EXPECT_EQ(e.BracketHighlighting.Ranges[1].FirstCol, 0);
}

TEST(Paint, OneRowScrollRepaintsOnlyTheStrip) {
  ViewEditor v;
  v.AddNumberedLines(200);
  v.Editor.Paint(TRect{0, 0, 640, 480});  // the first paint after creation covers all
  v.Host.Invalidated.clear();
  v.Editor.View().ScrollView(true, 1);
  ASSERT_EQ(v.Host.Invalidated.size(), 1u);
  v.Host.Surface.Reset();
  v.Editor.Paint(v.Host.Invalidated[0]);
  std::set<int> rows;
  for (const auto& run : v.Host.Surface.Runs) rows.insert(run.Y / 16);
  // The new row, the row above it and the part row below the last whole one.
  EXPECT_EQ(rows, (std::set<int>{28, 29, 30}));
}

TEST(Paint, FullPaintCoversEveryVisibleRowOnce) {
  ViewEditor v;
  v.AddNumberedLines(50);
  const int caretShown = v.Host.CaretShown;
  v.Host.Surface.Reset();
  v.Editor.Paint(TRect{0, 0, 640, 480});
  std::set<int> rows;
  for (const auto& run : v.Host.Surface.Runs) rows.insert(run.Y / 16);
  EXPECT_EQ(rows.size(), 31u);  // 30 whole rows and the partly visible one
  EXPECT_EQ(v.Host.CaretShown, caretShown);  // hidden and shown again: balanced
}
