// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/delete_between.h"

#include "pipeline/guards.h"
#include "pipeline/rename_run.h"
#include "platform/code_page.h"

namespace vantor {

namespace {

constexpr const char* kEmptyDelimiter = "去掉什么？不能为空";

// The full-width and half-width partners of the symbol width switch, applied
// row by row.
struct SymbolPair {
  const char* full;
  const char* half;
};
constexpr SymbolPair kSymbolPairs[] = {{"，", ","}, {"。", "."}, {"（", "("}, {"）", ")"}, {"【", "["}, {"】", "]"}};

struct Occurrences {
  bool lastLeft = false;
  bool lastRight = false;
};

// The pair of occurrences the boxes choose, the first complete pair in the
// order (first, first), (first, last), (last, first), (last, last); without a
// complete pair, the first of each.
Occurrences ChosenOccurrences(const DeleteBetweenSettings& settings) {
  if (settings.leftFirst && settings.rightFirst) return {false, false};
  if (settings.leftFirst && settings.rightLast) return {false, true};
  if (settings.leftLast && settings.rightFirst) return {true, false};
  if (settings.leftLast && settings.rightLast) return {true, true};
  return {false, false};
}

}  // namespace

std::optional<ByteText> NewNameOfDeleteBetween(const ByteText& stem, const DeleteBetweenSettings& settings) {
  const ByteText& left = TextOrEmpty(settings.left);
  const ByteText& right = TextOrEmpty(settings.right);
  if (left.empty() || right.empty()) return std::nullopt;
  const auto [lastLeft, lastRight] = ChosenOccurrences(settings);

  const int leftLength = TextLength(left);
  int p = -1;
  int q = -1;
  if (!lastRight) {
    p = lastLeft ? FindTextReverse(stem, left, std::nullopt, kFindMatchingCase)
                 : FindText(stem, left, std::nullopt, kFindMatchingCase);
    if (p < 0) return std::nullopt;
    q = FindText(stem, right, p + leftLength, kFindMatchingCase);
  } else if (!lastLeft) {
    p = FindText(stem, left, std::nullopt, kFindMatchingCase);
    q = FindTextReverse(stem, right, std::nullopt, kFindMatchingCase);
    // The last D2 must start after the first D1 ends.
    if (q < p + leftLength) return std::nullopt;
  } else {
    q = FindTextReverse(stem, right, std::nullopt, kFindMatchingCase);
    if (q < 0) return std::nullopt;
    p = FindTextReverse(stem, left, q, kFindMatchingCase);
  }
  if (p < 0 || q < 0) return std::nullopt;

  const int afterRight = q + TextLength(right);
  ByteText changed = LeftBytes(stem, p - 1);
  if (!settings.withDelimiters) changed += left + right;
  changed += RightBytes(stem, TextLength(stem) - afterRight + 1);
  if (changed.empty() || changed == stem) return std::nullopt;
  return changed;
}

std::optional<SymbolWidth> SymbolWidthOf(const ByteText& item) {
  if (item == Gbk("中文符号")) return SymbolWidth::kFull;
  if (item == Gbk("英文符号") || item == Gbk("B站括号")) return SymbolWidth::kHalf;
  return std::nullopt;
}

ByteText SwitchSymbolWidth(const ByteText& text, SymbolWidth width) {
  ByteText result = text;
  for (const SymbolPair& pair : kSymbolPairs) {
    const ByteText full = Gbk(pair.full);
    const ByteText half = pair.half;
    result = width == SymbolWidth::kHalf ? ReplaceText(result, full, half, 1, -1, kReplaceMatchingCase)
                                         : ReplaceText(result, half, full, 1, -1, kReplaceMatchingCase);
  }
  return result;
}

void RunDeleteBetween(const RunContext& context, const DeleteBetweenSettings& settings) {
  Prompter& prompter = context.prompter;
  if (!CheckEntryDirectoryPresent(prompter, context.list)) return;
  if (!RequireText(prompter, settings.left, kEmptyDelimiter)) return;
  if (!RequireText(prompter, settings.right, kEmptyDelimiter)) return;
  if (!CheckEntryDirectoryUsable(prompter, context.list)) return;

  const bool folders = context.FolderMode();
  RenameRunOptions options;
  options.refuseEmptyList = !folders;
  options.confirmation.title = Gbk("确定改名吗？");
  options.summary.suffix = Gbk("个文件被改名");
  options.summary.icon = folders ? MessageIcon::kNone : MessageIcon::kInformation;
  RenamePlan plan = PlanPureRenames(context, options, KeepingExtension([&settings](const ByteText& stem) {
                                        return NewNameOfDeleteBetween(stem, settings);
                                      }));
  if ((plan.walked > 0 || folders) && plan.changes.empty()) {
    prompter.Inform(Gbk("找不到需要改的文件名"), Gbk("提示"), MessageIcon::kNone);
    return;
  }
  const ByteText count = ToText(static_cast<int32_t>(plan.changes.size()));
  options.confirmation.text =
      folders ? Gbk("总共有") + count + Gbk("个需要改名") : Gbk("一共有") + count + Gbk("个文件将被更名");
  CarryOutPlan(context, options, std::move(plan));
}

}  // namespace vantor
