// SPDX-License-Identifier: GPL-3.0-or-later
// Commands that re-order or tidy the entry list without touching the disk.
#pragma once

#include "entries/entry_list.h"
#include "entries/sort_by_time.h"
#include "platform/prompter.h"

namespace vantor {

// Swaps the cell of the selected row in column LastRightClickColumn with the
// one above. On the first row: "已经在最顶了，无法再上移了！". No selection
// (selectedRow -1): nothing. The selection stays on selectedRow.
void MoveCellUp(EntryList& list, Prompter& prompter, int selectedRow);

// The same downwards; on the last row (also on an empty list with nothing
// selected): "已经在最底部了，无法再下移了！".
void MoveCellDown(EntryList& list, Prompter& prompter, int selectedRow);

// Reverses the rows (pending names go with them); an empty list: "列表框是空的！".
void ReverseListOrder(EntryList& list, Prompter& prompter);

// "按数字大小排序": column 0 in natural order; an empty list: "先拖入文件！".
void SortListNaturally(EntryList& list, Prompter& prompter);

// The two file-time orders, newest first; the rows are recreated, so pending
// names are gone afterwards. An empty list: "先拖入文件！".
void SortListByFileTime(EntryList& list, Prompter& prompter, FileTimeKind kind);

}  // namespace vantor
