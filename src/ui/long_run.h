// Long disk phases in the window: run on a worker thread while the window
// waits in a local event loop under a modal progress dialog with Cancel.
#pragma once

#include "pipeline/run_context.h"

class QWidget;

namespace vantor {

// Phases over at most this many entries run inline: they end before anyone
// could see a dialog.
inline constexpr int kLongRunEntries = 300;

// A runner for RunContext::runDiskPhase and the list commands. A phase over
// more than kLongRunEntries entries runs on a worker thread; the caller waits
// (repainting, taking no user input) until it ends, and a progress dialog
// ("进度对话框", child of window) shows after half a second. Its Cancel asks
// the phase to stop after the current entry. Nothing of Qt is touched from
// the worker: progress is polled from the phase's LongWork on this thread.
// Example: RunContext{..., DiskPhaseOnWorker(this)}.
DiskPhaseRunner DiskPhaseOnWorker(QWidget* window);

}  // namespace vantor
