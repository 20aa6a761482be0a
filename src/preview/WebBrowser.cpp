// The factory of the preview's browser.
#include "preview/WebBrowser.h"

#include "preview/WebEngineBrowser.h"

namespace {

TBrowserFactory& InstalledFactory() {
  static TBrowserFactory factory;
  return factory;
}

}  // namespace

const TBrowserFactory& BrowserFactory() {
  static const TBrowserFactory realBrowser = [](QWidget* parent) -> TWebBrowser* {
    return new TWebEngineBrowser(parent);
  };
  const TBrowserFactory& installed = InstalledFactory();
  return installed ? installed : realBrowser;
}

void SetBrowserFactory(TBrowserFactory factory) { InstalledFactory() = std::move(factory); }
