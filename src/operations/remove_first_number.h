// SPDX-License-Identifier: GPL-3.0-or-later
// "删除序号": removes the first run of ASCII digits from each name, optionally
// only when it starts within the first N bytes (编辑框15, "位字符以内").
#pragma once

#include <optional>

#include "pipeline/input_checks.h"
#include "pipeline/run_context.h"

namespace vantor {

struct RemoveFirstNumberSettings {
  InputText limit;  // 编辑框15; empty: no limit; else ToInteger of it (no digits: 0)
};

// The stem without its first digit run, or nullopt when it has none, the run
// starts after byte `limit`, or the stem would be left empty (a name of digits
// alone keeps its name). Full-width digits are not digits here.
// NewNameOfRemoveFirstNumber("第10课-2", {}) == "第课-2";
// NewNameOfRemoveFirstNumber("初级教程02教程", {"8"}) == nullopt (the run starts at byte 9).
std::optional<ByteText> NewNameOfRemoveFirstNumber(const ByteText& stem, const RemoveFirstNumberSettings& settings);

// The three guards (the root refused with "什么都没有选择！"), the limit's GBK
// form, then the rename course: "将直接更名，确定吗？" is asked (or the preview
// notice shown) even for an empty list; no skip-extension rule and no summary.
void RunRemoveFirstNumber(const RunContext& context, const RemoveFirstNumberSettings& settings);

}  // namespace vantor
