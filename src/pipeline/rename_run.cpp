// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeline/rename_run.h"

#include <algorithm>
#include <iterator>
#include <thread>
#include <utility>

#include "entries/paths.h"
#include "pipeline/apply_batch.h"
#include "pipeline/long_work.h"
#include "pipeline/pending_marks.h"
#include "pipeline/reports.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/thread_shares.h"

namespace vantor {

namespace {

ByteText OrDefault(const ByteText& text, const char* utf8Default) { return text.empty() ? Gbk(utf8Default) : text; }

// The notice after a preview run; its check box silences it through silenced.
void ShowPreviewNotice(Prompter& prompter, bool* silenced) {
  if (silenced != nullptr && *silenced) return;
  const ByteText text =
      Gbk("提示：你开启了预览功能，所以没有直接更名，\r\n请看预览区结果，确认无误后点\"确认无误，执行吧\"！");
  if (silenced == nullptr) {
    prompter.Inform(text, Gbk("提示"), MessageIcon::kInformation);
    return;
  }
  *silenced = prompter.InformWithOptOut(text, Gbk("提示"), MessageIcon::kInformation, Gbk("本次不再提示"));
}

// Before the first entry: asks with preview off (or always, when the
// operation says so), tells with preview on.
bool AskBeforeFirstEntry(const RunContext& context, bool preview, const RunConfirmation& confirmation) {
  Prompter& prompter = context.prompter;
  if (preview && !confirmation.askInPreview) {
    ShowPreviewNotice(prompter, context.previewNoticeSilenced);
    return true;
  }
  return prompter.Confirm(OrDefault(confirmation.text, "确定更名吗？"), OrDefault(confirmation.title, "提示"),
                          MessageIcon::kNone);
}

void ShowSummary(Prompter& prompter, const RunSummary& summary, int renamed) {
  if (!summary.shown) return;
  if (renamed == 0 && summary.zeroSaysNothingChanged) {
    prompter.Inform(Gbk("没有任何改动"), Gbk("没有改动"), summary.icon);
    return;
  }
  prompter.Inform(OrDefault(summary.prefix, "一共有") + ToText(renamed) + OrDefault(summary.suffix, "个文件被改名成功"),
                  OrDefault(summary.title, "修改成果提示"), summary.icon);
}

}  // namespace

NewNameRule KeepingExtension(NewStemRule newStem) {
  return [newStem = std::move(newStem)](const RenameEntryView& entry) -> std::optional<ByteText> {
    std::optional<ByteText> name = newStem(entry.stem);
    if (name) name->append(entry.extension);
    return name;
  };
}

namespace {

// Rows are split among threads only when there are enough of them to pay for
// starting one.
constexpr size_t kRowsPerThread = 4096;

// The rows a plan walks, in order, with the ordinal each is walked at.
struct WalkedRow {
  int row = 0;
  int ordinal = 0;
};

// What one thread found for its share of the rows, in row order.
struct PlanShare {
  std::vector<PlannedRename> changes;
  std::vector<int> unchangedRows;
};

// Computes the new name of each row in rows[begin, end) with rule and keeps
// the rows whose name changes (and, when asked, those whose name stays).
void PlanShareOfRows(const RunContext& context, const RenameRunOptions& options, const std::vector<WalkedRow>& rows,
                     size_t begin, size_t end, const NewNameRule& rule, PlanShare& share, LongWork* work) {
  const bool folderLoop = context.FolderMode();
  // A preview needs only the rows and their new names; a copy of every old
  // name would be a third copy of the list at a million rows.
  const bool keepOldNames =
      !((context.list.PreviewOn() || context.step != nullptr) && !options.renameInPreview);
  share.changes.reserve(end - begin);
  // The stem and extension move into each row's view and back out, so their
  // buffers serve every row.
  ByteText stem;
  ByteText extension;
  constexpr size_t kRowsPerReport = 4096;
  for (size_t i = begin; i < end; ++i) {
    if (work != nullptr && (i - begin) % kRowsPerReport == kRowsPerReport - 1) work->Advance(kRowsPerReport);
    const ByteText& name = context.NameOfRow(rows[i].row);
    if (folderLoop) {
      stem.assign(name);
      extension.clear();
    } else {
      extension.assign(ExtensionOfPath(name));
      // A row holds a plain name; the stem is what the extension leaves.
      if (name.find(kPathSeparator) == ByteText::npos) {
        stem.assign(name, 0, name.size() - extension.size());
      } else {
        stem = NameOfPath(name, false);
      }
    }
    RenameEntryView entry{name, std::move(stem), std::move(extension), rows[i].row, rows[i].ordinal, folderLoop};
    std::optional<ByteText> newName = rule(entry);
    stem = std::move(entry.stem);
    extension = std::move(entry.extension);
    if (!newName || newName->empty()) continue;
    if (*newName == name) {
      if (options.previewUnchangedRows) share.unchangedRows.push_back(rows[i].row);
      continue;
    }
    share.changes.push_back({rows[i].row, keepOldNames ? name : ByteText(), std::move(*newName), {},
                             context.list.FolderIndexOfRow(rows[i].row)});
  }
}

RenamePlan PlanWithThreads(const RunContext& context, const RenameRunOptions& options,
                           const NewNameRuleMaker& makeRule, size_t threads, LongWork* work) {
  RenamePlan plan;
  const EntryList& list = context.list;
  std::vector<WalkedRow> rows;
  rows.reserve(static_cast<size_t>(list.RowCount()));
  for (int row = 0; row < list.RowCount(); ++row) {
    const ByteText& name = context.NameOfRow(row);
    if (name.empty() || !context.TakesRow(row)) continue;
    const int ordinal = ++plan.walked;
    if (!context.FolderMode() && options.applySkipExtension && SkippedByExtension(name, context.intake)) continue;
    rows.push_back({row, ordinal});
  }

  // A step's names are marked once all steps have run.
  if (list.PreviewOn() && !options.renameInPreview && context.step == nullptr) {
    plan.folderListing = StartReadingFolder(list);
  }

  threads = std::clamp<size_t>(rows.size() / kRowsPerThread, 1, threads);
  const size_t rowsPerShare = (rows.size() + threads - 1) / threads;
  std::vector<PlanShare> shares(threads);
  const auto planShare = [&](size_t index) {
    PlanShareOfRows(context, options, rows, index * rowsPerShare, std::min(rows.size(), (index + 1) * rowsPerShare),
                    makeRule(), shares[index], work);
  };
  RunShares(threads, planShare);

  plan.changes = std::move(shares[0].changes);
  plan.unchangedRows = std::move(shares[0].unchangedRows);
  for (size_t index = 1; index < threads; ++index) {
    plan.changes.insert(plan.changes.end(), std::make_move_iterator(shares[index].changes.begin()),
                        std::make_move_iterator(shares[index].changes.end()));
    plan.unchangedRows.insert(plan.unchangedRows.end(), shares[index].unchangedRows.begin(),
                              shares[index].unchangedRows.end());
  }
  return plan;
}

// A walk over many rows (or with a slow rule) runs where the run's disk phase
// does; it reads the list and changes nothing, so it cannot be stopped.
RenamePlan PlanThroughRunner(const RunContext& context, const RenameRunOptions& options,
                             const NewNameRuleMaker& makeRule, size_t threads) {
  LongWork work(context.list.RowCount(), nullptr, /*stoppable=*/false);
  RenamePlan plan;
  RunDiskPhase(context.runDiskPhase, work,
               [&] { plan = PlanWithThreads(context, options, makeRule, threads, &work); });
  return plan;
}

}  // namespace

RenamePlan PlanRenames(const RunContext& context, const RenameRunOptions& options, const NewNameRule& rule) {
  return PlanThroughRunner(context, options, [&rule] { return rule; }, 1);
}

RenamePlan PlanRenamesOnAllCores(const RunContext& context, const RenameRunOptions& options,
                                 const NewNameRuleMaker& makeRule) {
  return PlanThroughRunner(context, options, makeRule, std::max(1u, std::thread::hardware_concurrency()));
}

RenamePlan PlanPureRenames(const RunContext& context, const RenameRunOptions& options, const NewNameRule& rule) {
  return PlanRenamesOnAllCores(context, options, [&rule] { return rule; });
}

RenameRunResult RunPureRename(const RunContext& context, const RenameRunOptions& options, const NewNameRule& rule) {
  return CarryOutPlan(context, options, PlanPureRenames(context, options, rule));
}

RenameRunResult CarryOutPlan(const RunContext& context, const RenameRunOptions& options, RenamePlan plan) {
  RenameRunResult result;
  EntryList& list = context.list;
  Prompter& prompter = context.prompter;
  if (plan.walked == 0 && options.refuseEmptyList) {
    ReportEmptyList(prompter);
    result.refused = true;
    return result;
  }
  // A preview step never renames, whatever the preview switch says.
  const bool preview = (list.PreviewOn() || context.step != nullptr) && !options.renameInPreview;
  if ((plan.walked > 0 || options.confirmation.askOnEmptyList) &&
      !AskBeforeFirstEntry(context, preview, options.confirmation)) {
    result.cancelled = true;
    return result;
  }
  if (options.checkAfterAsking && !options.checkAfterAsking(prompter)) {
    result.refused = true;
    return result;
  }

  if (preview && context.step != nullptr) {
    context.step->produced = true;
    context.step->changes = std::move(plan.changes);
    context.step->unchangedRows = std::move(plan.unchangedRows);
    result.previewed = static_cast<int>(context.step->changes.size() + context.step->unchangedRows.size());
    return result;
  }
  if (preview) {
    // Marks once the names below are written.
    const PendingConflictsMarker marker(list, plan.folderListing, context.runDiskPhase);
    EntryList::Batch batch(list);
    for (PlannedRename& change : plan.changes) list.SetEntryCell(std::move(change.newName), change.row, 1);
    for (int row : plan.unchangedRows) list.SetEntryCell(ByteText(list.Cell(row, 0)), row, 1);
    result.previewed = static_cast<int>(plan.changes.size() + plan.unchangedRows.size());
    return result;
  }

  RunProgress* progress = options.reportProgress ? context.progress : nullptr;
  if (progress != nullptr) progress->Started(static_cast<int>(plan.changes.size()));
  const AppliedBatch applied =
      ApplyBatch(list.EntryDirectory(), std::move(plan.changes), context.caption.empty() ? Gbk("改名") : context.caption,
                 {&list}, {.runDiskPhase = context.runDiskPhase, .progress = progress, .folder = list.EntryFolder(),
                           .folders = list.HasFolders() ? &list.Folders() : nullptr});
  const BatchOutcome& outcome = applied.outcome;
  if (outcome.notStarted) {
    if (progress != nullptr) progress->Finished();
    ReportBatchNotStarted(prompter, outcome);
    result.refused = true;
    return result;
  }
  if (progress != nullptr) progress->Finished();
  result.renamed = outcome.renamed;
  result.failed = outcome.failed;
  if (context.renamedOnDisk) context.renamedOnDisk(result.renamed, result.failed);
  ShowSummary(prompter, options.summary, result.renamed);
  ReportFailedRenames(prompter, result.failed, applied.replaced);
  return result;
}

RenameRunResult RunRename(const RunContext& context, const RenameRunOptions& options, const NewNameRule& rule) {
  return CarryOutPlan(context, options, PlanRenames(context, options, rule));
}

}  // namespace vantor
