#include "pipeline/reports.h"

#include "entries/messages.h"
#include "platform/code_page.h"

namespace vantor {

void ReportFailedRenames(Prompter& prompter, int failed) {
  if (failed <= 0) return;
  prompter.Inform(Gbk("有") + ToText(failed) + Gbk("个文件改名失败，已保留原名"), messages::TitleReminder(),
                  MessageIcon::kInformation);
}

void ReportEmptyList(Prompter& prompter) {
  prompter.Inform(messages::ListIsEmpty(), messages::TitleHint(), MessageIcon::kInformation);
}

}  // namespace vantor
