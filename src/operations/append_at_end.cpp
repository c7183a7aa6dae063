// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/append_at_end.h"

#include "pipeline/guards.h"
#include "pipeline/rename_run.h"

namespace vantor {

std::optional<ByteText> NewNameOfAppendAtEnd(const ByteText& stem, const AppendAtEndSettings& settings) {
  const ByteText& text = TextOrEmpty(settings.text);
  if (stem.empty() || text.empty()) return std::nullopt;
  return stem + text;
}

void RunAppendAtEnd(const RunContext& context, const AppendAtEndSettings& settings) {
  if (!RequireText(context.prompter, settings.text, "弄啥嘞？不能为空")) return;
  if (!PassGuards(context.prompter, context.list)) return;
  if (!RequireNameCharacters(context.prompter, *settings.text)) return;
  RenameRunOptions options;
  options.refuseEmptyList = true;
  options.summary.icon = MessageIcon::kInformation;
  RunPureRename(context, options, KeepingExtension([&settings](const ByteText& stem) {
              return NewNameOfAppendAtEnd(stem, settings);
            }));
}

}  // namespace vantor
