// The program's main block: the application, the main window, the hidden attribute
// palette, then the message loop.
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/DocumentJournal.h"
#include "app/MainJournal.h"
#include "app/MainTip.h"
#include "app/RecoveryOffer.h"
#include "app/Umain.h"
#include "app/Uprop.h"
#include "journal/JournalFolder.h"

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
  // --help and --version are answered before the application exists: they must work
  // where there is no display.
  switch (InformationAsked(std::vector<std::string>(argv + 1, argv + argc))) {
    case TCommandLine::TAction::Help: std::fputs(UsageText().c_str(), stdout); return 0;
    case TCommandLine::TAction::Version: std::fputs(VersionText().c_str(), stdout); return 0;
    default: break;
  }
  // The preview's browser refuses to start as root with its sandbox on; this affects
  // this process and its children only.
  if (geteuid() == 0) setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
  // Qt takes its own options (-platform, -style, -reverse, ...) out of the arguments
  // before "--" and sees nothing after it: those are file names, even when one looks
  // like an option of Qt's.
  char** const endOfOptions =
      std::find_if(argv + 1, argv + argc, [](const char* arg) { return std::strcmp(arg, "--") == 0; });
  std::vector<char*> qtArgv(argv, endOfOptions);
  int qtArgc = static_cast<int>(qtArgv.size());
  qtArgv.push_back(nullptr);
  TApplication app(qtArgc, qtArgv.data());
  std::vector<std::string> ownArgs(qtArgv.begin() + 1, qtArgv.begin() + qtArgc);
  ownArgs.insert(ownArgs.end(), endOfOptions, argv + argc);
  const TCommandLine commandLine = ParseCommandLine(ownArgs);
  if (commandLine.Action == TCommandLine::TAction::Error) {
    std::fprintf(stderr, "quorvel: %s\nСправка: quorvel --help\n", commandLine.Error.c_str());
    return 2;
  }
  RegisterFontSubstitutes();
  TFmain mainWindow;
  // The palette exists, hidden, before the main window is first shown: showing the
  // main window shows it.
  new TFprop(&mainWindow);
  // The tip of the day is set up with the window and looks for a start-up showing when
  // the window is first activated.
  MainTip(mainWindow);
  // Declared after the window, so it goes first; a clean exit has removed its journal.
  const std::string journalFolder = journal::DefaultJournalFolder();
  const std::unique_ptr<TDocumentJournal> documentJournal = AttachDocumentJournal(mainWindow, journalFolder);
  mainWindow.showMaximized();
  // Once the window is up, so a failure shows its error box over it: first the offer of
  // what a program that died left, then the file named on the command line, unless a
  // restored document took the window (opening the file would at once ask to give the
  // restored text up).
  const QString path = commandLine.FileName.empty()
                           ? QString()
                           : QFileInfo(QFile::decodeName(commandLine.FileName.c_str())).absoluteFilePath();
  QTimer::singleShot(0, &mainWindow, [&] {
    if (OfferRecovery(mainWindow, *documentJournal, journalFolder) || path.isEmpty()) return;
    mainWindow.OpenDocument(path);
  });
  return app.exec();
}
