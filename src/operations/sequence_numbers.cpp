// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/sequence_numbers.h"

#include <algorithm>
#include <limits>

#include "pipeline/guards.h"
#include "pipeline/rename_run.h"
#include "platform/code_page.h"

namespace vantor {

namespace {

bool InIntRange(int64_t value) {
  return value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max();
}

// Tells why the numbering cannot be used; true when it can.
bool AcceptNumbering(Prompter& prompter, NumberingRefusal refusal) {
  const char* text = nullptr;
  switch (refusal) {
    case NumberingRefusal::kNone:
      return true;
    case NumberingRefusal::kZeroStep:
      text = "每次递增不能为0！";
      break;
    case NumberingRefusal::kNegativeStart:
      text = "起始序号不能为负数！";
      break;
    case NumberingRefusal::kOutOfRange:
      text = "序号超出范围！";
      break;
  }
  prompter.Inform(Gbk(text), Gbk("提醒："), MessageIcon::kInformation);
  return false;
}

}  // namespace

Numbering NumberingOf(const ByteText& startText, const ByteText& stepText, int count) {
  Numbering numbering;
  numbering.first = startText.empty() ? 1 : ToInteger(startText);
  numbering.step = stepText.empty() ? 1 : ToInteger(stepText);
  if (numbering.first < 0) {
    numbering.refusal = NumberingRefusal::kNegativeStart;
    return numbering;
  }
  if (numbering.step == 0) {
    numbering.refusal = NumberingRefusal::kZeroStep;
    return numbering;
  }
  const int64_t last = numbering.first + int64_t{std::max(count - 1, 0)} * numbering.step;
  if (!InIntRange(last)) {
    numbering.refusal = NumberingRefusal::kOutOfRange;
    return numbering;
  }
  const int largest = static_cast<int>(ToText(static_cast<int32_t>(std::max(numbering.first, last))).size());
  numbering.width = std::max(2, largest);
  return numbering;
}

ByteText NumberText(int64_t number, const Numbering& numbering) {
  const ByteText digits = ToText(static_cast<int32_t>(number));
  // A negative number pads as a one-digit one: -1 in a two-digit run is "0-1".
  const int length = number < 0 ? 1 : static_cast<int>(digits.size());
  return ByteText(static_cast<size_t>(std::max(numbering.width - length, 0)), '0') + digits;
}

ByteText SeparatorOf(const ByteText& item) { return item == Gbk("不加") ? ByteText() : item; }

std::optional<ByteText> NewNameOfSequenceNumber(const ByteText& name, int ordinal, const Numbering& numbering,
                                                const ByteText& separator) {
  if (numbering.refusal != NumberingRefusal::kNone) return std::nullopt;
  const int64_t number = numbering.first + int64_t{ordinal - 1} * numbering.step;
  return NumberText(number, numbering) + separator + name;
}

void RunSequenceNumbers(const RunContext& context, const SequenceNumberSettings& settings) {
  if (context.list.EntryDirectory().empty()) {
    context.prompter.Inform(Gbk("路径呢？"), DefaultMessageTitle(), MessageIcon::kInformation);
    return;
  }
  if (!CheckEntryDirectoryUsable(context.prompter, context.list)) return;
  if (!RequireGbkForm(context.prompter, settings.start) || !RequireGbkForm(context.prompter, settings.step)) return;

  TextArray names;
  const int count = context.list.CollectEntryNames(names, false);
  const Numbering numbering = NumberingOf(*settings.start, *settings.step, count);
  const ByteText separator = SeparatorOf(TextOrEmpty(settings.separatorItem));

  RenameRunOptions options;
  options.confirmation.text = Gbk("将直接更名，确定吗？");
  options.confirmation.askOnEmptyList = true;
  options.summary.shown = false;
  options.checkAfterAsking = [&numbering](Prompter& prompter) { return AcceptNumbering(prompter, numbering.refusal); };
  RunRename(context, options, [&](const RenameEntryView& entry) {
    return NewNameOfSequenceNumber(entry.name, entry.ordinal, numbering, separator);
  });
}

}  // namespace vantor
