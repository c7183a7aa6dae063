// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/change_extension.h"

#include "entries/paths.h"
#include "platform/code_page.h"
#include "pipeline/guards.h"
#include "pipeline/rename_run.h"

namespace vantor {

ByteText ExtensionInUse(const ByteText& text) {
  if (text.empty() || text.front() == '.') return text;
  return "." + text;
}

std::optional<ByteText> NewNameOfChangeExtension(const ByteText& name, const ChangeExtensionSettings& settings) {
  const ByteText extension = ExtensionInUse(TextOrEmpty(settings.extension));
  const ByteText stem = NameOfPath(name, false);
  if (stem.empty() || extension.empty()) return std::nullopt;
  return stem + extension;
}

std::optional<ByteText> RunChangeExtension(const RunContext& context, const ChangeExtensionSettings& settings) {
  Prompter& prompter = context.prompter;
  if (!RequireText(prompter, settings.extension, "准备改成什么后缀？请先选择或手动输入！")) return std::nullopt;
  const ByteText extension = ExtensionInUse(*settings.extension);
  if (!RequireNameCharacters(prompter, extension)) return std::nullopt;
  if (!PassGuards(prompter, context.list)) return std::nullopt;
  if (context.FolderMode()) {
    prompter.Inform(Gbk("文件夹没有改后缀一说，请勾选文件"), Gbk("提示"), MessageIcon::kInformation);
    return std::nullopt;
  }
  RenameRunOptions options;
  options.previewUnchangedRows = true;
  options.summary.suffix = Gbk("个文件被改名");
  const ChangeExtensionSettings inUse{extension};
  RenamePlan plan = PlanPureRenames(context, options, [&inUse](const RenameEntryView& entry) {
    return NewNameOfChangeExtension(entry.name, inUse);
  });
  const int walked = plan.walked;
  const RenameRunResult result = CarryOutPlan(context, options, std::move(plan));
  if (result.cancelled || walked == 0 || extension == *settings.extension) return std::nullopt;
  return extension;
}

}  // namespace vantor
