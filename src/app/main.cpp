// The program's main block: the application, the main window, the hidden attribute
// palette, then the message loop.
#include <QFont>
#include <cstdlib>
#include <unistd.h>

#include "app/Application.h"
#include "app/MainTip.h"
#include "app/Umain.h"
#include "app/Uprop.h"

namespace {

// The program names the fonts of the platform it was written for; these faces stand in
// for them with the same metrics where a metric twin exists.
void RegisterFontSubstitutes() {
  QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
  QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
  QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                             {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}

}  // namespace

int main(int argc, char* argv[]) {
  // The preview's browser refuses to start as root with its sandbox on; this affects
  // this process and its children only.
  if (geteuid() == 0) setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
  TApplication app(argc, argv);
  RegisterFontSubstitutes();
  TFmain mainWindow;
  // The palette exists, hidden, before the main window is first shown: showing the
  // main window shows it.
  new TFprop(&mainWindow);
  // The tip of the day is set up with the window and looks for a start-up showing when
  // the window is first activated.
  MainTip(mainWindow);
  mainWindow.showMaximized();
  return app.exec();
}
