// Random edits against the start-state cache: whatever rows an edit leaves known or
// unknown, the state a painted row starts in equals a fresh scan of the whole text.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/FakeHost.h"
#include "editor/html/HLEditor.h"

namespace {

using editor::THLEditor;

// The reference: walk every line from the top, "<" opening and ">" closing a tag.
std::vector<std::uint8_t> ScanFromTop(const THLEditor& memo) {
  std::vector<std::uint8_t> states{THLEditor::StateOutside};
  bool inTag = false;
  for (int row = 0; row + 1 < memo.LineCount(); ++row) {
    for (const char ch : memo.Lines().Get(row))
      if (ch == (inTag ? '>' : '<')) inTag = !inTag;
    states.push_back(inTag ? THLEditor::StateInTag : THLEditor::StateOutside);
  }
  return states;
}

TEST(HighlightFuzzTest, CachedStatesMatchAFullScanAfterRandomEdits) {
  std::mt19937 random(20240607);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const std::string alphabet = "<<>>ab \"=";
  testing_support::FakeHost host;
  THLEditor memo(host);
  editor::ApplyMemo1Highlighting(memo);
  // No bracket but the edits', so that a wrong state carries on to the last row.
  for (int row = 0; row < 5200; ++row) memo.Lines().Add("text");
  memo.TextEdited(0, 0, editor::taWholeText, "");

  for (int step = 0; step < 150; ++step) {
    // Edits cluster in a few short rows at the top, so that the 5000-row window leaves
    // rows unknown below and the state those rows should have keeps changing.
    const int y = step % 5 == 0 ? pick(memo.LineCount()) : pick(8);
    const int length = memo.LineLength(y);
    const int x = pick(length + 1);
    if (pick(2) == 0 && x < length) {
      const std::string removed = memo.Lines().Get(y).substr(x, 1);
      memo.Lines().DeleteBlock({x, y}, {x, y});
      memo.TextEdited(x, y, editor::taDelete, removed);
    } else {
      const std::string text =
          pick(8) == 0 ? "\r\n" : std::string(1, alphabet[pick(alphabet.size())]);
      memo.Lines().InsertBlock(x, y, text);
      memo.TextEdited(x, y, editor::taInsert, text);
    }
    const auto expected = ScanFromTop(memo);
    const int count = memo.LineCount();
    int firstUnknown = 0;
    while (firstUnknown + 1 < count && memo.LineStartState(firstUnknown) != THLEditor::StateUnknown)
      ++firstUnknown;
    for (int probe = 0; probe < 8; ++probe) {
      // Probes: the first row not yet computed, random rows, rows near the end and
      // rows just below the edit.
      const int row = probe == 0  ? firstUnknown
                      : probe < 2 ? pick(count)
                      : probe < 4 ? count - 1 - pick(300)
                                  : std::min(y + probe, count - 1);
      memo.ComputeLineAttrs(row, 0, 80);  // computes the row's state when it is not known
      ASSERT_EQ(memo.LineStartState(row), expected[row]) << "step " << step << ", row " << row;
    }
  }
}

}  // namespace
