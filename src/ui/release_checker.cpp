// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/release_checker.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#include <QTimer>

namespace vantor {

// What the worker and the checker share. The worker may outlive the checker
// (a request that does not notice the cancel at once); it then finds no
// receiver and ends on its own.
struct ReleaseChecker::Shared {
  std::atomic<bool> cancelled{false};
  std::mutex mutex;
  std::condition_variable ended;
  ReleaseChecker* receiver = nullptr;  // guarded by mutex
  bool finished = false;               // guarded by mutex
};

ReleaseChecker::ReleaseChecker(QObject* parent) : QObject(parent), shared_(std::make_shared<Shared>()) {
  shared_->receiver = this;
}

ReleaseChecker::~ReleaseChecker() {
  std::unique_lock<std::mutex> lock(shared_->mutex);
  shared_->receiver = nullptr;
  shared_->cancelled = true;
  // A cancelled request ends within a poll of curl; don't hold the window
  // longer than that if it does not.
  shared_->ended.wait_for(lock, std::chrono::seconds(2), [this] { return shared_->finished; });
}

void ReleaseChecker::StartOnFirstTick(QTimer* timer) {
  connect(timer, &QTimer::timeout, this, [this, timer] {
    timer->stop();
    Start(ReleasePageAddress());
  });
}

void ReleaseChecker::Start(const ByteText& url) {
  if (started_) return;
  started_ = true;
  const auto check = [shared = shared_, url] {
    const ReleaseCheck check = CheckRelease(url, &shared->cancelled);
    std::lock_guard<std::mutex> lock(shared->mutex);
    if (ReleaseChecker* receiver = shared->receiver) {
      // Queued: runs on the receiver's thread, and is dropped if the receiver
      // is destroyed before it runs.
      QMetaObject::invokeMethod(receiver, [receiver, check] { emit receiver->Finished(check); },
                                Qt::QueuedConnection);
    }
    shared->finished = true;
    shared->ended.notify_all();
  };
  try {
    std::thread(check).detach();
  } catch (const std::system_error&) {
    // No thread for the check: it cannot tell, and says so once the window runs.
    {
      std::lock_guard<std::mutex> lock(shared_->mutex);
      shared_->finished = true;
    }
    QMetaObject::invokeMethod(this, [this] { emit Finished(ReleaseCheck{}); }, Qt::QueuedConnection);
  }
}

}  // namespace vantor
