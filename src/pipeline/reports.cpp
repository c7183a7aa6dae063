// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeline/reports.h"

#include "entries/messages.h"
#include "platform/code_page.h"

namespace vantor {

void ReportFailedRenames(Prompter& prompter, int failed, const TextArray& replaced) {
  if (failed <= 0) return;
  ByteText text = Gbk("有") + ToText(failed) + Gbk("个文件改名失败，已保留原名");
  for (const ByteText& name : replaced) text += "\r\n" + Gbk("文件已被替换：") + name;
  prompter.Inform(text, messages::TitleReminder(), MessageIcon::kInformation);
}

void ReportBatchNotStarted(Prompter& prompter) {
  prompter.Inform(Gbk("无法写入改名记录，没有改名"), messages::TitleReminder(), MessageIcon::kInformation);
}

bool ReportBatchNotStarted(Prompter& prompter, const BatchOutcome& outcome) {
  if (outcome.folderChanged) {
    prompter.Inform(Gbk("文件夹已被移动或替换，没有改名"), messages::TitleReminder(), MessageIcon::kInformation);
  } else if (outcome.notStarted) {
    ReportBatchNotStarted(prompter);
  }
  return outcome.notStarted;
}

void ReportEmptyList(Prompter& prompter) {
  prompter.Inform(messages::ListIsEmpty(), messages::TitleHint(), MessageIcon::kInformation);
}

}  // namespace vantor
