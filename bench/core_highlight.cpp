// Highlighting costs of the core editor: a keystroke that opens a tag in a
// 65,536-row document, colouring and painting a full view of dense HTML, and rebuilding
// all states.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "../tests/core/FakeHost.h"
#include "editor/html/HLEditor.h"
#include "editor/html/Memo1Settings.h"
#include "qsci_html_corpus.h"

namespace {

using editor::THLEditor;

constexpr int DocumentRows = 65536;
constexpr int ViewRows = 50;
constexpr int ViewColumns = 120;

// An editor configured as the program's Memo1, holding the dense document with every
// start state computed.
struct HighlightedDocument {
  explicit HighlightedDocument(int rows) {
    editor::ConfigureMemo1(memo);
    for (const auto& line : bench_corpus::DenseHtml(rows)) memo.Lines().Add(line);
    memo.TextEdited(0, 0, editor::taWholeText, "");
  }
  testing_support::FakeHost host;
  THLEditor memo{host};
};

HighlightedDocument& Document() {
  static HighlightedDocument document(DocumentRows);
  return document;
}

// Types "<" at the end of row 10, where no ">" follows, and takes it back again: each
// change report rescans the 5000-row window after the row. Only the reports are timed.
void BM_KeystrokeOpeningTag(benchmark::State& state) {
  THLEditor& memo = Document().memo;
  const int row = 10;
  const int column = memo.LineLength(row);
  for (auto _ : state) {
    state.PauseTiming();
    memo.Lines().InsertBlock(column, row, "<");
    state.ResumeTiming();
    memo.TextEdited(column, row, editor::taInsert, "<");
    state.PauseTiming();
    memo.Lines().DeleteBlock({column, row}, {column, row});
    state.ResumeTiming();
    memo.TextEdited(column, row, editor::taDelete, "<");
  }
  state.SetItemsProcessed(2 * state.iterations());
  int known = 0;
  for (int r = 0; r < memo.LineCount(); ++r)
    if (memo.LineStartState(r) != THLEditor::StateUnknown) ++known;
  state.counters["rowsKnownAfter"] = known;
}
BENCHMARK(BM_KeystrokeOpeningTag)->Unit(benchmark::kMicrosecond);

// A letter changes no start state: the report must cost next to nothing.
void BM_KeystrokeLetter(benchmark::State& state) {
  THLEditor& memo = Document().memo;
  for (auto _ : state) memo.TextEdited(3, 10, editor::taInsert, "x");
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_KeystrokeLetter);

// Colours every row of a view at the top of the document, as one full repaint does.
void BM_ColourFullView(benchmark::State& state) {
  THLEditor& memo = Document().memo;
  memo.RescanLineStates(-1);
  const int top = static_cast<int>(state.range(0));
  for (auto _ : state) {
    for (int row = top; row < top + ViewRows; ++row) memo.ComputeLineAttrs(row, 0, ViewColumns);
    benchmark::DoNotOptimize(memo.View().Attrs);
  }
  state.SetItemsProcessed(state.iterations() * ViewRows);  // items/s: rows per second
}
BENCHMARK(BM_ColourFullView)->Arg(0)->Arg(40000)->Unit(benchmark::kMicrosecond);

// A full repaint of a 1000×800 window through the editor's own painter onto a
// recording surface: colouring plus run building, without rasterising.
void BM_PaintFullView(benchmark::State& state) {
  HighlightedDocument& document = Document();
  THLEditor& memo = document.memo;
  memo.RescanLineStates(-1);
  memo.WindowCreated();
  document.host.Size = {1000, 800};
  memo.Resized();
  for (auto _ : state) {
    document.host.Surface.Reset();
    memo.Paint(platform::TRect{0, 0, 1000, 800});
  }
  state.SetItemsProcessed(state.iterations() * memo.View().VisibleRowCount);  // rows per second
  state.counters["rows"] = memo.View().VisibleRowCount;
  state.counters["runsPerView"] = static_cast<double>(document.host.Surface.Runs.size());
}
BENCHMARK(BM_PaintFullView)->Unit(benchmark::kMicrosecond);

// Painting a row past the window after an edit finds it and the row above unknown,
// which rebuilds the states from row 0.
void BM_FirstPaintPastTheWindow(benchmark::State& state) {
  THLEditor& memo = Document().memo;
  for (auto _ : state) {
    state.PauseTiming();
    memo.RescanLineStates(10);  // leaves rows past 5010 not yet computed
    state.ResumeTiming();
    memo.ComputeLineAttrs(40000, 0, ViewColumns);
  }
}
BENCHMARK(BM_FirstPaintPastTheWindow)->Unit(benchmark::kMillisecond);

// A whole-text change: every start state rebuilt.
void BM_RescanWholeDocument(benchmark::State& state) {
  THLEditor& memo = Document().memo;
  for (auto _ : state) benchmark::DoNotOptimize(memo.RescanLineStates(-1));
  state.SetItemsProcessed(state.iterations() * DocumentRows);
}
BENCHMARK(BM_RescanWholeDocument)->Unit(benchmark::kMillisecond);

}  // namespace
