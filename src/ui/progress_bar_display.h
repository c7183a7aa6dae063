// SPDX-License-Identifier: GPL-3.0-or-later
// Shows a direct run's progress in the main window's bar 进度条1: visible from
// the first entry to the end of the run, hidden otherwise.
#pragma once

#include "pipeline/run_context.h"

class QProgressBar;

namespace vantor {

class ProgressBarDisplay : public RunProgress {
 public:
  explicit ProgressBarDisplay(QProgressBar* bar) : bar_(bar) {}
  void Started(int total) override;
  void Advanced(int done) override;
  void Finished() override;

 private:
  QProgressBar* bar_;
};

}  // namespace vantor
