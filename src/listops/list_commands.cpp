// SPDX-License-Identifier: GPL-3.0-or-later
#include "listops/list_commands.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "entries/messages.h"
#include "entries/natural_sort.h"
#include "platform/code_page.h"
#include "platform/file_system.h"

namespace vantor {

namespace {

void Remind(Prompter& prompter, const ByteText& text) {
  prompter.Inform(text, messages::TitleReminder(), MessageIcon::kInformation);
}

void SwapCells(EntryList& list, int rowA, int rowB, int column) {
  const ByteText a = list.Cell(rowA, column);
  const ByteText b = list.Cell(rowB, column);
  EntryList::Batch batch(list);
  list.SetEntryCell(a, rowB, column);
  list.SetEntryCell(b, rowA, column);
}

}  // namespace

void MoveCellUp(EntryList& list, Prompter& prompter, int selectedRow) {
  if (selectedRow == 0) {
    Remind(prompter, Gbk("已经在最顶了，无法再上移了！"));
    return;
  }
  if (selectedRow < 0 || selectedRow >= list.RowCount()) return;
  // In a tree a name belongs to its folder: the whole row moves.
  if (list.HasFolders() && list.LastRightClickColumn == 0) {
    list.MoveRows({selectedRow}, selectedRow - 1);
    return;
  }
  SwapCells(list, selectedRow, selectedRow - 1, list.LastRightClickColumn);
}

void MoveCellDown(EntryList& list, Prompter& prompter, int selectedRow) {
  if (selectedRow == list.RowCount() - 1) {
    Remind(prompter, Gbk("已经在最底部了，无法再下移了！"));
    return;
  }
  if (selectedRow < 0 || selectedRow >= list.RowCount()) return;
  if (list.HasFolders() && list.LastRightClickColumn == 0) {
    list.MoveRows({selectedRow}, selectedRow + 2);
    return;
  }
  SwapCells(list, selectedRow, selectedRow + 1, list.LastRightClickColumn);
}

void ReverseListOrder(EntryList& list, Prompter& prompter) {
  if (list.RowCount() == 0) {
    Remind(prompter, messages::ListIsEmpty());
    return;
  }
  list.ReverseOrder();
}

void SortListNaturally(EntryList& list, Prompter& prompter) {
  if (list.RowCount() == 0) {
    Remind(prompter, messages::DropFilesFirst());
    return;
  }
  if (list.HasFolders()) {
    // Rows of a tree keep their folders and pending names: whole rows are ordered.
    std::vector<size_t> order(static_cast<size_t>(list.RowCount()));
    for (size_t row = 0; row < order.size(); ++row) order[row] = row;
    std::stable_sort(order.begin(), order.end(), [&list](size_t a, size_t b) {
      return CompareNaturally(list.Cell(static_cast<int>(a), 0), list.Cell(static_cast<int>(b), 0)) < 0;
    });
    list.ReorderRows(order);
    return;
  }
  TextArray names;
  list.CollectColumnTexts(names, 0);
  NaturalSort(names);
  list.SetColumnTexts(names, 0);
}

void SortListByFileTime(EntryList& list, Prompter& prompter, FileTimeKind kind) {
  if (list.RowCount() == 0) {
    Remind(prompter, messages::DropFilesFirst());
    return;
  }
  TextArray names;
  if (list.HasFolders()) {
    // Paths relative to the entry directory find each file in its folder.
    for (int row = 0; row < list.RowCount(); ++row) {
      if (!list.Cell(row, 0).empty()) names.push_back(list.FolderOfRow(row) + list.Cell(row, 0));
    }
  } else {
    list.CollectColumnTexts(names, 0, true);
  }
  SortByFileTime(names, list.EntryDirectory(), kind);
  const std::vector<ByteText> folders = list.HasFolders() ? list.Folders() : std::vector<ByteText>{};
  EntryList::Batch batch(list);
  list.Clear();
  if (folders.empty()) {
    for (ByteText& name : names) list.AppendRow(std::move(name));
    return;
  }
  std::unordered_map<ByteText, uint32_t> indexOf;
  for (const ByteText& folder : folders) indexOf.emplace(folder, list.AddFolder(folder));
  for (ByteText& path : names) {
    const size_t cut = path.rfind(kPathSeparator);
    const ByteText folder = cut == ByteText::npos ? ByteText() : path.substr(0, cut + 1);
    const auto found = indexOf.find(folder);
    list.AppendRowInFolder(path.substr(cut == ByteText::npos ? 0 : cut + 1), found == indexOf.end() ? 0 : found->second);
  }
}

}  // namespace vantor
