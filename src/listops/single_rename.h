// SPDX-License-Identifier: GPL-3.0-or-later
// Renaming one entry by hand: the user types a new name for one cell of a
// list (the main list or the mapping list). In the name column the entry is
// renamed on disk; in the preview column only the pending name changes.
#pragma once

#include <optional>

#include "entries/entry_list.h"
#include "platform/prompter.h"

namespace vantor {

// The cell a hand edit works on, taken when the edit starts, with the text it
// showed then.
struct HandEditCell {
  int row = -1;
  int column = 0;
  ByteText oldText;
};

// The cell (row, column) of list as it is now. HandEditCellOf(list, 2, 0).oldText == list.Cell(2, 0).
HandEditCell HandEditCellOf(const EntryList& list, int row, int column);

enum class HandEditResult {
  kRenamed,     // the entry was renamed on disk and its row shows the new name
  kPendingSet,  // the pending name was replaced
  kUnchanged,   // the typed name equals the old one
  kFailed,      // nothing changed: refused or the rename failed
  kIgnored,     // a column the edit does not serve; the edit goes on
  kNotStarted,  // the rename's journal could not be written; nothing changed
};

// Carries out a hand edit of cell with the typed text (nullopt: it has no GBK
// form). Refused (kFailed), before the disk is touched, when the cell no longer
// shows its old text (rows removed, the list cleared or re-ordered, preview
// switched off) or the text cannot be a name: empty, ".", "..", holding "/".
// Column 0: the typed text equal to the old one is kUnchanged; otherwise the
// entry directory's entry is renamed without replacing an existing one; with
// clearPendingName the row's pending name goes too. Column 1: the text, even
// empty, becomes the pending name. Other columns: kIgnored.
// With a.txt in row 0, ConfirmHandEdit(list, {0, 0, "a.txt"}, "b.txt", true)
// == kRenamed and row 0 shows b.txt.
HandEditResult ConfirmHandEdit(EntryList& list, const HandEditCell& cell, const std::optional<ByteText>& typed,
                               bool clearPendingName);

// The box after a finished edit: "没有任何修改！" for kUnchanged, "修改失败！"
// for kFailed, "此文件名修改成功！" for kRenamed when tellSuccess, "无法写入
// 改名记录，没有改名" for kNotStarted; all under "提醒：". Nothing otherwise.
void TellHandEditResult(Prompter& prompter, HandEditResult result, bool tellSuccess);

}  // namespace vantor
