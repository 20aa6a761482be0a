// TApplication: the program's application object with its one error handler.
#pragma once

#include <QApplication>
#include <functional>

// The application title: the error box's caption.
inline constexpr const char* kApplicationTitle = "Quorvel 2.0";

// Every event goes through notify(); an error that escapes a command is shown in the
// error box (the message with "." appended, error icon, OK) and the program goes on
// with whatever state the command had reached.
class TApplication : public QApplication {
  Q_OBJECT

 public:
  TApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

// Runs deliver(); when a platform error or a standard exception escapes, shows the error
// box over the active window and returns false.
bool RunReportingErrors(const std::function<bool()>& deliver);
