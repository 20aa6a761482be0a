// The worker thread of the scrolling credits.
#include "widgets/ImageDrawThread.h"

#include <QCoreApplication>
#include <QEvent>
#include <chrono>

namespace {

const QEvent::Type TickEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

}  // namespace

TImageDrawThread::TImageDrawThread(std::uint32_t delay, QObject* parent)
    : QObject(parent), delay_(delay), worker_([this] { Execute(); }) {}

TImageDrawThread::~TImageDrawThread() {
  OnTick = nullptr;
  Terminate();
  worker_.join();
  // A tick still queued for this object goes with it.
}

void TImageDrawThread::Resume() {
  {
    std::lock_guard lock(mutex_);
    suspended_ = false;
  }
  wake_.notify_all();
}

void TImageDrawThread::Suspend() {
  std::lock_guard lock(mutex_);
  suspended_ = true;
}

bool TImageDrawThread::Suspended() const {
  std::lock_guard lock(mutex_);
  return suspended_;
}

void TImageDrawThread::Terminate() {
  {
    std::lock_guard lock(mutex_);
    terminated_ = true;
  }
  wake_.notify_all();
}

bool TImageDrawThread::Terminated() const {
  std::lock_guard lock(mutex_);
  return terminated_;
}

bool TImageDrawThread::WaitRunnable(std::unique_lock<std::mutex>& lock) {
  wake_.wait(lock, [this] { return terminated_ || !suspended_; });
  return !terminated_;
}

void TImageDrawThread::Execute() {
  // Any error ends the thread quietly; the text then stands still.
  try {
    std::unique_lock lock(mutex_);
    while (WaitRunnable(lock)) {
      // Termination cuts the sleep short, so closing the window does not wait for it.
      const auto delay = std::chrono::milliseconds(delay_.load());
      if (wake_.wait_for(lock, delay, [this] { return terminated_; })) return;
      // Suspended during the sleep: the tick comes after the next Resume.
      if (!WaitRunnable(lock)) return;
      tickPending_ = true;
      lock.unlock();
      QCoreApplication::postEvent(this, new QEvent(TickEvent));
      lock.lock();
      wake_.wait(lock, [this] { return terminated_ || !tickPending_; });
    }
  } catch (...) {
  }
}

void TImageDrawThread::TickServed() {
  {
    std::lock_guard lock(mutex_);
    tickPending_ = false;
  }
  wake_.notify_all();
}

void TImageDrawThread::customEvent(QEvent* event) {
  if (event->type() != TickEvent) {
    QObject::customEvent(event);
    return;
  }
  // The worker waits for this tick whatever the handler does, an error included.
  struct Release {
    TImageDrawThread* thread;
    ~Release() { thread->TickServed(); }
  } release{this};
  if (!Terminated() && OnTick) OnTick();
}
