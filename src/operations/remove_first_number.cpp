// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/remove_first_number.h"

#include "pipeline/guards.h"
#include "pipeline/rename_run.h"
#include "platform/code_page.h"

namespace vantor {

std::optional<ByteText> NewNameOfRemoveFirstNumber(const ByteText& stem, const RemoveFirstNumberSettings& settings) {
  const ByteText number = FirstDigitRun(stem);
  if (number.empty()) return std::nullopt;
  // Found again by characters, so that a digit glued to a lone lead byte is
  // not taken for the number.
  const int position = FindText(stem, number, std::nullopt, kFindMatchingCase);
  if (position < 0) return std::nullopt;
  const ByteText& limit = TextOrEmpty(settings.limit);
  if (!limit.empty() && position > ToInteger(limit)) return std::nullopt;
  ByteText removed = stem;
  removed.erase(static_cast<size_t>(position - 1), number.size());
  if (removed.empty()) return std::nullopt;
  return removed;
}

void RunRemoveFirstNumber(const RunContext& context, const RemoveFirstNumberSettings& settings) {
  if (!PassGuards(context.prompter, context.list, "什么都没有选择！")) return;
  if (!RequireGbkForm(context.prompter, settings.limit)) return;
  RenameRunOptions options;
  options.confirmation.text = Gbk("将直接更名，确定吗？");
  options.confirmation.askOnEmptyList = true;
  options.summary.shown = false;
  options.applySkipExtension = false;
  RunPureRename(context, options, KeepingExtension([&settings](const ByteText& stem) {
              return NewNameOfRemoveFirstNumber(stem, settings);
            }));
}

}  // namespace vantor
