// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/digits_to_numerals.h"

#include "pipeline/guards.h"
#include "platform/code_page.h"
#include "text/chinese_numerals.h"

namespace vantor {

namespace {
constexpr std::size_t kMostNumeralDigits = 13;  // kLargestChineseNumeral has thirteen
}

std::optional<ByteText> NewNameOfDigitsToNumerals(const ByteText& stem) {
  const std::optional<TextSpan> run = FirstDigitSpan(stem);
  if (!run) return std::nullopt;
  std::size_t first = run->offset;
  const std::size_t end = run->offset + run->length;
  while (first + 1 < end && stem[first] == '0') ++first;
  if (end - first > kMostNumeralDigits) return std::nullopt;
  uint64_t value = 0;
  for (std::size_t pos = first; pos < end; ++pos) value = value * 10 + static_cast<uint64_t>(stem[pos] - '0');
  const std::optional<ByteText> numeral = ChineseNumeralOf(value);
  if (!numeral) return std::nullopt;
  return ReplaceSpan(stem, *run, *numeral);
}

RunSummary NumeralRunSummary() {
  RunSummary summary;
  summary.prefix = Gbk("总共更改");
  summary.suffix = Gbk("个");
  summary.title = Gbk("更名数量");
  summary.zeroSaysNothingChanged = false;
  return summary;
}

void RunDigitsToNumerals(const RunContext& context, const DigitsToNumeralsSettings&) {
  if (!PassGuards(context.prompter, context.list)) return;
  RenameRunOptions options;
  options.refuseEmptyList = true;
  options.summary = NumeralRunSummary();
  RunPureRename(context, options, KeepingExtension(NewNameOfDigitsToNumerals));
}

}  // namespace vantor
