// SPDX-License-Identifier: GPL-3.0-or-later
// The one step every path that renames on disk goes through: direct runs,
// commits, undos, hand edits, renames by list, repairs. It runs the rename
// engine, records what the batch really did in the history, and writes the
// outcome into the rows that show the batch's entries. Messages are the
// caller's: the step shows none.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "entries/entry_list.h"
#include "pipeline/rename_batch.h"
#include "pipeline/run_context.h"

namespace vantor {

// Which rows show the batch's entries, and how they follow a done rename.
struct BatchRows {
  EntryList* list = nullptr;  // none: no list is updated
  // false: PlannedRename::row is the row; true: the rows whose column 0 shows
  // the old name (an undo, planned from the history, knows names, not rows).
  bool byName = false;
  bool clearPending = true;   // a renamed row also loses its pending name (preview on)
};

struct ApplyOptions {
  DiskPhaseRunner runDiskPhase{};   // runs the renames and the recording; empty: inline
  RunProgress* progress = nullptr;  // hears how far the renames are (not Started/Finished)
  std::string undoes{};             // the record this batch takes back (undo and redo)
  EntryIdentity folder{};           // the folder as listed, when known: one moved or replaced stops the batch
  // When given, makes the plan (in place of the plan argument) at the start
  // of the disk phase, off the window's thread like the renames: for plans
  // that cost a walk over every row or a read of the history. planSize is
  // its size as far as known beforehand, for the progress (0: unknown).
  std::function<std::vector<PlannedRename>()> makePlan{};
  int planSize = 0;
  // A batch over a folder tree: the folders below `folder` its renames lie
  // in (PlannedRename::folder indexes it; see EntryList::Folders()). null:
  // every rename lies in the folder itself.
  const std::vector<ByteText>* folders = nullptr;
};

struct AppliedBatch {
  BatchOutcome outcome;  // per planned rename, in plan order (pipeline/rename_batch.h)
  std::string record;    // id of the history record; empty when nothing was renamed or recording failed
  TextArray replaced;    // old names of the entries left alone because another stood under them
};

// Renames plan in folder through ApplyRenameBatch (chains, cycles, journal,
// no overwrite; stoppable through options.runDiskPhase), records the renames
// that happened, in plan order, as one history batch under caption ("提交预览",
// "撤回", "手动改名", "按名单改名", "修复乱码", "恢复", or an operation's
// button caption), then sets column 0 of each renamed row to its new name.
// A batch that did not start (outcome.notStarted) changes nothing and records
// nothing. The plan's names move into the rows. Everything but the writing of
// the cells happens in the disk phase (finding the rows by name among them),
// so that a batch of a million leaves the window's thread only the cells to
// write.
// Over a folder tree (options.folders) each folder is a batch of its own for
// the engine: names clash, chain and cycle only within one folder. The one
// history record keeps the paths relative to `folder` ("Season 1/e1.mkv"). A
// sub-folder whose batch cannot start counts its renames as failed.
// ApplyBatch("/d/", {{0, "a", "b"}}, "手动改名", {&list}) renames a to b, records
// it and row 0 shows b.
AppliedBatch ApplyBatch(const ByteText& folder, std::vector<PlannedRename> plan, const ByteText& caption,
                        const BatchRows& rows, const ApplyOptions& options = {});

// Takes back the newest batch of the list's folder that is neither an undo
// nor undone already, from this run or an earlier one; pressing again goes
// further back. Guards first (empty folder, root alone: "路径都是空的，改什么？
// 请选择路径", the latter also clears the folder); no batch to take back: "你都没
// 改过，撤什么？". See UndoRecordedBatch for the rest; returns what it does.
std::string UndoNewestBatch(EntryList& list, Prompter& prompter, const RenamedOnDisk& renamedOnDisk = {},
                     const DiskPhaseRunner& runDiskPhase = {});

// Takes back the history record id, working on the disk, not the rows: each
// rename is reversed (newest first, through ApplyBatch, caption "撤回") when its
// entry was not renamed again by a later batch of that folder and the old name
// is free. Only the entry the batch left under a new name (same device and
// inode, where the record knows them) is renamed back, and only in the folder
// the batch ran in: one moved away or replaced at its path stops the undo
// ("文件夹已被移动或替换，没有改名"). Entries left as they are, and reversals that
// fail, are counted and told once: "有" + n + "个文件没能改回原名" (提醒：), with a
// line "文件已被替换：" + name for each entry another one stood in for. Rows of list (when it shows
// that folder) that showed a name changed back show the old name, in place.
// The undo is a batch of its own, so taking it back redoes the batch. A
// record gone or damaged: "这一批的改名记录无法读取，没有改名" (提醒：).
// Returns the id of the undo's own history record (what it put back), empty
// when it renamed nothing.
std::string UndoRecordedBatch(const std::string& id, EntryList& list, Prompter& prompter,
                       const RenamedOnDisk& renamedOnDisk = {}, const DiskPhaseRunner& runDiskPhase = {});

}  // namespace vantor
