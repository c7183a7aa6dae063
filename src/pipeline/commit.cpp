#include "pipeline/commit.h"

#include "entries/messages.h"
#include "entries/paths.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "pipeline/long_work.h"
#include "pipeline/pending_marks.h"
#include "pipeline/rename_batch.h"
#include "pipeline/reports.h"

namespace vantor {

namespace {

void Remind(Prompter& prompter, const char* utf8Text) {
  prompter.Inform(Gbk(utf8Text), messages::TitleReminder(), MessageIcon::kInformation);
}

BatchOutcome ApplyWithRunner(const EntryList& list, const std::vector<PlannedRename>& plan,
                             const DiskPhaseRunner& runDiskPhase) {
  LongWork work(static_cast<int>(plan.size()), nullptr);
  BatchOutcome outcome;
  RunDiskPhase(runDiskPhase, work, [&] {
    outcome = ApplyRenameBatch(list.EntryDirectory(), plan, [&work](int done) { work.Reached(done); }, &work,
                               {.folder = list.EntryFolder()});
  });
  return outcome;
}

bool RecordedRowsUnchanged(const EntryList& list) {
  for (const UndoRename& done : list.UndoNames) {
    if (done.row >= list.RowCount() || list.Cell(done.row, 0) != done.after) return false;
  }
  return true;
}

// The renames that put back what the commit did, newest first.
std::vector<PlannedRename> UndoPlan(const UndoRecord& record) {
  std::vector<PlannedRename> plan;
  plan.reserve(record.size());
  for (auto done = record.rbegin(); done != record.rend(); ++done) {
    plan.push_back({done->row, done->after, done->before});
  }
  return plan;
}

}  // namespace

int CommitPreview(EntryList& list, Prompter& prompter, const RenamedOnDisk& renamedOnDisk,
                  const DiskPhaseRunner& runDiskPhase) {
  list.UndoNames.clear();
  int withName = 0;
  int withPending = 0;
  for (int row = 0; row < list.RowCount(); ++row) {
    withName += list.Cell(row, 0).empty() ? 0 : 1;
    withPending += list.Cell(row, 1).empty() ? 0 : 1;
  }
  if (withPending == 0) {
    Remind(prompter, "开了预览界面以后，必须先预览，\r\n请重新点左边的按钮进行预览！");
    return 0;
  }
  if (withName == 0) {
    Remind(prompter, "没有发生任何变化。\r\n请仔细排查问题，重新操作!");
    return 0;
  }

  std::vector<PlannedRename> plan = PendingRenames(list);
  const BatchOutcome outcome = ApplyWithRunner(list, plan, runDiskPhase);
  if (ReportBatchNotStarted(prompter, outcome)) return 0;
  const int failed = outcome.failed;
  const TextArray replaced = ReplacedNames(plan, outcome);
  if (renamedOnDisk) renamedOnDisk(outcome.renamed, failed);
  {
    EntryList::Batch batch(list);
    for (size_t i = 0; i < plan.size(); ++i) {
      if (!outcome.done[i]) continue;
      PlannedRename& step = plan[i];
      if (step.newName != step.oldName) list.UndoNames.push_back({step.row, std::move(step.oldName), step.newName});
      list.SetEntryCell(std::move(step.newName), step.row, 0);
      list.SetEntryCell(ByteText(), step.row, 1);
    }
  }
  ReportFailedRenames(prompter, failed, replaced);
  return failed;
}

void UndoLastCommit(EntryList& list, Prompter& prompter, const RenamedOnDisk& renamedOnDisk,
                    const DiskPhaseRunner& runDiskPhase) {
  if (list.EntryDirectory().empty()) {
    Remind(prompter, "路径都是空的，改什么？请选择路径");
    return;
  }
  if (list.EntryDirectory() == ByteText(1, kPathSeparator)) {
    Remind(prompter, "路径都是空的，改什么？请选择路径");
    list.SetEntryDirectory({});
    return;
  }
  if (list.UndoNames.empty()) {
    Remind(prompter, "你都没改过，撤什么？");
    return;
  }

  // Each recorded row must still show the name the commit gave it: a list
  // sorted, reversed or edited since would put names on the wrong entries.
  // The check reads every recorded row, so it runs with the renames, in the
  // same phase; the list does not change until the phase has ended.
  bool rowsUnchanged = false;
  std::vector<PlannedRename> plan;
  LongWork work(static_cast<int>(list.UndoNames.size()), nullptr);
  BatchOutcome outcome;
  RunDiskPhase(runDiskPhase, work, [&] {
    rowsUnchanged = RecordedRowsUnchanged(list);
    if (!rowsUnchanged) return;
    plan = UndoPlan(list.UndoNames);
    outcome = ApplyRenameBatch(list.EntryDirectory(), plan, [&work](int done) { work.Reached(done); }, &work);
  });
  if (!rowsUnchanged) {
    Remind(prompter, "列表框现标题 和 枚举到的数组 不是完全相同的，不予操作");
    return;
  }
  if (ReportBatchNotStarted(prompter, outcome)) return;
  if (renamedOnDisk) renamedOnDisk(outcome.renamed, outcome.failed);
  UndoRecord left;
  {
    EntryList::Batch batch(list);
    for (size_t i = 0; i < plan.size(); ++i) {
      if (outcome.done[i]) {
        list.SetEntryCell(std::move(plan[i].newName), plan[i].row, 0);
      } else {
        left.push_back({plan[i].row, plan[i].newName, plan[i].oldName});
      }
    }
  }
  // What could not be put back stays recorded, oldest first, for another try.
  list.UndoNames.assign(left.rbegin(), left.rend());
  if (outcome.failed > 0) {
    prompter.Inform(Gbk("有") + ToText(outcome.failed) + Gbk("个文件没能改回原名"), messages::TitleReminder(),
                    MessageIcon::kInformation);
  }
}

}  // namespace vantor
