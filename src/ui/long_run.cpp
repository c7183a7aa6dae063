#include "ui/long_run.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <thread>

#include "pipeline/long_work.h"

namespace vantor {

namespace {

constexpr int kShowAfterMs = 500;
constexpr int kPollMs = 5;       // how soon the end of the phase is noticed
constexpr int kProgressMs = 40;  // how often the dialog follows; well under the 100 ms a repaint may wait

void RunOnWorker(QWidget* window, LongWork& work, const std::function<void()>& phase) {
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

  std::atomic<bool> finished{false};
  std::thread worker([&phase, &finished] {
    phase();
    finished.store(true, std::memory_order_release);
  });

  // While the dialog is up (it is modal) only it takes input; before it shows
  // and after Cancel hid it, input waits until the phase has ended.
  QEventLoop loop;
  bool inputOpen = false;
  QElapsedTimer sinceProgress;
  sinceProgress.start();
  QTimer poll;
  poll.setInterval(kPollMs);
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (!finished.load(std::memory_order_acquire) && sinceProgress.elapsed() >= kProgressMs) {
      sinceProgress.restart();
      work.ShowProgress();
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
  worker.join();
  work.ShowProgress();
  dialog.hide();
}

}  // namespace

DiskPhaseRunner DiskPhaseOnWorker(QWidget* window) {
  return [window](LongWork& work, const std::function<void()>& phase) { RunOnWorker(window, work, phase); };
}

FolderReadRunner FolderReadsThrough(DiskPhaseRunner runner) {
  return [runner = std::move(runner)](const std::function<void()>& read) {
    LongWork work(LongWork::kUnknownTotal, nullptr, /*stoppable=*/false);
    RunDiskPhase(runner, work, read);
  };
}

}  // namespace vantor
