// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeline/apply_batch.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "entries/messages.h"
#include "entries/paths.h"
#include "pipeline/batch_history.h"
#include "pipeline/long_work.h"
#include "pipeline/reports.h"
#include "platform/code_page.h"
#include "platform/file_system.h"

namespace vantor {

namespace {

std::vector<RecordedRename> DoneRenames(const std::vector<PlannedRename>& plan, const BatchOutcome& outcome) {
  std::vector<RecordedRename> done;
  done.reserve(static_cast<size_t>(outcome.renamed));
  for (size_t i = 0; i < plan.size(); ++i) {
    if (!outcome.done[i] || plan[i].oldName == plan[i].newName) continue;
    const EntryIdentity identity = i < outcome.identities.size() ? outcome.identities[i] : EntryIdentity{};
    done.push_back({plan[i].oldName, plan[i].newName, identity});
  }
  return done;
}

// Finds the row of every done rename that is placed by name, before any row
// changes, so that a chain (b -> c, a -> b) moves each name onto the row that
// showed it. Reads the list only.
void FindRowsByName(std::vector<PlannedRename>& plan, const BatchOutcome& outcome, const EntryList& list) {
  std::unordered_map<std::string_view, int> rowOfName;
  rowOfName.reserve(static_cast<size_t>(list.RowCount()));
  for (int row = 0; row < list.RowCount(); ++row) {
    if (!list.Cell(row, 0).empty()) rowOfName.emplace(list.Cell(row, 0), row);
  }
  for (size_t i = 0; i < plan.size(); ++i) {
    const auto found = outcome.done[i] ? rowOfName.find(plan[i].oldName) : rowOfName.end();
    plan[i].row = found == rowOfName.end() ? -1 : found->second;
  }
}

void WriteRows(std::vector<PlannedRename>& plan, const BatchOutcome& outcome, const BatchRows& rows) {
  EntryList& list = *rows.list;
  EntryList::Batch batch(list);
  const bool clearPending = rows.clearPending && list.PreviewOn();
  for (size_t i = 0; i < plan.size(); ++i) {
    if (!outcome.done[i] || plan[i].row < 0) continue;
    list.SetEntryCell(std::move(plan[i].newName), plan[i].row, 0);
    if (clearPending) list.SetEntryCell(ByteText(), plan[i].row, 1);
  }
}

void Remind(Prompter& prompter, const ByteText& text) {
  prompter.Inform(text, messages::TitleReminder(), MessageIcon::kInformation);
}

}  // namespace

AppliedBatch ApplyBatch(const ByteText& folder, std::vector<PlannedRename> plan, const ByteText& caption,
                        const BatchRows& rows, const ApplyOptions& options) {
  AppliedBatch applied;
  LongWork work(options.makePlan ? (options.planSize > 0 ? options.planSize : LongWork::kUnknownTotal)
                                 : static_cast<int>(plan.size()),
                options.progress);
  RunDiskPhase(options.runDiskPhase, work, [&] {
    if (options.makePlan) {
      plan = options.makePlan();
      work.SetTotal(static_cast<int>(plan.size()));
    }
    // The record keeps the folder the batch ran in, so that its undo acts
    // nowhere else.
    const EntryIdentity folderIdentity = options.folder.Known() ? options.folder : FolderIdentity(folder);
    applied.outcome = ApplyRenameBatch(folder, plan, [&work](int done) { work.Reached(done); }, &work,
                                       {.folder = options.folder});
    if (applied.outcome.notStarted) return;
    if (applied.outcome.renamed > 0) {
      applied.record = BatchHistory().Record(folder, caption, DoneRenames(plan, applied.outcome), options.undoes,
                                             folderIdentity);
    }
    applied.replaced = ReplacedNames(plan, applied.outcome);
    if (rows.list != nullptr && rows.byName) FindRowsByName(plan, applied.outcome, *rows.list);
    // The old names are no longer needed: they go here, not on the window's
    // thread.
    for (PlannedRename& rename : plan) ByteText().swap(rename.oldName);
  });
  if (applied.outcome.notStarted) return applied;
  if (rows.list != nullptr) WriteRows(plan, applied.outcome, rows);
  return applied;
}

std::string UndoNewestBatch(EntryList& list, Prompter& prompter, const RenamedOnDisk& renamedOnDisk,
                     const DiskPhaseRunner& runDiskPhase) {
  if (list.EntryDirectory().empty()) {
    Remind(prompter, Gbk("路径都是空的，改什么？请选择路径"));
    return {};
  }
  if (list.EntryDirectory() == ByteText(1, kPathSeparator)) {
    Remind(prompter, Gbk("路径都是空的，改什么？请选择路径"));
    list.SetEntryDirectory({});
    return {};
  }
  for (const BatchSummary& batch : BatchHistory().List()) {
    if (batch.folder != list.EntryDirectory() || batch.undone || !batch.undoes.empty()) continue;
    return UndoRecordedBatch(batch.id, list, prompter, renamedOnDisk, runDiskPhase);
  }
  Remind(prompter, messages::NothingToUndo());
  return {};
}

namespace {

// The plan that takes back the renames of record target (newest first):
// each rename whose entry was not renamed again by a later batch of its
// folder; those are counted in left. nullopt when the record cannot be read.
std::optional<std::vector<PlannedRename>> PlanOfUndo(const BatchHistory& history,
                                                     const std::vector<BatchSummary>& summaries, size_t target,
                                                     int& left) {
  const std::optional<std::vector<RecordedRename>> renames = history.Renames(summaries[target].id);
  if (!renames) return std::nullopt;
  const ByteText& folder = summaries[target].folder;

  // Follows each entry of the batch through the later batches of its folder
  // (oldest first, each batch's renames at once, as a cycle makes them): an
  // entry that ends up elsewhere was renamed again and is left alone.
  std::vector<std::string_view> position(renames->size());
  std::unordered_map<std::string_view, size_t> entryAt;
  entryAt.reserve(renames->size());
  for (size_t k = 0; k < renames->size(); ++k) {
    position[k] = (*renames)[k].newName;
    entryAt.emplace(position[k], k);
  }
  std::vector<std::vector<RecordedRename>> later;
  for (size_t i = target; i-- > 0;) {
    if (summaries[i].folder != folder) continue;
    std::optional<std::vector<RecordedRename>> laterRenames = history.Renames(summaries[i].id);
    if (!laterRenames) continue;
    later.push_back(std::move(*laterRenames));
    std::vector<std::pair<size_t, std::string_view>> moves;
    for (const RecordedRename& rename : later.back()) {
      const auto found = entryAt.find(rename.oldName);
      if (found != entryAt.end()) moves.emplace_back(found->second, rename.newName);
    }
    for (const auto& [k, to] : moves) entryAt.erase(position[k]);
    for (const auto& [k, to] : moves) {
      position[k] = to;
      entryAt.emplace(to, k);
    }
  }

  std::vector<PlannedRename> plan;
  plan.reserve(renames->size());
  left = 0;
  for (size_t k = renames->size(); k-- > 0;) {
    const RecordedRename& rename = (*renames)[k];
    if (position[k] != rename.newName) {
      ++left;
      continue;
    }
    plan.push_back({-1, rename.newName, rename.oldName, rename.identity});
  }
  return plan;
}

}  // namespace

std::string UndoRecordedBatch(const std::string& id, EntryList& list, Prompter& prompter,
                       const RenamedOnDisk& renamedOnDisk, const DiskPhaseRunner& runDiskPhase) {
  const BatchHistory history;
  const std::vector<BatchSummary> summaries = history.List();
  size_t target = 0;
  while (target < summaries.size() && summaries[target].id != id) ++target;
  if (target == summaries.size()) {
    Remind(prompter, Gbk("这一批的改名记录无法读取，没有改名"));
    return {};
  }
  const ByteText& folder = summaries[target].folder;

  BatchRows rows;
  if (list.EntryDirectory() == folder) rows = {&list, /*byName=*/true, /*clearPending=*/false};
  // The record is read and followed through the later batches in the disk
  // phase: a batch of a million renames takes a while to read.
  bool readable = true;
  int left = 0;
  ApplyOptions options{runDiskPhase, nullptr, id, summaries[target].folderIdentity};
  options.planSize = static_cast<int>(std::min<int64_t>(summaries[target].count, INT32_MAX));
  options.makePlan = [&] {
    std::optional<std::vector<PlannedRename>> plan = PlanOfUndo(history, summaries, target, left);
    readable = plan.has_value();
    return plan ? std::move(*plan) : std::vector<PlannedRename>();
  };
  // Only the entries the batch left, in the folder it ran in, are taken back.
  const AppliedBatch applied = ApplyBatch(folder, {}, Gbk("撤回"), rows, options);
  if (!readable) {
    Remind(prompter, Gbk("这一批的改名记录无法读取，没有改名"));
    return {};
  }
  if (ReportBatchNotStarted(prompter, applied.outcome)) return {};
  const int notBack = left + applied.outcome.failed;
  if (renamedOnDisk) renamedOnDisk(applied.outcome.renamed, notBack);
  if (notBack == 0) return applied.record;
  ByteText text = Gbk("有") + ToText(notBack) + Gbk("个文件没能改回原名");
  for (const ByteText& name : applied.replaced) text += "\r\n" + Gbk("文件已被替换：") + name;
  Remind(prompter, text);
  return applied.record;
}

}  // namespace vantor
