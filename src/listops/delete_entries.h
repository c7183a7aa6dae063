// SPDX-License-Identifier: GPL-3.0-or-later
// "删除右边列表框中显示的所有文件": deletes every listed file or folder,
// permanently or into the desktop's trash; the rows of the deleted entries
// leave the list.
#pragma once

#include "entries/entry_list.h"
#include "entries/intake.h"
#include "pipeline/run_context.h"
#include "platform/prompter.h"
#include "platform/trash.h"

namespace vantor {

enum class DeleteWay { kPermanently, kToTrash };  // 单选框17 / 单选框18

struct DeleteEntriesSettings {
  DeleteWay way = DeleteWay::kPermanently;
  ProcessingMode mode = ProcessingMode::kFiles;  // 组合框2
  const RowSubset* rows = nullptr;  // the rows taken (filter, selection); null: every row
};

// In the folder mode every non-empty row names a folder, removed with all it
// holds; in the other modes a file (a folder there is left and counts as
// failed). A symbolic link is deleted as a link, never followed. A row name
// that is not a plain name of the entry directory is not deleted and counts
// as failed. The trash takes one item at a time without a dialog. A row of a
// folder tree is deleted in its own folder. Rows settings.rows leaves out stay
// and are not counted.
// Order: an empty list ("列表框是空的，请先拖入文件！", in the folder mode
// "列表框是空的"; 提示); no entry directory (the rename guard's message); one
// question (OK/Cancel; Cancel deletes nothing) before the first deletion;
// then "已删除" + n + "个", or with failures "已删除" + n + "个，" + f +
// "个删除失败" (提示). The rows of deleted entries are removed before the
// summary; failed and unreached rows stay. runDiskPhase, when given, runs the
// deletions and may stop them between two rows; rows not reached count
// neither way.
void DeleteListedEntries(EntryList& list, Prompter& prompter, Trash& trash,
                         const DeleteEntriesSettings& settings, const DiskPhaseRunner& runDiskPhase = {});

}  // namespace vantor
