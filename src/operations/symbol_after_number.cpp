// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/symbol_after_number.h"

#include "pipeline/guards.h"
#include "pipeline/rename_run.h"

namespace vantor {

namespace {
constexpr int kLastNumberStart = 14;  // the number must start at byte 1..14
}

std::optional<ByteText> NewNameOfSymbolAfterNumber(const ByteText& stem, const SymbolAfterNumberSettings& settings) {
  const ByteText number = FirstDigitRun(stem);
  if (number.empty()) return std::nullopt;
  const int position = FindText(stem, number, std::nullopt, kFindMatchingCase);
  if (position < 0 || position > kLastNumberStart) return std::nullopt;
  ByteText changed =
      ReplaceText(stem, number, number + TextOrEmpty(settings.insertText), 1, 1, kReplaceMatchingCase);
  if (changed == stem) return std::nullopt;
  return changed;
}

void RunSymbolAfterNumber(const RunContext& context, const SymbolAfterNumberSettings& settings) {
  if (!CheckEntryDirectoryPresent(context.prompter, context.list)) return;
  if (!RequireText(context.prompter, settings.insertText, "加什么？不能为空")) return;
  if (!CheckEntryDirectoryUsable(context.prompter, context.list)) return;
  RunPureRename(context, {}, KeepingExtension([&settings](const ByteText& stem) {
              return NewNameOfSymbolAfterNumber(stem, settings);
            }));
}

}  // namespace vantor
