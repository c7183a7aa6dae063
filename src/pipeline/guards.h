// SPDX-License-Identifier: GPL-3.0-or-later
// The checks every rename operation makes before it touches an entry.
#pragma once

#include "entries/entry_list.h"
#include "pipeline/run_context.h"
#include "platform/prompter.h"

namespace vantor {

// Guard 1: false (after "路径呢？请先拖入文件！") when no entry directory is set.
bool CheckEntryDirectoryPresent(Prompter& prompter, const EntryList& list);

// Guards 2 and 3: false when the entry directory lies under a desktop folder
// (the desktop message; the directory is cleared) or is the bare root "/"
// (rootRefusalUtf8 under "提示"; a few operations word it "什么都没有选择！").
bool CheckEntryDirectoryUsable(Prompter& prompter, EntryList& list, const char* rootRefusalUtf8 = "什么都没有选择");

// All three guards in order.
bool PassGuards(Prompter& prompter, EntryList& list, const char* rootRefusalUtf8 = "什么都没有选择");

// For operations that only work on files: false, after
// "此功能无法对文件夹进行修改", in mode "处理文件夹".
bool CheckFileMode(const RunContext& context);

}  // namespace vantor
