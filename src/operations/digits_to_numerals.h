// SPDX-License-Identifier: GPL-3.0-or-later
// "第1课改第一课": writes the first number of each name in Chinese numerals.
#pragma once

#include <optional>

#include "pipeline/rename_run.h"

namespace vantor {

// The operation reads no control of its own.
struct DigitsToNumeralsSettings {};

// The stem with its first run of ASCII digits written as its value in Chinese
// numerals (leading zeros dropped), or nullopt when the stem has no digits or
// the value is too big for numerals (more than thirteen digits besides leading
// zeros): such a number stays as it is.
// NewNameOfDigitsToNumerals("第15课") == "第十五课"; NewNameOfDigitsToNumerals("第007集") == "第七集".
std::optional<ByteText> NewNameOfDigitsToNumerals(const ByteText& stem);

// The box that closes a direct run of either numeral conversion: "总共更改" +
// count + "个" (更名数量), without icon, a count of 0 included.
RunSummary NumeralRunSummary();

// The guards; then the rename course over the stems (whole names of folders),
// refusing an empty list and closing a direct run with "总共更改" + count + "个"
// (更名数量), a count of 0 included.
void RunDigitsToNumerals(const RunContext& context, const DigitsToNumeralsSettings& settings);

}  // namespace vantor
