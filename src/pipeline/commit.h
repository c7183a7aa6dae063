// SPDX-License-Identifier: GPL-3.0-or-later
// Applying the previewed names.
#pragma once

#include "entries/entry_list.h"
#include "pipeline/run_context.h"
#include "platform/prompter.h"

namespace vantor {

// Renames every row that has both a current and a pending name to its pending
// name. A row whose rename succeeded shows the new name and an empty pending
// cell; a row whose rename failed keeps both cells. The renames go through
// ApplyBatch (caption "提交预览"), so they are recorded in the history, chains
// and swaps complete in any row order, and a pending name it refuses (invalid,
// shared by two rows, taken) is a failure like one the file system refuses.
// Failures are reported once after the run; a journal that cannot be written
// is the only message then. renamedOnDisk, when given, is told the outcome once
// the renames ran. runDiskPhase, when given, runs the renames and may stop
// them: renames not reached keep their rows as they were and are no failures.
// With rows given, only the rows it takes are counted and committed; the
// others keep their pending names. In a folder tree each folder is committed
// on its own (ApplyBatch). Returns how many renames failed.
int CommitPreview(EntryList& list, Prompter& prompter, const RenamedOnDisk& renamedOnDisk = {},
                  const DiskPhaseRunner& runDiskPhase = {}, const RowSubset* rows = nullptr);

}  // namespace vantor
