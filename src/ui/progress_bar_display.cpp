// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/progress_bar_display.h"

#include <QProgressBar>

#include <algorithm>

namespace vantor {

void ProgressBarDisplay::Started(int total) {
  bar_->setRange(0, std::max(total, 1));
  bar_->setValue(0);
  bar_->show();
  bar_->repaint();
}

void ProgressBarDisplay::Advanced(int done) {
  bar_->setValue(done);
  bar_->repaint();
}

void ProgressBarDisplay::Finished() { bar_->hide(); }

}  // namespace vantor
