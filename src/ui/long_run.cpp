// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/long_run.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QSocketNotifier>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "pipeline/long_work.h"

namespace vantor {

namespace {

constexpr int kShowAfterMs = 500;
constexpr int kPollMs = 40;  // well under the 100 ms a repaint may wait

// A pipe through which the worker tells that the phase has ended: writing to
// it touches nothing of Qt, and a notifier on its other end wakes the waiting
// event loop at once. Without it (no pipe to be had) the poll notices the end.
class EndSignal {
 public:
  EndSignal() {
    if (::pipe2(fds_, O_CLOEXEC) != 0) fds_[0] = fds_[1] = -1;
  }
  ~EndSignal() {
    notifier_.reset();
    for (const int fd : fds_) {
      if (fd >= 0) ::close(fd);
    }
  }
  EndSignal(const EndSignal&) = delete;
  EndSignal& operator=(const EndSignal&) = delete;

  // On the waiting thread, before the worker starts.
  void OnEnd(QEventLoop& loop) {
    if (fds_[0] < 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(fds_[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, &loop, [this, &loop] {
      notifier_->setEnabled(false);  // the byte stays unread
      loop.quit();
    });
  }
  // On the worker, as its last step.
  void Tell() const {
    if (fds_[1] < 0) return;
    const char byte = 0;
    [[maybe_unused]] const ssize_t written = ::write(fds_[1], &byte, 1);
  }

 private:
  int fds_[2] = {-1, -1};
  std::unique_ptr<QSocketNotifier> notifier_;
};

// The thread that runs the phases of one runner, kept between them: a fresh
// thread would start every phase with memory of its own still to be mapped
// and per-thread converters still to be opened, which costs a read of
// 100,000 names about a fifth of its time. Started with the first phase.
class Worker {
 public:
  Worker() = default;
  Worker(const Worker&) = delete;
  Worker& operator=(const Worker&) = delete;
  ~Worker() {
    if (!thread_.joinable()) return;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      quit_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }

  // Starts job on the thread; false while it still runs another one, or when
  // its thread cannot be started.
  bool Start(std::function<void()> job) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (job_ || running_) return false;
    if (!thread_.joinable()) {
      try {
        thread_ = std::thread([this] { Serve(); });
      } catch (const std::system_error&) {
        return false;  // no thread to be had now; the caller finds another way
      }
    }
    job_ = std::move(job);
    changed_.notify_all();
    return true;
  }

  // Waits until the jobs started have returned.
  void Join() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !job_ && !running_; });
  }

 private:
  void Serve() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      changed_.wait(lock, [this] { return quit_ || job_; });
      if (quit_) return;
      std::function<void()> job = std::move(job_);
      job_ = nullptr;
      running_ = true;
      lock.unlock();
      job();
      job = nullptr;  // what it holds goes before Join() returns
      lock.lock();
      running_ = false;
      changed_.notify_all();
    }
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::function<void()> job_;
  bool running_ = false;
  bool quit_ = false;
  std::thread thread_;
};

void RunOnWorker(QWidget* window, Worker& worker, LongWork& work, const std::function<void()>& phase) {
  // Work of unknown size may be long; what is known to be short runs here.
  const bool counted = work.Total() != LongWork::kUnknownTotal;
  if (counted && work.Total() <= kLongRunEntries) {
    phase();
    return;
  }
  work.ReportFromRunner();
  // Without a total the bar only shows that something is going on; without a
  // way to stop there is no Cancel.
  QProgressDialog dialog(QStringLiteral("正在处理……"), work.Stoppable() ? QStringLiteral("取消") : QString(), 0,
                         counted ? work.Total() : 0, window);
  dialog.setObjectName(QStringLiteral("进度对话框"));
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setAutoReset(false);
  dialog.setAutoClose(false);
  dialog.setMinimumDuration(kShowAfterMs);
  QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&work] { work.RequestStop(); });

  // While the dialog is up (it is modal) only it takes input; before it shows
  // and after Cancel hid it, input waits until the phase has ended.
  QEventLoop loop;
  EndSignal end;
  end.OnEnd(loop);
  std::atomic<bool> finished{false};
  const std::function<void()> job = [&phase, &finished, &end] {
    phase();
    finished.store(true, std::memory_order_release);
    end.Tell();
  };
  // A phase that starts while another waits (from an event handled meanwhile)
  // gets a thread of its own.
  std::thread ownThread;
  if (!worker.Start(job)) {
    try {
      ownThread = std::thread(job);
    } catch (const std::system_error&) {
      // No thread at all: the phase runs here, the window waits for it.
      job();
    }
  }

  bool inputOpen = false;
  QTimer poll;
  poll.setInterval(kPollMs);
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (!finished.load(std::memory_order_acquire)) {
      work.ShowProgress();
      // Work that learned its size meanwhile gets a bar that fills.
      if (const int total = work.Total(); total > 0 && dialog.maximum() != total) dialog.setMaximum(total);
      if (!work.StopRequested()) dialog.setValue(work.Done());
    }
    if (finished.load(std::memory_order_acquire) || dialog.isVisible() != inputOpen) loop.quit();
  });
  poll.start();
  while (!finished.load(std::memory_order_acquire)) {
    inputOpen = dialog.isVisible();
    loop.exec(inputOpen ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
  }
  poll.stop();
  if (ownThread.joinable()) {
    ownThread.join();
  } else {
    worker.Join();
  }
  work.ShowProgress();
  dialog.hide();
}

}  // namespace

DiskPhaseRunner DiskPhaseOnWorker(QWidget* window) {
  return [window, worker = std::make_shared<Worker>()](LongWork& work, const std::function<void()>& phase) {
    RunOnWorker(window, *worker, work, phase);
  };
}

FolderReadRunner FolderReadsThrough(DiskPhaseRunner runner) {
  return [runner = std::move(runner)](const std::function<void()>& read) {
    LongWork work(LongWork::kUnknownTotal, nullptr, /*stoppable=*/false);
    RunDiskPhase(runner, work, read);
  };
}

}  // namespace vantor
