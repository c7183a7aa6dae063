// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/delete_times.h"

#include "entries/intake.h"
#include "pipeline/guards.h"
#include "pipeline/rename_run.h"
#include "platform/code_page.h"
#include "platform/file_system.h"

namespace vantor {

std::optional<int> DeleteCountOf(const ByteText& countText) {
  if (countText.empty()) return 1;
  const int count = ToInteger(countText);
  if (count < 1) return std::nullopt;
  return count;
}

std::optional<ByteText> NewNameOfDeleteTimes(const ByteText& stem, const DeleteTimesSettings& settings,
                                             const ByteText& extension) {
  if (!settings.count) return std::nullopt;
  const std::optional<int> count = DeleteCountOf(*settings.count);
  if (!count) return std::nullopt;
  std::optional<ByteText> changed = ReplaceCounted(stem, TextOrEmpty(settings.text), ByteText(), *count, settings.from);
  if (!changed || changed->empty() || *changed == stem || !FitsNativeNameLength(*changed + extension)) {
    return std::nullopt;
  }
  return changed;
}

void RunDeleteTimes(const RunContext& context, const DeleteTimesSettings& settings) {
  Prompter& prompter = context.prompter;
  EntryList& list = context.list;
  if (!CheckEntryDirectoryPresent(prompter, list)) return;
  if (!RequireText(prompter, settings.text, "去掉什么？不能为空")) return;
  if (RefuseDesktopDirectory(list, prompter)) return;
  if (list.EntryDirectory() == ByteText(1, kPathSeparator)) {
    prompter.Inform(Gbk("什么都没有选择！"), Gbk("提示"), MessageIcon::kInformation);
    return;
  }
  if (!RequireGbkForm(prompter, settings.count)) return;
  if (!DeleteCountOf(*settings.count)) {
    prompter.Inform(Gbk("输入的不是纯数字"), Gbk("提示"), MessageIcon::kInformation);
    return;
  }

  const bool folders = context.FolderMode();
  RenameRunOptions options;
  options.refuseEmptyList = !folders;
  options.confirmation.title = Gbk("请确认");
  if (folders) {
    options.summary.suffix = Gbk("个文件被改名");
  } else {
    options.summary.prefix = Gbk("删掉了");
    options.summary.suffix = Gbk("个");
  }
  RenamePlan plan = PlanPureRenames(context, options, [&settings](const RenameEntryView& entry) {
    std::optional<ByteText> stem = NewNameOfDeleteTimes(entry.stem, settings, entry.extension);
    if (!stem) return stem;
    return std::optional<ByteText>(*stem + entry.extension);
  });
  if ((plan.walked > 0 || folders) && plan.changes.empty()) {
    if (folders) {
      prompter.Inform(Gbk("没有东西可以改"), Gbk("没有改动"), MessageIcon::kInformation);
    } else {
      prompter.Inform(Gbk("找不到需要改的文件名"), Gbk("提示"), MessageIcon::kInformation);
    }
    return;
  }
  options.confirmation.text = Gbk("一共有") + ToText(static_cast<int32_t>(plan.changes.size())) + Gbk("个文件将被更名");
  CarryOutPlan(context, options, std::move(plan));
}

}  // namespace vantor
