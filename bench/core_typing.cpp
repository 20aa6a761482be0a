// Typing one plain character into a 1,000,000-line document: near the top and near the
// bottom of the text the keystroke must cost the same.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "../tests/core/FakeHost.h"
#include "editor/Commands.h"
#include "editor/html/HLEditor.h"
#include "editor/html/Memo1Settings.h"

namespace {

constexpr int DocumentRows = 1'000'000;

// An editor configured as the program's Memo1, laid out in a window, holding a
// 1,000,000-line page of short HTML rows.
struct LargeDocument {
  LargeDocument() {
    editor::ConfigureMemo1(memo);
    memo.WindowCreated();
    for (int row = 0; row < DocumentRows; ++row) {
      memo.Lines().Add("  <p class=\"row\">line " + std::to_string(row) + " of the page</p>");
    }
    memo.TextEdited(0, 0, editor::taWholeText, "");
  }
  testing_support::FakeHost host;
  editor::THLEditor memo{host};
};

LargeDocument& Document() {
  static LargeDocument document;
  return document;
}

// Each iteration types "x" at column 8 of the row (timed: the whole character-message
// path, undo record, change reports and repaint included) and takes it back with
// Backspace (not timed). The history is emptied now and then so that it stays small.
void TypeCharacterAt(benchmark::State& state, int row) {
  editor::THLEditor& memo = Document().memo;
  memo.MoveCaretTo(8, row);
  long long typed = 0;
  for (auto _ : state) {
    char ch = 'x';
    const auto start = std::chrono::steady_clock::now();
    memo.KeyPress(ch);
    const auto stop = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
    memo.Command(editor::ecBackspace);
    if (++typed % 4096 == 0) memo.UndoBuffer().Clear();
  }
  state.SetItemsProcessed(typed);
  char check = 'x';
  memo.KeyPress(check);
  if (memo.Lines().Get(row).find('x') != 8) state.SkipWithError("the character went elsewhere");
  memo.Command(editor::ecBackspace);
}

void BM_TypeCharacterAtLine10(benchmark::State& state) { TypeCharacterAt(state, 10); }
void BM_TypeCharacterAtLine900000(benchmark::State& state) { TypeCharacterAt(state, 900'000); }

BENCHMARK(BM_TypeCharacterAtLine10)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TypeCharacterAtLine900000)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
