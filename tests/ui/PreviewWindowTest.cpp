// The preview window and the Preview command, with a stand-in browser that keeps a
// history of its own and reports every address it was sent to.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QWindow>
#include <deque>
#include <optional>

#include "AccessibleTree.h"
#include "app/DocumentStatus.h"
#include "app/Umain.h"
#include "preview/PreviewCommands.h"
#include "preview/Uview.h"
#include "preview/WebBrowser.h"
#include "preview/WebEngineBrowser.h"
#include "widgets/Dialogs.h"
#include "widgets/XPButtons.h"

namespace {

// What the stand-in browsers of one test were asked to do.
struct BrowserRecord {
  QStringList navigated;
  int made = 0;
};

// A browser without a page: Navigate and Visit move through a history, and the page
// shown reads as "shown:" and its address, so a test can tell the browser's location
// from what was typed.
class FakeBrowser : public TWebBrowser {
 public:
  FakeBrowser(QWidget* parent, BrowserRecord& record) : TWebBrowser(parent), record_(record) {
    ++record_.made;
    setFocusPolicy(Qt::StrongFocus);
  }

  void Navigate(const QString& address) override {
    record_.navigated << address;
    Visit(address);
  }
  // The page moves on by itself, as when the user follows a link.
  void Visit(const QString& address) {
    history_.resize(current_ + 1);
    history_ << address;
    ++current_;
    emit CommandStateChange();
  }
  void GoBack() override {
    if (current_ <= 0) throw EBrowserError("no page before");
    --current_;
    emit CommandStateChange();
  }
  void GoForward() override {
    if (current_ + 1 >= history_.size()) throw EBrowserError("no page after");
    ++current_;
    emit CommandStateChange();
  }
  QString LocationURL() const override {
    return current_ < 0 ? QString() : QStringLiteral("shown:") + history_[current_];
  }
  void SetDefaultTextEncoding(const QString&) override {}

 private:
  BrowserRecord& record_;
  QStringList history_;
  qsizetype current_ = -1;
};

TBrowserFactory FakeFactory(BrowserRecord& record) {
  return [&record](QWidget* parent) { return new FakeBrowser(parent, record); };
}

// Installs the stand-in browser for the Preview command for one test.
class FakeBrowserInstalled {
 public:
  explicit FakeBrowserInstalled(BrowserRecord& record) { SetBrowserFactory(FakeFactory(record)); }
  ~FakeBrowserInstalled() { SetBrowserFactory({}); }
};

// File dialogs answered from a script; every other question is a test fault.
class ScriptedDialogs : public TPlatformDialogs {
 public:
  std::deque<std::optional<QString>> saveAnswers;
  int saveAsked = 0;

  std::optional<QString> OpenFile(QWidget*, const TFileDialogOptions&) override { return Unexpected(); }
  std::optional<QString> SaveFile(QWidget*, const TFileDialogOptions&) override {
    ++saveAsked;
    if (saveAnswers.empty()) return Unexpected();
    std::optional<QString> answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
  }
  bool AskYesNo(QWidget*, const QString&, const QString&) override { return Unexpected().has_value(); }
  void ShowError(QWidget*, const QString&, const QString& text) override {
    ADD_FAILURE() << "unexpected error box: " << text.toStdString();
  }
  void Inform(QWidget*, const QString&, const QString& text) override {
    ADD_FAILURE() << "unexpected warning: " << text.toStdString();
  }
  std::optional<QColor> ChooseColor(QWidget*) override { return std::nullopt; }

 private:
  static std::optional<QString> Unexpected() {
    ADD_FAILURE() << "unexpected dialog";
    return std::nullopt;
  }
};

class DialogsInstalled {
 public:
  explicit DialogsInstalled(TPlatformDialogs& dialogs) { SetDialogs(&dialogs); }
  ~DialogsInstalled() { SetDialogs(nullptr); }
};

void FlushDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// A preview window on the stand-in browser, shown with an address; freed by the test
// unless it freed itself.
class PreviewWindowTest : public ::testing::Test {
 protected:
  void Open(const QString& address) {
    view = new TFview(FakeFactory(record));
    view->setWindowState(Qt::WindowNoState);
    view->resize(900, 500);
    view->Epath->setText(address);
    view->show();
    QCoreApplication::processEvents();
  }
  FakeBrowser& Browser() { return static_cast<FakeBrowser&>(*view->Browser1); }
  void TearDown() override {
    delete view.data();
    FlushDeferredDeletes();
  }

  BrowserRecord record;
  QPointer<TFview> view;
};

TEST_F(PreviewWindowTest, ShowingGoesToTheAddressAtOnceAndThenShowsThePageAddress) {
  Open(QStringLiteral("/tmp/page.html"));
  EXPECT_EQ(record.navigated, QStringList{QStringLiteral("/tmp/page.html")});
  EXPECT_EQ(view->Epath->text(), QStringLiteral("shown:/tmp/page.html"));
  EXPECT_EQ(Fview, view.data());
  EXPECT_EQ(view->windowTitle(), QStringLiteral("Просмотр"));
}

TEST_F(PreviewWindowTest, EnterInTheAddressGoesThereAndLeavesNoCharacter) {
  Open(QStringLiteral("/tmp/page.html"));
  view->Epath->clear();
  QTest::keyClicks(view->Epath, QStringLiteral("127.0.0.1:8080/a"));
  QTest::keyClick(view->Epath, Qt::Key_Return);
  ASSERT_EQ(record.navigated.size(), 2);
  EXPECT_EQ(record.navigated.last(), QStringLiteral("127.0.0.1:8080/a"));
  EXPECT_EQ(view->Epath->text(), QStringLiteral("shown:127.0.0.1:8080/a"));

  // The keypad's Enter does the same; the window stays open.
  view->Epath->setText(QStringLiteral("b"));
  QTest::keyClick(view->Epath, Qt::Key_Enter);
  EXPECT_EQ(record.navigated.last(), QStringLiteral("b"));
  EXPECT_TRUE(view->isVisible());
}

TEST_F(PreviewWindowTest, EscClosesOnReleaseWhereverTheFocusIsAndFreesTheWindow) {
  Open(QStringLiteral("a"));
  QTest::keyPress(view->Epath, Qt::Key_Escape);
  EXPECT_TRUE(view->isVisible()) << "a pressed Esc alone must not close";
  QTest::keyRelease(view->Epath, Qt::Key_Escape);
  EXPECT_FALSE(view->isVisible());
  FlushDeferredDeletes();
  EXPECT_TRUE(view.isNull());
  EXPECT_EQ(Fview, nullptr);

  // The page has the focus: the window still sees the key first.
  Open(QStringLiteral("a"));
  QTest::keyClick(view->Browser1, Qt::Key_Escape);
  FlushDeferredDeletes();
  EXPECT_TRUE(view.isNull());
}

TEST_F(PreviewWindowTest, BackAndForwardWithoutHistoryChangeNothing) {
  Open(QStringLiteral("a"));
  EXPECT_NO_THROW(QTest::mouseClick(view->Bprior, Qt::LeftButton));
  EXPECT_NO_THROW(QTest::mouseClick(view->Bnext, Qt::LeftButton));
  EXPECT_EQ(view->Epath->text(), QStringLiteral("shown:a"));
  EXPECT_TRUE(view->isVisible());
}

TEST_F(PreviewWindowTest, AddressFollowsLinksBackAndForward) {
  Open(QStringLiteral("a"));
  Browser().Visit(QStringLiteral("b"));
  EXPECT_EQ(view->Epath->text(), QStringLiteral("shown:b"));
  QTest::mouseClick(view->Bprior, Qt::LeftButton);
  EXPECT_EQ(view->Epath->text(), QStringLiteral("shown:a"));
  QTest::mouseClick(view->Bprior, Qt::LeftButton);
  EXPECT_EQ(view->Epath->text(), QStringLiteral("shown:a"));
  QTest::mouseClick(view->Bnext, Qt::LeftButton);
  EXPECT_EQ(view->Epath->text(), QStringLiteral("shown:b"));
  QTest::mouseClick(view->Bnext, Qt::LeftButton);
  EXPECT_EQ(view->Epath->text(), QStringLiteral("shown:b"));
  // Only the window's own goings were Navigate calls.
  EXPECT_EQ(record.navigated, QStringList{QStringLiteral("a")});
}

TEST_F(PreviewWindowTest, ExitButtonKeepsTenPixelsFromTheRightEdge) {
  Open(QStringLiteral("a"));
  for (int width : {1200, 700, 900}) {
    view->resize(width, 500);
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(view->P1->width(), width);
    EXPECT_EQ(view->Bexit->x() + view->Bexit->width(), width - 10) << "window width " << width;
    EXPECT_EQ(view->Bexit->y(), 5);
  }
  // The browser takes the whole window below the 40-pixel bar.
  EXPECT_EQ(view->Browser1->geometry(), QRect(0, 40, 900, 460));
}

TEST_F(PreviewWindowTest, ExitButtonClosesAndTheGoHintIsNotShown) {
  Open(QStringLiteral("a"));
  EXPECT_EQ(view->Bgoto->Hint(), QStringLiteral("Переход"));
  QHelpEvent hint(QEvent::ToolTip, QPoint(5, 5), view->Bgoto->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(view->Bgoto, &hint);
  EXPECT_FALSE(QToolTip::isVisible());
  QTest::mouseClick(view->Bexit, Qt::LeftButton);
  FlushDeferredDeletes();
  EXPECT_TRUE(view.isNull());
}

TEST_F(PreviewWindowTest, EveryControlHasAName) {
  Open(QStringLiteral("a"));
  EXPECT_EQ(UnnamedControls(view), "");
}

TEST_F(PreviewWindowTest, FillsTheScreensAvailableAreaEvenWhereTheMaximisedStateIsIgnored) {
  view = new TFview(FakeFactory(record));
  EXPECT_TRUE(view->windowState() & Qt::WindowMaximized);
  EXPECT_EQ(view->geometry(), view->screen()->availableGeometry());
}

// The real browser makes Qt create the window anew as it is shown; the window manager must
// still be told that the new one is maximised.
class RecreatedPreview : public TFview {
 public:
  using TFview::TFview;
  void Recreate() {
    destroy();
    create();
  }
};

TEST(PreviewWindowSurface, AWindowMadeAnewKeepsTheMaximisedState) {
  BrowserRecord record;
  RecreatedPreview view(FakeFactory(record));
  view.winId();
  view.Recreate();
  ASSERT_NE(view.windowHandle(), nullptr);
  EXPECT_TRUE(view.windowHandle()->windowStates() & Qt::WindowMaximized);
}

TEST(PreviewAddress, ExistingFilesBecomeFileUrlsAndTheRestIsReadAsAnAddress) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QFile page(dir.filePath(QStringLiteral("page one.html")));
  ASSERT_TRUE(page.open(QIODevice::WriteOnly));
  page.close();

  const QUrl relative = AddressToUrl(QStringLiteral("page one.html"), dir.path());
  EXPECT_EQ(relative, QUrl::fromLocalFile(QFileInfo(page).absoluteFilePath()));
  EXPECT_EQ(AddressToUrl(page.fileName(), QStringLiteral("/")), relative);
  EXPECT_EQ(AddressToUrl(QStringLiteral("/no/such/page.html"), dir.path()),
            QUrl::fromLocalFile(QStringLiteral("/no/such/page.html")));
  EXPECT_EQ(AddressToUrl(QStringLiteral("http://127.0.0.1/"), dir.path()), QUrl(QStringLiteral("http://127.0.0.1/")));
  EXPECT_EQ(AddressToUrl(QStringLiteral("127.0.0.1:8080/x"), dir.path()),
            QUrl(QStringLiteral("http://127.0.0.1:8080/x")));
  EXPECT_TRUE(AddressToUrl(QString(), dir.path()).isEmpty());
}

// The Preview command on the real main window, with scripted file dialogs.
class PreviewCommandTest : public ::testing::Test {
 protected:
  PreviewCommandTest() : browserInstalled(record), dialogsInstalled(dialogs) {}
  TStatusPanels& Panels() { return *main.Status1; }
  // Runs Preview and returns the first address its window went to, or nothing when no
  // window came up. The window is closed as soon as it has been looked at.
  std::optional<QString> Preview() {
    std::optional<QString> firstAddress;
    const qsizetype earlier = record.navigated.size();
    QObject scope;  // cancels the timer when no window ever ran an event loop
    QTimer::singleShot(0, &scope, [&] {
      if (!Fview) return;
      EXPECT_TRUE(Fview->windowState() & Qt::WindowMaximized);
      if (record.navigated.size() > earlier) firstAddress = record.navigated[earlier];
      Fview->close();
    });
    RunPreviewCommand(main);
    FlushDeferredDeletes();
    EXPECT_EQ(Fview, nullptr) << "the window must be freed on close";
    return firstAddress;
  }

  BrowserRecord record;
  ScriptedDialogs dialogs;
  FakeBrowserInstalled browserInstalled;
  DialogsInstalled dialogsInstalled;
  TFmain main;
  QTemporaryDir dir;
};

TEST_F(PreviewCommandTest, ModifiedUntitledDocumentIsSavedAsThenItsFileIsPreviewed) {
  const QString path = dir.filePath(QStringLiteral("page.html"));
  dialogs.saveAnswers.push_back(path);
  Panels().SetText(2, QStringLiteral("*"));
  EXPECT_EQ(Preview(), path);
  EXPECT_EQ(dialogs.saveAsked, 1);
  EXPECT_TRUE(QFile::exists(path));
  EXPECT_EQ(Panels().Text(1), path);
  EXPECT_EQ(Panels().Text(2), QString());
}

TEST_F(PreviewCommandTest, CancelledSaveAsShowsNoPreview) {
  dialogs.saveAnswers.push_back(std::nullopt);
  Panels().SetText(2, QStringLiteral("*"));
  EXPECT_EQ(Preview(), std::nullopt);
  EXPECT_EQ(record.made, 0);
  EXPECT_EQ(Panels().Text(2), QStringLiteral("*"));
}

TEST_F(PreviewCommandTest, UnmodifiedUntitledDocumentIsNotSavedAndItsNameIsTheAddress) {
  EXPECT_EQ(Preview(), QStringLiteral("Новый"));
  EXPECT_EQ(dialogs.saveAsked, 0);
}

TEST_F(PreviewCommandTest, TestUrlWinsOverTheFileWhichIsStillSavedFirst) {
  const QString path = dir.filePath(QStringLiteral("site.html"));
  Panels().SetText(1, path);
  Panels().SetText(2, QStringLiteral("*"));
  Panels().SetText(4, QStringLiteral("http://127.0.0.1:8080/site.html"));
  EXPECT_EQ(Preview(), QStringLiteral("http://127.0.0.1:8080/site.html"));
  EXPECT_EQ(dialogs.saveAsked, 0) << "a named document is saved without asking";
  EXPECT_TRUE(QFile::exists(path));
  EXPECT_EQ(Panels().Text(2), QString());
}

TEST_F(PreviewCommandTest, EveryPreviewStartsAFreshWindowAndBrowser) {
  Panels().SetText(1, QStringLiteral("/tmp/a.html"));
  EXPECT_EQ(Preview(), QStringLiteral("/tmp/a.html"));
  Panels().SetText(4, QStringLiteral("http://127.0.0.1/"));
  EXPECT_EQ(Preview(), QStringLiteral("http://127.0.0.1/"));
  EXPECT_EQ(record.made, 2);
}

}  // namespace
