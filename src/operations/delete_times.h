// SPDX-License-Identifier: GPL-3.0-or-later
// "删掉": deletes a text from each name once, or a given number of times,
// counting its occurrences from the left or from the right.
#pragma once

#include <optional>

#include "operations/counted_replace.h"
#include "pipeline/input_checks.h"
#include "pipeline/run_context.h"

namespace vantor {

struct DeleteTimesSettings {
  InputText text;   // 编辑框1; must not be empty
  InputText count;  // 编辑框10; empty: once; otherwise a positive number
  CountFrom from = CountFrom::kLeft;  // 单选框13 "从左到右" / 单选框14 "从右到左"
};

// The count a box text stands for: 1 when empty, else ToInteger of it;
// nullopt when that is not positive ("abc", "0", "-2"). DeleteCountOf("3abc") == 3.
std::optional<int> DeleteCountOf(const ByteText& countText);

// The stem without the first or last count occurrences of text (text formed by
// a deletion is not matched again), or nullopt when text does not occur, the
// count is not positive, the result is empty, or result + extension would be
// longer than a file name may be.
// NewNameOfDeleteTimes("a-b-c-d", {"-", "2", CountFrom::kRight}) == "a-bcd".
std::optional<ByteText> NewNameOfDeleteTimes(const ByteText& stem, const DeleteTimesSettings& settings,
                                             const ByteText& extension = {});

// Guard 1, the text, the desktop guard, the root ("什么都没有选择！"), the count
// ("输入的不是纯数字", once); then, on the rows: an empty file list is refused,
// no change at all is told, and the question names the count of the names
// that will change.
void RunDeleteTimes(const RunContext& context, const DeleteTimesSettings& settings);

}  // namespace vantor
