// The Chromium-based browser of the preview window.
#include "preview/WebEngineBrowser.h"

#include <unistd.h>

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "widgets/LocalPath.h"

namespace {

// What the error of a step without history says; the preview window ignores it anyway.
constexpr char NoHistoryMessage[] = "Unspecified error";

}  // namespace

TWebEngineBrowser::TWebEngineBrowser(QWidget* parent) : TWebBrowser(parent) {
  // The view is made before the profile so that it, and the page it parents, are gone
  // before the profile is released (see the destructor).
  view_ = new QWebEngineView(this);
  profile_ = new QWebEngineProfile(this);  // no storage name: off the record
  view_->setPage(new QWebEnginePage(profile_, view_));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);
  setFocusProxy(view_);

  // Every navigation moves the address, and may switch back and forward on or off.
  connect(view_, &QWebEngineView::urlChanged, this, &TWebBrowser::CommandStateChange);
  connect(view_, &QWebEngineView::loadFinished, this, &TWebBrowser::CommandStateChange);
  for (auto action : {QWebEnginePage::Back, QWebEnginePage::Forward}) {
    connect(view_->pageAction(action), &QAction::changed, this, &TWebBrowser::CommandStateChange);
  }
}

TWebEngineBrowser::~TWebEngineBrowser() {
  // A profile released while one of its pages still lives leaves the engine in trouble.
  delete view_;
}

void TWebEngineBrowser::Navigate(const QString& address) {
  view_->load(AddressToUrl(address, QDir::currentPath()));
}

void TWebEngineBrowser::GoBack() {
  if (!view_->history()->canGoBack()) throw EBrowserError(NoHistoryMessage);
  view_->back();
}

void TWebEngineBrowser::GoForward() {
  if (!view_->history()->canGoForward()) throw EBrowserError(NoHistoryMessage);
  view_->forward();
}

QString TWebEngineBrowser::LocationURL() const { return view_->url().toString(); }

void TWebEngineBrowser::SetDefaultTextEncoding(const QString& charset) {
  profile_->settings()->setDefaultTextEncoding(charset);
}

QUrl AddressToUrl(const QString& address, const QString& workingDirectory) {
  if (address.isEmpty()) return {};
  const QFileInfo file(QDir(workingDirectory), address);
  if (file.exists()) return QUrl::fromLocalFile(file.absoluteFilePath());
  // A name in bytes that are not UTF-8 (Windows-1251, from an older system) reads with
  // U+FFFD and misses the file: the browser gets the name's real bytes, percent-encoded.
  const QByteArray real = QByteArray::fromStdString(LocalPath(file.absoluteFilePath()));
  if (access(real.constData(), F_OK) == 0) return QUrl::fromEncoded("file://" + real.toPercentEncoding("/"));
  return QUrl::fromUserInput(address, workingDirectory);
}
