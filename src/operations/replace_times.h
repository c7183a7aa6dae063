// SPDX-License-Identifier: GPL-3.0-or-later
// "全部替换": replaces a text in each name, either only near the front (the
// symbol after a leading sequence number) or a given number of times counted
// from the left or from the right.
#pragma once

#include <optional>

#include "operations/counted_replace.h"
#include "pipeline/input_checks.h"
#include "pipeline/run_context.h"

namespace vantor {

// 单选框7 "只改数字后符号" / 单选框8 "不限制"; kNone when neither is selected.
enum class ReplaceScope { kNone, kNearFront, kUnrestricted };

struct ReplaceTimesSettings {
  InputText search;       // 编辑框4; must not be empty
  InputText replacement;  // 编辑框5; may be empty; none of \ / : * ? " < > |
  InputText count;        // 编辑框16; empty: once; negative: all; 0 is refused
  ReplaceScope scope = ReplaceScope::kUnrestricted;
  CountFrom from = CountFrom::kLeft;  // 单选框9 "从最左边开始" / 单选框10 "从最右边开始"
};

// The count a box text stands for: 1 when empty, else ToInteger of it (a
// negative count means all); nullopt when that is 0 ("abc", "0").
// ReplaceCountOf("3abc") == 3.
std::optional<int> ReplaceCountOf(const ByteText& countText);

// Near the front: the first occurrence, only when it starts within the first
// 8 bytes, the count unused. Unrestricted: the first or last count occurrences
// (text formed by a replacement is not matched again). nullopt when nothing is
// replaced, the result is empty or unchanged, or result + extension would be
// longer than a file name may be.
// NewNameOfReplaceTimes("01-公司办公文档", {"-", "、", "", ReplaceScope::kNearFront}) == "01、公司办公文档".
std::optional<ByteText> NewNameOfReplaceTimes(const ByteText& stem, const ReplaceTimesSettings& settings,
                                              const ByteText& extension = {});

// Guard 1 (under "提示"), the search text, guards 2 and 3, the replacement's
// forbidden characters, the count; then the question (asked with preview on
// too), the renaming and the summary.
void RunReplaceTimes(const RunContext& context, const ReplaceTimesSettings& settings);

}  // namespace vantor
