// SPDX-License-Identifier: GPL-3.0-or-later
#include "listops/list_commands.h"

#include "entries/messages.h"
#include "entries/natural_sort.h"
#include "platform/code_page.h"

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
  SwapCells(list, selectedRow, selectedRow - 1, list.LastRightClickColumn);
}

void MoveCellDown(EntryList& list, Prompter& prompter, int selectedRow) {
  if (selectedRow == list.RowCount() - 1) {
    Remind(prompter, Gbk("已经在最底部了，无法再下移了！"));
    return;
  }
  if (selectedRow < 0 || selectedRow >= list.RowCount()) return;
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
  list.CollectColumnTexts(names, 0, true);
  SortByFileTime(names, list.EntryDirectory(), kind);
  EntryList::Batch batch(list);
  list.Clear();
  for (ByteText& name : names) list.AppendRow(std::move(name));
}

}  // namespace vantor
