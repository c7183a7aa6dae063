// SPDX-License-Identifier: GPL-3.0-or-later
#include "listops/delete_entries.h"

#include "entries/messages.h"
#include "pipeline/guards.h"
#include "pipeline/long_work.h"
#include "platform/code_page.h"
#include "platform/file_system.h"

namespace vantor {

namespace {

ByteText Question(const DeleteEntriesSettings& settings, bool folders) {
  if (settings.way == DeleteWay::kPermanently) {
    return Gbk("确定删除吗？此操作不可撤回！\r\n机械硬盘只能用恢复软件恢复！\r\n固态硬盘将永久不可恢复！");
  }
  return folders ? Gbk("确定删除吗？") : Gbk("确定删除到回收站吗？");
}

// Deletes one listed entry of the wanted kind; false for anything else.
bool DeleteEntry(const ByteText& directory, const ByteText& name, bool folders, DeleteWay way, Trash& trash) {
  const EntryType type = EntryTypeOf(directory, name);
  const bool wanted = type == EntryType::kSymbolicLink || type == (folders ? EntryType::kFolder : EntryType::kOther);
  if (!wanted) return false;
  if (way == DeleteWay::kToTrash) {
    const std::optional<std::string> path = NativeEntryPath(directory, name);
    return path && trash.MoveToTrash(*path);
  }
  return folders ? DeleteFolderTree(directory, name) : DeleteFileEntry(directory, name);
}

}  // namespace

void DeleteListedEntries(EntryList& list, Prompter& prompter, Trash& trash,
                         const DeleteEntriesSettings& settings, const DiskPhaseRunner& runDiskPhase) {
  const bool folders = settings.mode == ProcessingMode::kFolders;
  if (list.RowCount() == 0) {
    prompter.Inform(folders ? Gbk("列表框是空的") : Gbk("列表框是空的，请先拖入文件！"), messages::TitleHint(),
                    MessageIcon::kInformation);
    return;
  }
  // Without a directory a row name would be taken from wherever the program runs.
  if (!CheckEntryDirectoryPresent(prompter, list)) return;
  if (RefuseNoRowChosen(settings.rows, prompter)) return;
  if (!prompter.Confirm(Question(settings, folders), messages::TitleHint(), MessageIcon::kNone)) return;

  const ByteText& directory = list.EntryDirectory();
  std::vector<int> gone;
  int failed = 0;
  LongWork work(list.RowCount(), nullptr);
  RunDiskPhase(runDiskPhase, work, [&] {
    for (int row = 0; row < list.RowCount() && !work.StopRequested(); ++row) {
      const ByteText& name = list.Cell(row, 0);
      const bool taken = settings.rows == nullptr || settings.rows->Contains(row);
      if (name.empty() || !taken) {
      } else if (DeleteEntry(list.HasFolders() ? directory + list.FolderOfRow(row) : directory, name, folders,
                             settings.way, trash)) {
        gone.push_back(row);
      } else {
        ++failed;
      }
      work.Reached(row + 1);
    }
  });
  const int deleted = static_cast<int>(gone.size());
  list.RemoveRows(gone);
  ByteText summary = Gbk("已删除") + ToText(deleted) + Gbk("个");
  if (failed > 0) summary += Gbk("，") + ToText(failed) + Gbk("个删除失败");
  prompter.Inform(summary, messages::TitleHint(), MessageIcon::kInformation);
}

}  // namespace vantor
