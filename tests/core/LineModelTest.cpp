// The plain line list: what its listeners are told for each edit, and its update bracket.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/model/LineModel.h"
#include "platform/Errors.h"

namespace {

// Writes down every notice as text.
class Recorder : public editor::TLineModelListener {
 public:
  void LinesInserted(int index, int count) override { Note("inserted", index, count); }
  void LinesRemoved(int index, int count) override { Note("removed", index, count); }
  void AllLinesReplaced() override { notices.push_back("all"); }
  void LineReplaced(int index) override { notices.push_back("replaced " + std::to_string(index)); }
  void LinesChanged() override { notices.push_back("changed"); }

  std::vector<std::string> notices;

 private:
  void Note(const char* what, int index, int count) {
    notices.push_back(std::string(what) + " " + std::to_string(index) + "," + std::to_string(count));
  }
};

using Notices = std::vector<std::string>;

TEST(LineModel, EachEditReportsWhereLinesMoved) {
  editor::TLineModel model;
  Recorder recorder;
  model.AddListener(recorder);

  Recorder movesOnly;
  model.AddListener(movesOnly, editor::TLineModel::lfMoves);

  model.ReplaceAll({"a", "b", "c"});
  model.Insert(1, std::string("x"));
  model.Insert(4, std::vector<std::string>{"y", "z"});
  model.Remove(0, 2);
  model.Remove(1, 0);
  model.Replace(0, "B");
  EXPECT_EQ(recorder.notices, (Notices{"all", "changed", "inserted 1,1", "changed", "inserted 4,2", "changed",
                                       "removed 0,2", "changed", "changed"}));
  EXPECT_EQ(movesOnly.notices, (Notices{"all", "inserted 1,1", "inserted 4,2", "removed 0,2"}));
  std::vector<std::string> lines;
  for (int i = 0; i < model.Count(); ++i) lines.push_back(model.Get(i));
  EXPECT_EQ(lines, (std::vector<std::string>{"B", "c", "y", "z"}));
}

TEST(LineModel, LineListenersHearWhichLineWasReplacedAndNoChangeNotice) {
  editor::TLineModel model;
  Recorder everything;
  model.AddListener(everything);
  Recorder lines;
  model.AddListener(lines, editor::TLineModel::lfLines);

  model.ReplaceAll({"a", "b"});
  model.BeginUpdate();
  model.Replace(1, "B");
  model.Insert(0, std::string("x"));
  model.EndUpdate();
  model.Remove(0, 1);
  EXPECT_EQ(lines.notices, (Notices{"all", "replaced 1", "inserted 0,1", "removed 0,1"}));
  EXPECT_EQ(everything.notices, (Notices{"all", "changed", "inserted 0,1", "changed", "removed 0,1", "changed"}));

  model.RemoveListener(lines);
  model.Replace(0, "A");
  EXPECT_EQ(lines.notices.size(), 4u);
}

TEST(LineModel, BadIndexesRaiseBeforeAnythingChanges) {
  editor::TLineModel model;
  Recorder recorder;
  model.ReplaceAll({"a", "b"});
  model.AddListener(recorder);
  EXPECT_THROW(model.Get(2), platform::EListError);
  EXPECT_THROW(model.Replace(-1, "x"), platform::EListError);
  EXPECT_THROW(model.Insert(3, std::string("x")), platform::EListError);
  // A run that starts inside the list but reaches past its end removes nothing.
  EXPECT_THROW(model.Remove(1, 2), platform::EListError);
  EXPECT_EQ(model.Count(), 2);
  EXPECT_TRUE(recorder.notices.empty());
}

TEST(LineModel, BracketReportsOneChangeWhenTheOutermostCloses) {
  editor::TLineModel model;
  Recorder recorder;
  model.AddListener(recorder);
  model.BeginUpdate();
  model.BeginUpdate();
  model.Insert(0, std::string("a"));
  model.EndUpdate();
  model.Replace(0, "b");
  model.EndUpdate();
  EXPECT_EQ(recorder.notices, (Notices{"inserted 0,1", "changed"}));

  // An empty bracket and an unmatched close report nothing; a removed listener hears no more.
  model.BeginUpdate();
  model.EndUpdate();
  model.EndUpdate();
  model.RemoveListener(recorder);
  model.Replace(0, "c");
  EXPECT_EQ(recorder.notices.size(), 2u);
}

}  // namespace
