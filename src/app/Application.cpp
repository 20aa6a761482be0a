// The application object and its error box.
#include "app/Application.h"

#include <exception>

#include "platform/Errors.h"
#include "widgets/Dialogs.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QString::fromUtf8(kApplicationTitle));
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  return RunReportingErrors([&] { return QApplication::notify(receiver, event); });
}

namespace {

void ShowErrorBox(const std::string& message) {
  Dialogs().ShowError(QApplication::activeWindow(), QString::fromUtf8(kApplicationTitle),
                      QString::fromUtf8(platform::MessageForDisplay(message)));
}

}  // namespace

bool RunReportingErrors(const std::function<bool()>& deliver) {
  try {
    return deliver();
  } catch (const platform::Exception& error) {
    ShowErrorBox(error.Message());
  } catch (const std::exception& error) {
    ShowErrorBox(error.what());
  }
  return false;
}
