// SPDX-License-Identifier: GPL-3.0-or-later
// The course every rename operation shares once its own checks and the guards
// have passed: walk the listed rows, compute each new name, and either show it
// in the preview column or rename on disk at once, then report.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "pipeline/pending_marks.h"
#include "pipeline/rename_batch.h"
#include "pipeline/run_context.h"

namespace vantor {

// One walked row as an operation sees it. In the file loop (modes "处理文件" and
// "拖几个改几个") stem and extension split the name; in the folder loop
// ("处理文件夹") the stem is the whole name and the extension is empty.
struct RenameEntryView {
  const ByteText& name;
  ByteText stem;
  ByteText extension;
  int row = 0;      // list row, 0-based
  int ordinal = 0;  // 1-based count of walked rows (skipped rows included)
  bool folder = false;
};

// An operation's rule: the whole new name of an entry, or nullopt when it does
// not change.
using NewNameRule = std::function<std::optional<ByteText>(const RenameEntryView&)>;
using NewStemRule = std::function<std::optional<ByteText>(const ByteText& stem)>;

// The common case: the rule rewrites the stem and the extension stays.
NewNameRule KeepingExtension(NewStemRule newStem);

// Asked before the first walked row with preview off.
struct RunConfirmation {
  ByteText text;           // empty: "确定更名吗？"
  ByteText title;          // empty: "提示"
  bool askInPreview = false;    // asked with preview on too, instead of the preview notice
  bool askOnEmptyList = false;  // asked even when no row is walked
};

// The box after a direct run: prefix + count + suffix under title, or, for a
// count of 0 where zeroSaysNothingChanged, "没有任何改动" under "没有改动".
struct RunSummary {
  bool shown = true;
  ByteText prefix;  // empty: "一共有"
  ByteText suffix;  // empty: "个文件被改名成功"
  ByteText title;   // empty: "修改成果提示"
  bool zeroSaysNothingChanged = true;
  MessageIcon icon = MessageIcon::kNone;
};

struct RenameRunOptions {
  RunConfirmation confirmation;
  RunSummary summary;
  bool renameInPreview = false;    // offers no preview: renames on disk with preview on too
  bool applySkipExtension = true;  // pass over files of the skip-extension box
  bool refuseEmptyList = false;    // "列表框是空的！" (提示) when no row is walked
  bool reportProgress = false;     // direct runs tell the run's progress display
  // Checked after the question (or the preview notice) and before anything
  // changes; false ends the run with nothing changed, the check having told
  // the user why.
  std::function<bool(Prompter&)> checkAfterAsking;
  bool previewUnchangedRows = false;  // a preview also shows a computed name equal to the old one
};

// The computed batch: how many rows were walked and the renames among them.
struct RenamePlan {
  int walked = 0;
  std::vector<PlannedRename> changes;
  std::vector<int> unchangedRows;  // rows whose computed name equals the old one, when previewed
  FolderListing folderListing;     // a preview's read of the folder, started with the plan
};

struct RenameRunResult {
  bool cancelled = false;
  bool refused = false;  // the empty-list refusal, the check after asking, or no journal
  int renamed = 0;       // names changed on disk
  int failed = 0;        // renames that did not happen
  int previewed = 0;     // pending names written
};

// Walks every row whose column-0 name is not empty, computes its new name and
// keeps the rows whose new name is neither empty nor equal to the old name.
// Changes neither the list nor the disk; for a preview it starts reading the
// folder, which the marking of conflicts needs. The walk goes through
// context.runDiskPhase (in the window, a worker thread for a long list).
RenamePlan PlanRenames(const RunContext& context, const RenameRunOptions& options, const NewNameRule& rule);

// Refuses an empty walk when asked to; then, before anything changes, asks
// (preview off; Cancel ends the run with nothing changed) or shows the preview
// notice, then makes the operation's check after asking. Preview on: writes the pending names into column 1. Preview off:
// renames on disk, shows each renamed row's new name (and clears its pending
// name), then the summary and, when renames failed (refused beforehand or by
// the file system), one failure box. A preview run then marks the pending
// names a commit would refuse (MarkPendingConflicts). A run that is a preview
// step (context.step) hands its pending names to the step instead, even with
// preview off, and never renames.
RenameRunResult CarryOutPlan(const RunContext& context, const RenameRunOptions& options, RenamePlan plan);

// PlanRenames followed by CarryOutPlan.
RenameRunResult RunRename(const RunContext& context, const RenameRunOptions& options, const NewNameRule& rule);

// Makes a rule of its own for each thread that computes new names.
using NewNameRuleMaker = std::function<NewNameRule()>;

// As PlanRenames, for a rule whose names depend on nothing but the entry (no
// counters, no state shared between rows): a long list is split among the
// processor's cores, each running a rule made for it, and the plan is the
// same as one rule would give. Example: a rule over a compiled regular
// expression, one compiled copy per thread.
RenamePlan PlanRenamesOnAllCores(const RunContext& context, const RenameRunOptions& options,
                                 const NewNameRuleMaker& makeRule);

// As PlanRenames and RunRename, for a rule that only reads what it captures
// (a pure function of the entry and the settings), so that threads may share
// it: a long list is split among the processor's cores.
RenamePlan PlanPureRenames(const RunContext& context, const RenameRunOptions& options, const NewNameRule& rule);
RenameRunResult RunPureRename(const RunContext& context, const RenameRunOptions& options, const NewNameRule& rule);

}  // namespace vantor
