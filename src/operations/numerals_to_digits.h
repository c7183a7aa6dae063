// SPDX-License-Identifier: GPL-3.0-or-later
// "第一课改第1课": writes the first run of Chinese numerals in each name as
// decimal digits.
#pragma once

#include <optional>

#include "pipeline/run_context.h"

namespace vantor {

// The operation reads no control of its own.
struct NumeralsToDigitsSettings {};

// The whole name (extension included) with its first run of numeral characters
// (零一二三四五六七八九十百千万亿, found on character boundaries wherever it
// lies) replaced in place by its value, or nullopt when there is no run or the
// run is not a numeral of 1 to 999 (零, 一千, 二二): later runs are not tried.
// NewNameOfNumeralsToDigits("第二十一集.avi") == "第21集.avi";
// NewNameOfNumeralsToDigits("1第一课.txt") == "1第1课.txt".
std::optional<ByteText> NewNameOfNumeralsToDigits(const ByteText& name);

// The guards; then the rename course over whole names, refusing an empty list,
// showing the run's progress in file modes, and closing a direct run with
// "总共更改" + count + "个" (更名数量), a count of 0 included.
void RunNumeralsToDigits(const RunContext& context, const NumeralsToDigitsSettings& settings);

}  // namespace vantor
