// SPDX-License-Identifier: GPL-3.0-or-later
// Long phases in the window (disk runs, folder reads, the computing of new
// names): run on a worker thread while the window waits in a local event loop
// under a modal progress dialog.
#pragma once

#include "entries/intake.h"
#include "pipeline/run_context.h"

class QWidget;

namespace vantor {

// Phases over at most this many entries run inline: they end before anyone
// could see a dialog.
inline constexpr int kLongRunEntries = 300;

// A runner for RunContext::runDiskPhase and the list commands. A phase over
// more than kLongRunEntries entries, or of unknown size, runs on the runner's
// worker thread (kept from one phase to the next); the caller waits
// (repainting, taking no user input) until it ends, and a progress dialog
// ("进度对话框", child of window) shows after half a second. Its Cancel,
// offered for work that can stop, asks the phase to stop after the current
// entry. Nothing of Qt is touched from the worker: progress is polled from
// the phase's LongWork on this thread, and the end comes through a pipe.
// Example: RunContext{..., DiskPhaseOnWorker(this)}.
DiskPhaseRunner DiskPhaseOnWorker(QWidget* window);

// The folder reads of the loads through runner: work of unknown size that
// cannot stop, so it goes to the worker whenever runner has one.
// Example: ReadChosenFolder(list, prompter, settings, folder, FolderReadsThrough(runner)).
FolderReadRunner FolderReadsThrough(DiskPhaseRunner runner);

}  // namespace vantor
