// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/replace_times.h"

#include "pipeline/guards.h"
#include "pipeline/rename_run.h"
#include "platform/code_page.h"

namespace vantor {

namespace {
constexpr int kLastNearFrontStart = 8;  // near the front: the search text starts at byte 1..8
}

std::optional<int> ReplaceCountOf(const ByteText& countText) {
  if (countText.empty()) return 1;
  const int count = ToInteger(countText);
  if (count == 0) return std::nullopt;
  return count;
}

std::optional<ByteText> NewNameOfReplaceTimes(const ByteText& stem, const ReplaceTimesSettings& settings,
                                              const ByteText& extension) {
  const ByteText& search = TextOrEmpty(settings.search);
  const ByteText& replacement = TextOrEmpty(settings.replacement);
  if (search.empty()) return std::nullopt;
  std::optional<ByteText> changed;
  if (settings.scope == ReplaceScope::kNearFront) {
    const int position = FindText(stem, search, std::nullopt, kFindMatchingCase);
    if (position < 0 || position > kLastNearFrontStart) return std::nullopt;
    changed = ReplaceText(stem, search, replacement, position, 1, kReplaceMatchingCase);
  } else if (settings.scope == ReplaceScope::kUnrestricted) {
    if (!settings.count) return std::nullopt;
    const std::optional<int> count = ReplaceCountOf(*settings.count);
    if (!count) return std::nullopt;
    changed = ReplaceCounted(stem, search, replacement, *count, settings.from);
  }
  if (!changed || changed->empty() || *changed == stem || !FitsNativeNameLength(*changed + extension)) {
    return std::nullopt;
  }
  return changed;
}

void RunReplaceTimes(const RunContext& context, const ReplaceTimesSettings& settings) {
  Prompter& prompter = context.prompter;
  if (context.list.EntryDirectory().empty()) {
    prompter.Inform(Gbk("路径呢？请先拖入文件！"), Gbk("提示"), MessageIcon::kInformation);
    return;
  }
  if (!RequireGbkForm(prompter, settings.search)) return;
  if (settings.search->empty()) {
    prompter.Inform(Gbk("去掉什么？不能为空"), Gbk("提示"), MessageIcon::kInformation);
    return;
  }
  if (!CheckEntryDirectoryUsable(prompter, context.list)) return;
  if (!RequireGbkForm(prompter, settings.replacement)) return;
  if (ContainsForbiddenNameCharacter(*settings.replacement)) {
    prompter.Inform(Gbk("不能改成这个东西"), DefaultMessageTitle(), MessageIcon::kNone);
    return;
  }
  if (!RequireGbkForm(prompter, settings.count)) return;
  if (!ReplaceCountOf(*settings.count)) {
    prompter.Inform(Gbk("替换次数没写对，请重新再写！"), Gbk("提醒："), MessageIcon::kInformation);
    return;
  }

  RenameRunOptions options;
  options.confirmation.askInPreview = true;
  options.refuseEmptyList = true;
  options.summary.suffix = Gbk("个文件将被更名");
  options.summary.icon = context.FolderMode() ? MessageIcon::kNone : MessageIcon::kInformation;
  RunPureRename(context, options, [&settings](const RenameEntryView& entry) {
    std::optional<ByteText> stem = NewNameOfReplaceTimes(entry.stem, settings, entry.extension);
    if (!stem) return stem;
    return std::optional<ByteText>(*stem + entry.extension);
  });
}

}  // namespace vantor
