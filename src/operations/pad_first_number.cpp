// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/pad_first_number.h"

#include "platform/code_page.h"
#include "pipeline/guards.h"
#include "pipeline/rename_run.h"

namespace vantor {

namespace {

// The width the first number is padded to for a list of entryCount names;
// 0 when such a list is not padded.
size_t TargetWidth(int entryCount) {
  if (entryCount < 100) return 2;
  if (entryCount <= 1000) return 3;
  return 0;
}

int ListedNameCount(const EntryList& list) {
  int count = 0;
  for (int row = 0; row < list.RowCount(); ++row) count += list.Cell(row, 0).empty() ? 0 : 1;
  return count;
}

}  // namespace

std::optional<ByteText> NewNameOfPadFirstNumber(const ByteText& workingName, int entryCount) {
  const ByteText number = FirstDigitRun(workingName);
  const size_t width = TargetWidth(entryCount);
  if (number.empty() || number.size() >= width) return std::nullopt;
  const ByteText padded = ByteText(width - number.size(), '0') + number;
  ByteText changed = ReplaceText(workingName, number, padded, 1, 1, kReplaceMatchingCase);
  if (changed.empty() || changed == workingName) return std::nullopt;
  return changed;
}

void RunPadFirstNumber(const RunContext& context) {
  Prompter& prompter = context.prompter;
  EntryList& list = context.list;
  if (!PassGuards(prompter, list, "什么都没有选择！")) return;
  RenameRunOptions options;
  options.refuseEmptyList = true;
  options.summary.suffix = Gbk("个文件将被更名");
  options.summary.icon = MessageIcon::kInformation;
  const int entryCount = ListedNameCount(list);
  RunPureRename(context, options, KeepingExtension([entryCount](const ByteText& stem) {
              return NewNameOfPadFirstNumber(stem, entryCount);
            }));
}

}  // namespace vantor
