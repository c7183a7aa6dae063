// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/text_in_front.h"

#include "pipeline/guards.h"
#include "pipeline/rename_run.h"

namespace vantor {

std::optional<ByteText> NewNameOfTextInFront(const ByteText& name, const TextInFrontSettings& settings) {
  const ByteText& text = TextOrEmpty(settings.frontText);
  if (name.empty() || text.empty()) return std::nullopt;
  return text + name;
}

void RunTextInFront(const RunContext& context, const TextInFrontSettings& settings) {
  Prompter& prompter = context.prompter;
  if (!RequireText(prompter, settings.frontText, "弄啥嘞？不能为空")) return;
  if (!RequireNameCharacters(prompter, *settings.frontText)) return;
  if (!PassGuards(prompter, context.list)) return;
  RenameRunOptions options;
  options.refuseEmptyList = !context.FolderMode();
  options.summary.shown = false;
  RunPureRename(context, options, [&settings](const RenameEntryView& entry) {
    return NewNameOfTextInFront(entry.name, settings);
  });
}

}  // namespace vantor
