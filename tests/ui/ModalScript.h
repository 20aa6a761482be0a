// Acting on a modal window from inside its exec(): the script runs once the window is
// up, and a guard closes whatever is still open so a failing test cannot hang.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <functional>
#include <thread>

// While it lives, runs script(modal) once a modal window is active.
class ModalScript {
 public:
  explicit ModalScript(std::function<void(QWidget*)> script) : script_(std::move(script)) {
    poll_.setInterval(5);
    QObject::connect(&poll_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr) return;
      poll_.stop();
      script_(modal);
    });
    poll_.start();
    guard_.setSingleShot(true);
    QObject::connect(&guard_, &QTimer::timeout, [] {
      while (QWidget* open = QApplication::activeModalWidget()) open->close();
    });
    guard_.start(5000);
  }

 private:
  std::function<void(QWidget*)> script_;
  QTimer poll_;
  QTimer guard_;
};

// Serves events for the given time.
inline void ServeEvents(int milliseconds) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < milliseconds) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

inline void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
