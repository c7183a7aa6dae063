// What every run of an operation works with: the list, the user, the intake
// settings of the moment, and an optional progress display.
#pragma once

#include <functional>

#include "entries/entry_list.h"
#include "entries/intake.h"
#include "platform/prompter.h"

namespace vantor {

// Told about the entries a direct run works through; the window shows it as a
// progress bar. Preview runs do not report progress.
class RunProgress {
 public:
  virtual ~RunProgress() = default;
  virtual void Started(int total) = 0;
  virtual void Advanced(int done) = 0;
  virtual void Finished() = 0;
};

// Told the outcome of a run that renamed on disk (a direct run, a commit, an
// undo, a hand edit, a rename by list): how many names changed and how many
// renames failed. The window shows it in its status line.
// Example: renamedOnDisk(3, 1) after 4 attempts.
using RenamedOnDisk = std::function<void(int renamed, int failed)>;

class LongWork;
// Runs the disk phase of a run, or another long part that touches neither the
// list nor the window (see pipeline/long_work.h); empty: inline.
using DiskPhaseRunner = std::function<void(LongWork& work, const std::function<void()>& phase)>;

struct RunContext {
  EntryList& list;
  Prompter& prompter;
  IntakeSettings intake;
  RunProgress* progress = nullptr;
  RenamedOnDisk renamedOnDisk = nullptr;  // optional
  DiskPhaseRunner runDiskPhase = nullptr;  // optional
  ByteText caption{};  // what the history calls a batch of this run: the operation's caption

  bool FolderMode() const { return intake.mode == ProcessingMode::kFolders; }
};

}  // namespace vantor
