// SPDX-License-Identifier: GPL-3.0-or-later
#include "listops/single_rename.h"

#include "entries/messages.h"
#include "pipeline/apply_batch.h"
#include "platform/code_page.h"
#include "platform/file_system.h"

namespace vantor {

namespace {

constexpr int kNameColumn = 0;
constexpr int kPendingColumn = 1;

bool StillShows(const EntryList& list, const HandEditCell& cell) {
  if (cell.row < 0 || cell.row >= list.RowCount()) return false;
  if (cell.column == kPendingColumn && !list.PreviewOn()) return false;
  return list.Cell(cell.row, cell.column) == cell.oldText;
}

}  // namespace

HandEditCell HandEditCellOf(const EntryList& list, int row, int column) {
  return HandEditCell{row, column, list.Cell(row, column)};
}

HandEditResult ConfirmHandEdit(EntryList& list, const HandEditCell& cell, const std::optional<ByteText>& typed,
                               bool clearPendingName) {
  if (cell.column != kNameColumn && cell.column != kPendingColumn) return HandEditResult::kIgnored;
  if (!StillShows(list, cell) || !typed) return HandEditResult::kFailed;

  if (cell.column == kPendingColumn) {
    list.SetEntryCell(*typed, cell.row, kPendingColumn);
    return HandEditResult::kPendingSet;
  }
  if (*typed == cell.oldText) return HandEditResult::kUnchanged;
  if (!IsPlainEntryName(*typed) || !IsPlainEntryName(cell.oldText)) return HandEditResult::kFailed;

  const BatchOutcome outcome =
      ApplyBatch(list.EntryDirectory(), {{cell.row, cell.oldText, *typed, {}, list.FolderIndexOfRow(cell.row)}},
                 Gbk("手动改名"), {&list, /*byName=*/false, clearPendingName},
                 {.folders = list.HasFolders() ? &list.Folders() : nullptr})
          .outcome;
  if (outcome.notStarted) return HandEditResult::kNotStarted;
  if (outcome.renamed != 1) return HandEditResult::kFailed;
  return HandEditResult::kRenamed;
}

void TellHandEditResult(Prompter& prompter, HandEditResult result, bool tellSuccess) {
  const char* text = nullptr;
  switch (result) {
    case HandEditResult::kUnchanged: text = "没有任何修改！"; break;
    case HandEditResult::kFailed: text = "修改失败！"; break;
    case HandEditResult::kRenamed: text = tellSuccess ? "此文件名修改成功！" : nullptr; break;
    case HandEditResult::kNotStarted: text = "无法写入改名记录，没有改名"; break;
    case HandEditResult::kPendingSet:
    case HandEditResult::kIgnored: break;
  }
  if (text != nullptr) prompter.Inform(Gbk(text), messages::TitleReminder(), MessageIcon::kInformation);
}

}  // namespace vantor
