// The recovery journal on disk: a session's edits come back after the program is gone,
// live journals are never offered, compaction and its interruption lose nothing, links
// and foreign folders are refused, and failures stop the journal, never the editor.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>

#include "JournalKit.h"
#include "journal/DocumentStamp.h"
#include "journal/Orphans.h"

using namespace journal;
using namespace journal_test;

namespace {

// The journal as a killed program leaves it: its file stays, its lock goes.
std::string Orphan(std::unique_ptr<TJournal> journal) { return journal->FileName(); }

Lines RecoverOnly(const std::string& folder) {
  std::vector<TOrphanJournal> orphans = FindOrphanedJournals(folder);
  EXPECT_EQ(orphans.size(), 1u);
  return orphans.empty() ? Lines{} : orphans[0].Recover().lines;
}

}  // namespace

TEST(Journal, RandomEditsComeBackAfterTheProgramIsGone) {
  for (unsigned seed = 1; seed <= 10; ++seed) {
    TempFolder folder;
    std::mt19937 random(seed);
    Lines text = RandomLines(random, random() % 30);
    auto journal = std::make_unique<TJournal>(folder.path, TDocumentStamp{}, text.size(), LinesOf(text),
                                              FixedClock(1000 + seed));
    for (int step = 0; step < 300; ++step) {
      const unsigned choice = random() % 100;
      if (choice == 0) {
        text = RandomLines(random, random() % 30);
        journal->Snapshot(text.size(), LinesOf(text));
      } else if (choice == 1) {
        journal->Compact(text.size(), LinesOf(text));
      } else {
        RandomEdit(random, text, *journal);
      }
    }
    ASSERT_FALSE(journal->Failed());
    Orphan(std::move(journal));
    std::vector<TOrphanJournal> orphans = FindOrphanedJournals(folder.path);
    ASSERT_EQ(orphans.size(), 1u);
    std::size_t bytes = 0;
    for (const std::string& line : text) bytes += line.size();
    EXPECT_EQ(orphans[0].Info().textLines, text.size());
    EXPECT_EQ(orphans[0].Info().textBytes, bytes);
    EXPECT_EQ(orphans[0].Info().lastChange, 1000 + seed);
    const TRecoveredText recovered = orphans[0].Recover();
    EXPECT_EQ(recovered.state, TJournalState::whole);
    EXPECT_EQ(recovered.lines, text) << seed;
    orphans[0].Remove();
    EXPECT_TRUE(folder.Entries().empty());
  }
}

TEST(Journal, OnlyJournalsWhoseProgramIsGoneAreOffered) {
  TempFolder folder;
  const Lines live{"live"}, gone{"gone"};
  TJournal running(folder.path, {}, live.size(), LinesOf(live), FixedClock());
  Orphan(std::make_unique<TJournal>(folder.path, TDocumentStamp{}, gone.size(), LinesOf(gone), FixedClock()));
  {
    std::vector<TOrphanJournal> offered = FindOrphanedJournals(folder.path);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0].Recover().lines, gone);
    // A second program starting while the offer is up does not offer it too.
    EXPECT_TRUE(FindOrphanedJournals(folder.path).empty());
  }
  // "Keep it for later" leaves it for the next start.
  EXPECT_EQ(RecoverOnly(folder.path), gone);
  running.Remove();
  EXPECT_EQ(folder.Entries().size(), 1u);
}

TEST(Journal, CompactionKeepsTheTextAndTheLock) {
  TempFolder folder;
  std::mt19937 random(3);
  Lines text = RandomLines(random, 50);
  auto journal = std::make_unique<TJournal>(folder.path, TDocumentStamp{}, text.size(), LinesOf(text), FixedClock());
  const std::string file = folder / journal->FileName();
  while (!journal->CompactionDue()) RandomEdit(random, text, *journal);
  const std::size_t before = FileSize(file);
  // A symbolic link where the rewrite goes is replaced, not written through.
  const std::string victim = folder / "victim";
  WriteBytes(victim, "keep");
  ASSERT_EQ(symlink(victim.c_str(), (file + ".new").c_str()), 0);
  journal->Compact(text.size(), LinesOf(text));
  EXPECT_FALSE(journal->Failed());
  EXPECT_FALSE(journal->CompactionDue());
  EXPECT_LT(FileSize(file), before / 4);
  EXPECT_EQ(ReadBytes(victim), "keep");
  EXPECT_TRUE(FindOrphanedJournals(folder.path).empty());
  RandomEdit(random, text, *journal);
  Orphan(std::move(journal));
  EXPECT_EQ(RecoverOnly(folder.path), text);
}

TEST(Journal, ACompactionKilledHalfWayLosesNothing) {
  TempFolder folder;
  Lines text{"<p>", "one", "</p>"};
  auto journal = std::make_unique<TJournal>(folder.path, TDocumentStamp{}, text.size(), LinesOf(text), FixedClock());
  text[1] = "two";
  journal->Replace(1, 1, 1, LinesOf(text, 1));
  const std::string name = Orphan(std::move(journal));
  const std::string whole = ReadBytes(folder / name);
  WriteBytes(folder / (name + ".new"), whole.substr(0, whole.size() / 2));
  std::vector<TOrphanJournal> orphans = FindOrphanedJournals(folder.path);
  ASSERT_EQ(orphans.size(), 1u);
  EXPECT_EQ(orphans[0].Recover().lines, text);
  orphans[0].Remove();
  EXPECT_TRUE(folder.Entries().empty());
}

TEST(Journal, AbandonedRewritesGoButOnesBeingWrittenStay) {
  TempFolder folder;
  const std::string abandoned = folder / "00112233445566aa.journal.new";
  const std::string busy = folder / "00112233445566bb.journal.new";
  WriteBytes(abandoned, "half");
  WriteBytes(busy, "half");
  const int held = open(busy.c_str(), O_RDONLY);
  ASSERT_EQ(flock(held, LOCK_EX), 0);
  RemoveAbandonedRewrites(folder.path);
  EXPECT_EQ(folder.Entries(), Lines{"00112233445566bb.journal.new"});
  close(held);
}

TEST(Journal, LinksAndForeignFoldersAreRefused) {
  TempFolder folder;
  const Lines text{"secret"};
  // A journal somewhere else, linked in under a journal's name, is not offered.
  const std::string elsewhere = folder / "elsewhere";
  const std::string name = Orphan(std::make_unique<TJournal>(elsewhere, TDocumentStamp{}, 1, LinesOf(text), FixedClock()));
  const std::string journals = folder / "journals";
  ASSERT_EQ(mkdir(journals.c_str(), 0700), 0);
  ASSERT_EQ(symlink((elsewhere + "/" + name).c_str(), (journals + "/" + name).c_str()), 0);
  EXPECT_TRUE(FindOrphanedJournals(journals).empty());

  // The folder itself as a link, open to others or someone else's: refused.
  const std::string linked = folder / "linked";
  ASSERT_EQ(symlink(journals.c_str(), linked.c_str()), 0);
  const std::string open = folder / "open";
  ASSERT_EQ(mkdir(open.c_str(), 0700), 0);
  ASSERT_EQ(chmod(open.c_str(), 0770), 0);
  std::vector<std::string> refused{linked, open};
  const std::string foreign = folder / "foreign";
  ASSERT_EQ(mkdir(foreign.c_str(), 0700), 0);
  if (chown(foreign.c_str(), 65534, 65534) == 0) refused.push_back(foreign);
  for (const std::string& path : refused) {
    TJournal journal(path, {}, 1, LinesOf(text), FixedClock());
    EXPECT_TRUE(journal.Failed()) << path;
    EXPECT_TRUE(FindOrphanedJournals(path).empty()) << path;
  }
  EXPECT_EQ(TempFolder::EntriesOf(journals), Lines{name});
}

TEST(Journal, AFailedJournalSaysSoOnceAndEditingGoesOn) {
  TempFolder folder;
  const Lines text{"a"};
  const Lines big{std::string(4096, 'x')};
  TJournal journal(folder.path, {}, text.size(), LinesOf(text), FixedClock());
  const std::string file = folder / journal.FileName();
  // A full disk, as the file size limit makes it: the write fails with EFBIG.
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  const sighandler_t oldHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = FileSize(file) + 100;
  setrlimit(RLIMIT_FSIZE, &small);
  journal.Replace(0, 1, 1, LinesOf(big));
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, oldHandler);

  EXPECT_TRUE(journal.Failed());
  const std::optional<std::string> error = journal.TakeError();
  ASSERT_TRUE(error);
  EXPECT_NE(error->find("too large"), std::string::npos) << *error;
  EXPECT_FALSE(journal.TakeError());
  const std::size_t size = FileSize(file);
  journal.Replace(0, 0, 1, LinesOf(text));
  journal.Sync();
  EXPECT_EQ(FileSize(file), size);
  journal.Remove();
  EXPECT_TRUE(folder.Entries().empty());
}

TEST(Journal, TheOfferTellsWhenTheFileOnDiskChanged) {
  TempFolder folder;
  const std::string page = folder / "page.html";
  WriteBytes(page, "<p>one</p>\r\n");
  const std::optional<TDocumentStamp> stamp = StampFile(page, "windows-1251");
  ASSERT_TRUE(stamp);
  EXPECT_FALSE(FileChangedSince(*stamp));
  // The same size and time, other bytes: only the checksum can tell.
  struct stat info {};
  stat(page.c_str(), &info);
  WriteBytes(page, "<p>two</p>\r\n");
  const timespec times[2] = {info.st_atim, info.st_mtim};
  utimensat(AT_FDCWD, page.c_str(), times, 0);
  EXPECT_TRUE(FileChangedSince(*stamp));
  WriteBytes(page, "<p>one</p>\r\n");
  EXPECT_TRUE(FileChangedSince(*stamp));  // the same bytes, another time
  utimensat(AT_FDCWD, page.c_str(), times, 0);
  EXPECT_FALSE(FileChangedSince(*stamp));

  const std::string journals = folder / "journals";
  const Lines text{"<p>one</p>"};
  Orphan(std::make_unique<TJournal>(journals, *stamp, 1, LinesOf(text), FixedClock()));
  Orphan(std::make_unique<TJournal>(journals, TDocumentStamp{}, 1, LinesOf(text), FixedClock()));
  unlink(page.c_str());
  std::vector<TOrphanJournal> orphans = FindOrphanedJournals(journals);
  ASSERT_EQ(orphans.size(), 2u);
  for (const TOrphanJournal& orphan : orphans) {
    const bool untitled = orphan.Info().document.path.empty();
    EXPECT_EQ(orphan.Info().documentChanged, !untitled);
    EXPECT_EQ(orphan.Info().document.encoding, untitled ? "" : "windows-1251");
  }
}

TEST(Journal, TheDefaultFolderFollowsTheStateHome) {
  const std::string savedState = getenv("XDG_STATE_HOME") ? getenv("XDG_STATE_HOME") : "";
  const std::string savedHome = getenv("HOME") ? getenv("HOME") : "";
  setenv("HOME", "/home/ann", 1);
  setenv("XDG_STATE_HOME", "/var/state", 1);
  EXPECT_EQ(DefaultJournalFolder(), "/var/state/quorvel");
  setenv("XDG_STATE_HOME", "relative/state", 1);
  EXPECT_EQ(DefaultJournalFolder(), "/home/ann/.local/state/quorvel");
  unsetenv("XDG_STATE_HOME");
  EXPECT_EQ(DefaultJournalFolder(), "/home/ann/.local/state/quorvel");
  setenv("HOME", savedHome.c_str(), 1);
  if (!savedState.empty()) setenv("XDG_STATE_HOME", savedState.c_str(), 1);
}
