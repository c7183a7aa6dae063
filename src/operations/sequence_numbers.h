// SPDX-License-Identifier: GPL-3.0-or-later
// "加序号": puts a running number, and optionally a separator, in front of
// every listed name, in list order.
#pragma once

#include <cstdint>
#include <optional>

#include "pipeline/input_checks.h"
#include "pipeline/run_context.h"

namespace vantor {

struct SequenceNumberSettings {
  InputText start;          // 编辑框17; empty: start at 1
  InputText step;           // 编辑框19; empty: step 1
  InputText separatorItem;  // the selected item of 组合框5; empty when none is selected
};

// Why a numbering cannot be used.
enum class NumberingRefusal { kNone, kZeroStep, kNegativeStart, kOutOfRange };

// The numbers of one run: entry j (1-based) gets first + (j - 1) * step.
struct Numbering {
  int64_t first = 1;
  int64_t step = 1;
  // Digits every number is padded to with leading zeros: those of the largest
  // number of the run, at least 2. A negative number pads like a one-digit one.
  int width = 2;
  NumberingRefusal refusal = NumberingRefusal::kNone;
};

// The numbering of count entries from the two box texts (read by ToInteger).
// An empty start means 1; an empty step means 1; a step of 0, a negative start,
// or a number outside the 32-bit range refuses. The width follows the larger
// of the first and the last number, so a falling run keeps one width.
// NumberingOf("95", "", 10) == {95, 1, width = 3}; 30,000 entries get width 5.
Numbering NumberingOf(const ByteText& startText, const ByteText& stepText, int count);

// The padded decimal text of a number. NumberText(5, {.width = 3}) == "005";
// NumberText(-1, {}) == "0-1".
ByteText NumberText(int64_t number, const Numbering& numbering);

// The separator an item of 组合框5 stands for: none for "不加" and for no item.
ByteText SeparatorOf(const ByteText& item);

// Number text of the ordinal-th entry + separator + the whole name (the
// extension is not treated apart); nullopt when the numbering is refused.
// NewNameOfSequenceNumber("a.txt", 1, NumberingOf("", "", 12), "、") == "01、a.txt".
std::optional<ByteText> NewNameOfSequenceNumber(const ByteText& name, int ordinal, const Numbering& numbering,
                                                const ByteText& separator);

// The short folder check ("路径呢？"), guards 2 and 3, the question (or the
// preview notice), then the numbering's refusal if any, then the numbering.
// No summary follows a direct run.
void RunSequenceNumbers(const RunContext& context, const SequenceNumberSettings& settings);

}  // namespace vantor
