// Applying the previewed names, and taking the last such commit back.
#pragma once

#include "entries/entry_list.h"
#include "entries/intake.h"
#include "pipeline/run_context.h"
#include "platform/prompter.h"

namespace vantor {

// Renames every row that has both a current and a pending name to its pending
// name. A row whose rename succeeded shows the new name and an empty pending
// cell; a row whose rename failed keeps both cells. UndoNames is refilled with
// the old name of every committed row (failed ones included, so that undo
// stays aligned by position). Renames go through ApplyRenameBatch, so chains
// and swaps complete in any row order, and a pending name it refuses (invalid,
// shared by two rows, taken) is a failure like one the file system refuses.
// Failures are reported once after the run. renamedOnDisk, when given, is told
// the outcome once the renames ran. runDiskPhase, when given, runs the renames
// and may stop them: renames not reached keep their rows as they were and are
// no failures. Returns how many renames failed.
int CommitPreview(EntryList& list, Prompter& prompter, const RenamedOnDisk& renamedOnDisk = {},
                  const DiskPhaseRunner& runDiskPhase = {});

// Puts the names recorded by the last commit back, on disk and in column 0,
// after checking that the list still describes the folder. Rows whose rename
// fails keep their current name and are reported once after the run;
// renamedOnDisk, when given, is told the outcome once the renames ran;
// runDiskPhase runs the renames as in CommitPreview.
void UndoLastCommit(EntryList& list, Prompter& prompter, const IntakeSettings& intake,
                    const RenamedOnDisk& renamedOnDisk = {}, const DiskPhaseRunner& runDiskPhase = {});

}  // namespace vantor
