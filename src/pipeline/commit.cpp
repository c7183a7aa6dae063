// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeline/commit.h"

#include "entries/messages.h"
#include "entries/paths.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "pipeline/apply_batch.h"
#include "pipeline/pending_marks.h"
#include "pipeline/rename_batch.h"
#include "pipeline/reports.h"

namespace vantor {

namespace {

void Remind(Prompter& prompter, const char* utf8Text) {
  prompter.Inform(Gbk(utf8Text), messages::TitleReminder(), MessageIcon::kInformation);
}

}  // namespace

int CommitPreview(EntryList& list, Prompter& prompter, const RenamedOnDisk& renamedOnDisk,
                  const DiskPhaseRunner& runDiskPhase, const RowSubset* rows) {
  if (RefuseNoRowChosen(rows, prompter)) return 0;
  int withName = 0;
  int withPending = 0;
  for (int row = 0; row < list.RowCount(); ++row) {
    if (rows != nullptr && !rows->Contains(row)) continue;
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

  // The pending names are gathered in the disk phase: at a million rows that
  // is a walk the window should not wait for.
  const AppliedBatch applied =
      ApplyBatch(list.EntryDirectory(), {}, Gbk("提交预览"), {&list},
                 {.runDiskPhase = runDiskPhase,
                  .folder = list.EntryFolder(),
                  .makePlan = [&list, rows] { return PendingRenames(list, rows); },
                  .planSize = withPending,
                  .folders = list.HasFolders() ? &list.Folders() : nullptr});
  const BatchOutcome& outcome = applied.outcome;
  if (ReportBatchNotStarted(prompter, outcome)) return 0;
  const int failed = outcome.failed;
  if (renamedOnDisk) renamedOnDisk(outcome.renamed, failed);
  ReportFailedRenames(prompter, failed, applied.replaced);
  return failed;
}

}  // namespace vantor
