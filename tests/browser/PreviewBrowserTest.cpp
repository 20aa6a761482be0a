// The preview on the real embedded browser: local pages and their links, back and
// forward, a page served over HTTP through the test address, an address that cannot be
// loaded, and a file named in Windows-1251 bytes. Every wait is bounded.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <cstdio>
#include <functional>

#include "app/DocumentStatus.h"
#include "app/Umain.h"
#include "preview/PreviewCommands.h"
#include "preview/Uview.h"
#include "preview/WebEngineBrowser.h"
#include "widgets/XPButtons.h"

namespace {

// The engine reads these when it starts, so they are set before main makes the
// application: no sandbox as root (as the program does), and no GPU under Xvfb.
const bool engineEnvironmentSet = [] {
  if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  if (!qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS")) {
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
  }
  return true;
}();

constexpr int LoadTimeoutMs = 30000;

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = LoadTimeoutMs) {
  QElapsedTimer clock;
  clock.start();
  while (!condition()) {
    if (clock.elapsed() > timeoutMs) return false;
    QTest::qWait(20);
  }
  return true;
}

QWebEngineView& ViewOf(TFview& window) {
  return *static_cast<TWebEngineBrowser&>(*window.Browser1).View();
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Runs the Preview command of `main` and hands its window to `act` once it is shown;
// the window is closed afterwards whatever `act` did, and after a minute at the latest.
void PreviewWith(TFmain& main, const std::function<void(TFview&)>& act) {
  QObject scope;
  QTimer::singleShot(0, &scope, [&] {
    ASSERT_NE(Fview, nullptr);
    QPointer<TFview> window = Fview;
    act(*window);
    if (window) window->close();
  });
  QTimer::singleShot(60000, &scope, [] {
    if (QWidget* open = QApplication::activeModalWidget()) {
      ADD_FAILURE() << "preview left open";
      open->close();
    }
  });
  RunPreviewCommand(main);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(Fview, nullptr);
}

// A one-page web server on the loopback address: every GET gets the same page, of the
// content type given, and the paths asked for are kept.
class TinyHttpServer {
 public:
  explicit TinyHttpServer(QByteArray page, QByteArray contentType = "text/html; charset=utf-8")
      : page_(std::move(page)), contentType_(std::move(contentType)) {
    QObject::connect(&server_, &QTcpServer::newConnection, [this] { Accept(); });
  }
  bool Listen() { return server_.listen(QHostAddress::LocalHost, 0); }
  quint16 Port() const { return server_.serverPort(); }
  QStringList requested;

 private:
  void Accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
      QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { Answer(*socket); });
      QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
  }
  void Answer(QTcpSocket& socket) {
    QByteArray& request = pending_[&socket];
    request += socket.readAll();
    if (!request.contains("\r\n\r\n")) return;
    requested << QString::fromLatin1(request.split(' ').value(1));
    pending_.remove(&socket);
    socket.write("HTTP/1.1 200 OK\r\nContent-Type: " + contentType_ + "\r\nContent-Length: " +
                 QByteArray::number(page_.size()) + "\r\nConnection: close\r\n\r\n" + page_);
    socket.disconnectFromHost();
  }

  QTcpServer server_;
  QByteArray page_;
  QByteArray contentType_;
  QHash<QTcpSocket*, QByteArray> pending_;
};

TEST(PreviewBrowser, LinkIsFollowedAndBackAndForwardMoveTheAddress) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString first = dir.filePath(QStringLiteral("first.html"));
  const QString second = dir.filePath(QStringLiteral("second.html"));
  // The link covers the top left of the page, where the test clicks.
  ASSERT_TRUE(WriteFile(first,
                        "<html><head><title>First</title></head><body style=\"margin:0\">"
                        "<a href=\"second.html\" style=\"display:block;width:300px;height:200px\">next</a>"
                        "</body></html>\r\n"));
  ASSERT_TRUE(WriteFile(second, "<html><head><title>Second</title></head><body>two</body></html>\r\n"));
  const QString firstUrl = QUrl::fromLocalFile(first).toString();
  const QString secondUrl = QUrl::fromLocalFile(second).toString();

  TFmain main;
  main.Status1->SetText(1, first);
  PreviewWith(main, [&](TFview& window) {
    QWebEngineView& view = ViewOf(window);
    ASSERT_TRUE(WaitUntil([&] { return window.Epath->text() == firstUrl && !view.title().isEmpty(); }))
        << window.Epath->text().toStdString();
    // Nothing to go back to yet: the button does nothing.
    QTest::mouseClick(window.Bprior, Qt::LeftButton);
    QTest::qWait(200);
    EXPECT_EQ(window.Epath->text(), firstUrl);

    // A real click: the engine lets back skip pages that were left without a user's gesture.
    QWidget* page = view.focusProxy() ? view.focusProxy() : &view;
    QTest::mouseClick(page, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    ASSERT_TRUE(WaitUntil([&] { return window.Epath->text() == secondUrl && view.title() == "Second"; }))
        << window.Epath->text().toStdString();

    QTest::mouseClick(window.Bprior, Qt::LeftButton);
    EXPECT_TRUE(WaitUntil([&] { return window.Epath->text() == firstUrl; }))
        << window.Epath->text().toStdString();
    QTest::mouseClick(window.Bnext, Qt::LeftButton);
    EXPECT_TRUE(WaitUntil([&] { return window.Epath->text() == secondUrl; }))
        << window.Epath->text().toStdString();
    // At the end of the history forward does nothing.
    QTest::mouseClick(window.Bnext, Qt::LeftButton);
    QTest::qWait(200);
    EXPECT_EQ(window.Epath->text(), secondUrl);
  });
}

TEST(PreviewBrowser, TestUrlIsLoadedFromALocalServerInsteadOfTheFile) {
  TinyHttpServer server("<html><head><title>Served</title></head><body>from the server</body></html>");
  ASSERT_TRUE(server.Listen());
  const QString address = QStringLiteral("http://127.0.0.1:%1/site/").arg(server.Port());

  TFmain main;
  main.Status1->SetText(1, QStringLiteral("/no/such/file.html"));
  main.Status1->SetText(4, address);
  PreviewWith(main, [&](TFview& window) {
    QWebEngineView& view = ViewOf(window);
    EXPECT_TRUE(WaitUntil([&] { return view.title() == "Served"; })) << view.title().toStdString();
    EXPECT_TRUE(server.requested.contains(QStringLiteral("/site/")));
    EXPECT_EQ(window.Epath->text(), address);
  });
}

TEST(PreviewBrowser, AnAddressThatCannotBeLoadedEndsInTheBrowsersErrorPage) {
  // A port that was just free: the connection is refused at once.
  QTcpServer probe;
  ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
  const QString address = QStringLiteral("http://127.0.0.1:%1/").arg(probe.serverPort());
  probe.close();

  TFmain main;
  main.Status1->SetText(4, address);
  PreviewWith(main, [&](TFview& window) {
    // Going there once more, with the end of the load watched from the start.
    QSignalSpy finished(&ViewOf(window), &QWebEngineView::loadFinished);
    QTest::mouseClick(window.Bgoto, Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return finished.size() >= 1 && window.Epath->text() == address; }));
    for (const QList<QVariant>& arguments : finished) EXPECT_FALSE(arguments.first().toBool());
    // The window still answers: Esc closes it.
    QTest::keyClick(window.Epath, Qt::Key_Escape);
  });
}

TEST(PreviewBrowser, AFileNamedInWindows1251BytesIsShown) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  // "Привет.html" written by an older system: not UTF-8, so Qt shows its name with U+FFFD.
  const QByteArray raw = QFile::encodeName(dir.path()) + "/\xcf\xf0\xe8\xe2\xe5\xf2.html";
  std::FILE* file = std::fopen(raw.constData(), "wb");
  ASSERT_NE(file, nullptr);
  std::fputs("<html><head><title>Found</title></head><body>here</body></html>\r\n", file);
  std::fclose(file);

  TFmain main;
  main.Status1->SetText(1, QFile::decodeName(raw));
  PreviewWith(main, [&](TFview& window) {
    QWebEngineView& view = ViewOf(window);
    EXPECT_TRUE(WaitUntil([&] { return view.title() == "Found"; })) << view.url().toString().toStdString();
  });
}

TEST(PreviewBrowser, APageServedWithoutACharsetIsReadInTheDocumentsEncoding) {
  // A UTF-8 page that declares nothing, from a server that names no charset either: the
  // engine guesses no UTF-8 for a page from the web, so only the document can tell it.
  const QByteArray page =
      "<html><head><title>\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82</title></head></html>\r\n";
  TinyHttpServer server(page, "text/html");
  ASSERT_TRUE(server.Listen());
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("page.html"));
  ASSERT_TRUE(WriteFile(path, page));

  TFmain main;
  main.OpenDocument(path);
  main.Status1->SetText(4, QStringLiteral("http://127.0.0.1:%1/page.html").arg(server.Port()));
  PreviewWith(main, [&](TFview& window) {
    QWebEngineView& view = ViewOf(window);
    EXPECT_TRUE(WaitUntil([&] { return view.title() == QStringLiteral("Привет"); })) << view.title().toStdString();
  });
}

TEST(PreviewBrowser, StepsWithoutHistoryAreErrorsOfTheBrowser) {
  TWebEngineBrowser browser;
  EXPECT_THROW(browser.GoBack(), EBrowserError);
  EXPECT_THROW(browser.GoForward(), EBrowserError);
  EXPECT_EQ(browser.LocationURL(), QString());
}

}  // namespace
