// TImageDrawThread: the worker that paces the scrolling credits. It sleeps Delay
// milliseconds, hands a tick to the user-interface thread and waits until it has run.
#pragma once

#include <QObject>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

class TImageDrawThread : public QObject {
 public:
  // The thread starts suspended: no tick comes until Resume.
  explicit TImageDrawThread(std::uint32_t delay, QObject* parent = nullptr);
  // Ends the thread and waits for it. A tick it is waiting on is dropped, not run, so
  // the user-interface thread never waits on a worker that waits on it.
  ~TImageDrawThread() override;

  // The tick handler; runs on the user-interface thread. Empty: ticks move nothing.
  // Set and read on the user-interface thread only.
  std::function<void()> OnTick;

  std::uint32_t Delay() const { return delay_.load(); }
  void SetDelay(std::uint32_t milliseconds) { delay_.store(milliseconds); }

  // On and off, not counted: after Resume ticks come, however often Suspend ran before.
  // Suspending while a tick waits lets that tick run and stops after it.
  void Resume();
  void Suspend();
  bool Suspended() const;

  void Terminate();
  bool Terminated() const;

 protected:
  void customEvent(QEvent* event) override;

 private:
  void Execute();
  // Waits until the thread is resumed or terminated; true when it may go on.
  bool WaitRunnable(std::unique_lock<std::mutex>& lock);
  void TickServed();

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  bool suspended_ = true;
  bool terminated_ = false;
  bool tickPending_ = false;
  std::atomic<std::uint32_t> delay_;
  std::thread worker_;
};
