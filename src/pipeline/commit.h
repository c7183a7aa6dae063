// Applying the previewed names, and taking the last such commit back.
#pragma once

#include "entries/entry_list.h"
#include "pipeline/run_context.h"
#include "platform/prompter.h"

namespace vantor {

// Renames every row that has both a current and a pending name to its pending
// name. A row whose rename succeeded shows the new name and an empty pending
// cell; a row whose rename failed keeps both cells. UndoNames is refilled with
// the renames that really happened (row, name before, name after), in the
// order they were planned. Renames go through ApplyRenameBatch, so chains
// and swaps complete in any row order, and a pending name it refuses (invalid,
// shared by two rows, taken) is a failure like one the file system refuses.
// Failures are reported once after the run; a journal that cannot be written
// is the only message then. renamedOnDisk, when given, is told the outcome once
// the renames ran. runDiskPhase, when given, runs the renames and may stop
// them: renames not reached keep their rows as they were and are no failures.
// Returns how many renames failed.
int CommitPreview(EntryList& list, Prompter& prompter, const RenamedOnDisk& renamedOnDisk = {},
                  const DiskPhaseRunner& runDiskPhase = {});

// Puts back exactly the renames the last commit made, newest first, through
// ApplyRenameBatch, on disk and in column 0; refused ("列表框现标题 和 枚举到的数组
// 不是完全相同的，不予操作") unless every recorded row still shows its committed
// name. What cannot be put back stays recorded and is told once: "有" + n +
// "个文件没能改回原名". renamedOnDisk and runDiskPhase as in CommitPreview.
// With a.txt -> b.txt committed in row 0, undo renames b.txt back to a.txt and
// row 0 shows a.txt.
void UndoLastCommit(EntryList& list, Prompter& prompter, const RenamedOnDisk& renamedOnDisk = {},
                    const DiskPhaseRunner& runDiskPhase = {});

}  // namespace vantor
