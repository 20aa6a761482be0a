// Tab stop columns from the TabStops list, lists that would repeat every 0 columns, bad
// entries, and TAB expansion.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/FakeHost.h"
#include "editor/Editor.h"
#include "platform/Errors.h"

namespace {

class TabStops : public ::testing::Test {
 protected:
  // The stop columns for x = 0..last, next or previous.
  std::vector<int> Stops(const std::string& list, bool next, int last) {
    editor.TabStops = list;
    std::vector<int> result;
    for (int x = 0; x <= last; ++x) result.push_back(editor.TabStopColumn(x, next));
    return result;
  }

  testing_support::FakeHost host;
  editor::TEditor editor{host};
};

TEST_F(TabStops, DefaultListRepeatsEveryTwoColumns) {
  EXPECT_EQ(Stops("3 5", true, 9), (std::vector<int>{2, 2, 4, 4, 6, 6, 8, 8, 10, 10}));
  EXPECT_EQ(Stops("3 5", false, 9), (std::vector<int>{0, 0, 0, 2, 2, 4, 4, 6, 6, 8}));
}

TEST_F(TabStops, SingleEntryRepeatsAtItsDistanceFromColumnOne) {
  // "5": the stop column 4, then every 3 columns (5 - 2).
  EXPECT_EQ(Stops("5", true, 8), (std::vector<int>{4, 4, 4, 4, 7, 7, 7, 10, 10}));
}

TEST_F(TabStops, EmptyListMovesOneColumn) {
  EXPECT_EQ(Stops("", true, 3), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(Stops("", false, 3), (std::vector<int>{-1, 0, 1, 2}));
}

TEST_F(TabStops, ReadingStopsAtTheFirstEmptyEntry) {
  EXPECT_EQ(Stops("3 9", true, 3), (std::vector<int>{2, 2, 8, 8}));
  // The double space ends the list after 3, so 9 is never read.
  EXPECT_EQ(Stops("3  9", true, 3), (std::vector<int>{2, 2, 3, 4}));
  EXPECT_EQ(Stops(" 3", true, 2), (std::vector<int>{1, 2, 3}));
}

TEST_F(TabStops, ListsWithoutARepeatDistanceStepOneColumn) {
  // Last two entries equal, a single 2, a falling list: beyond the entries every column
  // is a stop, and the next stop always lies ahead.
  EXPECT_EQ(Stops("4 4", true, 6), (std::vector<int>{3, 3, 3, 4, 5, 6, 7}));
  EXPECT_EQ(Stops("4 4", false, 6), (std::vector<int>{0, 0, 0, 0, 3, 4, 5}));
  EXPECT_EQ(Stops("2", true, 3), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(Stops("2", false, 3), (std::vector<int>{0, 0, 1, 2}));
  EXPECT_EQ(Stops("9 5", true, 10), (std::vector<int>{8, 8, 8, 8, 8, 8, 8, 8, 9, 10, 11}));
  editor.TabStops = "0";
  EXPECT_EQ(editor.TabsToBlanks("\t"), " ");
}

TEST_F(TabStops, BadEntryRaisesTheConversionError) {
  editor.TabStops = "3 x5";
  try {
    editor.TabStopColumn(0, true);
    ADD_FAILURE() << "no conversion error";
  } catch (const platform::EConvertError& e) {
    EXPECT_EQ(e.Message(), "'x5' is not a valid integer value");
  }
  // Text without a TAB never reads the list; with one the store stays unchanged.
  editor.Lines().Add("plain");
  EXPECT_THROW(editor.Lines().Add("a\tb"), platform::EConvertError);
  EXPECT_THROW(editor.Lines().SetText("a\tb"), platform::EConvertError);
  ASSERT_EQ(editor.Lines().Count(), 1);
  EXPECT_EQ(editor.Lines().Get(0), "plain");
}

TEST_F(TabStops, TabsBecomeTheFirstStopsWidthWherever) {
  EXPECT_EQ(editor.TabsToBlanks("a\tb"), "a  b");
  EXPECT_EQ(editor.TabsToBlanks("abcdefg\t\th"), "abcdefg    h");
  EXPECT_EQ(editor.TabsToBlanks("none"), "none");
  editor.TabStops = "5 9";
  EXPECT_EQ(editor.TabsToBlanks("\tx"), "    x");
}

}  // namespace
