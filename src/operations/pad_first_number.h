// SPDX-License-Identifier: GPL-3.0-or-later
// "1替换成01": gives the first number of each name leading zeros, so that the
// names sort by number: up to 99 entries one digit becomes two, from 100 to
// 1000 entries one or two digits become three.
#pragma once

#include <optional>

#include "pipeline/run_context.h"

namespace vantor {

// The working name (stem, or whole folder name) with its first run of ASCII
// digits padded to the width entryCount asks for, or nullopt when it has no
// digit, its run is wide enough, or entryCount is above 1000 (no width).
// NewNameOfPadFirstNumber("第3课第12节", 20) == "第03课第12节";
// NewNameOfPadFirstNumber("42", 150) == "042"; NewNameOfPadFirstNumber("10 end", 12) == nullopt.
std::optional<ByteText> NewNameOfPadFirstNumber(const ByteText& workingName, int entryCount);

// The three guards (the root folder gets "什么都没有选择！"), then the rename
// course over the listed rows with the count of listed names as entryCount;
// an empty list is refused with "列表框是空的！". A direct run ends with
// "一共有N个文件将被更名" under the information icon.
void RunPadFirstNumber(const RunContext& context);

}  // namespace vantor
