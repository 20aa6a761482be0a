// TWebBrowser: the few operations the preview window asks of an embedded web browser,
// and the factory that makes the browser of the program (or a test's stand-in).
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

#include "platform/Errors.h"

// Raised by GoBack and GoForward when the history has no page in that direction.
class EBrowserError : public platform::Exception {
 public:
  using platform::Exception::Exception;
};

// An embedded browser shown as a widget. Navigate returns at once and the page loads on
// its own; an address that cannot be loaded is shown as the browser's own error page.
// CommandStateChange is raised whenever the availability of back or forward may have
// changed, which happens around every navigation; it carries nothing, listeners read
// LocationURL.
class TWebBrowser : public QWidget {
  Q_OBJECT

 public:
  using QWidget::QWidget;

  // Starts loading an address: a URL, or a local file path.
  virtual void Navigate(const QString& address) = 0;
  // One step back or forward in the history; EBrowserError when there is none.
  virtual void GoBack() = 0;
  virtual void GoForward() = 0;
  // The address of the page now shown.
  virtual QString LocationURL() const = 0;
  // The charset ("windows-1251", "UTF-8", …) the pages loaded from now on are read in
  // when they declare none.
  virtual void SetDefaultTextEncoding(const QString& charset) = 0;

 signals:
  void CommandStateChange();
};

// Makes a browser as a child of the given window (owned by it through Qt's parenting).
using TBrowserFactory = std::function<TWebBrowser*(QWidget* parent)>;

// The factory previews use: the real browser unless a test installed its own.
const TBrowserFactory& BrowserFactory();
// Installs another factory; an empty one restores the real browser.
void SetBrowserFactory(TBrowserFactory factory);
