// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeline/guards.h"

#include "entries/intake.h"
#include "entries/messages.h"
#include "platform/code_page.h"
#include "platform/file_system.h"

namespace vantor {

bool CheckEntryDirectoryPresent(Prompter& prompter, const EntryList& list) {
  if (!list.EntryDirectory().empty()) return true;
  prompter.Inform(Gbk("路径呢？请先拖入文件！"), DefaultMessageTitle(), MessageIcon::kInformation);
  return false;
}

bool CheckEntryDirectoryUsable(Prompter& prompter, EntryList& list, const char* rootRefusalUtf8) {
  if (RefuseDesktopDirectory(list, prompter)) return false;
  if (list.EntryDirectory() == ByteText(1, kPathSeparator)) {
    prompter.Inform(Gbk(rootRefusalUtf8), messages::TitleHint(), MessageIcon::kInformation);
    return false;
  }
  return true;
}

bool PassGuards(Prompter& prompter, EntryList& list, const char* rootRefusalUtf8) {
  return CheckEntryDirectoryPresent(prompter, list) && CheckEntryDirectoryUsable(prompter, list, rootRefusalUtf8);
}

bool CheckFileMode(const RunContext& context) {
  if (!context.FolderMode()) return true;
  context.prompter.Inform(Gbk("此功能无法对文件夹进行修改"), DefaultMessageTitle(), MessageIcon::kInformation);
  return false;
}

}  // namespace vantor
