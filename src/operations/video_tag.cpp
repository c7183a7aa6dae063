// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/video_tag.h"

#include "pipeline/guards.h"
#include "pipeline/rename_run.h"
#include "platform/code_page.h"

namespace vantor {

ByteText RandomDigits(std::mt19937& generator, int count) {
  std::uniform_int_distribution<int> digit(0, 9);
  ByteText digits;
  for (int i = 0; i < count; ++i) digits += static_cast<char>('0' + digit(generator));
  return digits;
}

ByteText NewNameOfVideoTag(const ByteText& stem, const ByteText& digits, int part) {
  return stem + "(Av" + digits + ",P" + ToText(part) + ")";
}

void RunVideoTag(const RunContext& context, const VideoTagSettings&) {
  if (!CheckEntryDirectoryPresent(context.prompter, context.list)) return;
  if (context.FolderMode()) {
    context.prompter.Inform(Gbk("此功能无法对文件夹进行操作，请选择文件"), DefaultMessageTitle(),
                            MessageIcon::kInformation);
    return;
  }
  if (!CheckEntryDirectoryUsable(context.prompter, context.list, "什么都没有选择！")) return;
  RenameRunOptions options;
  options.confirmation.text = Gbk("不提供预览功能，将直接改名，确定吗？");
  options.confirmation.askInPreview = true;
  options.renameInPreview = true;
  options.summary.shown = false;
  std::mt19937 generator{std::random_device{}()};
  RunRename(context, options, [&generator](const RenameEntryView& entry) {
    return NewNameOfVideoTag(entry.stem, RandomDigits(generator, kVideoTagDigits), entry.row + 1) +
           entry.extension;
  });
}

}  // namespace vantor
