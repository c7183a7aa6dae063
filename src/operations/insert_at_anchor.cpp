// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/insert_at_anchor.h"

#include "pipeline/guards.h"
#include "pipeline/rename_run.h"
#include "platform/code_page.h"

namespace vantor {

std::optional<ByteText> NewNameOfInsertAtAnchor(const ByteText& stem, const InsertAtAnchorSettings& settings) {
  const ByteText& anchor = TextOrEmpty(settings.anchor);
  const ByteText& insert = TextOrEmpty(settings.insert);
  if (insert.empty()) return std::nullopt;
  const int position = FindOccurrence(stem, anchor, settings.occurrence);
  if (position < 0) return std::nullopt;
  const size_t at = static_cast<size_t>(position - 1) + (settings.side == AnchorSide::kAfter ? anchor.size() : 0);
  ByteText inserted = stem;
  inserted.insert(at, insert);
  return inserted;
}

void RunInsertAtAnchor(const RunContext& context, const InsertAtAnchorSettings& settings) {
  Prompter& prompter = context.prompter;
  if (!RequireGbkForm(prompter, settings.anchor) || !RequireGbkForm(prompter, settings.insert)) return;
  if (settings.anchor->empty() || settings.insert->empty()) {
    prompter.Inform(Gbk("弄啥呢？"), DefaultMessageTitle(), MessageIcon::kInformation);
    return;
  }
  if (!PassGuards(prompter, context.list)) return;
  if (!RequireNameCharacters(prompter, *settings.insert)) return;
  RenameRunOptions options;
  if (context.FolderMode()) {
    options.confirmation.askOnEmptyList = true;
  } else {
    options.refuseEmptyList = true;
    options.summary.suffix = Gbk("个文件将被更名");
    options.summary.icon = MessageIcon::kInformation;
  }
  RunPureRename(context, options, KeepingExtension([&settings](const ByteText& stem) {
              return NewNameOfInsertAtAnchor(stem, settings);
            }));
}

}  // namespace vantor
