// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/text_after_extension.h"

#include "platform/code_page.h"
#include "pipeline/guards.h"
#include "pipeline/rename_run.h"

namespace vantor {

std::optional<ByteText> NewNameOfTextAfterExtension(const ByteText& name, const TextAfterExtensionSettings& settings) {
  const ByteText& text = TextOrEmpty(settings.appendText);
  if (name.empty() || text.empty()) return std::nullopt;
  return name + text;
}

void RunTextAfterExtension(const RunContext& context, const TextAfterExtensionSettings& settings) {
  Prompter& prompter = context.prompter;
  if (!RequireText(prompter, settings.appendText, "弄啥嘞？不能为空")) return;
  if (!RequireNameCharacters(prompter, *settings.appendText)) return;
  if (!CheckFileMode(context)) return;
  if (!PassGuards(prompter, context.list)) return;
  RunPureRename(context, {}, [&settings](const RenameEntryView& entry) {
    return NewNameOfTextAfterExtension(entry.name, settings);
  });
}

}  // namespace vantor
