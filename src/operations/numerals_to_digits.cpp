// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/numerals_to_digits.h"

#include "operations/digits_to_numerals.h"
#include "pipeline/guards.h"
#include "text/chinese_numerals.h"

namespace vantor {

std::optional<ByteText> NewNameOfNumeralsToDigits(const ByteText& name) {
  const std::optional<TextSpan> run = FirstChineseNumeralRun(name);
  if (!run) return std::nullopt;
  const std::optional<int> value = ValueOfChineseNumeral(name.substr(run->offset, run->length));
  if (!value) return std::nullopt;
  return ReplaceSpan(name, *run, ToText(*value));
}

void RunNumeralsToDigits(const RunContext& context, const NumeralsToDigitsSettings&) {
  if (!PassGuards(context.prompter, context.list)) return;
  RenameRunOptions options;
  options.refuseEmptyList = true;
  options.reportProgress = !context.FolderMode();
  options.summary = NumeralRunSummary();
  RunPureRename(context, options,
            [](const RenameEntryView& entry) { return NewNameOfNumeralsToDigits(entry.name); });
}

}  // namespace vantor
