// SPDX-License-Identifier: GPL-3.0-or-later
// Renaming the listed entries one-to-one from a list of new names. The mapping
// pairs each listed name (column 0) with a new name (column 1); it remembers
// which row of the main list each of its rows came from, so that its names go
// back to exactly those rows.
#pragma once

#include <vector>

#include "entries/entry_list.h"
#include "pipeline/run_context.h"
#include "platform/prompter.h"

namespace vantor {

struct NameMapping {
  // Preview on, so that column 1 (the new names) exists. Its entry directory
  // is the main list's: the folder the renames happen in.
  EntryList rows;
  // Per mapping row, the main-list row it came from; -1 for rows added to hold
  // new names beyond the listed entries.
  std::vector<int> origin;
};

// Fills mapping from the main list: one row per non-empty column-0 name, top
// to bottom, new names empty. An empty main list: "先拖入文件！" (提醒：), false,
// mapping untouched. Rows {"a", "", "b"} give mapping rows "a" (origin 0) and
// "b" (origin 2).
bool OpenNameMapping(const EntryList& main, Prompter& prompter, NameMapping& mapping);

// Row i's new name := names[i], adding rows (without a listed name) while the
// mapping has fewer rows than names. Rows after the last name keep theirs.
void SetNewNames(NameMapping& mapping, const TextArray& names);

// Pasted text split into lines (CR LF or LF), each without trailing half- and
// full-width spaces; no line after a final break.
// PastedNames("x \r\ny\n") == TextArray{"x", "y"}.
TextArray PastedNames(const ByteText& text);

// Column 1 of every row := "".
void ClearNewNames(NameMapping& mapping);

// Both gather the non-empty new names top to bottom and write them back
// reversed (or in natural order) into rows 0..n-1, emptying the new name of
// every row after them. An empty mapping: "列表框是空的！" (提醒：).
// New names {"a", "", "b", "c"} reversed give {"c", "b", "a", ""}.
void ReverseNewNames(NameMapping& mapping, Prompter& prompter);
void SortNewNames(NameMapping& mapping, Prompter& prompter);

// The name a row's entry gets: the new name as it is with withExtension, else
// the new name followed by the old name's extension (from its last ".").
// MappedName("abc.txt", "x", false) == "x.txt"; MappedName("abc.txt", "x", true) == "x".
ByteText MappedName(const ByteText& oldName, const ByteText& newName, bool withExtension);

struct MappingRunResult {
  int renamed = 0;
  int failed = 0;
};

// Asks first: "确定按名单改名吗？", and when the count m of new names and the
// count n of listed names differ, "\r\n名单有" + m + "行，列表有" + n +
// "项，只改前" + min(m, n) + "项" (提示, OK and Cancel); Cancel renames nothing
// and says nothing more. Then renames, in one batch in the entry directory, every row whose listed name
// and new name are both non-empty to its MappedName, never replacing an
// existing entry. A row renamed (or already so named) shows its name on disk
// in column 0 and an empty new name; a row whose rename failed keeps both. A
// mapped name that is ".", ".." or holds "/" is not tried and counts as
// failed. Then "一共有" + renamed + "个文件被改名" (修改成果提示), or with none
// renamed "没有任何改动" (没有改动), followed by the failure count when renames
// failed. runDiskPhase, when given, runs the renames and may stop them; rows
// not reached keep both names and count neither way. renamedOnDisk, when
// given, is told the result once the renames ran, before the boxes.
MappingRunResult RenameByMapping(NameMapping& mapping, Prompter& prompter, bool withExtension,
                                 const DiskPhaseRunner& runDiskPhase = {}, const RenamedOnDisk& renamedOnDisk = {});

// Writes each mapping row's listed name into the main-list row it came from
// (an emptied name included); a row whose name changes loses its pending
// name. Listed names of added rows (moved there by hand) are appended as new
// main-list rows, so that no name is lost.
void WriteBackNames(const NameMapping& mapping, EntryList& main);

}  // namespace vantor
