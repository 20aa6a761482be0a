// TWebEngineBrowser: the program's embedded browser, a Chromium-based web view behind
// the preview window's small browser interface.
#pragma once

#include <QString>
#include <QUrl>

#include "preview/WebBrowser.h"

class QWebEngineProfile;
class QWebEngineView;

// A web view with a private, in-memory profile of its own: history, cookies and cache
// die with the browser, so nothing passes from one preview to the next or to a later run.
// Failed loads show the engine's own error page; nothing here ever waits for a load.
class TWebEngineBrowser : public TWebBrowser {
  Q_OBJECT

 public:
  explicit TWebEngineBrowser(QWidget* parent = nullptr);
  ~TWebEngineBrowser() override;

  void Navigate(const QString& address) override;
  void GoBack() override;
  void GoForward() override;
  QString LocationURL() const override;
  void SetDefaultTextEncoding(const QString& charset) override;

  // The view itself, for the browser tests that click into a page.
  QWebEngineView* View() const { return view_; }

 private:
  QWebEngineView* view_;
  QWebEngineProfile* profile_;
};

// The URL an address typed by the user stands for: an existing file (absolute, or
// relative to workingDirectory) becomes its file URL, built from the real bytes of its
// name when they are not UTF-8 (the document's own file can be named so); anything else
// is read the way an address bar reads it ("127.0.0.1:8080/x" is HTTP, "/tmp/none.html"
// a local file). An empty address gives an empty URL.
QUrl AddressToUrl(const QString& address, const QString& workingDirectory);
