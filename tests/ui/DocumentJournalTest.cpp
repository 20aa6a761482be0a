// The document's recovery journal through the real main window: every kind of edit in it
// before the next key, the commands that end it, a failure told once, another live
// program's journal never offered, and the start-up offer's choices.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <deque>

#include "MainWindowFixture.h"
#include "ModalScript.h"
#include "TestFiles.h"
#include "app/DocumentJournal.h"
#include "app/MainJournal.h"
#include "app/RecoveryOffer.h"
#include "app/Urecover.h"
#include "journal/DocumentStamp.h"
#include "journal/Journal.h"
#include "journal/JournalReplay.h"
#include "journal/Orphans.h"
#include "widgets/XPButtons.h"

namespace {

using Lines = std::vector<std::string>;

journal::TLineAt LinesOf(const Lines& lines) {
  return [&lines](std::size_t i) { return std::string_view(lines[i]); };
}

// Answers each offer with the next button named (then "Позже") and notes what it showed.
class OfferScript {
 public:
  explicit OfferScript(std::deque<QString> buttons) : buttons_(std::move(buttons)) {
    poll_.setInterval(5);
    QObject::connect(&poll_, &QTimer::timeout, [this] {
      auto* dialog = qobject_cast<TFrecover*>(QApplication::activeModalWidget());
      if (dialog == nullptr || dialog->property("answered").toBool()) return;
      dialog->setProperty("answered", true);
      Shown.push_back(dialog->LName->accessibleName() + "\n" + dialog->LNote->text());
      RestoreEnabled.push_back(dialog->Brestore->isEnabled());
      const QString button = buttons_.empty() ? QStringLiteral("Blater") : buttons_.front();
      if (!buttons_.empty()) buttons_.pop_front();
      dialog->findChild<TXPButton*>(button)->click();
    });
    poll_.start();
  }

  QStringList Shown;
  std::vector<bool> RestoreEnabled;

 private:
  std::deque<QString> buttons_;
  QTimer poll_;
};

class DocumentJournalTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    folder_ = QDir(dir_.path()).filePath("quorvel").toStdString();
  }
  void TearDown() override {
    journal_.reset();
    MainWindowFixture::TearDown();
  }

  void Attach() { journal_ = AttachDocumentJournal(Main(), folder_); }
  void Show() {
    Main().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
    Main().Memo1->setFocus();
  }
  bool Offer() { return OfferRecovery(Main(), *journal_, folder_); }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(Main().Memo1, key, modifiers);
  }

  Lines JournalNames() const {
    Lines names;
    for (const QString& name : QDir(QString::fromStdString(folder_)).entryList({"*.journal"}, QDir::Files)) {
      names.push_back(name.toStdString());
    }
    return names;
  }
  journal::TRecoveredText Journal(const std::string& name) const {
    return journal::RecoverText(FileBytes(QString::fromStdString(folder_ + "/" + name)).toStdString());
  }
  std::string OnlyJournalName() const {
    const Lines names = JournalNames();
    if (names.size() != 1) ADD_FAILURE() << names.size() << " journals";
    return names.empty() ? std::string() : names[0];
  }
  // The text of the only journal in the folder.
  journal::TRecoveredText OnlyJournal() const { return Journal(OnlyJournalName()); }
  // What a program killed after changing `before` into `after` leaves, last changed at `time`.
  std::string LeaveJournal(const journal::TDocumentStamp& stamp, const Lines& before, const Lines& after,
                           std::int64_t time) {
    journal::TJournal left(folder_, stamp, before.size(), LinesOf(before), [&time] { return time++; });
    if (after != before) left.Replace(0, before.size(), after.size(), LinesOf(after));
    EXPECT_FALSE(left.Failed());
    return left.FileName();
  }
  QString PathIn(const char* name) const { return QDir(dir_.path()).filePath(QString::fromUtf8(name)); }

  QTemporaryDir dir_;
  std::string folder_;
  std::unique_ptr<TDocumentJournal> journal_;
};

}  // namespace

TEST_F(DocumentJournalTest, EveryKindOfEditIsInTheJournalBeforeTheNextKey) {
  Attach();
  Show();
  ServeEvents(10);
  const auto journalled = [&](const char* after) {
    EXPECT_EQ(OnlyJournal().lines, EditorLines()) << "after " << after;
  };
  QTest::keyClicks(Main().Memo1, "ab");
  Key(Qt::Key_Return);
  QKeyEvent zhe(QEvent::KeyPress, 0x0416, Qt::NoModifier, QString::fromUtf8("ж"));
  QApplication::sendEvent(Main().Memo1, &zhe);
  journalled("typing");
  QApplication::clipboard()->setText("x\ny\nz");
  Key(Qt::Key_V, Qt::ControlModifier);
  journalled("a paste");
  Key(Qt::Key_Z, Qt::ControlModifier);
  journalled("undo");
  Main().SendAsTyping("<b></b>");
  journalled("a palette insertion");
  Key(Qt::Key_Up);
  Key(Qt::Key_Y, Qt::ControlModifier);
  journalled("deleting a line");
  EXPECT_EQ(EditorLines().size(), 1u);
}

TEST_F(DocumentJournalTest, AChangeBeforeTheJournalBeganBeginsItHoldingThatChange) {
  Attach();
  Main().Memo1->Editor().Lines().Add("typed at once");
  // Killed before the next key: the journal must not look like one that holds nothing.
  journal_.reset();
  std::vector<journal::TOrphanJournal> orphans = journal::FindOrphanedJournals(folder_);
  ASSERT_EQ(orphans.size(), 1u);
  EXPECT_GT(orphans[0].Info().lastChange, orphans[0].Info().began);
  EXPECT_EQ(orphans[0].Recover().lines, Lines{"typed at once"});
}

TEST_F(DocumentJournalTest, SaveNewOpenAndExitEndTheJournalButACancelledOpenKeepsIt) {
  Attach();
  Show();
  ServeEvents(10);
  const QString page = PathIn("page.html");
  const auto heldNoChange = [&](const Lines& text) {
    ServeEvents(10);
    const journal::TRecoveredText now = OnlyJournal();
    EXPECT_EQ(now.lastChange, now.header.began);
    EXPECT_EQ(now.lines, text);
  };

  TypeInEditor('a');
  const Lines typed = JournalNames();
  dialogs_.SaveAnswers.push_back(page);
  Main().N_saveClick();
  EXPECT_EQ(FileBytes(page), "a\r\n");
  EXPECT_NE(JournalNames(), typed);
  heldNoChange({"a"});
  EXPECT_EQ(OnlyJournal().header.document.path, page.toStdString());

  TypeInEditor('b');
  const Lines modified = JournalNames();
  dialogs_.YesNoAnswers.push_back(true);
  Main().N_openClick();  // the open dialog is cancelled: the text stays, and so does its journal
  ServeEvents(10);
  EXPECT_EQ(JournalNames(), modified);
  EXPECT_EQ(OnlyJournal().lines, EditorLines());

  dialogs_.YesNoAnswers.push_back(true);
  dialogs_.OpenAnswers.push_back(page);
  Main().N_openClick();
  heldNoChange({"a"});

  TypeInEditor('c');
  dialogs_.YesNoAnswers.push_back(true);
  Main().N_newClick();
  heldNoChange({"<html>", "<title> </title>", "<body>", "  ", "</body>", "</html>"});

  TypeInEditor('d');
  dialogs_.YesNoAnswers.push_back(true);
  Main().N_exitClick();
  ServeEvents(10);
  EXPECT_TRUE(JournalNames().empty());
}

TEST_F(DocumentJournalTest, AJournalGrownPastTwiceTheTextIsRewrittenOnceTheTypingPauses) {
  editor::TLineModel model;
  model.ReplaceAll({"first", "last"});
  TDocumentJournal::TSettings settings{folder_, [] { return journal::TDocumentStamp{}; }, {}, 500, 20};
  TDocumentJournal kept(model, settings);
  ServeEvents(10);
  const std::vector<std::string> block(100, std::string(100, 'x'));
  for (int i = 0; i < 20; ++i) {
    model.Insert(1, block);
    model.Replace(0, "first " + std::to_string(i));
    model.Remove(1, 100);
  }
  const QString name = QString::fromStdString(folder_ + "/" + OnlyJournalName());
  EXPECT_GT(QFileInfo(name).size(), 64 * 1024);
  EXPECT_TRUE(QTest::qWaitFor([&] { return QFileInfo(name).size() < 16 * 1024; }, 5000));
  Lines text;
  for (int i = 0; i < model.Count(); ++i) text.push_back(model.Get(i));
  EXPECT_EQ(OnlyJournal().lines, text);
  EXPECT_EQ(text, (Lines{"first 19", "last"}));
}

TEST_F(DocumentJournalTest, AJournalThatCannotBeWrittenIsToldOnceAndSaveStillWorks) {
  // A file where the folder should be: the folder is refused.
  WriteFile(QString::fromStdString(folder_), "not a folder");
  Attach();
  Show();
  ServeEvents(10);
  TypeInEditor('a');
  ServeEvents(10);
  ASSERT_EQ(dialogs_.Kinds(), QStringList{"warning"});
  EXPECT_TRUE(dialogs_.Log[0].Text.startsWith("Журнал восстановления не удаётся записать"));
  EXPECT_TRUE(dialogs_.Log[0].Text.contains(QString::fromStdString(folder_)));

  const QString page = PathIn("page.html");
  dialogs_.SaveAnswers.push_back(page);
  Main().N_saveClick();
  ServeEvents(10);
  TypeInEditor('b');
  ServeEvents(10);
  EXPECT_EQ(FileBytes(page), "a\r\n");
  EXPECT_EQ(EditorLines(), Lines{"ab"});
  EXPECT_EQ(dialogs_.Kinds(), (QStringList{"warning", "save"}));
}

TEST_F(DocumentJournalTest, AnotherLiveProgramsJournalIsNeverOffered) {
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t other = fork();
  ASSERT_GE(other, 0);
  if (other == 0) {
    // The other program: its journal is live until it is killed.
    const Lines none, theirs{"their text"};
    std::int64_t time = 1'700'000'000'000;
    journal::TJournal live(folder_, {}, 0, LinesOf(none), [&time] { return time++; });
    live.Replace(0, 0, 1, LinesOf(theirs));
    (void)!write(ready[1], "r", 1);
    for (;;) pause();
  }
  close(ready[1]);
  char byte = 0;
  ASSERT_EQ(read(ready[0], &byte, 1), 1);
  close(ready[0]);
  Attach();
  {
    OfferScript script({"Brestore"});
    EXPECT_FALSE(Offer());
    EXPECT_TRUE(script.Shown.isEmpty());
  }
  kill(other, SIGKILL);
  waitpid(other, nullptr, 0);
  OfferScript script({"Brestore"});
  EXPECT_TRUE(Offer());
  EXPECT_EQ(script.Shown.size(), 1);
  EXPECT_EQ(EditorLines(), Lines{"their text"});
}

TEST_F(DocumentJournalTest, RestoreShowsAModifiedDocumentWritesNoFileAndIsOfferedAgainIfKilled) {
  const QString page = PathIn("page.html");
  WriteFile(page, "old\r\n");
  const std::optional<journal::TDocumentStamp> stamp = journal::StampFile(page.toStdString(), "windows-1251");
  ASSERT_TRUE(stamp);
  const std::string orphan = LeaveJournal(*stamp, {"old"}, {"new", "text"}, 1'700'000'000'000);
  Attach();
  OfferScript script({"Brestore"});
  EXPECT_TRUE(Offer());
  EXPECT_EQ(script.Shown, QStringList{"Документ: " + page + "\n"});
  EXPECT_EQ(EditorLines(), (Lines{"new", "text"}));
  EXPECT_EQ(Panel(1), page);
  EXPECT_EQ(Panel(2), "*");
  EXPECT_EQ(FileBytes(page), "old\r\n");

  // The recovered text's own journal takes the original's place, stamped as it was.
  ServeEvents(10);
  const Lines names = JournalNames();
  ASSERT_EQ(names.size(), 1u);
  EXPECT_NE(names[0], orphan);
  EXPECT_EQ(Journal(names[0]).header.document.checksum, stamp->checksum);

  journal_.reset();  // killed again before any change
  std::vector<journal::TOrphanJournal> again = journal::FindOrphanedJournals(folder_);
  ASSERT_EQ(again.size(), 1u);
  EXPECT_GT(again[0].Info().lastChange, again[0].Info().began);
  EXPECT_EQ(again[0].Recover().lines, (Lines{"new", "text"}));
  EXPECT_FALSE(again[0].Info().documentChanged);
}

TEST_F(DocumentJournalTest, TheOfferGoesNewestFirstAndEachChoiceDoesWhatItSays) {
  const journal::TDocumentStamp untitled;
  const std::int64_t t = 1'700'000'000'000;
  const std::string oldest = LeaveJournal(untitled, {}, {"oldest"}, t);
  const std::string restored = LeaveJournal(untitled, {}, {"restored"}, t + 1000);
  const std::string deleted = LeaveJournal(untitled, {}, {"deleted"}, t + 2000);
  const std::string later = LeaveJournal(untitled, {}, {"later"}, t + 3000);
  LeaveJournal(untitled, {"nothing changed"}, {"nothing changed"}, t + 4000);
  Attach();
  OfferScript script({"Blater", "Bdelete", "Brestore"});
  EXPECT_TRUE(Offer());
  // The journal that held no change went unasked; after a restore the rest wait.
  EXPECT_EQ(script.Shown.size(), 3);
  EXPECT_TRUE(script.Shown[0].startsWith("Документ: Новый"));
  EXPECT_EQ(EditorLines(), Lines{"restored"});
  EXPECT_EQ(Panel(1), "Новый");
  EXPECT_EQ(Panel(2), "*");
  ServeEvents(10);
  const Lines names = JournalNames();
  const auto kept = [&](const std::string& name) { return std::find(names.begin(), names.end(), name) != names.end(); };
  EXPECT_TRUE(kept(oldest));
  EXPECT_TRUE(kept(later));
  EXPECT_FALSE(kept(deleted));
  EXPECT_FALSE(kept(restored));
  EXPECT_EQ(names.size(), 3u);  // with the restored text's own
}

TEST_F(DocumentJournalTest, TheOfferSaysWhenTheFileChangedAndWhenNothingCanBeRecovered) {
  const QString page = PathIn("page.html");
  WriteFile(page, "old\r\n");
  const std::optional<journal::TDocumentStamp> stamp = journal::StampFile(page.toStdString(), "windows-1251");
  ASSERT_TRUE(stamp);
  LeaveJournal(*stamp, {"old"}, {"mine"}, 1'700'000'000'000);
  WriteFile(page, "changed by someone else\r\n");
  const QString garbage = QString::fromStdString(folder_) + "/0123456789abcdef.journal";
  WriteFile(garbage, QByteArray(300, '\x5a'));
  Attach();
  OfferScript script({"Blater", "Blater"});
  EXPECT_FALSE(Offer());
  ASSERT_EQ(script.Shown.size(), 2);
  EXPECT_TRUE(script.Shown[0].contains("Файл на диске изменился"));
  EXPECT_TRUE(script.RestoreEnabled[0]);
  EXPECT_TRUE(script.Shown[1].contains("восстановить из него нечего"));
  EXPECT_FALSE(script.RestoreEnabled[1]);
  EXPECT_EQ(FileBytes(garbage), QByteArray(300, '\x5a'));
  EXPECT_EQ(JournalNames().size(), 3u);
}

TEST_F(DocumentJournalTest, ARestoredPageIsSavedInTheEncodingItWasReadIn) {
  const QString page = PathIn("utf8.html");
  WriteFile(page, "old\r\n");
  const std::optional<journal::TDocumentStamp> stamp = journal::StampFile(page.toStdString(), "UTF-8");
  ASSERT_TRUE(stamp);
  // "Привет" in the editor's Windows-1251 codes.
  LeaveJournal(*stamp, {"old"}, {"\xCF\xF0\xE8\xE2\xE5\xF2"}, 1'700'000'000'000);
  Attach();
  OfferScript script({"Brestore"});
  ASSERT_TRUE(Offer());
  EXPECT_EQ(Main().Status1->Encoding(), platform::TEncoding::Utf8);
  Main().N_save->trigger();
  EXPECT_EQ(FileBytes(page), QByteArray("Привет\r\n"));
}
