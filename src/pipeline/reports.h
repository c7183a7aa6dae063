// SPDX-License-Identifier: GPL-3.0-or-later
// Messages several runs share.
#pragma once

#include "pipeline/rename_batch.h"
#include "platform/prompter.h"

namespace vantor {

// After a run whose renames failed: "有" + failed + "个文件改名失败，已保留原名"
// (提醒：), followed by a line "文件已被替换：" + name for each entry left alone
// because another stood under its name. Nothing when failed is 0.
void ReportFailedRenames(Prompter& prompter, int failed, const TextArray& replaced = {});

// When the batch did not start because its journal could not be written:
// "无法写入改名记录，没有改名" (提醒：), or because its folder was moved away or
// replaced: "文件夹已被移动或替换，没有改名" (提醒：); and true; the caller then
// says nothing else. False otherwise.
bool ReportBatchNotStarted(Prompter& prompter, const BatchOutcome& outcome);
void ReportBatchNotStarted(Prompter& prompter);

// "列表框是空的！" under "提示".
void ReportEmptyList(Prompter& prompter);

}  // namespace vantor
