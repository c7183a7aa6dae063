// SPDX-License-Identifier: GPL-3.0-or-later
// A preview made of several operations, run in order: each step sees the
// names the steps before it made (split afresh into stem and extension), a
// row a step does not change passes its name on, and the preview column
// shows the last step's name wherever it differs from column 0.
//
// The steps hold only data (the operation's row, its settings, what it keeps
// between runs) and what the last fold made of them, so that a copy can be
// folded on another thread while the window goes on.
#pragma once

#include <any>
#include <memory>
#include <vector>

#include "entries/entry_list.h"
#include "operations/operation_table.h"
#include "operations/presets.h"
#include "pipeline/run_context.h"

namespace vantor {

class WorkPart;

struct PreviewStep {
  const OperationKind* kind = nullptr;
  std::any settings;  // the kind's XxxSettings
  // What the operation keeps between runs of this step (photo dates read).
  std::shared_ptr<std::any> state = std::make_shared<std::any>();

  // What the last fold made of the step.
  std::shared_ptr<const std::vector<ByteText>> namesAfter;  // one per row
  std::vector<int> shownUnchanged;  // rows the operation shows although their name stays
  int changed = 0;                  // names it changed
  ByteText refusal;                 // GBK; not empty: it refused and passed every name on
  ByteText note;                    // GBK; what the run told about its result
};

// The preview column the steps make: per row the pending name (empty: none)
// and the mark a commit would give it.
struct PreviewColumn {
  std::vector<ByteText> pending;
  std::vector<PendingMark> marks;
};

// Runs step's operation with its settings as a step after the names before
// (null: column 0), without a single box: the first box the run would show
// is its refusal, a question is answered OK. Fills the step's result.
// Returns false when the run refused (or ended without a result); the step
// then passes every name on and holds the refusal. part, when given, hears
// the run's end and the taking in of its names.
bool RunStepQuietly(const RunContext& context, PreviewStep& step, const std::vector<ByteText>* before,
                    WorkPart* part = nullptr);

// Sets the step's result from a run that produced its names (io.produced);
// part, when given, hears it go over the rows. Takes io's changes and
// unchanged rows: both are empty afterwards, and the change list's memory (a
// tenth of a gigabyte at a million rows) is freed.
void TakeStepResult(PreviewStep& step, const EntryList& list, const std::vector<ByteText>* before,
                    PreviewStepIo& io, WorkPart* part = nullptr);

// What the parts of a fold cost, in walks over the rows (one walk over a
// million rows takes about 25 ms), for a phase that gives each part its share
// of the progress it shows.
inline constexpr int kFoldPlanWeight = 10;    // the plan of one step
inline constexpr int kFoldTakeWeight = 1;     // taking a step's names in; a copy of column 0
inline constexpr int kFoldColumnWeight = 24;  // the column: its walk, the folder read, the check

class PreviewSteps {
 public:
  const std::vector<PreviewStep>& Steps() const { return steps_; }
  bool Empty() const { return steps_.empty(); }
  size_t Count() const { return steps_.size(); }

  // The place a run of kind takes: the last step's when it is the same
  // operation (re-running tunes it), else a new step after the last.
  size_t PlaceFor(const OperationKind& kind) const;
  // The names the steps before index made; null (column 0) for index 0.
  const std::vector<ByteText>* NamesBefore(size_t index) const;
  // Puts step at index (replacing the step there, or appending at Count());
  // step 0 was computed over list's column 0 (part, when given, hears the
  // copy of it taken).
  void Put(size_t index, PreviewStep step, const EntryList& list, WorkPart* part = nullptr);
  // Removes a step; the later ones need folding again (Refold(index)).
  void Remove(size_t index);
  // Drops the steps and the snapshot of column 0 they were made over.
  void Clear() {
    steps_.clear();
    base_.reset();
  }

  // Column 0 as step 0 last saw it; null before any step.
  const std::shared_ptr<const std::vector<ByteText>>& Base() const { return base_; }
  // True while the steps were last folded over exactly these column-0 names.
  bool FoldedOver(const EntryList& list) const;
  // Runs steps from..Count()-1 again, quietly, over the names before `from`
  // (from 0: column 0 as it is now). Returns the index of the first step that
  // refused, or Count() when none did. part, when given, hears each step's
  // end and its names taken in.
  size_t Refold(const RunContext& context, size_t from, WorkPart* part = nullptr);

  // The column the steps make over list's column 0, marked against the
  // entry directory as it is now (read once). Empty steps: an empty column.
  // part, when given, hears the walk over the rows, the folder read and the
  // check as they go. Unmarked (every mark kNone, the folder not read) for a
  // caller that renames at once and learns the conflicts from the rename
  // engine.
  PreviewColumn Column(const EntryList& list, WorkPart* part = nullptr, bool marked = true) const;

 private:
  std::vector<PreviewStep> steps_;
  std::shared_ptr<const std::vector<ByteText>> base_;  // column 0 when step 0 was computed
};

// Folds a preset's steps over column 0 of context's list into steps (which
// start afresh), one after the other, so that a preset is taken whole or not
// at all. Returns preset.size() when every step ran; else the index of the
// first step that refused, which is then steps' last, holding its refusal.
// part, when given, hears each step's end and its names taken in.
// FoldPreset(context, ReadPreset(path, problem), steps) == 1 when step 2 refuses.
size_t FoldPreset(const RunContext& context, const std::vector<PresetStep>& preset, PreviewSteps& steps,
                  WorkPart* part = nullptr);

// Writes the column into list's preview column and its marks, as one change.
void ShowPreviewColumn(EntryList& list, PreviewColumn column);

// An EntryList with this entry directory and these column-0 names, preview
// on: what a fold on another thread reads while the window's list may change.
// The rows of a folder tree carry their folders (taken with RowFoldersOf, on
// the thread that owns the list).
struct RowFolders {
  std::vector<ByteText> table;
  std::vector<uint32_t> ofRow;  // empty: no tree
};
RowFolders RowFoldersOf(const EntryList& list);
std::shared_ptr<EntryList> ListOfNames(const ByteText& directory, const std::vector<ByteText>& names,
                                       const RowFolders& folders = {});

}  // namespace vantor
