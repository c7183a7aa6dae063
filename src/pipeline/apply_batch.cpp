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

const ByteText kNoFolder;

const ByteText& FolderOf(const PlannedRename& rename, const std::vector<ByteText>* folders) {
  return folders != nullptr && rename.folder < folders->size() ? (*folders)[rename.folder] : kNoFolder;
}

std::vector<RecordedRename> DoneRenames(const std::vector<PlannedRename>& plan, const BatchOutcome& outcome,
                                        const std::vector<ByteText>* folders) {
  std::vector<RecordedRename> done;
  done.reserve(static_cast<size_t>(outcome.renamed));
  for (size_t i = 0; i < plan.size(); ++i) {
    if (!outcome.done[i] || plan[i].oldName == plan[i].newName) continue;
    const EntryIdentity identity = i < outcome.identities.size() ? outcome.identities[i] : EntryIdentity{};
    const ByteText& relative = FolderOf(plan[i], folders);
    done.push_back({relative + plan[i].oldName, relative + plan[i].newName, identity});
  }
  return done;
}

bool SpansFolders(const std::vector<PlannedRename>& plan, const std::vector<ByteText>* folders) {
  if (folders == nullptr) return false;
  for (const PlannedRename& rename : plan) {
    if (rename.folder != 0) return true;
  }
  return false;
}

// The engine's batch per folder of a tree, in the order the folders first
// appear in the plan; the outcomes are put back in plan order.
BatchOutcome ApplyFolderByFolder(const ByteText& top, const std::vector<PlannedRename>& plan,
                                 const std::vector<ByteText>& folders, LongWork& work, const EntryIdentity& topFolder) {
  BatchOutcome whole;
  whole.done.assign(plan.size(), false);
  whole.problems.assign(plan.size(), RenameProblem::kNone);
  whole.identities.assign(plan.size(), EntryIdentity{});
  std::vector<std::vector<size_t>> groups(folders.size());
  std::vector<uint32_t> order;
  for (size_t i = 0; i < plan.size(); ++i) {
    const uint32_t folder = plan[i].folder < folders.size() ? plan[i].folder : 0;
    if (groups[folder].empty()) order.push_back(folder);
    groups[folder].push_back(i);
  }
  int stepsBefore = 0;
  bool first = true;
  for (uint32_t folder : order) {
    const std::vector<size_t>& members = groups[folder];
    std::vector<PlannedRename> part;
    part.reserve(members.size());
    for (size_t i : members) part.push_back(plan[i]);
    BatchSettings settings;
    if (folder == 0) settings.folder = topFolder;
    const BatchOutcome outcome = ApplyRenameBatch(
        top + folders[folder], part, [&work, stepsBefore](int done) { work.Reached(stepsBefore + done); }, &work,
        settings);
    stepsBefore += static_cast<int>(members.size());
    if (outcome.notStarted && first) {
      // Nothing has changed yet: the batch as a whole did not start.
      BatchOutcome none = outcome;
      none.done.assign(plan.size(), false);
      none.problems.assign(plan.size(), RenameProblem::kNone);
      none.identities.assign(plan.size(), EntryIdentity{});
      return none;
    }
    first = false;
    for (size_t k = 0; k < members.size(); ++k) {
      const size_t i = members[k];
      if (outcome.notStarted) {
        whole.problems[i] = RenameProblem::kFailed;
        ++whole.failed;
        continue;
      }
      whole.done[i] = outcome.done[k];
      whole.problems[i] = outcome.problems[k];
      if (k < outcome.identities.size()) whole.identities[i] = outcome.identities[k];
    }
    if (!outcome.notStarted) {
      whole.renamed += outcome.renamed;
      whole.failed += outcome.failed;
      whole.notReached += outcome.notReached;
    }
  }
  return whole;
}

// Finds the row of every done rename that is placed by name, before any row
// changes, so that a chain (b -> c, a -> b) moves each name onto the row that
// showed it; in a tree by its folder and name. Reads the list only.
void FindRowsByName(std::vector<PlannedRename>& plan, const BatchOutcome& outcome, const EntryList& list,
                    const std::vector<ByteText>* folders) {
  if (folders != nullptr && list.HasFolders()) {
    // In a tree a row is found by its folder and name.
    std::unordered_map<ByteText, int> rowOfPath;
    rowOfPath.reserve(static_cast<size_t>(list.RowCount()));
    for (int row = 0; row < list.RowCount(); ++row) {
      if (!list.Cell(row, 0).empty()) rowOfPath.emplace(list.FolderOfRow(row) + list.Cell(row, 0), row);
    }
    for (size_t i = 0; i < plan.size(); ++i) {
      const auto found = outcome.done[i] ? rowOfPath.find(FolderOf(plan[i], folders) + plan[i].oldName)
                                         : rowOfPath.end();
      plan[i].row = found == rowOfPath.end() ? -1 : found->second;
    }
  } else {
    std::unordered_map<std::string_view, int> rowOfName;
    rowOfName.reserve(static_cast<size_t>(list.RowCount()));
    for (int row = 0; row < list.RowCount(); ++row) {
      if (!list.Cell(row, 0).empty()) rowOfName.emplace(list.Cell(row, 0), row);
    }
    for (size_t i = 0; i < plan.size(); ++i) {
      const auto found = outcome.done[i] && plan[i].folder == 0 ? rowOfName.find(plan[i].oldName) : rowOfName.end();
      plan[i].row = found == rowOfName.end() ? -1 : found->second;
    }
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
    if (SpansFolders(plan, options.folders)) {
      applied.outcome = ApplyFolderByFolder(folder, plan, *options.folders, work, options.folder);
    } else {
      applied.outcome = ApplyRenameBatch(folder, plan, [&work](int done) { work.Reached(done); }, &work,
                                         {.folder = options.folder});
    }
    if (applied.outcome.notStarted) return;
    if (applied.outcome.renamed > 0) {
      applied.record = BatchHistory().Record(folder, caption, DoneRenames(plan, applied.outcome, options.folders),
                                             options.undoes, folderIdentity);
    }
    applied.replaced = ReplacedNames(plan, applied.outcome);
    if (rows.list != nullptr && rows.byName) FindRowsByName(plan, applied.outcome, *rows.list, options.folders);
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
// folder; those are counted in left. Renames in sub-folders of a tree are
// planned in their folder, whose relative paths go to folders (index 0 the
// folder itself). nullopt when the record cannot be read.
std::optional<std::vector<PlannedRename>> PlanOfUndo(const BatchHistory& history,
                                                     const std::vector<BatchSummary>& summaries, size_t target,
                                                     int& left, std::vector<ByteText>& folders) {
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

  // A batch over a folder tree recorded paths relative to its folder: each
  // is taken back in its own sub-folder, and only within it.
  folders.assign(1, ByteText());
  std::unordered_map<ByteText, uint32_t> folderIndex;
  std::vector<PlannedRename> plan;
  plan.reserve(renames->size());
  left = 0;
  for (size_t k = renames->size(); k-- > 0;) {
    const RecordedRename& rename = (*renames)[k];
    if (position[k] != rename.newName) {
      ++left;
      continue;
    }
    const size_t cut = rename.newName.rfind(kPathSeparator);
    if (cut == ByteText::npos) {
      plan.push_back({-1, rename.newName, rename.oldName, rename.identity});
      continue;
    }
    ByteText relative = rename.newName.substr(0, cut + 1);
    if (rename.oldName.compare(0, relative.size(), relative) != 0) {
      ++left;  // not a rename within one folder: no batch of this program made it
      continue;
    }
    const auto [at, added] = folderIndex.try_emplace(relative, static_cast<uint32_t>(folders.size()));
    if (added) folders.push_back(std::move(relative));
    plan.push_back({-1, rename.newName.substr(cut + 1), rename.oldName.substr(cut + 1), rename.identity, at->second});
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
  std::vector<ByteText> folders{ByteText()};
  ApplyOptions options{runDiskPhase, nullptr, id, summaries[target].folderIdentity};
  options.folders = &folders;
  options.planSize = static_cast<int>(std::min<int64_t>(summaries[target].count, INT32_MAX));
  options.makePlan = [&] {
    std::optional<std::vector<PlannedRename>> plan = PlanOfUndo(history, summaries, target, left, folders);
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
