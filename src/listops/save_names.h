// SPDX-License-Identifier: GPL-3.0-or-later
// "保存原文件名到txt": writes the listed names to a text file the user picks.
#pragma once

#include <functional>
#include <optional>

#include "entries/entry_list.h"
#include "pipeline/input_checks.h"
#include "pipeline/row_subset.h"
#include "platform/prompter.h"

namespace vantor {

// Asks the user where the file goes (the save dialog, which itself asks
// before an existing file is replaced): nullopt when the user cancels;
// otherwise the chosen absolute path as GBK, or no value when it has no GBK form.
using ChooseNamesFile = std::function<std::optional<InputText>()>;

// Every non-empty column-0 name in UTF-8 followed by "\n", row 0 first; the
// file's bytes. NamesFileContent(rows "a", "", "第1课") == "a\n第1课\n" (UTF-8).
// A row of a folder tree is saved with its folder ("Season 1/e1.mkv"); rows
// that rows (when given) leaves out are not saved.
std::string NamesFileContent(const EntryList& list, const RowSubset* rows = nullptr);

// A list without a non-empty name: "没有什么可以保存的", no dialog. Otherwise
// asks chooseFile; Cancel writes and says nothing. The file is written whole
// and atomically (an earlier file the user agreed to replace is replaced in
// one step), then "已将原文件名存入txt文档内，\r\n保存位置：" + the path; a
// path that cannot be written (or has no GBK form) gives "保存失败". All under
// "提醒：".
void SaveListedNames(const EntryList& list, Prompter& prompter, const ChooseNamesFile& chooseFile,
                     const RowSubset* rows = nullptr);

}  // namespace vantor
