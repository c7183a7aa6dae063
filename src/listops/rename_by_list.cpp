// SPDX-License-Identifier: GPL-3.0-or-later
#include "listops/rename_by_list.h"

#include <algorithm>

#include "entries/messages.h"
#include "entries/natural_sort.h"
#include "pipeline/apply_batch.h"
#include "pipeline/reports.h"
#include "platform/code_page.h"
#include "platform/file_system.h"

namespace vantor {

namespace {

constexpr int kNewNameColumn = 1;

void Remind(Prompter& prompter, const ByteText& text) {
  prompter.Inform(text, messages::TitleReminder(), MessageIcon::kInformation);
}

// The non-empty new names, top to bottom.
TextArray GatherNewNames(const NameMapping& mapping) {
  TextArray names;
  mapping.rows.CollectColumnTexts(names, kNewNameColumn, /*skipEmpty=*/true);
  return names;
}

// Rows 0..n-1 get names, every later row an empty new name.
void RewriteNewNames(NameMapping& mapping, const TextArray& names) {
  EntryList::Batch batch(mapping.rows);
  const int count = static_cast<int>(names.size());
  for (int row = 0; row < mapping.rows.RowCount(); ++row) {
    mapping.rows.SetEntryCell(row < count ? names[row] : ByteText(), row, kNewNameColumn);
  }
}

// The extension as the system finds it: from the last "." of the name.
ByteText ExtensionAfterLastDot(const ByteText& name) {
  const size_t dot = name.rfind('.');
  return dot == ByteText::npos ? ByteText() : name.substr(dot);
}

}  // namespace

bool OpenNameMapping(const EntryList& main, Prompter& prompter, NameMapping& mapping) {
  if (main.RowCount() == 0) {
    Remind(prompter, messages::DropFilesFirst());
    return false;
  }
  EntryList::Batch batch(mapping.rows);
  mapping.rows.Clear();
  mapping.origin.clear();
  mapping.rows.SetPreviewOn(true);
  mapping.rows.SetEntryDirectory(main.EntryDirectory());
  // Rows of a folder tree keep their folders (the same table, so the same indices).
  for (size_t folder = 1; main.HasFolders() && folder < main.Folders().size(); ++folder) {
    mapping.rows.AddFolder(main.Folders()[folder]);
  }
  for (int row = 0; row < main.RowCount(); ++row) {
    const ByteText& name = main.Cell(row, 0);
    if (name.empty()) continue;
    if (main.HasFolders()) {
      mapping.rows.AppendRowInFolder(name, main.FolderIndexOfRow(row));
    } else {
      mapping.rows.AppendRow(name);
    }
    mapping.origin.push_back(row);
  }
  return true;
}

void SetNewNames(NameMapping& mapping, const TextArray& names) {
  EntryList::Batch batch(mapping.rows);
  for (size_t i = 0; i < names.size(); ++i) {
    const int row = static_cast<int>(i);
    while (mapping.rows.RowCount() <= row) {
      mapping.rows.AppendRow(ByteText());
      mapping.origin.push_back(-1);
    }
    mapping.rows.SetEntryCell(names[i], row, kNewNameColumn);
  }
}

TextArray PastedNames(const ByteText& text) {
  TextArray names;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == ByteText::npos) end = text.size();
    ByteText line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    names.push_back(TrimTrailing(line));
    start = end + 1;
  }
  return names;
}

void ClearNewNames(NameMapping& mapping) { RewriteNewNames(mapping, {}); }

void ReverseNewNames(NameMapping& mapping, Prompter& prompter) {
  if (mapping.rows.RowCount() == 0) {
    Remind(prompter, messages::ListIsEmpty());
    return;
  }
  TextArray names = GatherNewNames(mapping);
  std::reverse(names.begin(), names.end());
  RewriteNewNames(mapping, names);
}

void SortNewNames(NameMapping& mapping, Prompter& prompter) {
  if (mapping.rows.RowCount() == 0) {
    Remind(prompter, messages::ListIsEmpty());
    return;
  }
  TextArray names = GatherNewNames(mapping);
  NaturalSort(names);
  RewriteNewNames(mapping, names);
}

ByteText MappedName(const ByteText& oldName, const ByteText& newName, bool withExtension) {
  return withExtension ? newName : newName + ExtensionAfterLastDot(oldName);
}

MappingRunResult RenameByMapping(NameMapping& mapping, Prompter& prompter, bool withExtension,
                                 const DiskPhaseRunner& runDiskPhase, const RenamedOnDisk& renamedOnDisk) {
  EntryList& rows = mapping.rows;
  MappingRunResult result;
  int names = 0;
  int listed = 0;
  for (int row = 0; row < rows.RowCount(); ++row) {
    names += rows.Cell(row, kNewNameColumn).empty() ? 0 : 1;
    listed += rows.Cell(row, 0).empty() ? 0 : 1;
  }
  ByteText question = Gbk("确定按名单改名吗？");
  if (names != listed) {
    question += Gbk("\r\n名单有") + ToText(names) + Gbk("行，列表有") + ToText(listed) + Gbk("项，只改前") +
                ToText(std::min(names, listed)) + Gbk("项");
  }
  if (!prompter.Confirm(question, Gbk("提示"), MessageIcon::kNone)) return result;

  std::vector<PlannedRename> plan;
  for (int row = 0; row < rows.RowCount(); ++row) {
    const ByteText& oldName = rows.Cell(row, 0);
    const ByteText& newName = rows.Cell(row, kNewNameColumn);
    if (oldName.empty() || newName.empty()) continue;
    ByteText target = MappedName(oldName, newName, withExtension);
    if (!IsPlainEntryName(target)) {
      ++result.failed;
      continue;
    }
    plan.push_back({row, oldName, std::move(target), {}, rows.FolderIndexOfRow(row)});
  }

  const BatchOutcome outcome =
      ApplyBatch(rows.EntryDirectory(), std::move(plan), Gbk("按名单改名"), {&rows},
                 {.runDiskPhase = runDiskPhase, .folders = rows.HasFolders() ? &rows.Folders() : nullptr})
          .outcome;
  if (ReportBatchNotStarted(prompter, outcome)) {
    result.failed = 0;
    return result;
  }
  result.renamed = outcome.renamed;
  result.failed += outcome.failed;
  if (renamedOnDisk) renamedOnDisk(result.renamed, result.failed);

  if (result.renamed > 0) {
    prompter.Inform(Gbk("一共有") + ToText(result.renamed) + Gbk("个文件被改名"), Gbk("修改成果提示"),
                    MessageIcon::kInformation);
  } else {
    prompter.Inform(Gbk("没有任何改动"), Gbk("没有改动"), MessageIcon::kInformation);
  }
  ReportFailedRenames(prompter, result.failed);
  return result;
}

void WriteBackNames(const NameMapping& mapping, EntryList& main) {
  EntryList::Batch batch(main);
  for (int row = 0; row < mapping.rows.RowCount(); ++row) {
    const ByteText& name = mapping.rows.Cell(row, 0);
    const int target = row < static_cast<int>(mapping.origin.size()) ? mapping.origin[row] : -1;
    if (target < 0 || target >= main.RowCount()) {
      if (!name.empty()) main.AppendRow(name);
      continue;
    }
    if (main.Cell(target, 0) == name) continue;
    main.SetEntryCell(name, target, 0);
    main.SetEntryCell(ByteText(), target, 1);
  }
}

}  // namespace vantor
