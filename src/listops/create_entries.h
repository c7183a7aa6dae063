// SPDX-License-Identifier: GPL-3.0-or-later
// "创建文件": one new file or folder per listed name, in a folder the user types.
#pragma once

#include "entries/entry_list.h"
#include "pipeline/input_checks.h"
#include "pipeline/run_context.h"
#include "platform/prompter.h"

namespace vantor {

struct CreateEntriesSettings {
  InputText targetFolder;  // 编辑框14
  InputText kind;          // 组合框_创建扩展: "创建目录" or empty for folders, else the file name ending
};

// The name created for a listed name: its stem followed by the kind, or the
// bare stem for folders; nullopt when that is not a plain name (empty stem,
// a separator in the kind, "." or ".."). NameToCreate("第1课.mp4", ".txt") ==
// "第1课.txt"; NameToCreate("第1课.mp4", "创建目录") == "第1课".
std::optional<ByteText> NameToCreate(const ByteText& listedName, const ByteText& kind);

// Creates NameToCreate of every row in the target folder: files holding the 8
// GBK bytes of "测试文件", or folders. Nothing existing is replaced: a name
// already taken by any entry is passed over and not counted.
// Refusals, in order: no entry directory, an empty target or the cue text
// "将在这里创建", a target with no GBK form or not absolute: "请先填入有效路径，
// 并选好后缀！..." (default title); no such folder: "这个路径并不存在"; a kind
// with no GBK form: the unconvertible-text message.
// Result: "成功创建" + count + "个文件夹" (创建成果提示), for files as well;
// none: "什么都没有创建" (没有发生任何变化). runDiskPhase, when given, runs
// the creations and may stop them between two rows.
void CreateEntriesFromList(const EntryList& list, Prompter& prompter, const CreateEntriesSettings& settings,
                           const DiskPhaseRunner& runDiskPhase = {});

}  // namespace vantor
