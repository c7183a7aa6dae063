// SPDX-License-Identifier: GPL-3.0-or-later
// What every run of an operation works with: the list, the user, the intake
// settings of the moment, and an optional progress display.
#pragma once

#include <any>
#include <functional>
#include <memory>
#include <vector>

#include "entries/entry_list.h"
#include "entries/intake.h"
#include "pipeline/rename_batch.h"
#include "platform/file_fields.h"
#include "pipeline/row_subset.h"
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

// A run that is one step of a preview made of several: it reads the names the
// steps before it made instead of column 0, and hands its pending names back
// here instead of writing column 1 (the steps decide what the column shows).
struct PreviewStepIo {
  // One name per row, as the earlier steps left it; null: column 0.
  const std::vector<ByteText>* input = nullptr;
  // What the operation keeps between runs of the same step (the dates of
  // photos it has read); the operation decides what it holds.
  std::shared_ptr<std::any> state;
  // Filled by the run once its checks have passed.
  bool produced = false;
  std::vector<PlannedRename> changes;
  std::vector<int> unchangedRows;  // rows the operation shows although unchanged
  ByteText note;  // what the run tells about its result (GBK), shown in the status line
};

struct RunContext {
  EntryList& list;
  Prompter& prompter;
  IntakeSettings intake;
  RunProgress* progress = nullptr;
  RenamedOnDisk renamedOnDisk = nullptr;  // optional
  DiskPhaseRunner runDiskPhase = nullptr;  // optional
  ByteText caption{};  // what the history calls a batch of this run: the operation's caption
  PreviewStepIo* step = nullptr;            // optional: the run is one preview step
  // Optional: the preview notice is not shown while it points to true; the
  // notice's check box "本次不再提示" sets it.
  bool* previewNoticeSilenced = nullptr;
  // Optional: where the files' tags are read from; null: the files themselves.
  const FileFieldReader* fileFields = nullptr;
  // Optional: the rows the run takes (the filter and the selection); the
  // others are neither walked nor counted. null: every row.
  const RowSubset* rows = nullptr;

  bool FolderMode() const { return intake.mode == ProcessingMode::kFolders; }
  bool TakesRow(int row) const { return rows == nullptr || rows->Contains(row); }
  // The name the run works on for a row: the earlier steps' result, else column 0.
  const ByteText& NameOfRow(int row) const {
    return step != nullptr && step->input != nullptr ? (*step->input)[static_cast<size_t>(row)] : list.Cell(row, 0);
  }
};

}  // namespace vantor
