// Messages several runs share.
#pragma once

#include "platform/prompter.h"

namespace vantor {

// After a run whose renames failed: "有" + failed + "个文件改名失败，已保留原名"
// (提醒：). Nothing when failed is 0.
void ReportFailedRenames(Prompter& prompter, int failed);

// "列表框是空的！" under "提示".
void ReportEmptyList(Prompter& prompter);

}  // namespace vantor
