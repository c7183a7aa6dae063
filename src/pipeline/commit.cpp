#include "pipeline/commit.h"

#include "entries/listing.h"
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

// The consistency check of undo: the list must equal, position by position,
// what intake would list now. Returns false after telling why not.
bool ListMatchesFolder(Prompter& prompter, const TextArray& listed, const EntryList& list,
                       const IntakeSettings& intake) {
  const bool folderMode = intake.mode == ProcessingMode::kFolders;
  const FolderListing onDisk = folderMode ? ListSubfolders(list.EntryDirectory())
                                          : ListFolderFiles(list.EntryDirectory(), intake.onlySearchPattern);
  if (!folderMode && onDisk.names.empty()) {
    Remind(prompter, "枚举到的数组个数为0，无法操作");
    return false;
  }
  if (onDisk.names.size() != listed.size()) {
    Remind(prompter, "列表框现标题 和 枚举到的数组，无法操作");
    return false;
  }
  if (onDisk.names != listed) {
    Remind(prompter, "列表框现标题 和 枚举到的数组 不是完全相同的，不予操作");
    return false;
  }
  return true;
}

BatchOutcome ApplyWithRunner(const ByteText& directory, const std::vector<PlannedRename>& plan,
                             const DiskPhaseRunner& runDiskPhase) {
  LongWork work(static_cast<int>(plan.size()), nullptr);
  BatchOutcome outcome;
  RunDiskPhase(runDiskPhase, work, [&] {
    outcome = ApplyRenameBatch(directory, plan, [&work](int done) { work.Reached(done); }, &work);
  });
  return outcome;
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

  const std::vector<PlannedRename> plan = PendingRenames(list);
  const BatchOutcome outcome = ApplyWithRunner(list.EntryDirectory(), plan, runDiskPhase);
  const int failed = outcome.failed;
  if (renamedOnDisk) renamedOnDisk(outcome.renamed, failed);
  {
    EntryList::Batch batch(list);
    for (size_t i = 0; i < plan.size(); ++i) {
      if (outcome.done[i]) {
        list.SetEntryCell(plan[i].newName, plan[i].row, 0);
        list.SetEntryCell(ByteText(), plan[i].row, 1);
      }
      list.UndoNames.push_back(plan[i].oldName);
    }
  }
  ReportFailedRenames(prompter, failed);
  return failed;
}

void UndoLastCommit(EntryList& list, Prompter& prompter, const IntakeSettings& intake,
                    const RenamedOnDisk& renamedOnDisk, const DiskPhaseRunner& runDiskPhase) {
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

  TextArray listed;
  list.CollectColumnTexts(listed, 0);
  const TextArray& undoNames = list.UndoNames;
  // An empty list has no first extension to compare; it fails the count check.
  const bool extensionKept =
      !listed.empty() && ExtensionOfPath(listed.front()) == ExtensionOfPath(undoNames.front());
  // An operation that changed the extension leaves the folder check out.
  if (extensionKept && !ListMatchesFolder(prompter, listed, list, intake)) return;
  if (listed.size() != undoNames.size()) {
    Remind(prompter, "列表框现标题数量 和 撤回数组的数量不一致，无法操作");
    return;
  }

  std::vector<PlannedRename> plan;
  for (size_t j = 0; j < undoNames.size(); ++j) {
    const int row = static_cast<int>(j);
    const ByteText& current = list.Cell(row, 0);
    if (current.empty() || undoNames[j].empty()) continue;
    plan.push_back({row, current, undoNames[j]});
  }
  const BatchOutcome outcome = ApplyWithRunner(list.EntryDirectory(), plan, runDiskPhase);
  const int failed = outcome.failed;
  if (renamedOnDisk) renamedOnDisk(outcome.renamed, failed);
  {
    EntryList::Batch batch(list);
    for (size_t i = 0; i < plan.size(); ++i) {
      if (outcome.done[i]) list.SetEntryCell(plan[i].newName, plan[i].row, 0);
    }
  }
  ReportFailedRenames(prompter, failed);
}

}  // namespace vantor
