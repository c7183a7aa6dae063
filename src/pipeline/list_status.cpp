// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeline/list_status.h"

namespace vantor {

ListStatus CountStatus(const EntryList& list) {
  ListStatus status;
  status.rows = list.RowCount();
  if (!list.PreviewOn()) return status;
  for (int row = 0; row < list.RowCount(); ++row) {
    if (list.Cell(row, 0).empty() || list.Cell(row, 1).empty()) continue;
    ++status.pending;
    if (list.MarkOf(row) != PendingMark::kNone) ++status.conflicts;
  }
  return status;
}

}  // namespace vantor
