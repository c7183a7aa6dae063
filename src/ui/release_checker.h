// SPDX-License-Identifier: GPL-3.0-or-later
// Runs one release check on a worker thread and hands its result back on the
// thread the checker lives on, by a queued call. The worker touches no widget
// and no QObject: it reaches the checker only through a shared guard that the
// checker clears when it goes, so a window that has closed gets nothing.
#pragma once

#include <QObject>
#include <memory>

#include "online/release_check.h"

class QTimer;

namespace vantor {

class ReleaseChecker : public QObject {
  Q_OBJECT

 public:
  explicit ReleaseChecker(QObject* parent = nullptr);
  // Cancels a check that still waits and gives its worker a moment to end.
  ~ReleaseChecker() override;

  // Starts checking the page at url; a checker checks at most once.
  void Start(const ByteText& url);
  bool Started() const { return started_; }

  // Checks the release page (ReleasePageAddress) at the first tick of timer,
  // which is stopped first, so that the check starts once however the timer
  // was set.
  void StartOnFirstTick(QTimer* timer);

 signals:
  void Finished(const vantor::ReleaseCheck& check);

 private:
  struct Shared;
  std::shared_ptr<Shared> shared_;
  bool started_ = false;
};

}  // namespace vantor
