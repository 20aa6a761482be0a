// The credits' worker thread: it starts suspended, ticks on the user-interface thread
// once resumed, stops when suspended, and ends without a deadlock, also while a tick it
// handed over is still waiting.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <chrono>
#include <memory>
#include <thread>

#include "ModalScript.h"
#include "widgets/ImageDrawThread.h"

namespace {

struct Counter {
  int ticks = 0;
  bool onUiThread = true;
  void Attach(TImageDrawThread& thread) {
    thread.OnTick = [this] {
      ++ticks;
      onUiThread = onUiThread && QThread::currentThread() == QCoreApplication::instance()->thread();
    };
  }
};

}  // namespace

TEST(ImageDrawThread, TicksOnlyWhileResumedAndOnTheUiThread) {
  Counter counter;
  TImageDrawThread thread(5);
  counter.Attach(thread);
  ServeEvents(60);
  EXPECT_EQ(counter.ticks, 0) << "created suspended";

  thread.Resume();
  thread.Resume();  // not counted: one Suspend below stops it
  ServeEvents(150);
  EXPECT_GT(counter.ticks, 3);
  EXPECT_TRUE(counter.onUiThread);

  thread.Suspend();
  ServeEvents(30);  // at most one tick was already waiting
  const int stopped = counter.ticks;
  ServeEvents(100);
  EXPECT_EQ(counter.ticks, stopped);
}

TEST(ImageDrawThread, EndsPromptlyWhileATickWaitsAndNeverRunsIt) {
  Counter counter;
  auto thread = std::make_unique<TImageDrawThread>(1);
  counter.Attach(*thread);
  thread->Resume();
  // Serve nothing: the worker has handed over a tick and waits for it.
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  QElapsedTimer clock;
  clock.start();
  thread.reset();
  EXPECT_LT(clock.elapsed(), 1000);
  ServeEvents(30);
  EXPECT_EQ(counter.ticks, 0);
}

TEST(ImageDrawThread, EndsPromptlyWhenSuspendedOrAsleep) {
  // Never resumed.
  { TImageDrawThread suspended(50); }
  // Asleep in a long delay: termination cuts the sleep short.
  QElapsedTimer clock;
  clock.start();
  {
    TImageDrawThread sleeping(60000);
    sleeping.Resume();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_LT(clock.elapsed(), 1000);
}
